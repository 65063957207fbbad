// Raster backgrounds: opening, expanding to 8-bit colour, and warping views into the survey grid.
#include "gis/RasterBackground.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"

#include <cmath>
#include <cpl_string.h>
#include <gdal_utils.h>

namespace selvir {
namespace {

namespace fs = std::filesystem;
using gis::DatasetHandle;

// Points along each edge of the image when its outline is carried into the survey grid.
constexpr int kOutlineSamples = 16;

bool isPalette(GDALDatasetH ds) {
    return GDALGetRasterCount(ds) == 1 && GDALGetRasterColorTable(GDALGetRasterBand(ds, 1)) != nullptr;
}

// A view of the image as 8-bit samples (palette expanded, wider samples stretched), or null when the
// image is 8-bit already.
DatasetHandle eightBitView(GDALDatasetH ds, std::string& error) {
    CPLStringList args;
    args.AddString("-of");
    args.AddString("VRT");
    if (isPalette(ds)) {
        args.AddString("-expand");
        args.AddString("rgba");
    } else if (GDALGetRasterDataType(GDALGetRasterBand(ds, 1)) != GDT_Byte) {
        args.AddString("-ot");
        args.AddString("Byte");
        args.AddString("-scale");
    } else {
        return nullptr;
    }
    if (GDALGetRasterCount(ds) > 4) {
        for (const char* band : {"1", "2", "3"}) {
            args.AddString("-b");
            args.AddString(band);
        }
    }
    GDALTranslateOptions* options = GDALTranslateOptionsNew(args.List(), nullptr);
    int usageError = FALSE;
    DatasetHandle view(GDALTranslate("", ds, options, &usageError));
    GDALTranslateOptionsFree(options);
    if (!view) {
        error = "cannot convert its samples to 8-bit colour";
    }
    return view;
}

std::optional<GridExtent> outline(GDALDatasetH ds, OGRSpatialReferenceH from, OGRSpatialReferenceH to) {
    double gt[6];
    if (GDALGetGeoTransform(ds, gt) != CE_None) {
        return std::nullopt;
    }
    gis::CoordinateTransformationHandle transform(OCTNewCoordinateTransformation(from, to));
    if (!transform) {
        return std::nullopt;
    }
    const double w = GDALGetRasterXSize(ds), h = GDALGetRasterYSize(ds);
    std::vector<double> xs, ys;
    for (int i = 0; i <= kOutlineSamples; ++i) {
        const double t = static_cast<double>(i) / kOutlineSamples;
        const double px[4] = {t * w, t * w, 0, w};
        const double py[4] = {0, h, t * h, t * h};
        for (int k = 0; k < 4; ++k) {
            xs.push_back(gt[0] + px[k] * gt[1] + py[k] * gt[2]);
            ys.push_back(gt[3] + px[k] * gt[4] + py[k] * gt[5]);
        }
    }
    std::vector<int> ok(xs.size(), 0);
    OCTTransformEx(transform.get(), static_cast<int>(xs.size()), xs.data(), ys.data(), nullptr, ok.data());
    std::optional<GridExtent> box;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (!ok[i] || !std::isfinite(xs[i]) || !std::isfinite(ys[i])) {
            continue;
        }
        if (!box) {
            box = GridExtent{xs[i], ys[i], xs[i], ys[i]};
        }
        box->minXM = std::min(box->minXM, xs[i]);
        box->maxXM = std::max(box->maxXM, xs[i]);
        box->minYM = std::min(box->minYM, ys[i]);
        box->maxYM = std::max(box->maxYM, ys[i]);
    }
    return box;
}

} // namespace

std::uint32_t RgbaImage::pixel(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
    return (std::uint32_t{rgba[i + 3]} << 24) | (std::uint32_t{rgba[i]} << 16) |
           (std::uint32_t{rgba[i + 1]} << 8) | rgba[i + 2];
}

QImage RgbaImage::toQImage() const {
    if (width <= 0 || height <= 0) {
        return {};
    }
    return QImage(rgba.data(), width, height, width * 4, QImage::Format_RGBA8888).copy();
}

RasterBackgroundOpen RasterBackground::open(const fs::path& path, const RasterBackgroundOptions& options) {
    RasterBackgroundOpen result;
    gis::ensureGdal();
    gis::GdalErrors errors;
    const std::string named = "background \"" + path.string() + "\"";
    std::string error;
    gis::SpatialReferenceHandle survey = gis::spatialReference(options.surveyCrsWkt, error);
    if (!survey) {
        result.error = named + ": the survey grid's " + error;
        return result;
    }
    std::unique_ptr<RasterBackground> bg(new RasterBackground());
    bg->path_ = path;
    bg->options_ = options;
    bg->file_.reset(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (!bg->file_) {
        result.error = named + " cannot be opened: " + errors.last("not an image GDAL reads");
        return result;
    }
    GDALDatasetH ds = bg->file_.get();
    double gt[6];
    if (GDALGetGeoTransform(ds, gt) != CE_None && GDALGetGCPCount(ds) == 0) {
        result.error =
            named + " has no georeferencing: a PNG or JPEG needs its world file (.pgw, .jgw, .wld)";
        return result;
    }
    if (GDALGetRasterCount(ds) < 1) {
        result.error = named + " has no image bands";
        return result;
    }
    OGRSpatialReferenceH own = GDALGetSpatialRef(ds);
    if (!own) {
        own = GDALGetGCPSpatialRef(ds);
    }
    if (own) {
        bg->sourceWkt_ = gis::wkt1(own);
    } else {
        fs::path prj = path;
        prj.replace_extension(".prj");
        std::string text;
        if (readWholeFile(prj, text)) {
            gis::SpatialReferenceHandle read = gis::spatialReference(text, error);
            if (!read) {
                result.error = named + ": " + prj.filename().string() + ": " + error;
                return result;
            }
            bg->sourceWkt_ = gis::wkt1(read.get());
        } else {
            bg->sourceWkt_ = options.fallbackCrsWkt.empty() ? options.surveyCrsWkt : options.fallbackCrsWkt;
        }
    }
    gis::SpatialReferenceHandle source = gis::spatialReference(bg->sourceWkt_, error);
    if (!source) {
        result.error = named + ": its " + error;
        return result;
    }
    bg->source_ = eightBitView(ds, error);
    if (!error.empty()) {
        result.error = named + ": " + error;
        return result;
    }
    bg->width_ = GDALGetRasterXSize(ds);
    bg->height_ = GDALGetRasterYSize(ds);
    bg->extent_ = outline(ds, source.get(), survey.get());
    result.background = std::move(bg);
    return result;
}

int RasterBackground::overviewCount() const {
    return GDALGetOverviewCount(GDALGetRasterBand(file_.get(), 1));
}

RgbaRender RasterBackground::render(const GridView& view) const {
    RgbaRender out;
    if (view.widthPx <= 0 || view.heightPx <= 0 || !(view.maxXM > view.minXM) || !(view.maxYM > view.minYM)) {
        out.error = "the view is empty";
        return out;
    }
    gis::GdalErrors errors;
    GDALDatasetH source = source_ ? source_.get() : file_.get();
    CPLStringList args;
    for (const char* a : {"-of", "MEM", "-q", "-dstalpha", "-ovr", "AUTO"}) {
        args.AddString(a);
    }
    args.AddString("-r");
    args.AddString(options_.bilinear ? "bilinear" : "near");
    args.AddString("-s_srs");
    args.AddString(sourceWkt_.c_str());
    args.AddString("-t_srs");
    args.AddString(options_.surveyCrsWkt.c_str());
    args.AddString("-te");
    for (const double v : {view.minXM, view.minYM, view.maxXM, view.maxYM}) {
        args.AddString(formatShortest(v).c_str());
    }
    args.AddString("-ts");
    args.AddString(std::to_string(view.widthPx).c_str());
    args.AddString(std::to_string(view.heightPx).c_str());
    GDALWarpAppOptions* options = GDALWarpAppOptionsNew(args.List(), nullptr);
    int usageError = FALSE;
    GDALDatasetH sources[1] = {source};
    DatasetHandle warped(GDALWarp("", nullptr, 1, sources, options, &usageError));
    GDALWarpAppOptionsFree(options);

    RgbaImage& image = out.image;
    image.width = view.widthPx;
    image.height = view.heightPx;
    image.rgba.assign(static_cast<std::size_t>(view.widthPx) * static_cast<std::size_t>(view.heightPx) * 4,
                      0);
    if (!warped) {
        out.error = "cannot draw " + path_.filename().string() + " in this view: " + errors.last();
        return out;
    }
    // Colour bands then alpha: 1 (grey), 2 (grey, alpha), 3 (RGB) or 4 (RGBA) before the added alpha,
    // read in one pass straight into the interleaved picture.
    const int bands = GDALGetRasterCount(warped.get());
    const bool grey = bands - 1 < 3;
    int bandMap[4] = {1, grey ? 1 : 2, grey ? 1 : 3, bands};
    if (GDALDatasetRasterIO(warped.get(), GF_Read, 0, 0, view.widthPx, view.heightPx, image.rgba.data(),
                            view.widthPx, view.heightPx, GDT_Byte, 4, bandMap, 4, 4 * view.widthPx,
                            1) != CE_None) {
        std::fill(image.rgba.begin(), image.rgba.end(), 0);
        out.error = "cannot read the warped view of " + path_.filename().string();
    }
    return out;
}

WriteResult RasterBackground::buildOverviews(const fs::path& path, const WriteProgress& progress) {
    gis::ensureGdal();
    gis::GdalErrors errors;
    DatasetHandle ds(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (!ds) {
        return {path.string() + ": " + errors.last("cannot be opened")};
    }
    if (GDALGetOverviewCount(GDALGetRasterBand(ds.get(), 1)) > 0) {
        return {};
    }
    std::vector<int> levels;
    for (int f = 2; std::max(GDALGetRasterXSize(ds.get()), GDALGetRasterYSize(ds.get())) / f >= 256; f *= 2) {
        levels.push_back(f);
    }
    if (levels.empty()) {
        return {};
    }
    struct Relay {
        const WriteProgress* p;
        static int CPL_STDCALL call(double done, const char*, void* self) {
            const WriteProgress& w = *static_cast<Relay*>(self)->p;
            return !w || w(done) ? TRUE : FALSE;
        }
    } relay{&progress};
    // Read-only: GDAL writes the overviews to an .ovr beside the image, not into it.
    if (GDALBuildOverviews(ds.get(), isPalette(ds.get()) ? "NEAREST" : "AVERAGE",
                           static_cast<int>(levels.size()), levels.data(), 0, nullptr, &Relay::call,
                           &relay) != CE_None) {
        return {path.string() + ": cannot build overviews: " + errors.last()};
    }
    return {};
}

} // namespace selvir
