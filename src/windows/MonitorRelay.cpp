#include "windows/MonitorRelay.h"

#include "windows/TFGPS.h"

namespace selvir {

MonitorRelay::MonitorRelay() : gps_(*this), sensor_(*this) {}

bool MonitorRelay::accepts() const {
    return window_ && window_->isVisible() && monitorFlag;
}

void MonitorRelay::Gps::appendMonitorLine(const std::string& line) {
    if (relay_.window_) {
        relay_.window_->appendGpsMonitorLine(line);
    }
}

void MonitorRelay::Gps::setMonitorColor(ColorValue color) {
    if (relay_.window_) {
        relay_.window_->setGpsMonitorColor(color);
    }
}

void MonitorRelay::Sensor::appendMonitorLine(const std::string& line) {
    if (relay_.window_) {
        relay_.window_->appendSensorMonitorLine(line);
    }
}

} // namespace selvir
