// Writing the native layout: the text, the compressed file, the atomic replacement.
#include "core/AtomicFile.h"
#include "core/CodePage.h"
#include "core/NumberFormat.h"
#include "layoutfiles/NativeLayout.h"
#include "layoutfiles/ZlibStream.h"

#include <charconv>
#include <cmath>
#include <functional>

namespace selvir {
namespace {

constexpr const char* makerLine = "# Written by SelvirHS hydrographic survey software";
// Saving hands the text to the compressor in pieces of about this size.
constexpr std::size_t pieceBytes = std::size_t{256} << 10;

// A vertex coordinate in the 6-decimal real format, the same text as formatFixed, written without its
// general conversion where that is provably the same. The product x * 10^6 is off the exact one by at
// most |x * 10^6| * 2^-53, under 0.001 below 2^43 (coordinates under 8.8 million metres): when it also
// lies more than 0.499 from a half, the nearest integer to it is the correctly rounded value. Ties and
// larger values take formatFixed.
void appendVertexReal(std::string& text, double value) {
    constexpr double kExactBelow = 8796093022208.0; // 2^43
    const double scaled = value * 1e6;
    const double units = std::nearbyint(scaled);
    if (!(std::abs(scaled) < kExactBelow) || std::abs(scaled - units) > 0.499) {
        text += formatFixed(value, 6);
        return;
    }
    if (units == 0) {
        text += "0.000000";
        return;
    }
    unsigned long long magnitude = static_cast<unsigned long long>(std::abs(units));
    char buffer[32];
    char* end = buffer + sizeof buffer;
    char* p = end;
    for (int i = 0; i < 6; ++i) {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    *--p = '.';
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (units < 0) {
        *--p = '-';
    }
    text.append(p, end);
}

// Appends fields to the layout text. Reals are fixed with 6 decimals, "." as decimal point.
class RecordWriter {
public:
    explicit RecordWriter(std::string& text) : text_(text) {}

    RecordWriter& keyword(const char* word) {
        text_ += word;
        return *this;
    }
    RecordWriter& real(double value) {
        text_ += ' ';
        text_ += formatFixed(value, 6);
        return *this;
    }
    RecordWriter& integer(long long value) {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        text_ += ' ';
        text_.append(buffer, end);
        return *this;
    }
    RecordWriter& flag(bool value) {
        text_ += value ? " 1" : " 0";
        return *this;
    }
    // The text as given after one blank (an empty text leaves just the blank).
    RecordWriter& rest(const std::string& eightBit) {
        text_ += ' ';
        text_ += eightBit;
        return *this;
    }
    void end() { text_ += '\n'; }

private:
    std::string& text_;
};

// Names and captions in the 8-bit code page. A line break inside one would end the record and turn
// the rest into a record of its own, so line breaks are written as blanks.
std::string eightBit(const QString& text) {
    std::string bytes = fromUtf8(text.toStdString(), CodePage::Windows1254);
    for (char& c : bytes) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return bytes;
}

std::string twoDigits(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

void writeHeader(std::string& text, const LocalDateTime& now) {
    text += "# Selvir Rotaplan - GVX\n";
    text += makerLine;
    text += '\n';
    text += "# Created on: " + std::to_string(now.date.year) + "-" + twoDigits(now.date.month) + "-" +
            twoDigits(now.date.day) + " " + twoDigits(now.hour) + ":" + twoDigits(now.minute) + ":" +
            twoDigits(now.second) + "." + twoDigits(now.millisecond / 10) + "\n";
    text += "#\n";
}

using FlushIfFull = std::function<void()>;

void writePolyline(std::string& text, const TSPolyline& polyline, const FlushIfFull& flushIfFull) {
    const char* keyword = "POLYLINE";
    if (polyline.ShapeType == ShapeKind::Spline) {
        keyword = "SPLINE";
    } else if (polyline.ShapeType == ShapeKind::Curve) {
        keyword = "ARC3P";
    } else if (polyline.Closed) {
        keyword = "POLYGON";
    }
    RecordWriter(text)
        .keyword(keyword)
        .integer(polyline.Layer)
        .integer(static_cast<long long>(polyline.Points.size()))
        .integer(polyline.PenFg)
        .integer(polyline.PenWidth)
        .end();
    std::size_t sinceCheck = 0;
    for (const TPointF& p : polyline.Points) {
        appendVertexReal(text, p.X);
        text += ' ';
        appendVertexReal(text, p.Y);
        text += '\n';
        if (++sinceCheck == 4096 && flushIfFull) { // a long polyline is handed over in pieces too
            sinceCheck = 0;
            flushIfFull();
        }
    }
}

// One record (or record group) for a shape of a written kind; nothing for the others, and nothing for
// a shape whose class does not match its type code.
void writeShape(std::string& text, const TSShape& shape, const FlushIfFull& flushIfFull) {
    RecordWriter out(text);
    switch (shape.ShapeType) {
    case ShapeKind::Line:
        if (const auto* s = dynamic_cast<const TSLine*>(&shape)) {
            out.keyword("LINE").real(s->X1).real(s->Y1).real(s->X2).real(s->Y2);
            out.integer(s->Layer).integer(s->PenFg).integer(s->PenWidth).end();
        }
        return;
    case ShapeKind::Circle:
        if (const auto* s = dynamic_cast<const TSCircle*>(&shape)) {
            out.keyword("CIRCLE").real(s->CenterX).real(s->CenterY).real(s->Radius);
            out.integer(s->Layer).integer(s->PenFg).integer(s->PenWidth).end();
        }
        return;
    case ShapeKind::Point:
        if (const auto* s = dynamic_cast<const TSPoint*>(&shape)) {
            out.keyword("POINT").real(s->X).real(s->Y);
            out.integer(s->Layer).integer(s->PenFg).integer(s->PenWidth).real(s->Value).end();
        }
        return;
    case ShapeKind::Text:
        if (const auto* s = dynamic_cast<const TSText*>(&shape)) {
            out.keyword("TEXT").real(s->X).real(s->Y).integer(s->Layer).integer(s->FontIndex);
            out.integer(s->PenFg).real(s->TextHeight).real(s->Rotation).flag(s->Bold).flag(s->Italic);
            out.rest(eightBit(s->FontName)).rest(eightBit(s->Caption)).end();
        }
        return;
    case ShapeKind::Polyline:
    case ShapeKind::Polygon:
    case ShapeKind::Spline:
    case ShapeKind::Curve:
        if (const auto* s = dynamic_cast<const TSPolyline*>(&shape)) {
            writePolyline(text, *s, flushIfFull);
        }
        return;
    case ShapeKind::Rectangle:
        if (const auto* s = dynamic_cast<const TSRectangle*>(&shape)) {
            out.keyword("RECTANGLE").real(s->X1).real(s->Y1).real(s->X2).real(s->Y2);
            out.integer(s->Layer).integer(s->PenFg).integer(s->PenWidth).integer(s->BrushFg);
            out.integer(s->BrushStyle).real(s->Value).end();
        }
        return;
    case ShapeKind::Ellipse4:
    case ShapeKind::Ellipse:
        if (const auto* s = dynamic_cast<const TSEllipse*>(&shape)) {
            out.keyword("ELLIPSE").real(s->X1).real(s->Y1).real(s->X2).real(s->Y2);
            out.integer(s->Layer).integer(s->PenFg).integer(s->PenWidth).end();
        }
        return;
    default:
        return;
    }
}

std::size_t estimatedTextBytes(const CanvasModel& model) {
    std::size_t bytes = 4096 + model.Layers.size() * 32;
    for (const auto& shape : model.Shapes) {
        bytes += 96;
        if (const auto* polyline = dynamic_cast<const TSPolyline*>(shape.get())) {
            bytes += polyline->Points.size() * 32;
        }
    }
    return bytes;
}

// Writes the layout text into `text`; with `flush`, hands it over whenever a piece is complete (a
// record group is never split between pieces, which does not matter to the compressor anyway).
void writeLayoutText(const CanvasModel& model, const ViewWindow& view, const LocalDateTime& now,
                     std::string& text, const std::function<void(std::string&)>& flush) {
    writeHeader(text, now);
    // A window that is not finite would reopen as a blank map: the file gets the starting one.
    const ViewWindow world = view.isFinite() ? view : ViewWindow{};
    RecordWriter(text)
        .keyword("WORLD")
        .real(world.WorldLeft)
        .real(world.WorldRight)
        .real(world.WorldBottom)
        .real(world.WorldTop)
        .end();
    for (const auto& layer : model.Layers) {
        RecordWriter(text).keyword("LAYER").rest(eightBit(layer->Name)).end();
    }
    FlushIfFull flushIfFull;
    if (flush) {
        flushIfFull = [&] {
            if (text.size() >= pieceBytes) {
                flush(text);
                text.clear();
            }
        };
    }
    for (const auto& shape : model.Shapes) {
        writeShape(text, *shape, flushIfFull);
        if (flushIfFull) {
            flushIfFull();
        }
    }
}

} // namespace

std::string buildLayoutText(const CanvasModel& model, const ViewWindow& view, const LocalDateTime& now) {
    std::string text;
    text.reserve(estimatedTextBytes(model));
    writeLayoutText(model, view, now, text, {});
    return text;
}

std::optional<std::string> compressLayoutText(std::string_view text) {
    std::string bytes(layoutMagic);
    if (!zlibCompress(text, layoutCompressionLevel, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

LayoutFileResult CadSave(const CanvasModel& model, const ViewWindow& view, const std::filesystem::path& file,
                         const Clock& clock) {
    return runLayoutFileOperation(file, [&] {
        // The text goes to the compressor piece by piece, so only the compressed file is held whole.
        std::string bytes(layoutMagic);
        ZlibDeflater deflater(layoutCompressionLevel, bytes);
        std::string piece;
        piece.reserve(pieceBytes + (std::size_t{64} << 10));
        writeLayoutText(model, view, clock.now(), piece, [&](std::string& text) { deflater.write(text); });
        if (!deflater.write(piece) || !deflater.finish()) {
            return LayoutFileResult::failure(deflater.error());
        }
        std::string error;
        if (!writeFileAtomically(file, bytes, &error)) {
            return LayoutFileResult::failure(error);
        }
        return LayoutFileResult::success();
    });
}

} // namespace selvir
