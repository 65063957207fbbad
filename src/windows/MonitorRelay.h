#pragma once
// The device settings window's two monitor memos as the survey engine sees them, and the main
// window's monitor flag. The main window makes it before the settings window exists and hands it to
// the engine; lines go nowhere until the settings window is attached, and then only while that window
// is visible and the flag is on (a mouse button held on a memo clears it).

#include "navigation/GnssSinks.h"
#include "navigation/SensorHandler.h"

namespace selvir {

class TFGPS;

class MonitorRelay {
public:
    MonitorRelay();
    MonitorRelay(const MonitorRelay&) = delete;
    MonitorRelay& operator=(const MonitorRelay&) = delete;

    void attach(TFGPS* window) { window_ = window; }
    GpsMonitorSink& gps() { return gps_; }
    SensorMonitorSink& sensor() { return sensor_; }

    // On at start.
    bool monitorFlag = true;

private:
    bool accepts() const;

    class Gps final : public GpsMonitorSink {
    public:
        explicit Gps(MonitorRelay& relay) : relay_(relay) {}
        bool monitorAcceptsLines() const override { return relay_.accepts(); }
        void appendMonitorLine(const std::string& line) override;
        void setMonitorColor(ColorValue color) override;

    private:
        MonitorRelay& relay_;
    };
    class Sensor final : public SensorMonitorSink {
    public:
        explicit Sensor(MonitorRelay& relay) : relay_(relay) {}
        bool monitorAcceptsLines() const override { return relay_.accepts(); }
        void appendMonitorLine(const std::string& line) override;

    private:
        MonitorRelay& relay_;
    };

    TFGPS* window_ = nullptr;
    Gps gps_;
    Sensor sensor_;
};

} // namespace selvir
