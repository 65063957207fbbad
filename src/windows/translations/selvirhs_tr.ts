<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr_TR" sourcelanguage="en">
<!-- The Turkish caption set. Context: the window's object name; source: its English caption as
     written in the window's caption table. lrelease compiles this file into the program. -->
<context>
    <name>FNav</name>
    <message>
        <source>Selvir Dalgaroz</source>
        <translation>Selvir Dalgaroz</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Aç</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Kaydet</translation>
    </message>
    <message>
        <source>Clear shapes user added</source>
        <translation>Kullanıcı şekillerini temizle</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Sabit</translation>
    </message>
    <message>
        <source>Float</source>
        <translation>Float</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Otonom</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Yakınlaştır</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Uzaklaştır</translation>
    </message>
    <message>
        <source>Add event</source>
        <translation>Olay ekle</translation>
    </message>
    <message>
        <source>Reset event</source>
        <translation>Olayı sıfırla</translation>
    </message>
    <message>
        <source>Realtime</source>
        <translation>Canlı</translation>
    </message>
    <message>
        <source>Follow Vessel</source>
        <translation>Tekneyi Takip Et</translation>
    </message>
    <message>
        <source>Unollow Vessel</source>
        <translation>Takibi Bırak</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Dosya</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Yeni</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Aç...</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Farklı Kaydet...</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>İçe Aktar...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Dışa Aktar...</translation>
    </message>
    <message>
        <source>Clear Tracks Fixed</source>
        <translation>Sabit İzleri Temizle</translation>
    </message>
    <message>
        <source>Clear Tracks Unfixed</source>
        <translation>Sabit Olmayan İzleri Temizle</translation>
    </message>
    <message>
        <source>Clear Shapes User Added</source>
        <translation>Kullanıcı Şekillerini Temizle</translation>
    </message>
    <message>
        <source>Clear Tracks Selected</source>
        <translation>Seçili İzleri Temizle</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Çıkış</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Yakınlaştırma</translation>
    </message>
    <message>
        <source>In</source>
        <translation>Yakınlaş</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>Uzaklaş</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Pencere</translation>
    </message>
    <message>
        <source>Extents</source>
        <translation>Tümü</translation>
    </message>
    <message>
        <source>Dynamic</source>
        <translation>Dinamik</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Araçlar</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Düzen</translation>
    </message>
    <message>
        <source>Unfollow Vessel</source>
        <translation>Tekneyi Takip Etme</translation>
    </message>
    <message>
        <source>Event Marking</source>
        <translation>Olay İşaretleme</translation>
    </message>
    <message>
        <source>NMEA</source>
        <translation>NMEA</translation>
    </message>
    <message>
        <source>Topcon GNSS</source>
        <translation>Topcon GNSS</translation>
    </message>
    <message>
        <source>Hemisphere GNSS</source>
        <translation>Hemisphere GNSS</translation>
    </message>
    <message>
        <source>Geosun GNSS</source>
        <translation>Geosun GNSS</translation>
    </message>
    <message>
        <source>Leica GNSS</source>
        <translation>Leica GNSS</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Yardım</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Hakkında...</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Dil</translation>
    </message>
    <message>
        <source>Remote Support...</source>
        <translation>Uzaktan Destek...</translation>
    </message>
    <message>
        <source>Open LOG Folder</source>
        <translation>LOG Klasörünü Aç</translation>
    </message>
    <message>
        <source>Theme Selection...</source>
        <translation>Tema Seçimi...</translation>
    </message>
    <message>
        <source>Realtime Window...</source>
        <translation>Gerçek Zaman Penceresi...</translation>
    </message>
    <message>
        <source>Echogram...</source>
        <translation>Ekogram...</translation>
    </message>
    <message>
        <source>Acoustics Waterfall...</source>
        <translation>Akustik Şelale...</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Türkçe</source>
        <translation>Türkçe</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Yeniden Başlat</translation>
    </message>
    <message>
        <source>Select Track</source>
        <translation>İz Seç</translation>
    </message>
    <message>
        <source>Select Shapes</source>
        <translation>Şekil Seç</translation>
    </message>
    <message>
        <source>Delete Slected</source>
        <translation>Seçileni Sil</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Nokta</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Çizgi</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Dikdörtgen</translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation>Çoklu Çizgi</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Elips</translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation>Çokgen</translation>
    </message>
    <message>
        <source>Spline</source>
        <translation>Spline Eğrisi</translation>
    </message>
    <message>
        <source>Three-point curve</source>
        <translation>Üç Noktalı Yay</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Daire</translation>
    </message>
    <message>
        <source>Zoom window</source>
        <translation>Pencereyle Yakınlaştır</translation>
    </message>
    <message>
        <source>Dynamic zoom</source>
        <translation>Dinamik Yakınlaştırma</translation>
    </message>
    <message>
        <source>Zoom extents</source>
        <translation>Tümünü Göster</translation>
    </message>
    <message>
        <source>Survey</source>
        <translation>Ölçme</translation>
    </message>
    <message>
        <source>Tracks and shapes</source>
        <translation>İzler ve Şekiller</translation>
    </message>
    <message>
        <source>Drawing and zoom</source>
        <translation>Çizim ve Yakınlaştırma</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Başlat</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Durdur</translation>
    </message>
    <message>
        <source>About Selvir Dalgaroz</source>
        <translation>Selvir Dalgaroz Hakkında</translation>
    </message>
    <message>
        <source>Dialog Open</source>
        <translation>Dosya Aç</translation>
    </message>
    <message>
        <source>Dialog Save</source>
        <translation>Dosya Kaydet</translation>
    </message>
    <message>
        <source>Offsets...</source>
        <translation>Ofsetler...</translation>
    </message>
    <message>
        <source>Navigation Settings...</source>
        <translation>Navigasyon Ayarları...</translation>
    </message>
    <message>
        <source>Vessel Shape...</source>
        <translation>Tekne Şekli...</translation>
    </message>
    <message>
        <source>Latency Management</source>
        <translation>Gecikme Yönetimi</translation>
    </message>
    <message>
        <source>Navigation Settings</source>
        <translation>Navigasyon Ayarları</translation>
    </message>
    <message>
        <source>Offsets</source>
        <translation>Ofsetler</translation>
    </message>
    <message>
        <source>Device Settings...</source>
        <translation>Cihaz Ayarları...</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>Sound Velocity Profile...</source>
        <translation>Ses Hızı Profili...</translation>
    </message>
    <message>
        <source>Runline creation</source>
        <translation>Hat oluşturma</translation>
    </message>
    <message>
        <source>Generate Runlines...</source>
        <translation>Ölçüm Hatları Oluştur...</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Hatlar</translation>
    </message>
    <message>
        <source>Select Line</source>
        <translation>Hat Seç</translation>
    </message>
    <message>
        <source>Previous Line</source>
        <translation>Önceki Hat</translation>
    </message>
    <message>
        <source>Next Line</source>
        <translation>Sonraki Hat</translation>
    </message>
    <message>
        <source>Reverse Line Direction</source>
        <translation>Hat Yönünü Ters Çevir</translation>
    </message>
    <message>
        <source>Stop Guidance</source>
        <translation>Kılavuzu Durdur</translation>
    </message>
    <message>
        <source>Line Guidance Settings...</source>
        <translation>Hat Kılavuzu Ayarları...</translation>
    </message>
    <message>
        <source>Export Map...</source>
        <translation>Haritayı Dışa Aktar...</translation>
    </message>
</context>
<context>
    <name>fRealtime</name>
    <message>
        <source>Realtime Data</source>
        <translation>Gerçek Zamanlı Veri</translation>
    </message>
    <message>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <source>Fix</source>
        <translation>Çözüm</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Hız</translation>
    </message>
    <message>
        <source>Tide Ht.</source>
        <translation>Gelgit Yük.</translation>
    </message>
    <message>
        <source>Ant. Ht.</source>
        <translation>Anten Yük.</translation>
    </message>
    <message>
        <source>Satellite</source>
        <translation>Uydu</translation>
    </message>
    <message>
        <source>True Depth HF</source>
        <translation>Gerçek Derinlik YF</translation>
    </message>
    <message>
        <source>True Depth LF</source>
        <translation>Gerçek Derinlik DF</translation>
    </message>
    <message>
        <source>Hide Window</source>
        <translation>Pencereyi Gizle</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Yakınlaştır</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Uzaklaştır</translation>
    </message>
    <message>
        <source>Show Offsets</source>
        <translation>Ofsetleri Göster</translation>
    </message>
    <message>
        <source>Open Log Folder</source>
        <translation>Log Klasörünü Aç</translation>
    </message>
</context>
<context>
    <name>fTheme</name>
    <message>
        <source>Select Theme</source>
        <translation>Tema Seçin</translation>
    </message>
    <message>
        <source>Select a theme to preview. Click Save to apply permanently.</source>
        <translation>Önizlemek için bir tema seçin. Kalıcı olarak uygulamak için Kaydet'e tıklayın.</translation>
    </message>
    <message>
        <source>Save &amp;&amp; Exit</source>
        <translation>Kaydet &amp;&amp; Çık</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>Theme Selection</source>
        <translation>Tema Seçimi</translation>
    </message>
    <message>
        <source>Available themes: %1. Select to preview.</source>
        <translation>Mevcut temalar: %1. Önizlemek için seçin.</translation>
    </message>
</context>
<context>
    <name>fCanvas</name>
    <message>
        <source>Acoustic Waterfall</source>
        <translation>Akustik Şelale</translation>
    </message>
</context>
<context>
    <name>FMsg</name>
    <message>
        <source>Message Window</source>
        <translation>Mesaj Penceresi</translation>
    </message>
</context>
<context>
    <name>fJoystick</name>
    <message>
        <source>Battery</source>
        <translation>Batarya</translation>
    </message>
</context>
<context>
    <name>FShape</name>
    <message>
        <source>Vessel Geometry</source>
        <translation>Tekne Geometrisi</translation>
    </message>
    <message>
        <source>Save &amp;&amp; Hide</source>
        <translation>Kaydet &amp;&amp; Gizle</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Varsayılan</translation>
    </message>
    <message>
        <source>All in one pole</source>
        <translation>Hepsi tek direkte</translation>
    </message>
    <message>
        <source>Total number of circles</source>
        <translation>Toplam daire sayısı</translation>
    </message>
    <message>
        <source>Offset to next circle</source>
        <translation>Sonraki daireye aralık</translation>
    </message>
    <message>
        <source>Radius of first circle</source>
        <translation>İlk dairenin yarıçapı</translation>
    </message>
    <message>
        <source>Arrow's longitude length</source>
        <translation>Okun boyuna uzunluğu</translation>
    </message>
    <message>
        <source>Arrow's sideward length</source>
        <translation>Okun yanal uzunluğu</translation>
    </message>
    <message>
        <source>Changes requires restart of program.</source>
        <translation>Değişiklikler programın yeniden başlatılmasını gerektirir.</translation>
    </message>
</context>
<context>
    <name>Navset</name>
    <message>
        <source>Navigation Settings</source>
        <translation>Navigasyon Ayarları</translation>
    </message>
    <message>
        <source>Track As Line</source>
        <translation>İzi Çizgi Olarak Çiz</translation>
    </message>
    <message>
        <source>Vessel C/W</source>
        <translation>Tekne Renk/Kalınlık</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Kalınlık</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Renk</translation>
    </message>
    <message>
        <source> Canvas </source>
        <translation> Harita </translation>
    </message>
    <message>
        <source>Frequency(ms)</source>
        <translation>Sıklık (ms)</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Arka plan rengi</translation>
    </message>
    <message>
        <source>Correction (1, 4 or 2/5)</source>
        <translation>Düzeltme (1, 4 veya 2/5)</translation>
    </message>
    <message>
        <source>Float Color</source>
        <translation>Float Rengi</translation>
    </message>
    <message>
        <source>Fixed Color</source>
        <translation>Sabit Rengi</translation>
    </message>
    <message>
        <source>Tracklines Width</source>
        <translation>İz Çizgisi Kalınlığı</translation>
    </message>
    <message>
        <source>Track Interval</source>
        <translation>İz Aralığı</translation>
    </message>
    <message>
        <source> Alerts &amp;&amp; Grid </source>
        <translation> Uyarılar &amp;&amp; Izgara </translation>
    </message>
    <message>
        <source>Grid Color</source>
        <translation>Izgara Rengi</translation>
    </message>
    <message>
        <source>Shallow Depth Alert</source>
        <translation>Sığ Derinlik Uyarısı</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
</context>
<context>
    <name>Offsets</name>
    <message>
        <source>Offsets Essential for Post Processing / Recovery</source>
        <translation>Son İşleme / Kurtarma İçin Temel Ofsetler</translation>
    </message>
    <message>
        <source>Sound Velocity Profile</source>
        <translation>Ses Hızı Profili</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
    <message>
        <source>m/s</source>
        <translation>m/s</translation>
    </message>
    <message>
        <source>SV</source>
        <translation>Ses Hızı</translation>
    </message>
    <message>
        <source>Tide Ht</source>
        <translation>Gelgit Yük.</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Konum</translation>
    </message>
    <message>
        <source>Boat</source>
        <translation>Tekne</translation>
    </message>
    <message>
        <source>Surveyor</source>
        <translation>Ölçmeci</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zaman</translation>
    </message>
    <message>
        <source>Date and Time (UTC)</source>
        <translation>Tarih ve Saat (UTC)</translation>
    </message>
    <message>
        <source>Save &amp;&amp; Go realtime</source>
        <translation>Kaydet &amp;&amp; Canlıya Geç</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
</context>
<context>
    <name>fLatency</name>
    <message>
        <source>Latency</source>
        <translation>Gecikme</translation>
    </message>
    <message>
        <source>Latency (milisecond)</source>
        <translation>Gecikme (milisaniye)</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Anlık</translation>
    </message>
    <message>
        <source>Averaged</source>
        <translation>Ortalama</translation>
    </message>
    <message>
        <source>Tolerence</source>
        <translation>Tolerans</translation>
    </message>
</context>
</TS>
