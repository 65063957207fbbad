#pragma once
// TfCanvas ("fCanvas", "Acoustic Waterfall"): the latest echosounder depths as a scrolling bar profile,
// one column per depth taken by the main window's echogram timer, the newest at the right edge (the
// layout of a frame is in navigation/WaterfallProfile.h).
//
// Settings, section "ECHOGRAM": "DataWidth" (columns shown, 1..200, default 50) and "Interval" (the
// echogram timer's period in ms, default 100), read at every show and written at close.

#include "core/Colors.h"
#include "core/ProfileStore.h"
#include "navigation/WaterfallProfile.h"
#include "windows/CaptionSet.h"

#include <QWidget>
#include <functional>
#include <span>

namespace selvir {

class TfCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMs = 100;
    // What the echogram timer passes: the depth window when too few depths fit one.
    static constexpr double kDefaultTopM = 0.0;
    static constexpr double kDefaultBottomM = 50.0;

    explicit TfCanvas(ProfileStore settings, QWidget* owner = nullptr);

    // Pushes one depth (metres, 0 or less for none) and repaints the whole window.
    void DrawWaterfall(double depthM, double defaultTopM, double defaultBottomM, int sampleCount);
    // The columns shown, as read at the last show.
    int DataWidth() const { return dataWidth_; }
    int Interval() const { return intervalMs_; }
    // The frame as it is painted now.
    WaterfallFrame Frame() const;

    // Given by the main window: the echogram timer's period (at every show) and the map's background
    // colour from the navigation settings (the window's own colour).
    std::function<void(int intervalMs)> setEchogramInterval;
    std::function<ColorValue()> mapBackgroundColor;

    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();
    // Writes the settings and the placement (at close, or by the main window's close sequence).
    void FormClose();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void readSettings();

    ProfileStore settings_;
    WaterfallSamples samples_;
    int dataWidth_ = WaterfallSamples::kDefaultDataWidth;
    int intervalMs_ = kDefaultIntervalMs;
    int sampleCount_ = WaterfallSamples::kDefaultDataWidth; // as last drawn
    double newestDepthM_ = 0;
    double defaultTopM_ = kDefaultTopM;
    double defaultBottomM_ = kDefaultBottomM;
    bool settingsRead_ = false; // written back only once read: a never-shown window loses nothing
    bool placed_ = false;
};

// Paints a waterfall frame onto `painter` (client pixels): background, water columns with their red
// bottoms, the black profile, the dotted depth grid with labels and the newest depth's yellow box.
void paintWaterfall(QPainter& painter, const WaterfallFrame& frame);

} // namespace selvir
