// From a probe file's columns to the cast: which columns give depth and sound velocity, the latitude,
// and the samples.
#include "core/NumberFormat.h"
#include "tools/ProbeFile.h"
#include "tools/Seawater.h"
#include "tools/SvpSteps.h"

#include <algorithm>
#include <cmath>

namespace selvir {

namespace {

// The validity of the sound speed formula (salinity 0 … 40, 0 … 40 °C), with a little room for the
// rounding of real probes; outside it a computed velocity would be a guess.
constexpr double kMinSalinity = 0.0, kMaxSalinity = 42.0;
constexpr double kMinTemperatureC = -2.5, kMaxTemperatureC = 40.5;

std::optional<std::size_t> firstColumn(const ProbeTable& table, ProbeQuantity quantity) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (table.columns[i].quantity == quantity) {
            return i;
        }
    }
    return std::nullopt;
}

// The row's value of a column in metres, decibar or m/s; nothing when the row has none.
std::optional<double> valueOf(const ProbeTable& table, const ProbeTable::Row& row,
                              std::optional<std::size_t> column) {
    if (!column || *column >= row.values.size() || !row.values[*column]) {
        return std::nullopt;
    }
    return *row.values[*column] * table.columns[*column].toSiScale;
}

std::string latitudeText(double latitudeDeg) {
    return formatFixed(std::abs(latitudeDeg), 4) + (latitudeDeg < 0 ? " S" : " N");
}

} // namespace

ProbeReadResult readProbeFile(const std::vector<std::string>& lines,
                              std::optional<double> lastFixLatitudeDeg) {
    ProbeReadResult result;
    const std::optional<ProbeTable> table = readProbeTable(lines);
    if (!table) {
        return result;
    }
    result.recognised = true;
    ProbeCast& cast = result.cast;
    cast.format = table->format;
    if (table->latitudeDeg) {
        cast.latitudeDeg = *table->latitudeDeg;
        cast.latitudeSource = LatitudeSource::File;
    } else if (lastFixLatitudeDeg && std::abs(*lastFixLatitudeDeg) <= 90) {
        cast.latitudeDeg = *lastFixLatitudeDeg;
        cast.latitudeSource = LatitudeSource::LastFix;
    }

    const auto depth = firstColumn(*table, ProbeQuantity::Depth);
    const auto pressure = firstColumn(*table, ProbeQuantity::Pressure);
    const auto temperature = firstColumn(*table, ProbeQuantity::Temperature);
    const auto salinity = firstColumn(*table, ProbeQuantity::Salinity);
    const auto velocity = firstColumn(*table, ProbeQuantity::SoundVelocity);
    if (!depth && !pressure) {
        result.fault = ProbeReadResult::Fault::NoDepthOrPressure;
        return result;
    }
    if (!velocity && !(temperature && salinity)) {
        result.fault = ProbeReadResult::Fault::NoVelocityNorTemperatureSalinity;
        return result;
    }
    const auto nameOf = [&](std::optional<std::size_t> column) { return table->columns[*column].name; };
    cast.depthFromPressure = !depth;
    cast.depthFrom = depth ? nameOf(depth) : nameOf(pressure);
    cast.velocityComputed = !velocity;
    cast.velocityFrom = velocity ? nameOf(velocity)
                                 : nameOf(temperature) + ", " + nameOf(salinity) + ", " +
                                       (pressure ? nameOf(pressure) : nameOf(depth));

    cast.unusableRows = table->unreadableRows;
    for (const ProbeTable::Row& row : table->rows) {
        const auto pressureDbar = valueOf(*table, row, pressure);
        std::optional<double> depthM = valueOf(*table, row, depth);
        if (!depthM && !depth && pressureDbar) {
            depthM = depthFromPressure(*pressureDbar, cast.latitudeDeg);
        }
        std::optional<double> soundVelocity = valueOf(*table, row, velocity);
        if (!velocity && depthM) {
            const auto t = valueOf(*table, row, temperature);
            const auto s = valueOf(*table, row, salinity);
            if (t && s && *s >= kMinSalinity && *s <= kMaxSalinity && *t >= kMinTemperatureC &&
                *t <= kMaxTemperatureC) {
                const double t68 = table->columns[*temperature].its68 ? *t : temperature68FromIts90(*t);
                const double p = pressureDbar ? *pressureDbar : pressureFromDepth(*depthM, cast.latitudeDeg);
                soundVelocity = chenMilleroSoundSpeed(*s, t68, p);
            }
        }
        if (!depthM || !soundVelocity) {
            ++cast.unusableRows;
            continue;
        }
        cast.samples.push_back({row.line, *depthM, *soundVelocity});
    }
    return result;
}

int keepDownCast(std::vector<ProbeSample>& samples) {
    const auto deepest =
        std::max_element(samples.begin(), samples.end(),
                         [](const ProbeSample& a, const ProbeSample& b) { return a.depthM < b.depthM; });
    if (deepest == samples.end()) {
        return 0;
    }
    const int dropped = static_cast<int>(samples.end() - deepest - 1);
    samples.erase(deepest + 1, samples.end());
    return dropped;
}

std::optional<double> extendToSurface(std::vector<ProbeSample>& samples) {
    const ProbeSample* shallowest = nullptr;
    for (const ProbeSample& sample : samples) {
        if (sample.soundVelocityMs >= kMinSampleVelocity && sample.soundVelocityMs <= kMaxSampleVelocity &&
            (!shallowest || sample.depthM < shallowest->depthM)) {
            shallowest = &sample;
        }
    }
    if (!shallowest || shallowest->depthM < 0.5) {
        return std::nullopt;
    }
    const double fromDepthM = shallowest->depthM;
    const ProbeSample surface{shallowest->line, 0.0, shallowest->soundVelocityMs};
    samples.insert(samples.begin(), surface);
    return fromDepthM;
}

std::string describeProbeCast(const ProbeCast& cast) {
    std::string text = probeFormatName(cast.format);
    text += cast.depthFromPressure ? "; depth: from pressure " + cast.depthFrom + " (UNESCO 1983)"
                                   : "; depth: " + cast.depthFrom;
    text += "; sound velocity: ";
    text += cast.velocityComputed ? "Chen-Millero from " + cast.velocityFrom : cast.velocityFrom;
    text += "; latitude " + latitudeText(cast.latitudeDeg);
    switch (cast.latitudeSource) {
    case LatitudeSource::File:
        text += " (file)";
        break;
    case LatitudeSource::LastFix:
        text += " (last fix)";
        break;
    case LatitudeSource::Default:
        text += " (default)";
        break;
    }
    return text;
}

} // namespace selvir
