#pragma once
// "CANVAS": the view and the overlay corners the main window restores when it is shown and saves when
// it closes, so the next start shows the map where the surveyor left it.

#include "core/ProfileStore.h"

namespace selvir {

struct CanvasViewSettings {
    // The world window, metres of the grid.
    double worldLeft = 0;
    double worldRight = 1000;
    double worldTop = 1000;
    double worldBottom = 0;
    bool gridAutoScale = true;
    int depthSpeedDisplayMode = 0; // corner of the depth and speed box, 0..3
    int ggaOverlayPosition = 0;    // corner of the position-status box, 0..3

    // True when every edge and both spans are finite.
    bool viewIsFinite() const;

    // Missing keys give the defaults above; a stored view that is not finite ("nan" edited by hand, or
    // an overflow) gives the default window, which shows something.
    static CanvasViewSettings read(const ProfileStore& store);
    // Writes every key in one update; a view that is not finite is left out, so the last good one stays.
    bool write(ProfileStore& store) const;
};

} // namespace selvir
