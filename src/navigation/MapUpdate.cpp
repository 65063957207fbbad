#include "navigation/MapUpdate.h"

#include "core/NumberFormat.h"

#include <cmath>
#include <numbers>

namespace selvir {

std::string formatStatusText(int fixQuality, double speedKnots, int satellites, double rtkHeightM,
                             const std::string& tideText, std::optional<double> depthM) {
    std::string text = fixQualityName(fixQuality) + " | Spd: " + formatFixed(speedKnots, 1) +
                       " kn | SV: " + std::to_string(satellites) + " | Ant: " + formatFixed(rtkHeightM, 2) +
                       " m | Tide: " + tideText + " m";
    if (depthM) {
        text += " | Depth: " + formatFixed(*depthM, 2) + " m";
    }
    return text;
}

std::string formatSilentStatusText(const std::optional<LocalDateTime>& lastPosition, bool deviceLost) {
    std::string text = deviceLost ? "GPS disconnected! | No position" : "GPS is idle! | No position";
    if (lastPosition) {
        text += " since " + formatWithLayout("hh:nn:ss", *lastPosition);
    }
    return text;
}

MapUpdate::MapUpdate(NavigationState& state, RealtimeReadout& readout, MapUpdateSettings& settings,
                     MapUpdateOutputs outputs, const Clock& clock)
    : state_(state), readout_(readout), settings_(settings), out_(std::move(outputs)), clock_(clock) {}

void MapUpdate::reportOnce(const std::string& text) {
    if (text == lastProblem_) {
        return;
    }
    lastProblem_ = text;
    if (out_.reportProblem) {
        out_.reportProblem(text);
    }
}

bool MapUpdate::readParametersOnce() {
    if (chain_) {
        return true;
    }
    RealtimeChainSetup setup = RealtimeChain::create(settings_.geodeticParameters());
    if (!setup.ok()) {
        reportOnce(setup.error.text());
        return false;
    }
    chain_ = std::move(setup.chain);
    geometry_ = settings_.vesselGeometry();
    lastProblem_.clear();
    return true;
}

void MapUpdate::drawVessel(const NavigationDisplaySettings& display) {
    MapCanvas* canvas = out_.canvas;
    const int layer = canvas->layerFindByName(kVesselLayerName);
    if (layer < 0) {
        return;
    }
    canvas->clearLayer(layer);
    if (state_.Easting == 0 && state_.Northing == 0) {
        return;
    }
    canvas->setLayerPenFg(layer, display.vesselColor);
    canvas->setLayerPenWidth(layer, display.vesselWidthPx);
    // Heading 0 points to grid north (+northing), 90 to grid east.
    const double h = state_.VesselHeading * std::numbers::pi / 180.0;
    const double px = state_.Easting, py = state_.Northing;
    const double a = geometry_.arrowLengthM, s = geometry_.arrowHalfWidthM;
    const double tx = px + a * std::sin(h), ty = py + a * std::cos(h);
    const double rx = px + s * std::sin(h + std::numbers::pi / 2),
                 ry = py + s * std::cos(h + std::numbers::pi / 2);
    const double lx = px + s * std::sin(h - std::numbers::pi / 2),
                 ly = py + s * std::cos(h - std::numbers::pi / 2);
    canvas->drawLine(px, py, tx, ty, layer);
    canvas->drawLine(px, py, rx, ry, layer);
    canvas->drawLine(px, py, lx, ly, layer);
    canvas->drawLine(tx, ty, rx, ry, layer);
    canvas->drawLine(tx, ty, lx, ly, layer);
    for (int i = 0; i < geometry_.circleCount; ++i) {
        canvas->drawCircle(px, py, geometry_.firstRadiusM + i * geometry_.circleIntervalM, layer);
    }
}

void MapUpdate::layTrack(const ReaderValues& reader, const NavigationDisplaySettings& display) {
    if (tickCounter_ >= display.trackIntervalTicks) {
        if (MapCanvas* canvas = out_.canvas) {
            const char* name = kTrackNoFixLayer;
            ColorValue color = display.gridColor;
            if (reader.fixQuality == 4) {
                name = kTrackFixLayer;
                color = display.colorTracklines1;
            } else if (reader.fixQuality == 5 || reader.fixQuality == 2 || reader.fixQuality == 3) {
                name = kTrackFloatLayer;
                color = display.colorTracklines0;
            }
            const int layer = canvas->layerFindByName(name);
            if (layer >= 0) {
                if (display.trackAsLine) {
                    canvas->drawLine(previousTrackE_, previousTrackN_, state_.Easting, state_.Northing,
                                     layer);
                } else {
                    canvas->drawPoint(state_.Easting, state_.Northing, layer);
                }
                canvas->setLayerPenFg(layer, color);
                canvas->setLayerPenWidth(layer, display.trackWidthPx);
            }
        }
        tickCounter_ = 0;
        previousTrackE_ = state_.Easting;
        previousTrackN_ = state_.Northing;
    }
}

DeviceSwitches MapUpdate::publishStatus(const ReaderValues& reader) {
    // 2. Realtime read-out.
    const bool offsetsOpen = settings_.offsetsWindowOpen();
    readout_.fixQuality = reader.fixQuality;
    readout_.antennaHeightM = state_.RtkHeight;
    readout_.tideM = offsetsOpen ? std::nullopt : std::optional<double>(state_.RtkTide);
    readout_.satellites = reader.satellites;
    readout_.changed();

    // 3. Status text; a silent receiver must not look like the fix it last had.
    const DeviceSwitches device = settings_.deviceSwitches();
    if (reader.receiverSilent) {
        statusText_ = formatSilentStatusText(lastPositionTime_, reader.receiverLost);
    } else {
        const double speed = readout_.speedKnots.value_or(0);
        std::optional<double> depth;
        if (device.sensorEnabled && state_.DepthHF > 0 && !state_.DepthStale) {
            depth = state_.DepthHF;
        }
        statusText_ = formatStatusText(reader.fixQuality, speed, reader.satellites, state_.RtkHeight,
                                       readoutTideText(readout_.tideM), depth);
        if (device.sensorEnabled && state_.DepthStale) {
            statusText_ += " | No depth"; // the echosounder is silent: its last depth is not current
        }
    }
    if (out_.canvas) {
        out_.canvas->setStatusText(statusText_, reader.receiverSilent ? 0 : reader.fixQuality);
    }
    return device;
}

void MapUpdate::showPositionLost() {
    if (!out_.statusBar || out_.statusBar->panelCount() < 4) {
        return;
    }
    out_.statusBar->setPanelText(0, "Lat: -");
    out_.statusBar->setPanelText(1, "Lon: -");
    out_.statusBar->setPanelText(2, "E: -");
    out_.statusBar->setPanelText(3, "N: -");
    out_.statusBar->setPositionLost(true);
}

void MapUpdate::showReceiverSilent(const ReaderValues& reader) {
    ReaderValues silent = reader;
    silent.receiverSilent = true;
    publishStatus(silent);
    showPositionLost();
    if (out_.canvas) {
        out_.canvas->refresh();
    }
}

std::optional<GridPosition> MapUpdate::gridPositionOf(double latitudeDeg, double longitudeDeg,
                                                      double heightM) {
    if (!readParametersOnce()) {
        return std::nullopt;
    }
    const FixConversion fix = chain_->convert(latitudeDeg, longitudeDeg, heightM);
    if (!fix.ok()) {
        return std::nullopt;
    }
    return GridPosition{static_cast<double>(fix.eastingM), static_cast<double>(fix.northingM)};
}

void MapUpdate::showBoxes(const DeviceSwitches& device) {
    // 13, 14. Depth and speed boxes.
    if (state_.DepthHF > 0) {
        // A stale depth is no longer shown as the current one.
        out_.canvas->setCurrentDepth(state_.DepthHF, device.lowFrequencyFrameVisible() ? state_.DepthLF : 0,
                                     !state_.DepthStale);
    }
    out_.canvas->setCurrentSpeed(state_.SpeedKnots, true);
}

void MapUpdate::endLatency(bool measuring, std::int64_t startMs) {
    // 15. Latency end.
    if (!measuring) {
        return;
    }
    const double latencyMs = static_cast<double>(clock_.monotonicMs() - startMs);
    ++latencyCount_;
    latencyAverageMs_ = ((latencyCount_ - 1) * latencyAverageMs_ + latencyMs) / latencyCount_;
    out_.latency->showLatency(formatFixed(latencyMs, 0), formatFixed(latencyAverageMs_, 1));
}

MapUpdate::Tick MapUpdate::tick(const ReaderValues& reader) {
    // 1. Latency start, on a monotonic clock: a tick crossing a second or minute boundary must not jump.
    const bool measuring = out_.latency && out_.latency->latencyWindowVisible();
    const std::int64_t startMs = clock_.monotonicMs();

    // 2, 3. Read-out and status text.
    const DeviceSwitches device = publishStatus(reader);

    // 4. Parameters, once per run.
    if (!readParametersOnce()) {
        return Tick::SetupFailed;
    }

    // Nothing is drawn at a position the receiver did not report: before the first fix, while it
    // reports none, or while it is silent (the position then reads 0, 0).
    if (reader.receiverSilent ||
        !positionReported(reader.fixQuality, state_.GpsLatitude, state_.GpsLongitude)) {
        showPositionLost();
        if (out_.canvas) {
            out_.canvas->refresh();
            showBoxes(device);
        }
        endLatency(measuring, startMs);
        return Tick::NoPosition;
    }

    // 5. Grid position and convergence.
    const FixConversion fix = chain_->convert(state_.GpsLatitude, state_.GpsLongitude, state_.GpsAltitude);
    if (!fix.ok()) {
        return Tick::Abandoned;
    }
    state_.Easting = static_cast<double>(fix.eastingM);
    state_.Northing = static_cast<double>(fix.northingM);
    state_.Convergence = static_cast<double>(fix.convergenceDeg);
    lastPositionTime_ = clock_.now();

    // 6. Heading.
    const double heading = device.gyroEnabled ? state_.GyroHeading : reader.courseDeg;
    state_.VesselHeading = heading + state_.Convergence;

    const NavigationDisplaySettings display = settings_.navigationSettings();
    if (MapCanvas* canvas = out_.canvas) {
        // 7. View.
        if (FollowVessel) {
            const WorldWindow w = canvas->worldWindow();
            canvas->worldPan(state_.Easting - (w.left + w.right) / 2,
                             state_.Northing - (w.top + w.bottom) / 2);
        } else {
            canvas->refresh();
        }
        // 8. Vessel symbol.
        drawVessel(display);
    }

    // 9. Status bar.
    if (out_.statusBar && out_.statusBar->panelCount() >= 4) {
        out_.statusBar->setPanelText(0, "Lat: " + formatFixed(state_.GpsLatitude, 8));
        out_.statusBar->setPanelText(1, "Lon: " + formatFixed(state_.GpsLongitude, 8));
        out_.statusBar->setPanelText(2, "E: " + formatFixed(state_.Easting, 2));
        out_.statusBar->setPanelText(3, "N: " + formatFixed(state_.Northing, 2));
        out_.statusBar->setPositionLost(false);
    }

    // 10, 11. Trackline, from the second tick on.
    if (!firstTickPassed_) {
        firstTickPassed_ = true;
        previousTrackE_ = state_.Easting;
        previousTrackN_ = state_.Northing;
    } else {
        layTrack(reader, display);
    }
    ++tickCounter_;

    if (MapCanvas* canvas = out_.canvas) {
        // 12. Depth label.
        const DisplaySettings labels = settings_.displaySettings();
        if (labels.ShowDepthLabels && state_.DepthHF > 0 && !state_.DepthStale &&
            !(state_.Easting == 0 && state_.Northing == 0)) {
            canvas->setDepthLabelSettings(labels.depthLabelStyle());
            canvas->addDepthLabel(state_.Easting, state_.Northing, state_.DepthHF);
        }
        showBoxes(device);
    }
    endLatency(measuring, startMs);
    return Tick::Done;
}

} // namespace selvir
