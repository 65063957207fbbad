#pragma once
// An image under the survey: a GeoTIFF, or a PNG or JPEG with a world file, in any CRS GDAL reads,
// warped into the survey grid for the view on screen.
//
// Use:
//     RasterBackgroundOpen open = RasterBackground::open(path, {surveyWkt});
//     if (!open.ok()) { say open.error; }
//     RgbaRender view = open.background->render({minX, minY, maxX, maxY, widthPx, heightPx});
//     painter.drawImage(0, 0, view.image.toQImage());
//
// render() reads only the part of the image under the view, from the overview level nearest the view's
// resolution (GDAL's warper with its overviews), so its cost follows the view's size, not the image's.
// An image without overviews is read at full resolution: buildOverviews() adds them (an .ovr beside
// the file) once, when the background is added. The CRS of the image: its own; else a .prj beside it;
// else `fallbackCrsWkt` (by default the survey's own grid, for plans drawn in it). Palette images are
// expanded to RGBA, images of other than 8-bit samples stretched to 8 bits over their range. Where the
// image has no data, or the view reaches past it, the pixels are transparent.
//
// Not to be used from two threads at once; render() does not throw.

#include "gis/GdalSupport.h"
#include "gis/ProductInputs.h"

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace selvir {

// A window of the survey grid drawn on a picture of widthPx x heightPx pixels.
struct GridView {
    double minXM = 0, minYM = 0, maxXM = 0, maxYM = 0;
    int widthPx = 0, heightPx = 0;
};

// Pixels from the top row down, four bytes each: red, green, blue, alpha (not premultiplied).
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    std::uint32_t pixel(int x, int y) const; // 0xAARRGGBB
    QImage toQImage() const;                 // a copy, Format_RGBA8888
};

struct RgbaRender {
    RgbaImage image;
    std::string error; // empty when the view was drawn (a transparent picture is no error)
    bool ok() const { return error.empty(); }
};

struct RasterBackgroundOptions {
    std::string surveyCrsWkt;   // required
    std::string fallbackCrsWkt; // for images that carry no CRS; empty: the survey's
    // Resampling. Nearest neighbour from the overview nearest the view's resolution looks as smooth
    // and is eight times faster than bilinear (45 against 400 ms for a 1920 x 1080 view).
    bool bilinear = false;
};

struct GridExtent {
    double minXM, minYM, maxXM, maxYM;
};

class RasterBackground;

struct RasterBackgroundOpen {
    std::unique_ptr<RasterBackground> background;
    std::string error;
    bool ok() const { return background != nullptr; }
};

class RasterBackground {
public:
    static RasterBackgroundOpen open(const std::filesystem::path& path,
                                     const RasterBackgroundOptions& options);

    RgbaRender render(const GridView& view) const;

    // The image's outline in the survey grid (the box around it), when it can be transformed.
    const std::optional<GridExtent>& surveyExtent() const { return extent_; }
    const std::filesystem::path& path() const { return path_; }
    int widthPx() const { return width_; }
    int heightPx() const { return height_; }
    int overviewCount() const;

    // Adds overviews (2, 4, 8 ... down to 256 pixels) to an image that has none, in an .ovr beside it.
    static WriteResult buildOverviews(const std::filesystem::path& path, const WriteProgress& progress = {});

private:
    RasterBackground() = default;

    std::filesystem::path path_;
    RasterBackgroundOptions options_;
    std::string sourceWkt_;
    int width_ = 0, height_ = 0;
    std::optional<GridExtent> extent_;
    gis::DatasetHandle file_;   // the image as opened
    gis::DatasetHandle source_; // what is warped: the file, or a view of it expanded to 8-bit RGBA
};

} // namespace selvir
