#include "layoutfiles/DxfExport.h"

#include "core/AtomicFile.h"
#include "core/CodePage.h"
#include "core/NumberFormat.h"

#include <cmath>
#include <unordered_map>

namespace selvir {
namespace {

// Group-code/value pairs, each on two CR LF lines.
class DxfWriter {
public:
    explicit DxfWriter(std::string& text) : text_(text) {}

    DxfWriter& pair(const char* code, std::string_view value) {
        text_ += code;
        text_ += "\r\n";
        text_ += value;
        text_ += "\r\n";
        return *this;
    }
    DxfWriter& real(const char* code, double value) { return pair(code, formatFixed(value, 6)); }
    DxfWriter& zero(const char* code) { return pair(code, "0.0"); }
    // "10" x, "20" y, "30" 0.0
    DxfWriter& point(double x, double y) { return real("10", x).real("20", y).zero("30"); }

private:
    std::string& text_;
};

// A name or caption as one 8-bit value line: a line break inside it would shift every later pair.
std::string valueText(const QString& text) {
    std::string bytes = fromUtf8(text.toStdString(), CodePage::Windows1254);
    for (char& c : bytes) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return bytes;
}

void writeHeaderAndTables(DxfWriter& out, const CanvasModel& model, const ViewWindow& view) {
    out.pair("0", "SECTION").pair("2", "HEADER");
    out.pair("9", "$ACADVER").pair("1", "AC1009");
    out.pair("9", "$INSBASE").zero("10").zero("20").zero("30");
    out.pair("9", "$EXTMIN").real("10", view.WorldLeft).real("20", view.WorldBottom).zero("30");
    out.pair("9", "$EXTMAX").real("10", view.WorldRight).real("20", view.WorldTop).zero("30");
    out.pair("0", "ENDSEC");
    out.pair("0", "SECTION").pair("2", "TABLES");
    out.pair("0", "TABLE").pair("2", "LAYER").pair("70", std::to_string(model.Layers.size()));
    for (const auto& layer : model.Layers) {
        out.pair("0", "LAYER").pair("2", valueText(layer->Name)).pair("70", "0").pair("62", "7");
        out.pair("6", "CONTINUOUS");
    }
    out.pair("0", "ENDTAB").pair("0", "ENDSEC");
}

void writeVertex(DxfWriter& out, const std::string& layer, double x, double y) {
    out.pair("0", "VERTEX").pair("8", layer).point(x, y);
}

void writeShape(DxfWriter& out, const TSShape& shape, const std::string& layer) {
    switch (shape.ShapeType) {
    case ShapeKind::Line:
        if (const auto* s = dynamic_cast<const TSLine*>(&shape)) {
            out.pair("0", "LINE").pair("8", layer).point(s->X1, s->Y1);
            out.real("11", s->X2).real("21", s->Y2).zero("31");
        }
        return;
    case ShapeKind::Circle:
        if (const auto* s = dynamic_cast<const TSCircle*>(&shape)) {
            out.pair("0", "CIRCLE").pair("8", layer).point(s->CenterX, s->CenterY).real("40", s->Radius);
        }
        return;
    case ShapeKind::Point:
        if (const auto* s = dynamic_cast<const TSPoint*>(&shape)) {
            out.pair("0", "POINT").pair("8", layer).point(s->X, s->Y);
        }
        return;
    case ShapeKind::Text:
        if (const auto* s = dynamic_cast<const TSText*>(&shape)) {
            out.pair("0", "TEXT").pair("8", layer).point(s->X, s->Y);
            out.real("40", s->TextHeight > 0.0 ? s->TextHeight : 2.5).pair("1", valueText(s->Caption));
            if (s->Rotation != 0.0) {
                out.real("50", s->Rotation);
            }
        }
        return;
    case ShapeKind::Rectangle:
        if (const auto* s = dynamic_cast<const TSRectangle*>(&shape)) {
            out.pair("0", "POLYLINE").pair("8", layer).pair("66", "1").pair("70", "1");
            writeVertex(out, layer, s->X1, s->Y1);
            writeVertex(out, layer, s->X2, s->Y1);
            writeVertex(out, layer, s->X2, s->Y2);
            writeVertex(out, layer, s->X1, s->Y2);
            out.pair("0", "SEQEND").pair("8", layer);
        }
        return;
    case ShapeKind::Ellipse:
        if (const auto* s = dynamic_cast<const TSEllipse*>(&shape)) {
            const double r = (std::abs(s->X2 - s->X1) / 2.0 + std::abs(s->Y2 - s->Y1) / 2.0) / 2.0;
            out.pair("0", "CIRCLE").pair("8", layer);
            out.point((s->X1 + s->X2) / 2.0, (s->Y1 + s->Y2) / 2.0).real("40", r);
        }
        return;
    case ShapeKind::Polyline:
    case ShapeKind::Polygon:
        if (const auto* s = dynamic_cast<const TSPolyline*>(&shape); s && !s->Points.empty()) {
            out.pair("0", "POLYLINE").pair("8", layer).pair("66", "1").pair("70", s->Closed ? "1" : "0");
            for (const TPointF& p : s->Points) {
                writeVertex(out, layer, p.X, p.Y);
            }
            out.pair("0", "SEQEND").pair("8", layer);
        }
        return;
    default:
        return;
    }
}

} // namespace

std::string buildDxfText(const CanvasModel& model, const ViewWindow& view) {
    std::string text;
    DxfWriter out(text);
    writeHeaderAndTables(out, model, view);
    out.pair("0", "SECTION").pair("2", "ENTITIES");
    std::unordered_map<int, std::string> layerNames;
    for (const auto& layer : model.Layers) {
        layerNames.emplace(layer->Index, valueText(layer->Name));
    }
    const std::string noLayer = "0";
    for (const auto& shape : model.Shapes) {
        if (!shape->Visible) {
            continue;
        }
        const auto found = layerNames.find(shape->Layer);
        writeShape(out, *shape, found == layerNames.end() ? noLayer : found->second);
    }
    out.pair("0", "ENDSEC").pair("0", "EOF");
    return text;
}

LayoutFileResult DXFSave(const CanvasModel& model, const ViewWindow& view,
                         const std::filesystem::path& file) {
    return runLayoutFileOperation(file, [&] {
        std::string error;
        if (!writeFileAtomically(file, buildDxfText(model, view), &error)) {
            return LayoutFileResult::failure(error);
        }
        return LayoutFileResult::success();
    });
}

} // namespace selvir
