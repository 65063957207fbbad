#pragma once
// The one conversion from a canvas colour value to a Qt colour.

#include "canvas/CanvasTypes.h"

#include <QColor>

namespace selvir {

// Opaque Qt colour of a colour value (red in the low byte).
inline QColor toQColor(TColor c) {
    return QColor(colorRedOf(c), colorGreenOf(c), colorBlueOf(c));
}

} // namespace selvir
