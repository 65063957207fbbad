#pragma once
// The display settings (`DisplaySettings`): one record for the canvas grid, the depth labels and the
// event labels. The device settings window fills it from its "Global Setting" tab (at creation, on the
// immediate changes and on "Apply Settings"); headless runs read it from the settings file. The canvas
// grid, the realtime map update's depth labels and event marking all read this one record.

#include "core/Colors.h"
#include "core/ProfileStore.h"
#include "navigation/MapCanvas.h"

#include <string>

namespace selvir {

inline constexpr std::string_view kGridSettingsSection = "GRID_SETTINGS";
inline constexpr std::string_view kDepthLabelSection = "DEPTH_LABEL_SETTINGS";
inline constexpr std::string_view kEventLabelSection = "EVENT_LABEL_SETTINGS";

struct DisplaySettings {
    bool GridVisible = true;
    bool AutoGrid = false;     // the grid spacing follows the zoom
    double GridSpacingX = 100; // manual spacing, world units (metres)
    double GridSpacingY = 100;
    ColorValue GridColor = kColorSilver;
    bool ShowDepthLabels = true;
    double DepthLabelSpacing = 10; // metres along the track between two labels
    std::string DepthLabelFontName = "Arial";
    int DepthLabelFontSize = 12; // points
    ColorValue DepthLabelColor = kColorBlack;
    int EventLabelFontSize = 24; // points
    ColorValue EventLabelColor = kColorRed;

    // The spacing the canvas grid is given: 0 and 0 (automatic) with AutoGrid, else the manual one.
    double canvasSpacingX() const { return AutoGrid ? 0 : GridSpacingX; }
    double canvasSpacingY() const { return AutoGrid ? 0 : GridSpacingY; }

    // The depth-label fields as the canvas takes them.
    DepthLabelStyle depthLabelStyle() const {
        return {ShowDepthLabels, DepthLabelSpacing, DepthLabelFontName, DepthLabelFontSize, DepthLabelColor};
    }

    static DisplaySettings read(const ProfileStore& store);
    friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};

// The "Global Setting" tab as the surveyor typed it: the edits' texts, the boxes, the colours. This is
// what the settings file keeps; DisplaySettings is what the program uses.
struct DisplaySettingsFields {
    bool cbGridVisible = true;
    bool cbAutoGrid = false;
    std::string edGridSpacingX = "100";
    std::string edGridSpacingY = "100";
    ColorValue cbGridColor = kColorSilver;
    bool cbShowDepthLabels = true;
    std::string edDepthLabelSpacing = "10";
    std::string edDepthLabelFontName = "Arial";
    std::string edDepthLabelFontSize = "12";
    ColorValue cbTextColor = kColorBlack;
    std::string edEventLabelFontSize = "24";
    ColorValue cbEventLabelColor = kColorRed;

    // Missing keys keep the values above.
    static DisplaySettingsFields read(const IniDocument& doc);
    // "GRID_SETTINGS", "DEPTH_LABEL_SETTINGS" and "EVENT_LABEL_SETTINGS" in that order; booleans "1"/"0",
    // colours as decimal integers.
    void write(IniDocument& doc) const;
    // The record: a spacing that is not a number is 100, a label spacing 10; a font size as
    // parseFontSize takes it, with 12 (depth) or 24 (event) for one that is no size; an empty font name
    // is "Arial".
    DisplaySettings parse() const;
    friend bool operator==(const DisplaySettingsFields&, const DisplaySettingsFields&) = default;
};

// Label font sizes the display settings take, points: the fields' range. Beyond it a label would cover
// the map (and each repaint would lay out glyphs of that size).
inline constexpr int kSmallestLabelFontSizePt = 1;
inline constexpr int kLargestLabelFontSizePt = 200;

// A font size as the display settings take it: a whole number of kSmallestLabelFontSizePt or more, held
// to kLargestLabelFontSizePt (a hand-edited "99999" gives 200), else `fallback`.
int parseFontSize(std::string_view text, int fallback);

} // namespace selvir
