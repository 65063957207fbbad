#pragma once
// Soundings along straight legs at a steady speed, for the processing tests: a boat that sails from
// point to point, sounding every `intervalMs`, over a seabed given as a function of the grid position.

#include "processing/Sounding.h"

#include <cmath>
#include <functional>
#include <vector>

namespace selvir::test {

using Seabed = std::function<double(double eastingM, double northingM)>;

class TrackBuilder {
public:
    TrackBuilder(Seabed seabed, double speedMps = 2.0, std::int64_t intervalMs = 200)
        : seabed_(std::move(seabed)), speedMps_(speedMps), intervalMs_(intervalMs) {}

    // Starts a new stretch at a point, `atMs` after the start of the day (the clock never goes back).
    TrackBuilder& startAt(double e, double n, std::int64_t atMs) {
        e_ = e;
        n_ = n;
        timeMs_ = std::max(timeMs_, atMs);
        sound();
        return *this;
    }
    // Sails to a point, sounding on the way (the last sounding at the point or just short of it).
    TrackBuilder& sailTo(double e, double n) {
        const double length = std::hypot(e - e_, n - n_);
        const double step = speedMps_ * static_cast<double>(intervalMs_) / 1000.0;
        const double e0 = e_, n0 = n_;
        for (int k = 1; k * step <= length + 1e-9; ++k) {
            const double f = k * step / length;
            e_ = e0 + f * (e - e0);
            n_ = n0 + f * (n - n0);
            timeMs_ += intervalMs_;
            sound();
        }
        e_ = e;
        n_ = n;
        return *this;
    }
    TrackBuilder& line(int number) {
        line_ = number;
        return *this;
    }
    TrackBuilder& waitMs(std::int64_t ms) {
        timeMs_ += ms;
        return *this;
    }

    std::vector<processing::Sounding>& soundings() { return soundings_; }

private:
    void sound() {
        processing::Sounding s;
        s.key.timeMs = kDayStartMs + timeMs_;
        s.eastingM = e_;
        s.northingM = n_;
        s.depthBelowDatumM = seabed_(e_, n_);
        s.depthM = s.depthBelowDatumM + 0.3; // a water level of -0.3 m
        s.line = line_;
        soundings_.push_back(s);
    }

    // 2026-04-07 00:00:00.000 local
    static constexpr std::int64_t kDayStartMs = 1'775'520'000'000;

    Seabed seabed_;
    double speedMps_;
    std::int64_t intervalMs_;
    double e_ = 0, n_ = 0;
    std::int64_t timeMs_ = 0;
    int line_ = 0;
    std::vector<processing::Sounding> soundings_;
};

} // namespace selvir::test
