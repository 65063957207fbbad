// Reading the native layout: decompression as the text is needed, one record per line.
#include "core/AtomicFile.h"
#include "core/CodePage.h"
#include "layoutfiles/LoadJournal.h"
#include "layoutfiles/NativeLayout.h"
#include "layoutfiles/TextNumbers.h"
#include "layoutfiles/ZlibStream.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <system_error>
#include <type_traits>

namespace selvir {
namespace {

// Vertices reserved up front at most; a longer polyline grows as its point lines are read.
constexpr std::int64_t reserveLimit = 1 << 16;

bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}

// The blank-separated fields of one record, read from the left.
class Fields {
public:
    explicit Fields(std::string_view text) : rest_(text) {}

    // The next word, leading blanks skipped; empty when the line has no more.
    std::string_view word() {
        std::size_t b = 0;
        while (b < rest_.size() && isSeparator(rest_[b])) {
            ++b;
        }
        std::size_t e = b;
        while (e < rest_.size() && !isSeparator(rest_[e])) {
            ++e;
        }
        const std::string_view w = rest_.substr(b, e - b);
        rest_.remove_prefix(e);
        return w;
    }
    bool real(double& value) {
        std::size_t b = 0;
        while (b < rest_.size() && isSeparator(rest_[b])) {
            ++b;
        }
        const char* p = rest_.data() + b;
        const char* end = rest_.data() + rest_.size();
        if (textnum::plainDecimalPrefix(p, end, value) && (p == end || isSeparator(*p))) {
            rest_ = std::string_view(p, static_cast<std::size_t>(end - p));
            return true;
        }
        return textnum::wordReal(word(), value);
    }
    // A 32-bit field: signed values, and unsigned colour values up to 0xFFFFFFFF taken as their
    // signed bit pattern.
    bool integer(std::int32_t& value) {
        std::int64_t wide = 0;
        if (!textnum::wordInteger(word(), wide) || wide < std::numeric_limits<std::int32_t>::min() ||
            wide > std::numeric_limits<std::uint32_t>::max()) {
            return false;
        }
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
        return true;
    }
    bool count(std::int64_t& value) { return textnum::wordInteger(word(), value); }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

// Trailing fields: once one is missing or unreadable, it and every later one keep their defaults.
class TrailingFields {
public:
    explicit TrailingFields(Fields& fields) : fields_(fields) {}
    template <class T>
    TrailingFields& integer(T& target) {
        std::int32_t v = 0;
        if (!missing_ && fields_.integer(v)) {
            target = static_cast<T>(v);
        } else {
            missing_ = true;
        }
        return *this;
    }
    TrailingFields& real(double& target) {
        double v = 0.0;
        if (!missing_ && fields_.real(v)) {
            target = v;
        } else {
            missing_ = true;
        }
        return *this;
    }
    bool missing() const { return missing_; }

private:
    Fields& fields_;
    bool missing_ = false;
};

// The text's lines at LF; a CR before the LF (a file edited on Windows) is not part of the line.
class TextLines {
public:
    // Large reads: the inflater then works in few, long calls.
    // Reads of up to 256 KiB (the inflater then works in few, long calls while the text it gives stays
    // in the cache); less for a text known to be shorter. `expectedBytes` 0: not known.
    TextLines(ByteSource& source, std::uint64_t expectedBytes)
        : lines_(source, false, LineReader::defaultMaxLineBytes,
                 static_cast<std::size_t>(std::clamp<std::uint64_t>(expectedBytes + 1, 4096, 256 << 10))) {}
    bool next(std::string_view& line) {
        if (!lines_.next(line)) {
            return false;
        }
        ++count_;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return true;
    }
    // Lines read so far.
    std::uint64_t count() const { return count_; }

private:
    LineReader lines_;
    std::uint64_t count_ = 0;
};

QString fromEightBit(std::string_view bytes) {
    return QString::fromStdString(toUtf8(bytes, CodePage::Windows1254));
}

class RecordReader {
public:
    RecordReader(CanvasModel& model, ViewWindow& view, ByteSource& text, std::uint64_t expectedBytes,
                 bool replace)
        : model_(model), view_(view), lines_(text, expectedBytes), replace_(replace) {}

    void run() {
        std::string_view line;
        while (lines_.next(line)) {
            if (line.empty() || line.front() == '#') {
                continue;
            }
            Fields fields(line);
            const std::string_view keyword = fields.word();
            const std::size_t before = model_.Shapes.size();
            record(keyword, fields);
            if (model_.Shapes.size() != before) {
                budget_.add(0); // the vertices of polylines are counted before they are read
            }
        }
        if (replace_) {
            ensureDefaultLayer();
        }
    }
    std::uint64_t linesRead() const { return lines_.count(); }

private:
    void record(std::string_view keyword, Fields& f) {
        if (keyword == "LINE") {
            lineOrCircle(f, false);
        } else if (keyword == "POLYLINE") {
            polyline(f, ShapeKind::Polyline, false);
        } else if (keyword == "POLYGON") {
            polyline(f, ShapeKind::Polygon, true);
        } else if (keyword == "POINT") {
            point(f);
        } else if (keyword == "TEXT") {
            text(f);
        } else if (keyword == "LAYER") {
            layer(f);
        } else if (keyword == "CIRCLE") {
            lineOrCircle(f, true);
        } else if (keyword == "RECTANGLE") {
            rectangle(f);
        } else if (keyword == "ELLIPSE") {
            ellipse(f);
        } else if (keyword == "SPLINE") {
            polyline(f, ShapeKind::Spline, false);
        } else if (keyword == "ARC3P") {
            polyline(f, ShapeKind::Curve, false);
        } else if (keyword == "ARC") {
            arc(f);
        } else if (keyword == "WORLD") {
            world(f);
        }
    }

    // Shapes built directly: the record's layer as it is, bounds, the next id, on top.
    void append(std::unique_ptr<TSShape> shape, std::int32_t layer) {
        shape->Layer = presentLayer(layer);
        shape->UpdateBounds();
        shape->Id = model_.TakeNextId();
        model_.AppendShape(std::move(shape));
    }

    // The pen rule of ELLIPSE, ARC and the polyline group: the record's pen only when its colour is
    // not 0, else the base values.
    static void penUnlessZero(TSShape& shape, TColor pen, int width) {
        if (pen != 0) {
            shape.PenFg = pen;
            shape.PenWidth = width;
        }
    }

    void world(Fields& f) {
        double left = 0, right = 0, bottom = 0, top = 0;
        if (f.real(left) && f.real(right) && f.real(bottom) && f.real(top)) {
            view_.WorldLeft = left;
            view_.WorldRight = right;
            view_.WorldBottom = bottom;
            view_.WorldTop = top;
        }
    }

    void layer(Fields& f) {
        std::string_view name = f.rest();
        // The rest of the line after the one blank that follows the keyword.
        if (!name.empty()) {
            name.remove_prefix(1);
        }
        layerMap_.push_back(model_.LayerOpen(fromEightBit(name)));
    }

    // The drawing's index of the layer a record names by its saved index. Layers are saved in index
    // order, so the n-th LAYER record is saved index n. Replacing the drawing starts from no layers,
    // so the file's layers get their own indexes back whatever their names; adding to it puts the
    // shape on the layer of the same name, not on whatever layer holds that number here. An index
    // the file has no layer for stays as it is.
    std::int32_t presentLayer(std::int32_t saved) const {
        return saved >= 0 && static_cast<std::size_t>(saved) < layerMap_.size()
                   ? layerMap_[static_cast<std::size_t>(saved)]
                   : saved;
    }

    // LINE and CIRCLE go through the creators: "Default" when the layer is missing, the layer's pen;
    // the record's pen and width replace it only when its colour is not 0.
    void lineOrCircle(Fields& f, bool circle) {
        double a = 0, b = 0, c = 0, d = 0;
        std::int32_t layer = 0;
        const bool leading = circle ? f.real(a) && f.real(b) && f.real(c) && f.integer(layer)
                                    : f.real(a) && f.real(b) && f.real(c) && f.real(d) && f.integer(layer);
        if (!leading) {
            return;
        }
        TColor pen = 0;
        int width = 1;
        TrailingFields(f).integer(pen).integer(width);
        layer = presentLayer(layer);
        const ShapeId id = circle ? model_.DrawCircle(a, b, c, layer) : model_.DrawLine(a, b, c, d, layer);
        if (pen != 0) {
            model_.SetShapePenFg(id, pen);
            model_.SetShapePenWidth(id, width);
        }
    }

    void point(Fields& f) {
        auto p = std::make_unique<TSPoint>();
        std::int32_t layer = 0;
        if (!(f.real(p->X) && f.real(p->Y) && f.integer(layer))) {
            return;
        }
        TrailingFields(f).integer(p->PenFg).integer(p->PenWidth).real(p->Value);
        p->PointSize = 3;
        append(std::move(p), layer);
    }

    // The leading fields of RECTANGLE and ELLIPSE: two corners and the layer.
    template <class TwoCorners>
    static bool cornersAndLayer(Fields& f, TwoCorners& shape, std::int32_t& layer) {
        return f.real(shape.X1) && f.real(shape.Y1) && f.real(shape.X2) && f.real(shape.Y2) &&
               f.integer(layer);
    }

    void rectangle(Fields& f) {
        auto r = std::make_unique<TSRectangle>();
        std::int32_t layer = 0;
        if (!cornersAndLayer(f, *r, layer)) {
            return;
        }
        // Pen and brush come from the record whatever their values; a missing brush is solid black.
        TColor pen = 0;
        int width = 1;
        TColor brush = 0;
        int brushStyle = 0;
        TrailingFields(f).integer(pen).integer(width).integer(brush).integer(brushStyle).real(r->Value);
        r->PenFg = pen;
        r->PenWidth = width;
        r->BrushFg = brush;
        r->BrushStyle = static_cast<std::uint8_t>(brushStyle);
        r->Rounded = false;
        r->CornerRadius = 10.0;
        append(std::move(r), layer);
    }

    void ellipse(Fields& f) {
        auto e = std::make_unique<TSEllipse>();
        std::int32_t layer = 0;
        if (!cornersAndLayer(f, *e, layer)) {
            return;
        }
        TColor pen = 0;
        int width = 1;
        TrailingFields(f).integer(pen).integer(width);
        e->ShapeType = ShapeKind::Ellipse;
        penUnlessZero(*e, pen, width);
        append(std::move(e), layer);
    }

    void arc(Fields& f) {
        auto a = std::make_unique<TSArc>();
        std::int32_t layer = 0;
        if (!(f.real(a->X1) && f.real(a->Y1) && f.real(a->X2) && f.real(a->Y2) && f.real(a->X3) &&
              f.real(a->Y3) && f.integer(layer))) {
            return;
        }
        TColor pen = 0;
        int width = 1;
        TrailingFields(f).integer(pen).integer(width);
        penUnlessZero(*a, pen, width);
        append(std::move(a), layer);
    }

    // The header line, then exactly n lines taken as vertices whatever they hold. A count larger than
    // the lines that follow takes the lines there are; a negative count takes none; a line that is
    // not two finite numbers gives no vertex. Nothing is reserved from n itself.
    void polyline(Fields& f, ShapeKind type, bool closed) {
        std::int32_t layer = 0;
        std::int64_t n = 0;
        if (!(f.integer(layer) && f.count(n))) {
            return;
        }
        TColor pen = 0;
        int width = 1;
        TrailingFields(f).integer(pen).integer(width);
        auto p = std::make_unique<TSPolyline>();
        p->ShapeType = type;
        p->Closed = closed;
        penUnlessZero(*p, pen, width);
        if (n > 0) {
            p->Points.reserve(static_cast<std::size_t>(std::min<std::int64_t>(n, reserveLimit)));
        }
        std::string_view line;
        // The count only announces the vertices: what the text holds is counted, as it is read.
        constexpr std::int64_t countEvery = 4096;
        std::int64_t read = 0;
        for (; read < n && lines_.next(line); ++read) {
            if ((read + 1) % countEvery == 0) {
                budget_.vertices(countEvery);
            }
            double x = 0, y = 0;
            if (pointLine(line, x, y) && std::isfinite(x) && std::isfinite(y)) {
                p->AddPoint(x, y);
            }
        }
        budget_.vertices(static_cast<std::uint64_t>(read % countEvery));
        p->Points.shrink_to_fit();
        // AddPoint kept the bounds as the vertices came.
        p->Layer = presentLayer(layer);
        p->Id = model_.TakeNextId();
        model_.AppendShape(std::move(p));
    }

    // X and Y of a point line. The common line, as the program writes it ("x y"), is read in one
    // pass; any other goes through the general field reader, with the same result.
    static bool pointLine(std::string_view line, double& x, double& y) {
        const char* p = line.data();
        const char* end = p + line.size();
        if (textnum::plainDecimalPrefix(p, end, x) && p < end && *p == ' ' &&
            textnum::plainDecimalPrefix(++p, end, y) && (p == end || isSeparator(*p))) {
            return true;
        }
        Fields xy(line);
        return xy.real(x) && xy.real(y);
    }

    void text(Fields& f) {
        double x = 0, y = 0;
        std::int32_t layer = 0, fontIndex = 0;
        if (!(f.real(x) && f.real(y) && f.integer(layer) && f.integer(fontIndex))) {
            return;
        }
        TColor pen = 0;
        double height = 10.0, rotation = 0.0;
        int bold = 0, italic = 0;
        TrailingFields trailing(f);
        trailing.integer(pen).real(height).real(rotation).integer(bold).integer(italic);
        std::string_view fontWord;
        std::string_view caption;
        if (!trailing.missing()) {
            fontWord = f.word();
            caption = f.rest();
            if (!caption.empty() && caption.front() == ' ') {
                caption.remove_prefix(1);
            }
        }
        const ShapeId id = model_.TextAdd(presentLayer(layer), fromEightBit(caption), x, y, fontIndex);
        auto* label = static_cast<TSText*>(model_.FindShape(id));
        if (pen != 0) {
            model_.SetShapePenFg(id, pen);
        }
        label->TextHeight = height;
        label->Rotation = rotation;
        label->Bold = bold != 0;
        label->Italic = italic != 0;
        if (!fontWord.empty() && fontWord != "0") {
            label->FontName = fromEightBit(fontWord);
        }
    }

    // Every drawing has "Default": a replaced drawing whose file named none gets it after the
    // file's layers, and the file's last LAYER record stays current.
    void ensureDefaultLayer() {
        if (model_.LayerFindByName(defaultLayerName) >= 0) {
            return;
        }
        const int current = model_.CurrentLayer();
        model_.LayerOpen(defaultLayerName);
        if (!layerMap_.empty()) {
            model_.SetCurrentLayer(current);
        }
    }

    CanvasModel& model_;
    ViewWindow& view_;
    TextLines lines_;
    bool replace_;
    std::vector<std::int32_t> layerMap_; // saved layer index -> the drawing's
    LoadBudget budget_;
};

// Reads a layout from `source` (the file's bytes from byte 0): inflated behind "GVX1", else as text.
// The records are turned into shapes as the text comes; when the stream proves corrupt, truncated or
// too large, or the source cannot be read, everything is undone and the failure names the line after
// which the text broke off.
template <class Source>
LayoutFileResult loadLayout(CanvasModel& model, ViewWindow& view, Source& source, int mode) {
    char magic[4] = {};
    const bool compressed =
        source.read(magic, sizeof magic) == sizeof magic && std::string_view(magic, 4) == layoutMagic;
    if (!compressed && !source.rewind()) {
        return LayoutFileResult::failure("read error");
    }
    InflatingByteSource inflater(source, maxLayoutTextBytes);
    ByteSource& text = compressed ? static_cast<ByteSource&>(inflater) : source;
    LoadJournal journal(model, view, mode == layoutReplace);
    // A compressed text is rarely more than ten times its stream.
    const std::uint64_t expected = compressed ? source.size() * 10 : source.size();
    RecordReader reader(model, view, text, expected, mode == layoutReplace);
    try {
        reader.run();
    } catch (const LoadLimitExceeded& refused) {
        journal.undo();
        model.SetDirty();
        return LayoutFileResult::failure("after line " + std::to_string(reader.linesRead()) + ": " +
                                         refused.what());
    }
    const bool sourceFailed = [&] {
        if constexpr (std::is_same_v<Source, FileByteSource>) {
            return source.failed();
        } else {
            return false;
        }
    }();
    model.SetDirty();
    if ((compressed && !inflater.complete()) || sourceFailed) {
        journal.undo();
        const std::string what = sourceFailed ? std::string("read error") : inflater.error();
        const std::string where =
            reader.linesRead() == 0 ? "at its start" : "after line " + std::to_string(reader.linesRead());
        return LayoutFileResult::failure(where + ": " + what);
    }
    return LayoutFileResult::success();
}

} // namespace

std::optional<std::string> layoutTextFromBytes(std::string bytes) {
    if (bytes.size() < layoutMagic.size() || std::string_view(bytes).substr(0, 4) != layoutMagic) {
        if (bytes.size() > maxLayoutTextBytes) {
            return std::nullopt;
        }
        return bytes;
    }
    std::string text;
    if (!zlibInflate(std::string_view(bytes).substr(layoutMagic.size()), maxLayoutTextBytes, text)) {
        return std::nullopt;
    }
    return text;
}

void applyLayoutText(CanvasModel& model, ViewWindow& view, std::string_view text, int mode) {
    LoadJournal journal(model, view, mode == layoutReplace);
    MemoryByteSource source(text);
    try {
        RecordReader(model, view, source, text.size(), mode == layoutReplace).run();
    } catch (const LoadLimitExceeded&) {
        journal.undo(); // past the limits: as if nothing had been read
    }
    model.SetDirty();
}

LayoutFileResult loadLayoutBytes(CanvasModel& model, ViewWindow& view, std::string_view bytes, int mode) {
    return runLayoutFileOperation({}, [&] {
        MemoryByteSource source(bytes);
        return loadLayout(model, view, source, mode);
    });
}

LayoutFileResult CadLoad(CanvasModel& model, ViewWindow& view, const std::filesystem::path& file, int mode) {
    return runLayoutFileOperation(file, [&] {
        FileByteSource source(file);
        if (!source.isOpen()) {
            return LayoutFileResult::failure(source.openError());
        }
        std::error_code ec;
        const auto size = std::filesystem::file_size(file, ec);
        if (ec) {
            return LayoutFileResult::failure(ec.message());
        }
        if (size > maxLayoutTextBytes) {
            return LayoutFileResult::failure("larger than the " + std::to_string(maxLayoutTextBytes) +
                                             " bytes a layout may have");
        }
        return loadLayout(model, view, source, mode);
    });
}

} // namespace selvir
