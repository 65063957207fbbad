// The four passes of the DXF import and the shapes made from each entity.
#include "layoutfiles/DxfImport.h"

#include "core/CodePage.h"
#include "core/NumberFormat.h"
#include "layoutfiles/DxfPairs.h"
#include "layoutfiles/LoadJournal.h"
#include "layoutfiles/TextNumbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <unordered_map>

namespace selvir {
namespace {

constexpr int arcSegments = 20;
constexpr int ellipseSegments = 36;
// An ellipse whose parameter range reaches 2 pi less 0.01 is drawn closed.
constexpr double fullEllipseRange = 6.2731853071795864;
constexpr double minTextHeight = 0.1;
constexpr double fallbackTextHeight = 2.5;
constexpr std::string_view binarySentinel = "AutoCAD Binary DXF";

enum class Kind {
    Other,
    Line,
    Circle,
    Arc,
    Ellipse,
    Solid,
    Point,
    Spline,
    Text,
    LwPolyline,
    Polyline,
    Insert
};

Kind kindOf(std::string_view name) {
    switch (name.empty() ? '\0' : name.front()) {
    case 'A':
        return name == "ARC" ? Kind::Arc : Kind::Other;
    case 'C':
        return name == "CIRCLE" ? Kind::Circle : Kind::Other;
    case 'E':
        return name == "ELLIPSE" ? Kind::Ellipse : Kind::Other;
    case 'I':
        return name == "INSERT" ? Kind::Insert : Kind::Other;
    case 'L':
        return name == "LINE" ? Kind::Line : name == "LWPOLYLINE" ? Kind::LwPolyline : Kind::Other;
    case 'M':
        return name == "MTEXT" ? Kind::Text : Kind::Other;
    case 'P':
        return name == "POINT" ? Kind::Point : name == "POLYLINE" ? Kind::Polyline : Kind::Other;
    case 'S':
        return name == "SOLID" ? Kind::Solid : name == "SPLINE" ? Kind::Spline : Kind::Other;
    case 'T':
        return name == "TEXT" ? Kind::Text : name == "TRACE" ? Kind::Solid : Kind::Other;
    default:
        return Kind::Other;
    }
}

double realOf(std::string_view value) {
    double v = 0.0;
    return textnum::leadingReal(value, v) > 0 ? v : 0.0;
}

int integerOf(std::string_view value) {
    std::int64_t v = 0;
    if (textnum::leadingInteger(value, v) == 0) {
        return 0;
    }
    if (v < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    if (v > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(v);
}

// Names and texts: UTF-8 when they are well-formed UTF-8, else the 8-bit code page of older files.
QString decoded(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return QString::fromStdString(toUtf8(bytes, CodePage::Windows1254));
}

// The groups of one entity that any imported kind reads.
struct Groups {
    std::string layer;
    bool hasColor = false;
    int color = 0;
    double x[4] = {}; // groups 10..13
    double y[4] = {}; // groups 20..23
    double g40 = 0.0, g41 = 0.0, g42 = 0.0, g50 = 0.0, g51 = 0.0;
    bool has40 = false, has41 = false, has42 = false, has50 = false, has51 = false;
    int flags = 0;                    // group 70
    std::string text;                 // group 1, the last one
    std::string name;                 // group 2
    std::vector<WorldPoint> vertices; // LWPOLYLINE and SPLINE: 10 gives a pending X, 20 completes it
    bool pendingX = false;

    void reset() {
        layer.assign("0");
        hasColor = has40 = has41 = has42 = has50 = has51 = pendingX = false;
        color = flags = 0;
        for (int i = 0; i < 4; ++i) {
            x[i] = y[i] = 0.0;
        }
        g40 = g41 = g42 = g50 = g51 = 0.0;
        text.clear();
        name.clear();
        vertices.clear();
    }
};

class Importer {
public:
    Importer(CanvasModel& model, ByteSource& source, const DxfProgressCallback& progress)
        : model_(model), pairs_(source, progress) {}

    // Pass 1: true when the file has an ENTITIES section.
    bool hasEntities() { return pairs_.restart(1) && pairs_.findSection("ENTITIES"); }

    void readLayerTable() {
        if (!pairs_.restart(2) || !pairs_.findSection("TABLES")) {
            return;
        }
        bool have = pairs_.next();
        while (have && !pairs_.startOf("ENDSEC")) {
            if (!pairs_.startOf("LAYER")) {
                have = pairs_.next();
                continue;
            }
            std::string name;
            int colorIndex = 7;
            while ((have = pairs_.next()) && !pairs_.start()) {
                if (pairs_.code() == 2) {
                    name.assign(pairs_.value());
                } else if (pairs_.code() == 62) {
                    colorIndex = integerOf(pairs_.value());
                }
            }
            if (!name.empty()) {
                TSLayer* layer = layerNamed(name);
                if (const auto color = dxfColor(colorIndex)) {
                    layer->PenFg = *color; // shapes already on the layer keep their colour
                }
            }
        }
    }

    void readBlocks() {
        if (!pairs_.restart(3) || !pairs_.findSection("BLOCKS")) {
            return;
        }
        bool have = pairs_.next();
        while (have && !pairs_.startOf("ENDSEC")) {
            if (!pairs_.startOf("BLOCK")) {
                have = pairs_.next();
                continue;
            }
            auto block = std::make_unique<TSBlock>();
            std::string name;
            while ((have = pairs_.next()) && !pairs_.start()) {
                switch (pairs_.code()) {
                case 2:
                    name.assign(pairs_.value());
                    break;
                case 10:
                    block->BaseX = realOf(pairs_.value());
                    break;
                case 20:
                    block->BaseY = realOf(pairs_.value());
                    break;
                default:
                    break;
                }
            }
            block->Name = decoded(name);
            // The block's entities up to ENDBLK: only lines are kept.
            while (have && !pairs_.startOf("ENDBLK") && !pairs_.startOf("ENDSEC")) {
                const bool line = pairs_.startOf("LINE");
                groups_.reset();
                have = readGroups(groups_, false);
                if (line) {
                    auto l = std::make_unique<TSLine>();
                    l->X1 = groups_.x[0], l->Y1 = groups_.y[0], l->X2 = groups_.x[1], l->Y2 = groups_.y[1];
                    l->UpdateBounds();
                    budget_.add(2);
                    block->Shapes.push_back(std::move(l));
                }
            }
            model_.Blocks.push_back(std::move(block));
            if (have && pairs_.startOf("ENDBLK")) {
                have = pairs_.next();
            }
        }
    }

    // Pass 4. Returns the number of shapes made.
    int readEntities() {
        if (!pairs_.restart(4) || !pairs_.findSection("ENTITIES")) {
            return 0;
        }
        bool have = pairs_.next();
        while (have && !pairs_.startOf("ENDSEC")) {
            if (!pairs_.start()) {
                have = pairs_.next();
                continue;
            }
            const Kind kind = kindOf(pairs_.value());
            groups_.reset();
            have = readGroups(groups_, kind == Kind::LwPolyline || kind == Kind::Spline);
            if (kind == Kind::Polyline) {
                have = readVertices(groups_, have);
            }
            make(kind, groups_);
        }
        return made_;
    }

private:
    // Reads the pairs of the entity or entry the reader stands on, up to the next code 0. Returns
    // false at the end of the file.
    bool readGroups(Groups& g, bool collectVertices) {
        bool have = false;
        while ((have = pairs_.next()) && !pairs_.start()) {
            const int code = pairs_.code();
            const std::string_view v = pairs_.value();
            switch (code) {
            case 1:
                g.text.assign(v);
                break;
            case 2:
                g.name.assign(v);
                break;
            case 8:
                g.layer.assign(v);
                break;
            case 10:
            case 11:
            case 12:
            case 13:
                g.x[code - 10] = realOf(v);
                if (code == 10 && collectVertices) {
                    g.pendingX = true;
                }
                break;
            case 20:
            case 21:
            case 22:
            case 23:
                g.y[code - 20] = realOf(v);
                if (code == 20 && collectVertices && g.pendingX) {
                    g.vertices.push_back({g.x[0], g.y[0]});
                    g.pendingX = false;
                }
                break;
            case 40:
                g.g40 = realOf(v), g.has40 = true;
                break;
            case 41:
                g.g41 = realOf(v), g.has41 = true;
                break;
            case 42:
                g.g42 = realOf(v), g.has42 = true;
                break;
            case 50:
                g.g50 = realOf(v), g.has50 = true;
                break;
            case 51:
                g.g51 = realOf(v), g.has51 = true;
                break;
            case 62:
                g.color = integerOf(v), g.hasColor = true;
                break;
            case 70:
                g.flags = integerOf(v);
                break;
            default:
                break;
            }
        }
        return have;
    }

    // The VERTEX entities after a POLYLINE (one vertex each from 10, 20), then its SEQEND. Another
    // entity before SEQEND ends the polyline there.
    bool readVertices(Groups& polyline, bool have) {
        while (have && pairs_.startOf("VERTEX")) {
            vertex_.reset();
            have = readGroups(vertex_, false);
            polyline.vertices.push_back({vertex_.x[0], vertex_.y[0]});
        }
        if (have && pairs_.startOf("SEQEND")) {
            vertex_.reset();
            have = readGroups(vertex_, false);
        }
        return have;
    }

    struct LayerRef {
        int index = 0;
        TSLayer* layer = nullptr;
    };

    // The layer of that name, created (and made current) when missing.
    TSLayer* layerNamed(const std::string& raw) {
        const QString name = decoded(raw);
        int index = model_.LayerFindByName(name);
        if (index < 0) {
            index = model_.LayerOpen(name);
        }
        return model_.FindLayer(index);
    }

    // Entities mostly come in runs on one layer; the lookup is cached by the raw name.
    const LayerRef& layerOf(const std::string& raw) {
        if (lastLayer_ != nullptr && lastLayerName_ == raw) {
            return *lastLayer_;
        }
        auto found = layers_.find(raw);
        if (found == layers_.end()) {
            TSLayer* layer = layerNamed(raw);
            found = layers_.emplace(raw, LayerRef{layer->Index, layer}).first;
        }
        lastLayerName_ = raw;
        lastLayer_ = &found->second;
        return found->second;
    }

    TColor penOf(const Groups& g, const TSLayer& layer) const {
        if (g.hasColor) {
            if (const auto color = dxfColor(g.color)) {
                return *color;
            }
        }
        return layer.PenFg;
    }

    // `points`: the shape's vertices, counted against the load's limits.
    void append(std::unique_ptr<TSShape> shape, const LayerRef& layer, std::size_t points = 2) {
        budget_.add(points);
        shape->Layer = layer.index;
        shape->UpdateBounds();
        shape->Id = model_.TakeNextId();
        model_.AppendShape(std::move(shape));
        ++made_;
    }

    void addPolyline(const std::vector<WorldPoint>& points, bool closed, const Groups& g) {
        const LayerRef& layer = layerOf(g.layer);
        auto p = std::make_unique<TSPolyline>();
        p->Closed = closed;
        p->ShapeType = closed ? ShapeKind::Polygon : ShapeKind::Polyline;
        p->PenFg = penOf(g, *layer.layer);
        p->PenWidth = 1;
        budget_.vertices(points.size()); // before the copy is made
        p->Points.reserve(points.size());
        for (const WorldPoint& point : points) {
            p->AddPoint(point.X, point.Y);
        }
        append(std::move(p), layer, 0);
    }

    void make(Kind kind, const Groups& g) {
        switch (kind) {
        case Kind::Line:
        case Kind::Circle:
            lineOrCircle(kind, g);
            return;
        case Kind::Arc:
            arc(g);
            return;
        case Kind::Ellipse:
            ellipse(g);
            return;
        case Kind::Solid: {
            std::vector<WorldPoint> corners{{g.x[0], g.y[0]}, {g.x[1], g.y[1]}, {g.x[3], g.y[3]}};
            if (g.x[2] != g.x[3] || g.y[2] != g.y[3]) {
                corners.push_back({g.x[2], g.y[2]});
            }
            addPolyline(corners, true, g);
            return;
        }
        case Kind::Point:
            model_.DrawPoint(g.x[0], g.y[0], layerOf(g.layer).index);
            ++made_;
            return;
        case Kind::Spline:
        case Kind::LwPolyline:
        case Kind::Polyline:
            if (g.vertices.size() >= 2) {
                addPolyline(g.vertices, (g.flags & 1) != 0, g);
            }
            return;
        case Kind::Text:
            text(g);
            return;
        case Kind::Insert:
            insert(g);
            return;
        case Kind::Other:
            return;
        }
    }

    void lineOrCircle(Kind kind, const Groups& g) {
        const LayerRef& layer = layerOf(g.layer);
        std::unique_ptr<TSShape> shape;
        if (kind == Kind::Line) {
            auto l = std::make_unique<TSLine>();
            l->X1 = g.x[0], l->Y1 = g.y[0], l->X2 = g.x[1], l->Y2 = g.y[1];
            shape = std::move(l);
        } else {
            auto c = std::make_unique<TSCircle>();
            c->CenterX = g.x[0], c->CenterY = g.y[0], c->Radius = g.g40;
            shape = std::move(c);
        }
        shape->PenFg = penOf(g, *layer.layer);
        shape->PenWidth = layer.layer->PenWidth;
        append(std::move(shape), layer);
    }

    void arc(const Groups& g) {
        const double a0 = g.has50 ? g.g50 : 0.0;
        const double a1 = g.has51 ? g.g51 : 360.0;
        double sweep = a1 - a0;
        if (sweep < 0.0) {
            sweep += 360.0;
        }
        std::vector<WorldPoint> points;
        points.reserve(arcSegments + 1);
        for (int i = 0; i <= arcSegments; ++i) {
            const double t = (a0 + i * sweep / arcSegments) * std::numbers::pi / 180.0;
            points.push_back({g.x[0] + g.g40 * std::cos(t), g.y[0] + g.g40 * std::sin(t)});
        }
        addPolyline(points, false, g);
    }

    void ellipse(const Groups& g) {
        const double mx = g.x[1], my = g.y[1];
        const double ratio = g.has40 ? g.g40 : 1.0;
        const double p0 = g.has41 ? g.g41 : 0.0;
        const double p1 = g.has42 ? g.g42 : 2.0 * std::numbers::pi;
        const double a = std::sqrt(mx * mx + my * my);
        const double phi = std::atan2(my, mx);
        std::vector<WorldPoint> points;
        points.reserve(ellipseSegments + 1);
        for (int i = 0; i <= ellipseSegments; ++i) {
            const double t = p0 + (p1 - p0) * i / ellipseSegments;
            const double u = a * std::cos(t);
            const double v = a * ratio * std::sin(t);
            points.push_back({g.x[0] + u * std::cos(phi) - v * std::sin(phi),
                              g.y[0] + u * std::sin(phi) + v * std::cos(phi)});
        }
        addPolyline(points, std::abs(p1 - p0) >= fullEllipseRange, g);
    }

    void text(const Groups& g) {
        if (g.text.empty()) {
            return;
        }
        const LayerRef& layer = layerOf(g.layer);
        const QString caption = decoded(stripMtextFormatting(g.text));
        auto t = std::make_unique<TSText>();
        t->X = g.x[0];
        t->Y = g.y[0];
        t->Caption = caption;
        t->Text = caption;
        t->FontIndex = -1;
        t->FontName = QStringLiteral("Arial");
        t->Bold = false;
        t->Italic = false;
        t->Rotation = g.has50 ? g.g50 : 0.0;
        t->HAlign = 0;
        t->VAlign = 2;
        t->TextHeight = g.g40 > minTextHeight ? g.g40 : fallbackTextHeight;
        t->PenFg = layer.layer->PenFg;
        append(std::move(t), layer);
    }

    void insert(const Groups& g) {
        const TSBlock* block = model_.FindBlock(decoded(g.name));
        if (block == nullptr) {
            return;
        }
        const LayerRef& layer = layerOf(g.layer);
        const double sx = g.has41 ? g.g41 : 1.0;
        const double sy = g.has42 ? g.g42 : 1.0;
        const double theta = (g.has50 ? g.g50 : 0.0) * std::numbers::pi / 180.0;
        const double c = std::cos(theta), s = std::sin(theta);
        const std::optional<TColor> color = g.hasColor ? dxfColor(g.color) : std::nullopt;
        const auto place = [&](double x, double y, double& px, double& py) {
            const double dx = (x - block->BaseX) * sx;
            const double dy = (y - block->BaseY) * sy;
            px = dx * c - dy * s + g.x[0];
            py = dx * s + dy * c + g.y[0];
        };
        for (const auto& shape : block->Shapes) {
            const auto* source = dynamic_cast<const TSLine*>(shape.get());
            if (source == nullptr) {
                continue;
            }
            auto l = std::make_unique<TSLine>();
            place(source->X1, source->Y1, l->X1, l->Y1);
            place(source->X2, source->Y2, l->X2, l->Y2);
            l->PenWidth = 1;
            l->PenFg = color ? *color : source->PenFg;
            append(std::move(l), layer);
        }
    }

    CanvasModel& model_;
    dxf::PairReader pairs_;
    Groups groups_;
    Groups vertex_;
    std::unordered_map<std::string, LayerRef> layers_;
    std::string lastLayerName_;
    const LayerRef* lastLayer_ = nullptr;
    int made_ = 0;
    LoadBudget budget_;
};

bool startsAsBinaryDxf(ByteSource& source) {
    char head[32] = {};
    const std::size_t got = source.read(head, binarySentinel.size());
    return std::string_view(head, got) == binarySentinel;
}

void summarise(const CanvasModel& model, int entities, std::vector<std::string>& lines) {
    int lineCount = 0, circles = 0, texts = 0, polylines = 0;
    const TSText* firstText = nullptr;
    for (const auto& shape : model.Shapes) {
        switch (shape->ShapeType) {
        case ShapeKind::Line:
            ++lineCount;
            break;
        case ShapeKind::Circle:
            ++circles;
            break;
        case ShapeKind::Text:
            ++texts;
            if (firstText == nullptr) {
                firstText = dynamic_cast<const TSText*>(shape.get());
            }
            break;
        case ShapeKind::Polyline:
        case ShapeKind::Polygon:
            ++polylines;
            break;
        default:
            break;
        }
    }
    lines.push_back("DXF loaded: " + std::to_string(entities) + " entities");
    lines.push_back("Lines: " + std::to_string(lineCount) + ", Circles: " + std::to_string(circles) +
                    ", Texts: " + std::to_string(texts) + ", Polylines: " + std::to_string(polylines));
    lines.push_back("Blocks: " + std::to_string(model.Blocks.size()));
    if (firstText != nullptr) {
        lines.push_back("First text: '" + firstText->Caption.toStdString() +
                        "' FontSize=" + formatGeneral(firstText->TextHeight));
    }
}

} // namespace

std::string DxfLoadReport::message() const {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) {
            text += '\n';
        }
        text += line;
    }
    return text;
}

double DxfProgress::fraction() const {
    const double inPass =
        totalBytes > 0 ? static_cast<double>(bytesRead) / static_cast<double>(totalBytes) : 0.0;
    const double f = (pass - 1 + std::min(inPass, 1.0)) / 4.0;
    return std::clamp(f, 0.0, 1.0);
}

std::optional<TColor> dxfColor(std::int64_t index) {
    switch (index) {
    case 1:
        return 0x0000FF;
    case 2:
        return 0x00FFFF;
    case 3:
        return 0x00FF00;
    case 4:
        return 0xFFFF00;
    case 5:
        return 0xFF0000;
    case 6:
        return 0xFF00FF;
    case 7:
        return 0xFFFFFF;
    case 8:
        return 0x808080;
    case 9:
        return 0xC0C0C0;
    default:
        break;
    }
    if (index >= 10 && index <= 255) {
        const int i = static_cast<int>(index);
        return makeColor(17 * i % 256, 37 * i % 256, 53 * i % 256);
    }
    return std::nullopt;
}

std::string stripMtextFormatting(std::string_view text) {
    constexpr std::string_view formatLetters = "ACFHQSTWfp"; // codes with an argument
    constexpr std::string_view toggleLetters = "LlOoKk";     // underline, overline, strike on and off
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'P') {
                // A paragraph break: a caption is one line (a line break would also split the
                // line-oriented layout file), so the words around it stay apart by a blank.
                out += ' ';
                ++i;
                continue;
            }
            if (toggleLetters.find(next) != std::string_view::npos) {
                ++i;
                continue;
            }
            if (formatLetters.find(next) != std::string_view::npos) {
                std::size_t j = i + 2;
                while (j < text.size() && text[j] != ';' && text[j] != ' ') {
                    ++j;
                }
                i = j; // the terminator goes too
                continue;
            }
            if (next == '\\') {
                out += '\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

LayoutFileResult importDxf(CanvasModel& model, ViewWindow& view, ClientSize client, ByteSource& source,
                           DxfLoadReport* report, const DxfProgressCallback& progress) {
    DxfLoadReport local;
    DxfLoadReport& out = report ? *report : local;
    out = DxfLoadReport{};
    const auto failed = [&out](std::string_view reason) {
        out.lines.assign(1, std::string(dxfLoadFailed) + std::string(reason));
        return LayoutFileResult::failure(std::string(reason));
    };
    try {
        if (startsAsBinaryDxf(source)) {
            return failed(dxfBinaryRefused);
        }
        LoadJournal journal(model, view, false);
        Importer importer(model, source, progress);
        if (!importer.hasEntities()) {
            return failed(dxfNoEntitiesSection);
        }
        try {
            importer.readLayerTable();
            importer.readBlocks();
            out.entities = importer.readEntities();
        } catch (const LoadLimitExceeded& refused) {
            journal.undo(); // a drawing that would take all memory: nothing of it stays
            model.SetDirty();
            return failed(refused.what());
        }
        view.WorldExtents(model, client);
        model.SetDirty();
        if (out.entities == 0) {
            return failed(dxfNoEntities);
        }
        summarise(model, out.entities, out.lines);
        return LayoutFileResult::success();
    } catch (...) {
        // Out of memory part-way: what was made stays, as after a truncated file.
        model.SetDirty();
        return runLayoutFileOperation({}, [&] { return failed(dxfOutOfMemory); });
    }
}

LayoutFileResult DXFLoad(CanvasModel& model, ViewWindow& view, ClientSize client,
                         const std::filesystem::path& file, DxfLoadReport* report,
                         const DxfProgressCallback& progress) {
    if (report) {
        *report = DxfLoadReport{};
    }
    return runLayoutFileOperation(file, [&] {
        FileByteSource source(file);
        if (!source.isOpen()) {
            return LayoutFileResult::failure(source.openError());
        }
        return importDxf(model, view, client, source, report, progress);
    });
}

} // namespace selvir
