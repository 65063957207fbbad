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
        <translation>Gerçek Zamanlı</translation>
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
        <translation>Yakınlaştır</translation>
    </message>
    <message>
        <source>Out</source>
        <translation>Uzaklaştır</translation>
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
        <translation>Takibi Bırak</translation>
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
        <translation>Gerçek Zamanlı Veri Penceresi...</translation>
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
        <source>Offsets Essential...</source>
        <translation>Temel Ofsetler...</translation>
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
        <translation>Yönlendirmeyi Durdur</translation>
    </message>
    <message>
        <source>Line Guidance Settings...</source>
        <translation>Hat Yönlendirme Ayarları...</translation>
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
        <translation>Yer</translation>
    </message>
    <message>
        <source>Boat</source>
        <translation>Tekne</translation>
    </message>
    <message>
        <source>Surveyor</source>
        <translation>Ölçen</translation>
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
        <translation>Kaydet &amp;&amp; Gerçek Zamanlıya Geç</translation>
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
<context>
    <name>FGPS</name>
    <message>
        <source>Settings</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>GPS Settings</source>
        <translation>GPS Ayarları</translation>
    </message>
    <message>
        <source>GPS Port Settings</source>
        <translation>GPS Port Ayarları</translation>
    </message>
    <message>
        <source>Port No:</source>
        <translation>Port No:</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Baud Hızı</translation>
    </message>
    <message>
        <source>Data Width</source>
        <translation>Veri Bitleri</translation>
    </message>
    <message>
        <source>Stop Bits</source>
        <translation>Durma Bitleri</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Eşlik</translation>
    </message>
    <message>
        <source>Optional Settings</source>
        <translation>İsteğe Bağlı Ayarlar</translation>
    </message>
    <message>
        <source>Enable DTR</source>
        <translation>DTR Etkin</translation>
    </message>
    <message>
        <source>NMEA Log</source>
        <translation>NMEA Kaydı</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Gecikme</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Öncelik</translation>
    </message>
    <message>
        <source>Log Time</source>
        <translation>Zaman Damgası</translation>
    </message>
    <message>
        <source>Enable RTS</source>
        <translation>RTS Etkin</translation>
    </message>
    <message>
        <source>GPS Set</source>
        <translation>GPS Ayarla</translation>
    </message>
    <message>
        <source>Enable Gyro</source>
        <translation>Cayroyu Etkinleştir</translation>
    </message>
    <message>
        <source>Sensor (SBES) Settings</source>
        <translation>Sensör (SBES) Ayarları</translation>
    </message>
    <message>
        <source>SBES Set</source>
        <translation>SBES Ayarla</translation>
    </message>
    <message>
        <source>NMEA Sensor Port Settings</source>
        <translation>NMEA Sensör Port Ayarları</translation>
    </message>
    <message>
        <source>Sensor Enabled</source>
        <translation>Sensör Etkin</translation>
    </message>
    <message>
        <source>Geodetic Parameters</source>
        <translation>Jeodezik Parametreler</translation>
    </message>
    <message>
        <source>Global Setting</source>
        <translation>Genel Ayar</translation>
    </message>
    <message>
        <source>TM Parameters</source>
        <translation>TM Parametreleri</translation>
    </message>
    <message>
        <source>Central Meridian</source>
        <translation>Orta Meridyen</translation>
    </message>
    <message>
        <source>Reference Latitude</source>
        <translation>Referans Enlemi</translation>
    </message>
    <message>
        <source>Scale Factor</source>
        <translation>Ölçek Faktörü</translation>
    </message>
    <message>
        <source>False Easting</source>
        <translation>Doğu Ötelemesi</translation>
    </message>
    <message>
        <source>Use Projection</source>
        <translation>Projeksiyonu Kullan</translation>
    </message>
    <message>
        <source>False Northing</source>
        <translation>Kuzey Ötelemesi</translation>
    </message>
    <message>
        <source>False Norhing</source>
        <translation>Kuzey Ötelemesi</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Ellipsoid</source>
        <translation>Elipsoit</translation>
    </message>
    <message>
        <source>Semi Major Axis</source>
        <translation>Büyük Yarı Eksen</translation>
    </message>
    <message>
        <source>Flattening</source>
        <translation>Basıklık</translation>
    </message>
    <message>
        <source>Transformation Parameters from WGS-84</source>
        <translation>WGS-84'ten Dönüşüm Parametreleri</translation>
    </message>
    <message>
        <source>X Rotation</source>
        <translation>X Dönüklüğü</translation>
    </message>
    <message>
        <source>Y Rotation</source>
        <translation>Y Dönüklüğü</translation>
    </message>
    <message>
        <source>Z Rotation</source>
        <translation>Z Dönüklüğü</translation>
    </message>
    <message>
        <source>X Shift</source>
        <translation>X Ötelemesi</translation>
    </message>
    <message>
        <source>Y Shift</source>
        <translation>Y Ötelemesi</translation>
    </message>
    <message>
        <source>Z Shift</source>
        <translation>Z Ötelemesi</translation>
    </message>
    <message>
        <source>Use DTP</source>
        <translation>DTP Kullan</translation>
    </message>
    <message>
        <source>Name of Datum</source>
        <translation>Datum Adı</translation>
    </message>
    <message>
        <source>I/O Port Monitor</source>
        <translation>G/Ç Port İzleyici</translation>
    </message>
    <message>
        <source>Save and lock settings</source>
        <translation>Ayarları kaydet ve kilitle</translation>
    </message>
    <message>
        <source>Coordinate frame rotations (see Check)</source>
        <translation>Koordinat çerçevesi dönüklükleri (bkz. Denetle)</translation>
    </message>
    <message>
        <source>Scale (ppm)</source>
        <translation>Ölçek (ppm)</translation>
    </message>
    <message>
        <source>LCC Parameters</source>
        <translation>LCC Parametreleri</translation>
    </message>
    <message>
        <source>Use Lambert 1</source>
        <translation>Lambert 1 Kullan</translation>
    </message>
    <message>
        <source>Central Parallel</source>
        <translation>Orta Paralel</translation>
    </message>
    <message>
        <source>Standard Parallel 1</source>
        <translation>Standart Paralel 1</translation>
    </message>
    <message>
        <source>Standard Parallel 2</source>
        <translation>Standart Paralel 2</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Denetle</translation>
    </message>
    <message>
        <source>Add Point</source>
        <translation>Nokta Ekle</translation>
    </message>
    <message>
        <source>Remove Point</source>
        <translation>Noktayı Kaldır</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Yükle...</translation>
    </message>
    <message>
        <source>Negate Rotations</source>
        <translation>Dönüklükleri Ters Çevir</translation>
    </message>
    <message>
        <source>SBES Message</source>
        <translation>SBES Mesajı</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mesaj</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Biçim</translation>
    </message>
    <message>
        <source>Grid Settings</source>
        <translation>Izgara Ayarları</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>Izgarayı Göster</translation>
    </message>
    <message>
        <source>Auto Scale</source>
        <translation>Otomatik Ölçek</translation>
    </message>
    <message>
        <source>Spacing X</source>
        <translation>X Aralığı</translation>
    </message>
    <message>
        <source>Spacing Y</source>
        <translation>Y Aralığı</translation>
    </message>
    <message>
        <source>Grid Color</source>
        <translation>Izgara Rengi</translation>
    </message>
    <message>
        <source>Depth Labels</source>
        <translation>Derinlik Etiketleri</translation>
    </message>
    <message>
        <source>Show Depth Labels</source>
        <translation>Derinlik Etiketlerini Göster</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Yazı Tipi</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Yazı Boyutu</translation>
    </message>
    <message>
        <source>Label Spacing (m)</source>
        <translation>Etiket Aralığı (m)</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Renk</translation>
    </message>
    <message>
        <source>Event Labels</source>
        <translation>Olay Etiketleri</translation>
    </message>
    <message>
        <source>Apply Settings</source>
        <translation>Ayarları Uygula</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
    <message>
        <source>ppm</source>
        <translation>ppm</translation>
    </message>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
    <message>
        <source>″</source>
        <translation>″</translation>
    </message>
    <message>
        <source>NMEA POSITION DATA</source>
        <translation>NMEA KONUM VERİSİ</translation>
    </message>
    <message>
        <source>NMEA SENSOR DATA</source>
        <translation>NMEA SENSÖR VERİSİ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Ad</translation>
    </message>
    <message>
        <source>Latitude (°)</source>
        <translation>Enlem (°)</translation>
    </message>
    <message>
        <source>Longitude (°)</source>
        <translation>Boylam (°)</translation>
    </message>
    <message>
        <source>Height (m)</source>
        <translation>Yükseklik (m)</translation>
    </message>
    <message>
        <source>Easting (m)</source>
        <translation>Doğu (m)</translation>
    </message>
    <message>
        <source>Northing (m)</source>
        <translation>Kuzey (m)</translation>
    </message>
    <message>
        <source>dE (m)</source>
        <translation>dD (m)</translation>
    </message>
    <message>
        <source>dN (m)</source>
        <translation>dK (m)</translation>
    </message>
    <message>
        <source>Control points: WGS-84 latitude, longitude and ellipsoidal height with their known local easting and northing. dE and dN are known minus computed with the parameters on screen.</source>
        <translation>Kontrol noktaları: WGS-84 enlem, boylam ve elipsoit yüksekliği ile bilinen yerel doğu ve kuzey değerleri. dD ve dK, bilinen eksi ekrandaki parametrelerle hesaplanandır.</translation>
    </message>
    <message>
        <source>Puts the three rotations with the opposite sign on screen</source>
        <translation>Üç dönüklüğü ters işaretle ekrana koyar</translation>
    </message>
    <message>
        <source>RMS: %1 m    RMS with rotations negated: %2 m</source>
        <translation>KOH: %1 m    Dönüklükler ters çevrilince KOH: %2 m</translation>
    </message>
</context>
<context>
    <name>fSVP</name>
    <message>
        <source>Sound Velocity</source>
        <translation>Ses Hızı</translation>
    </message>
    <message>
        <source>First Depth</source>
        <translation>Önce Derinlik</translation>
    </message>
    <message>
        <source>First SV</source>
        <translation>Önce Ses Hızı</translation>
    </message>
    <message>
        <source>Format Identifier for SV &amp;&amp; P</source>
        <translation>Ses Hızı ve Basınç için Biçim Tanımlayıcı</translation>
    </message>
    <message>
        <source>Max Depth</source>
        <translation>En Büyük Derinlik</translation>
    </message>
    <message>
        <source>Source SVP Data</source>
        <translation>Kaynak SVP Verisi</translation>
    </message>
    <message>
        <source>Raw SV values</source>
        <translation>Ham Ses Hızı Değerleri</translation>
    </message>
    <message>
        <source>Averaged SV Values</source>
        <translation>Ortalama Ses Hızı Değerleri</translation>
    </message>
    <message>
        <source>SV Column</source>
        <translation>Ses Hızı Sütunu</translation>
    </message>
    <message>
        <source>SVP</source>
        <translation>SVP</translation>
    </message>
    <message>
        <source>Use Sound Velocity Profile</source>
        <translation>Ses Hızı Profilini Kullan</translation>
    </message>
    <message>
        <source>Save &amp;&amp; Close</source>
        <translation>Kaydet &amp;&amp; Kapat</translation>
    </message>
    <message>
        <source>Default Values</source>
        <translation>Varsayılan Değerler</translation>
    </message>
    <message>
        <source>Auto Dedetct</source>
        <translation>Otomatik Algıla</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parametreler</translation>
    </message>
    <message>
        <source>Right-click for Defaults and Auto Dedetct</source>
        <translation>Varsayılanlar ve Otomatik Algıla için sağ tıklayın</translation>
    </message>
    <message>
        <source>Read columns by name</source>
        <translation>Sütunları adlarından oku</translation>
    </message>
    <message>
        <source>Down cast only</source>
        <translation>Yalnızca iniş profili</translation>
    </message>
    <message>
        <source>Graph</source>
        <translation>Grafik</translation>
    </message>
    <message>
        <source>Edit the averaged values in the graph (Ctrl+G)</source>
        <translation>Ortalama değerleri grafikte düzenle (Ctrl+G)</translation>
    </message>
</context>
<context>
    <name>fSVPGraph</name>
    <message>
        <source>SVP Profile Graph - Drag Points or Lasso Select</source>
        <translation>SVP Profil Grafiği - Noktaları Sürükleyin veya Kementle Seçin</translation>
    </message>
    <message>
        <source>Save &amp;&amp; Close</source>
        <translation>Kaydet &amp;&amp; Kapat</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>Add Row</source>
        <translation>Satır Ekle</translation>
    </message>
    <message>
        <source>Delete Row</source>
        <translation>Satırı Sil</translation>
    </message>
    <message>
        <source>Depth (m)</source>
        <translation>Derinlik (m)</translation>
    </message>
    <message>
        <source>SV (m/s)</source>
        <translation>Ses Hızı (m/s)</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Sayı</translation>
    </message>
    <message>
        <source>Delete Selected (%1)</source>
        <translation>Seçilenleri Sil (%1)</translation>
    </message>
    <message>
        <source>Drag points to edit SV, or draw lasso to select spikes</source>
        <translation>Ses hızını düzeltmek için noktaları sürükleyin veya sıçramaları seçmek için kement çizin</translation>
    </message>
</context>
<context>
    <name>fRunline1</name>
    <message>
        <source>Runline Generator</source>
        <translation>Hat Üretici</translation>
    </message>
    <message>
        <source>Step 1: Draw Route</source>
        <translation>Adım 1: Rota Çiz</translation>
    </message>
    <message>
        <source>Draw Route</source>
        <translation>Rota Çiz</translation>
    </message>
    <message>
        <source>Step 2: Spacing (meters)</source>
        <translation>Adım 2: Aralık (metre)</translation>
    </message>
    <message>
        <source>Spacing</source>
        <translation>Aralık</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Uzunluk</translation>
    </message>
    <message>
        <source>Step 3: Line Type</source>
        <translation>Adım 3: Hat Türü</translation>
    </message>
    <message>
        <source>Perpendicular</source>
        <translation>Dik</translation>
    </message>
    <message>
        <source>Parallel</source>
        <translation>Paralel</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>İşlemler</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Üret</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Temizle</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
    <message>
        <source>No route drawn</source>
        <translation>Rota çizilmedi</translation>
    </message>
    <message>
        <source>Drawing... (right-click to finish)</source>
        <translation>Çiziliyor... (bitirmek için sağ tıklayın)</translation>
    </message>
    <message>
        <source>Need at least 2 points</source>
        <translation>En az 2 nokta gerekli</translation>
    </message>
    <message>
        <source>Route: %1 points</source>
        <translation>Rota: %1 nokta</translation>
    </message>
    <message>
        <source>Too many lines (%1, at most %2): raise the spacing</source>
        <translation>Çok fazla hat (%1, en çok %2): aralığı artırın</translation>
    </message>
    <message>
        <source>Please draw a route first.</source>
        <translation>Lütfen önce bir rota çizin.</translation>
    </message>
</context>
<context>
    <name>fGuidance</name>
    <message>
        <source>Line Guidance</source>
        <translation>Hat Yönlendirme</translation>
    </message>
    <message>
        <source>Guidance</source>
        <translation>Yönlendirme</translation>
    </message>
    <message>
        <source>Advance to the nearest line not yet run at the end of a line</source>
        <translation>Hat sonunda henüz geçilmemiş en yakın hatta geç</translation>
    </message>
    <message>
        <source>Off-line tolerance (m)</source>
        <translation>Hat dışı toleransı (m)</translation>
    </message>
    <message>
        <source>Write a survey file per line (beside the day's survey file)</source>
        <translation>Her hat için bir ölçü dosyası yaz (günün ölçü dosyasının yanına)</translation>
    </message>
    <message>
        <source>NMEA Output (autopilot, chart plotter)</source>
        <translation>NMEA Çıkışı (otopilot, harita çizici)</translation>
    </message>
    <message>
        <source>Send NMEA sentences</source>
        <translation>NMEA cümleleri gönder</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>UDP port</source>
        <translation>UDP portu</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Seri port</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>Baud hızı</translation>
    </message>
    <message>
        <source>Sentences</source>
        <translation>Cümleler</translation>
    </message>
    <message>
        <source>XTE (cross-track)</source>
        <translation>XTE (hat dışı sapma)</translation>
    </message>
    <message>
        <source>APB (autopilot)</source>
        <translation>APB (otopilot)</translation>
    </message>
    <message>
        <source>DPT (depth)</source>
        <translation>DPT (derinlik)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Kaydet</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Yok</translation>
    </message>
</context>
<context>
    <name>TExportMap</name>
    <message>
        <source>Export Map</source>
        <translation>Haritayı Dışa Aktar</translation>
    </message>
    <message>
        <source>File (.png or .pdf)</source>
        <translation>Dosya (.png veya .pdf)</translation>
    </message>
    <message>
        <source>Width (px)</source>
        <translation>Genişlik (px)</translation>
    </message>
    <message>
        <source>Height (px)</source>
        <translation>Yükseklik (px)</translation>
    </message>
    <message>
        <source>Left (E)</source>
        <translation>Sol (D)</translation>
    </message>
    <message>
        <source>Right (E)</source>
        <translation>Sağ (D)</translation>
    </message>
    <message>
        <source>Top (N)</source>
        <translation>Üst (K)</translation>
    </message>
    <message>
        <source>Bottom (N)</source>
        <translation>Alt (K)</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Başlık</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Tarih</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Yer</translation>
    </message>
    <message>
        <source>Vessel</source>
        <translation>Tekne</translation>
    </message>
    <message>
        <source>Surveyor</source>
        <translation>Ölçen</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Projection</source>
        <translation>Projeksiyon</translation>
    </message>
    <message>
        <source>File and size</source>
        <translation>Dosya ve boyut</translation>
    </message>
    <message>
        <source>Map window</source>
        <translation>Harita penceresi</translation>
    </message>
    <message>
        <source>Title block</source>
        <translation>Başlık bloğu</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Gözat...</translation>
    </message>
    <message>
        <source>PDF on an A4 landscape page (otherwise width x height at 96 dpi)</source>
        <translation>Yatay A4 sayfada PDF (yoksa 96 dpi'de genişlik x yükseklik)</translation>
    </message>
    <message>
        <source>Current view</source>
        <translation>Geçerli görünüm</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Pencere</translation>
    </message>
    <message>
        <source>Drag on Map</source>
        <translation>Haritada Sürükle</translation>
    </message>
    <message>
        <source>Soundings from survey file</source>
        <translation>Ölçü dosyasından derinlikler</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Dışa Aktar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
    <message>
        <source>'%1' is not a coordinate in metres</source>
        <translation>'%1' metre cinsinden bir koordinat değil</translation>
    </message>
    <message>
        <source>The window needs Left &lt; Right and Bottom &lt; Top</source>
        <translation>Pencere için Sol &lt; Sağ ve Alt &lt; Üst olmalı</translation>
    </message>
    <message>
        <source>The file name must end in .png or .pdf</source>
        <translation>Dosya adı .png veya .pdf ile bitmeli</translation>
    </message>
    <message>
        <source>Map exported to %1</source>
        <translation>Harita %1 dosyasına aktarıldı</translation>
    </message>
</context>
</TS>
