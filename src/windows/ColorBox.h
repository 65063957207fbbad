#pragma once
// A colour choice box: the sixteen standard colours and four extended ones by name, each with its
// swatch, and "Custom..." for any other colour. A colour set from outside that is not in the list is
// shown as its own "Custom" entry. Colours are colour values (red in the low byte).

#include "core/Colors.h"

#include <QComboBox>
#include <functional>
#include <optional>

namespace selvir {

class ColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent = nullptr);

    ColorValue color() const;
    // Shows the colour (adding a custom entry when it has no name); emits colorChanged when it changes.
    void setColor(ColorValue color);

    // Asks for a custom colour (a colour dialog when unset; tests answer it). Nothing keeps the choice.
    std::function<std::optional<ColorValue>(ColorValue current)> chooseCustomColor;

signals:
    void colorChanged(ColorValue color);

private:
    void entryChosen(int index);
    int indexOf(ColorValue color) const;

    int customIndex_ = -1; // the "Custom..." entry
    ColorValue current_ = kColorBlack;
};

} // namespace selvir
