#include "windows/ColorBox.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace selvir {

namespace {

struct NamedColor {
    const char* name;
    ColorValue value;
};
// The standard sixteen and the four extended colours of the colour boxes surveyors know.
constexpr NamedColor kNamedColors[] = {
    {"Black", kColorBlack},    {"Maroon", 0x000080},   {"Green", kColorGreen}, {"Olive", 0x008080},
    {"Navy", kColorNavy},      {"Purple", 0x800080},   {"Teal", 0x808000},     {"Gray", 0x808080},
    {"Silver", kColorSilver},  {"Red", kColorRed},     {"Lime", kColorLime},   {"Yellow", kColorYellow},
    {"Blue", 0xFF0000},        {"Fuchsia", 0xFF00FF},  {"Aqua", kColorAqua},   {"White", kColorWhite},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6}, {"Cream", 0xF0FBFF},    {"Medium Gray", 0xA4A0A0},
};

constexpr int kSwatchPx = 14;

QColor toQColor(ColorValue value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

ColorValue fromQColor(const QColor& color) {
    return static_cast<ColorValue>(color.red()) | (static_cast<ColorValue>(color.green()) << 8) |
           (static_cast<ColorValue>(color.blue()) << 16);
}

QIcon swatch(ColorValue value) {
    QPixmap pixmap(kSwatchPx, kSwatchPx);
    pixmap.fill(toQColor(value));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, kSwatchPx - 1, kSwatchPx - 1);
    return QIcon(pixmap);
}

} // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    for (const NamedColor& named : kNamedColors) {
        addItem(swatch(named.value), QString::fromUtf8(named.name), QVariant::fromValue(named.value));
    }
    addItem(QStringLiteral("Custom..."));
    customIndex_ = count() - 1;
    setCurrentIndex(indexOf(current_));
    connect(this, &QComboBox::activated, this, &ColorBox::entryChosen);
}

ColorValue ColorBox::color() const {
    return current_;
}

int ColorBox::indexOf(ColorValue color) const {
    for (int i = 0; i < count(); ++i) {
        if (i != customIndex_ && itemData(i).value<ColorValue>() == color) {
            return i;
        }
    }
    return -1;
}

void ColorBox::setColor(ColorValue color) {
    int index = indexOf(color);
    if (index < 0) {
        // A colour without a name gets its own entry, just before "Custom...".
        insertItem(customIndex_, swatch(color), QStringLiteral("Custom"), QVariant::fromValue(color));
        index = customIndex_++;
    }
    setCurrentIndex(index);
    if (color != current_) {
        current_ = color;
        emit colorChanged(current_);
    }
}

void ColorBox::entryChosen(int index) {
    if (index != customIndex_) {
        const ColorValue chosen = itemData(index).value<ColorValue>();
        if (chosen != current_) {
            current_ = chosen;
            emit colorChanged(current_);
        }
        return;
    }
    std::optional<ColorValue> custom;
    if (chooseCustomColor) {
        custom = chooseCustomColor(current_);
    } else {
        const QColor picked = QColorDialog::getColor(toQColor(current_), this);
        if (picked.isValid()) {
            custom = fromQColor(picked);
        }
    }
    if (custom) {
        setColor(*custom);
    } else {
        setCurrentIndex(indexOf(current_)); // dialog cancelled: back to the colour in force
    }
}

} // namespace selvir
