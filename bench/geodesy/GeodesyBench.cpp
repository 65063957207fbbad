// Points per second through WGS-84 → seven-parameter datum shift → Transverse Mercator: our numeric
// chain, the realtime conversion (chain plus grid convergence), the text routines, and PROJ's pipeline
// for the same chain.
#include "core/NumberFormat.h"
#include "geodesy/DatumShift.h"
#include "geodesy/GeodesyText.h"
#include "geodesy/RealtimeChain.h"
#include "geodesy/TransverseMercator.h"

#include <benchmark/benchmark.h>
#include <proj.h>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace selvir;

struct Fix {
    double lat, lon, h;
};

const std::vector<Fix>& fixes() {
    static const std::vector<Fix> points = [] {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> lat(35, 43), lon(30, 36), h(-20, 60);
        std::vector<Fix> result(4096);
        for (Fix& f : result) {
            f = {lat(random), lon(random), h(random)};
        }
        return result;
    }();
    return points;
}

GeodeticParameters settings() {
    GeodeticParameters p;
    p.edSMA = "6378388";
    p.edIF = "0.00336700336700337";
    p.edPPM = "-1.4";
    p.edRX = "1.0859";
    p.edRY = "-0.3056";
    p.edRZ = "-0.3147";
    p.edSX = "-84.003";
    p.edSY = "-102.315";
    p.edSZ = "-129.879";
    p.edCM = "33";
    p.edSF = "0.9996";
    return p;
}

const char* const kProjChain =
    "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=cart +a=6378137 "
    "+f=0.0033528106647474 +step +inv +proj=helmert +x=-84.003 +y=-102.315 +z=-129.879 +rx=1.0859 "
    "+ry=-0.3056 "
    "+rz=-0.3147 +s=-1.4 +convention=coordinate_frame +exact +step +inv +proj=cart +a=6378388 "
    "+f=0.00336700336700337 +step +proj=tmerc %s +lon_0=33 +k_0=0.9996 +x_0=500000 +a=6378388 "
    "+f=0.00336700336700337";

void BM_NumericChain(benchmark::State& state) {
    const RealtimeChain chain = *RealtimeChain::create(settings()).chain;
    const DatumShift& datum = chain.datumShift();
    const TransverseMercator& tm = chain.transverseMercator();
    std::size_t i = 0;
    for (auto _ : state) {
        const Fix& f = fixes()[i++ & 4095];
        const GeodeticResult local = datum.toGeodeticB({f.lat, f.lon, 0});
        const GridCoordinates grid = tm.forwardOnOwnEllipsoid(local);
        benchmark::DoNotOptimize(grid);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NumericChain);

void BM_RealtimeConvert(benchmark::State& state) {
    const RealtimeChain chain = *RealtimeChain::create(settings()).chain;
    std::size_t i = 0;
    for (auto _ : state) {
        const Fix& f = fixes()[i++ & 4095];
        benchmark::DoNotOptimize(chain.convert(f.lat, f.lon, f.h));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RealtimeConvert);

void BM_TextChain(benchmark::State& state) {
    const RealtimeChain chain = *RealtimeChain::create(settings()).chain;
    std::vector<std::string> positions;
    for (const Fix& f : fixes()) {
        positions.push_back(formatGeneral(f.lat) + " " + formatGeneral(f.lon));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(WGSToTM(positions[i++ & 4095], chain.datumParameterLine(),
                                         chain.tmParameterLine(), chain.tmEllipsoidLine()));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextChain);

void projChain(benchmark::State& state, const char* tmerc) {
    char definition[1024];
    std::snprintf(definition, sizeof definition, kProjChain, tmerc);
    PJ_CONTEXT* context = proj_context_create();
    PJ* pipeline = proj_create(context, definition);
    if (pipeline == nullptr) {
        state.SkipWithError("PROJ rejected the pipeline");
        proj_context_destroy(context);
        return;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const Fix& f = fixes()[i++ & 4095];
        benchmark::DoNotOptimize(proj_trans(pipeline, PJ_FWD, proj_coord(f.lon, f.lat, 0, 0)));
    }
    state.SetItemsProcessed(state.iterations());
    proj_destroy(pipeline);
    proj_context_destroy(context);
}

void BM_ProjChainApproxTmerc(benchmark::State& state) {
    projChain(state, "+approx");
}
BENCHMARK(BM_ProjChainApproxTmerc);

void BM_ProjChainExactTmerc(benchmark::State& state) {
    projChain(state, "");
}
BENCHMARK(BM_ProjChainExactTmerc);

} // namespace
