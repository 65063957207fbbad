#pragma once
// TfLatency ("Latency"): the processing time of the last map tick and its running average, filled by
// the realtime update while this window is visible, against the surveyor's tolerance. The group turns
// lime while the last tick took less than the tolerance and red otherwise.

#include "core/Colors.h"
#include "core/ProfileStore.h"
#include "navigation/MapUpdate.h"
#include "tools/LatencyWatch.h"
#include "windows/CaptionSet.h"

#include <QWidget>
#include <optional>

class QGroupBox;
class QLineEdit;

namespace selvir {

class TfLatency : public QWidget, public LatencySink {
    Q_OBJECT
public:
    // Reads the tolerance ("LATENCY", "eLatencyTol", 500 when missing).
    explicit TfLatency(ProfileStore settings, QWidget* owner = nullptr);

    // LatencySink
    bool latencyWindowVisible() const override { return isVisible(); }
    void showLatency(const std::string& currentMs, const std::string& averageMs) override;

    // The group's colour since the first latency shown; nothing before.
    std::optional<ColorValue> LatencyColor() const { return color_; }

    // Its captions in the language in force (the caption set leaves the window as designed).
    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();

    QGroupBox* GroupBox1() const { return group_; }
    QLineEdit* eCurrentLatency() const { return current_; }
    QLineEdit* eLatencyAveraged() const { return averaged_; }
    QLineEdit* eLatencyTol() const { return tolerance_; }

private:
    void eLatencyTolChange(const QString& text);
    void eCurrentLatencyChange(const QString& text);
    void showColor();

    ProfileStore settings_;
    LatencyWatch watch_;
    QGroupBox* group_ = nullptr;
    QLineEdit* current_ = nullptr;
    QLineEdit* averaged_ = nullptr;
    QLineEdit* tolerance_ = nullptr;
    std::optional<ColorValue> color_;
};

} // namespace selvir
