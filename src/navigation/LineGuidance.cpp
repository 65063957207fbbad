#include "navigation/LineGuidance.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace selvir {
namespace {

constexpr std::string_view kSection = "LINE_GUIDANCE";
constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;
// Below this speed along the line (m/s) the time to the end is not given: it would be hours of noise.
constexpr double kSlowestClosingMps = 0.1;

double distance(GridPoint a, GridPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

} // namespace

GuidanceSettings GuidanceSettings::read(const ProfileStore& store) {
    GuidanceSettings s;
    s.autoAdvance = store.readBool(kSection, "AutoAdvance", s.autoAdvance);
    s.toleranceM = store.readFloat(kSection, "Tolerance", s.toleranceM);
    s.lineFiles = store.readBool(kSection, "LineFiles", s.lineFiles);
    return s;
}

void GuidanceSettings::write(ProfileStore& store) const {
    store.update([this](IniDocument& ini) {
        ini.setValue(kSection, "AutoAdvance", autoAdvance ? "1" : "0");
        ini.setValue(kSection, "Tolerance", formatGeneral(toleranceM));
        ini.setValue(kSection, "LineFiles", lineFiles ? "1" : "0");
    });
}

LineGuidance::LineGuidance(GuidanceLineSource* source, SettingsSource settings, LineGuidanceOutputs outputs)
    : source_(source), settingsSource_(std::move(settings)), out_(std::move(outputs)) {}

LineGuidance::~LineGuidance() {
    closeLineFile();
}

const GuidanceLineSet& LineGuidance::lines() {
    const GuidanceLineSet& set = source_ ? source_->currentLines() : noLines_;
    tickLines_ = &set;
    if (set.revision == seenRevision_) {
        return set;
    }
    seenRevision_ = set.revision;
    std::set<std::int32_t> present;
    runlineCount_ = 0;
    for (const GuidanceLine& line : set.lines) {
        present.insert(line.id);
        runlineCount_ += line.number > 0 ? 1 : 0;
    }
    std::erase_if(runIds_, [&present](std::int32_t id) { return !present.contains(id); });
    if (active_ && active_->number > 0) {
        const auto found = std::find_if(set.lines.begin(), set.lines.end(),
                                        [this](const GuidanceLine& line) { return line.id == active_->id; });
        if (found == set.lines.end()) {
            stop(); // its line was deleted or generated anew
            waitForChoice_ = false;
        } else if (found->points != active_->points || found->number != active_->number) {
            // Edited or renumbered: the same line, run the same way.
            const bool reversed =
                !travel_.empty() && !active_->points.empty() && travel_.front() != active_->points.front();
            active_ = *found;
            travel_ = active_->points;
            if (reversed) {
                std::reverse(travel_.begin(), travel_.end());
            }
        }
    }
    return set;
}

void LineGuidance::closeLineFile() {
    if (lineFile_) {
        lineFile_->writeKeptRows();
        lineFile_.reset();
    }
}

void LineGuidance::activate(const GuidanceLine& line, bool surveyorsChoice) {
    closeLineFile();
    active_ = line;
    travel_ = line.points;
    reading_.phase = LinePhase::Approaching;
    reading_.allRun = false;
    waitForChoice_ = false;
    directionPending_ = true;
    pendingChoiceBySurveyor_ = surveyorsChoice;
    autoChosen_ = !surveyorsChoice;
    if (last_.positionKnown) {
        chooseDirection(surveyorsChoice);
    }
    measure();
}

void LineGuidance::chooseDirection(bool surveyorsChoice) {
    directionPending_ = false;
    const GridLine& points = active_->points;
    if (points.size() < 2) {
        travel_ = points;
        return;
    }
    const GridPoint p = last_.position;
    bool reversed = distance(p, points.back()) < distance(p, points.front());
    const LineFix fix = fixOnLine(points, p);
    if (surveyorsChoice && fix.valid && fix.alongM >= 0 && fix.alongM <= fix.lengthM &&
        last_.speedKnots >= kMakingWayKnots) {
        reversed = std::abs(angleDifferenceDeg(last_.courseGridDeg, fix.bearingDeg)) > 90;
    }
    travel_ = points;
    if (reversed) {
        std::reverse(travel_.begin(), travel_.end());
    }
}

const GuidanceLine* LineGuidance::nearestLineNotRun() {
    const GuidanceLine* nearest = nullptr;
    double best = std::numeric_limits<double>::infinity();
    for (const GuidanceLine& line : tickLines().lines) {
        if (runIds_.contains(line.id)) {
            continue;
        }
        // Equal distances go to the line first in sailing order.
        const double d = distanceToLineM(line.points, last_.position);
        if (d < best) {
            best = d;
            nearest = &line;
        }
    }
    return nearest;
}

void LineGuidance::advance() {
    const GuidanceLine* nearest = nearestLineNotRun();
    if (nearest == nullptr) {
        reading_.allRun = !tickLines().lines.empty();
        if (reading_.allRun && active_ && reading_.phase == LinePhase::Ended) {
            // The last line is done: guidance ends there, so nothing steers the boat back to its end.
            closeLineFile();
            active_.reset();
            travel_.clear();
            reading_.phase = LinePhase::Approaching;
            measure();
        }
        return;
    }
    if (active_ && nearest->id == active_->id) {
        chooseDirection(false); // still the nearest: entered from whichever end is nearer now
        return;
    }
    activate(*nearest, false);
}

void LineGuidance::lineEvent(const char* what) {
    const std::string text = "Line " + active_->name + " " + what;
    if (out_.events) {
        out_.events->writeAutoEvent(text);
    }
    if (out_.markEvent) {
        out_.markEvent(last_.position.x, last_.position.y);
    }
}

void LineGuidance::measure() {
    reading_.active = active_.has_value();
    reading_.lineCount = runlineCount_;
    reading_.toleranceM = std::max(settings_.toleranceM, kSmallestToleranceM);
    reading_.positionKnown = false;
    reading_.fix = {};
    reading_.courseDifferenceDeg = 0;
    reading_.timeToEndS.reset();
    reading_.offLine = false;
    if (!active_) {
        reading_.lineNumber = 0;
        reading_.lineName.clear();
        return;
    }
    reading_.lineNumber = active_->number;
    reading_.lineName = active_->name;
    if (!last_.positionKnown || directionPending_) {
        return;
    }
    reading_.positionKnown = true;
    reading_.fix = fixOnLine(travel_, last_.position);
    if (!reading_.fix.valid) {
        return;
    }
    reading_.courseDifferenceDeg = angleDifferenceDeg(last_.courseGridDeg, reading_.fix.bearingDeg);
    const double closingMps = last_.speedKnots * kMetresPerSecondPerKnot *
                              std::cos(reading_.courseDifferenceDeg * std::numbers::pi / 180);
    if (closingMps >= kSlowestClosingMps && reading_.fix.toGoM > 0) {
        reading_.timeToEndS = reading_.fix.toGoM / closingMps;
    }
    reading_.offLine = std::abs(reading_.fix.crossTrackM) > reading_.toleranceM;
}

const GuidanceReading& LineGuidance::tick(const GuidanceInput& input) {
    settings_ = settingsSource_ ? settingsSource_() : GuidanceSettings{};
    lines();
    // Without a position this tick the last one stays for the commands, but nothing is measured.
    const GridPoint kept = last_.position;
    last_ = input;
    if (!input.positionKnown) {
        last_.position = kept;
        measure();
        reading_.positionKnown = false;
        return reading_;
    }
    const bool giveWay = active_ && autoChosen_ && reading_.phase == LinePhase::Approaching;
    if (settings_.autoAdvance && ((!active_ && !waitForChoice_) || giveWay)) {
        advance();
    }
    if (active_ && directionPending_) {
        chooseDirection(pendingChoiceBySurveyor_);
    }
    measure();
    if (!active_ || !reading_.fix.valid) {
        return reading_;
    }
    const LineFix& fix = reading_.fix;
    if (reading_.phase == LinePhase::Approaching && fix.alongM >= 0 && fix.alongM < fix.lengthM &&
        std::abs(fix.crossTrackM) <= kStartCorridorTolerances * reading_.toleranceM) {
        reading_.phase = LinePhase::Running;
        lineEvent("start");
        if (settings_.lineFiles && out_.openLineFile) {
            lineFile_ = out_.openLineFile(active_->name);
        }
    } else if (reading_.phase == LinePhase::Running && fix.alongM >= fix.lengthM) {
        reading_.phase = LinePhase::Ended;
        lineEvent("end");
        closeLineFile();
        runIds_.insert(active_->id);
        if (settings_.autoAdvance) {
            advance();
        }
    }
    return reading_;
}

bool LineGuidance::selectLine(std::int32_t id) {
    for (const GuidanceLine& line : lines().lines) {
        if (line.id == id) {
            activate(line, true);
            return true;
        }
    }
    return active_.has_value();
}

bool LineGuidance::selectOther(GuidanceLine line) {
    if (line.points.size() < 2) {
        return active_.has_value();
    }
    activate(line, true);
    return true;
}

bool LineGuidance::stepBy(int step) {
    const GuidanceLineSet& set = lines();
    if (set.lines.empty()) {
        return active_.has_value();
    }
    const auto count = static_cast<std::ptrdiff_t>(set.lines.size());
    std::ptrdiff_t index = step > 0 ? 0 : count - 1;
    if (active_) {
        const auto found = std::find_if(set.lines.begin(), set.lines.end(),
                                        [this](const GuidanceLine& line) { return line.id == active_->id; });
        if (found != set.lines.end()) {
            index = std::clamp<std::ptrdiff_t>((found - set.lines.begin()) + step, 0, count - 1);
        }
    }
    activate(set.lines[static_cast<std::size_t>(index)], true);
    return true;
}

bool LineGuidance::next() {
    return stepBy(1);
}

bool LineGuidance::previous() {
    return stepBy(-1);
}

void LineGuidance::reverse() {
    if (!active_) {
        return;
    }
    closeLineFile();
    std::reverse(travel_.begin(), travel_.end());
    autoChosen_ = false; // the surveyor's direction from now on
    reading_.phase = LinePhase::Approaching;
    measure();
}

void LineGuidance::stop() {
    closeLineFile();
    active_.reset();
    travel_.clear();
    directionPending_ = false;
    waitForChoice_ = true;
    reading_.phase = LinePhase::Approaching;
    reading_.allRun = false;
    measure();
}

void LineGuidance::forgetRunLines() {
    runIds_.clear();
    reading_.allRun = false;
}

void LineGuidance::rowWritten(const SurveyRow& row) {
    if (lineFile_ && settings_.lineFiles && reading_.phase == LinePhase::Running) {
        lineFile_->append(&row);
    }
}

} // namespace selvir
