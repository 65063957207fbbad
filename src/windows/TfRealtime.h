#pragma once
// TfRealtime ("fRealtime", "Realtime Data"): the read-out beside the map. GNSS fix, speed, satellites,
// antenna height and tide in the GPS box (coloured by the fix), the reduced high- and low-frequency
// depths in their frames (lime once the echosounder talks), and a toolbar: the full-screen map switch,
// zoom in and out, the offsets window and the raw log's folder.
//
// The window shows what the engine's RealtimeReadout holds; the main window hands it over on every
// change and does what the toolbar asks through the callbacks below.

#include "core/ProfileStore.h"
#include "navigation/RealtimeReadout.h"
#include "windows/CaptionSet.h"
#include "windows/TFGPS.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <span>

class QAction;
class QGroupBox;
class QLabel;
class QTimer;

namespace selvir {

class TfRealtime : public QWidget, public LowFrequencyDepthBox {
    Q_OBJECT
public:
    // The client height with both depth frames, with the high-frequency frame only, and with none.
    static constexpr int kClientHeightBothFramesPx = 387;
    static constexpr int kClientHeightOneFramePx = 289;
    static constexpr int kClientHeightNoFramePx = 191;
    // The echosounder message choice is applied once, this long after creation.
    static constexpr int kApplyMessageChoiceAfterMs = 10000;

    explicit TfRealtime(ProfileStore settings, QWidget* owner = nullptr);
    ~TfRealtime() override;

    // --- What the engine feeds
    void showReadout(const RealtimeReadout& readout);

    // --- The depth frames
    // The echosounder message choice: the low-frequency frame for the formats that read one (client
    // height 387 with it, 289 without).
    void ShowLowFrequencyFrame(bool show);
    // Realtime start: both frames as the sensor and the message choice say; none when the sensor is off
    // (client height 191).
    void ShowDepthFrames(bool highFrequency, bool lowFrequency);
    bool LowFrequencyFrameShown() const;
    // LowFrequencyDepthBox: the device settings window's message choice shows or hides it.
    bool lowFrequencyBoxVisible() const override { return LowFrequencyFrameShown(); }
    void setLowFrequencyBoxVisible(bool visible) override { ShowLowFrequencyFrame(visible); }
    bool HighFrequencyFrameShown() const;

    // --- The toolbar
    // The full-screen map switch: its first image enters the mode, its second leaves it.
    void btHideClick();
    bool MapOnlyShown() const { return mapOnly_; }
    QAction* Button(const QString& objectName) const;
    // What the buttons do, given by the main window. The offsets button stays disabled until it has
    // something to show.
    std::function<void(bool mapOnly)> onMapOnlyChanged;
    std::function<void()> onZoomIn;
    std::function<void()> onZoomOut;
    std::function<void()> onOpenLogFolder;
    void SetShowOffsets(std::function<void()> showOffsets);
    // Timer1's work: the device settings' echosounder message choice applied once.
    std::function<void()> applyMessageChoice;
    // Null once it has fired.
    QTimer* Timer1() const { return timer1_; }

    // --- Captions, placement
    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();
    void savePlacement();

    QLabel* Field(const QString& objectName) const;
    QGroupBox* GpsBox() const { return gpsBox_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildToolbar();
    void buildGpsBox();
    QGroupBox* buildDepthFrame(const char* frameName, const char* valueName, QLabel*& value);
    void fitClientHeight();
    void colourBox(QGroupBox* box, ColorValue color);
    void showDepths(const RealtimeReadout& readout);

    ProfileStore settings_;
    QGroupBox* gpsBox_ = nullptr;
    QGroupBox* depthHiFrame_ = nullptr;
    QGroupBox* depthLoFrame_ = nullptr;
    QLabel* depthHi_ = nullptr;
    QLabel* depthLo_ = nullptr;
    QAction* hideButton_ = nullptr;
    QAction* offsetsButton_ = nullptr;
    QTimer* timer1_ = nullptr;
    std::function<void()> showOffsets_;
    bool mapOnly_ = false;
    bool placed_ = false;
    unsigned long long depthsShown_ = 0;
    bool framesColoured_ = false;
};

} // namespace selvir
