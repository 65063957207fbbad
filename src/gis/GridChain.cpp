// The settings' own chain behind the GridChain interface.
#include "gis/GridChain.h"

#include "gis/CrsWkt.h"

namespace selvir {
namespace {

class SettingsGridChain : public GridChain {
public:
    SettingsGridChain(RealtimeChain chain, std::string description, std::string wkt)
        : chain_(std::move(chain)), description_(std::move(description)), wkt_(std::move(wkt)) {}

    FixConversion convert(long double latitudeDeg, long double longitudeDeg,
                          long double heightM) const override {
        return chain_.convert(latitudeDeg, longitudeDeg, heightM);
    }
    std::string description() const override { return description_; }
    std::string crsWkt() const override { return wkt_; }

private:
    RealtimeChain chain_;
    std::string description_, wkt_;
};

std::string describe(const GeodeticParameters& p, MapProjection projection) {
    std::string text =
        "Settings chain: datum " + (p.edNameOfDatum.empty() ? std::string("(no name)") : p.edNameOfDatum) +
        " (a=" + p.edSMA + ", f=" + p.edIF + "; from WGS-84 ppm=" + p.edPPM + " rx=" + p.edRX +
        " ry=" + p.edRY + " rz=" + p.edRZ + " dx=" + p.edSX + " dy=" + p.edSY + " dz=" + p.edSZ + "), ";
    switch (projection) {
    case MapProjection::TransverseMercator:
        return text + "TM CM=" + p.edCM + " RefLat=" + p.edRL + " SF=" + p.edSF + " FE=" + p.edFE +
               " FN=" + p.edFN;
    case MapProjection::LambertOneParallel:
        return text + "LCC 1SP CP=" + p.eLCCCP + " CM=" + p.eLCCM + " SF=" + p.eLCCSF + " FE=" + p.eLCCFE +
               " FN=" + p.eLCCFN;
    case MapProjection::LambertTwoParallel:
        return text + "LCC 2SP SP1=" + p.eLCCSP1 + " SP2=" + p.eLCCSP2 + " CP=" + p.eLCCCP +
               " CM=" + p.eLCCM + " FE=" + p.eLCCFE + " FN=" + p.eLCCFN;
    }
    return text;
}

} // namespace

GridChainSetup makeSettingsGridChain(const GeodeticParameters& parameters) {
    GridChainSetup setup;
    RealtimeChainSetup realtime = RealtimeChain::create(parameters);
    if (!realtime.ok()) {
        setup.error = realtime.error.text();
        return setup;
    }
    const CrsWktResult wkt = settingsCrsWkt(parameters);
    const MapProjection projection = realtime.chain->projection();
    setup.chain = std::make_unique<SettingsGridChain>(std::move(*realtime.chain),
                                                      describe(parameters, projection), wkt.wkt);
    return setup;
}

} // namespace selvir
