#include "navigation/DisplaySettings.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cstdint>

namespace selvir {
namespace {

std::string boolText(bool value) {
    return value ? "1" : "0";
}

// As the settings file keeps colours: the signed decimal of the 32-bit value.
std::string colorText(ColorValue color) {
    return std::to_string(static_cast<std::int32_t>(color));
}

double numberOr(const std::string& text, double fallback) {
    return parseFiniteDouble(text).value_or(fallback);
}

} // namespace

int parseFontSize(std::string_view text, int fallback) {
    const std::optional<int> size = parseInt(text);
    if (!size || *size < kSmallestLabelFontSizePt) {
        return fallback;
    }
    return std::min(*size, kLargestLabelFontSizePt);
}

DisplaySettings DisplaySettings::read(const ProfileStore& store) {
    return DisplaySettingsFields::read(store.load()).parse();
}

DisplaySettingsFields DisplaySettingsFields::read(const IniDocument& doc) {
    DisplaySettingsFields f;
    const auto text = [&doc](std::string_view section, std::string_view key, std::string& value) {
        value = doc.value(section, key).value_or(value);
    };
    f.cbGridVisible = profileBool(doc, kGridSettingsSection, "GridVisible", f.cbGridVisible);
    f.cbAutoGrid = profileBool(doc, kGridSettingsSection, "AutoGrid", f.cbAutoGrid);
    text(kGridSettingsSection, "GridSpacingX", f.edGridSpacingX);
    text(kGridSettingsSection, "GridSpacingY", f.edGridSpacingY);
    f.cbGridColor = profileColor(doc, kGridSettingsSection, "GridColor", f.cbGridColor);
    f.cbShowDepthLabels = profileBool(doc, kDepthLabelSection, "ShowDepthLabels", f.cbShowDepthLabels);
    text(kDepthLabelSection, "LabelSpacing", f.edDepthLabelSpacing);
    text(kDepthLabelSection, "FontName", f.edDepthLabelFontName);
    text(kDepthLabelSection, "FontSize", f.edDepthLabelFontSize);
    f.cbTextColor = profileColor(doc, kDepthLabelSection, "TextColor", f.cbTextColor);
    text(kEventLabelSection, "FontSize", f.edEventLabelFontSize);
    f.cbEventLabelColor = profileColor(doc, kEventLabelSection, "TextColor", f.cbEventLabelColor);
    return f;
}

void DisplaySettingsFields::write(IniDocument& doc) const {
    doc.setValue(kGridSettingsSection, "GridVisible", boolText(cbGridVisible));
    doc.setValue(kGridSettingsSection, "AutoGrid", boolText(cbAutoGrid));
    doc.setValue(kGridSettingsSection, "GridSpacingX", edGridSpacingX);
    doc.setValue(kGridSettingsSection, "GridSpacingY", edGridSpacingY);
    doc.setValue(kGridSettingsSection, "GridColor", colorText(cbGridColor));
    doc.setValue(kDepthLabelSection, "ShowDepthLabels", boolText(cbShowDepthLabels));
    doc.setValue(kDepthLabelSection, "LabelSpacing", edDepthLabelSpacing);
    doc.setValue(kDepthLabelSection, "FontName", edDepthLabelFontName);
    doc.setValue(kDepthLabelSection, "FontSize", edDepthLabelFontSize);
    doc.setValue(kDepthLabelSection, "TextColor", colorText(cbTextColor));
    doc.setValue(kEventLabelSection, "FontSize", edEventLabelFontSize);
    doc.setValue(kEventLabelSection, "TextColor", colorText(cbEventLabelColor));
}

DisplaySettings DisplaySettingsFields::parse() const {
    DisplaySettings d;
    d.GridVisible = cbGridVisible;
    d.AutoGrid = cbAutoGrid;
    d.GridSpacingX = numberOr(edGridSpacingX, 100);
    d.GridSpacingY = numberOr(edGridSpacingY, 100);
    d.GridColor = cbGridColor;
    d.ShowDepthLabels = cbShowDepthLabels;
    d.DepthLabelSpacing = numberOr(edDepthLabelSpacing, 10);
    d.DepthLabelFontName = edDepthLabelFontName.empty() ? "Arial" : edDepthLabelFontName;
    d.DepthLabelFontSize = parseFontSize(edDepthLabelFontSize, 12);
    d.DepthLabelColor = cbTextColor;
    d.EventLabelFontSize = parseFontSize(edEventLabelFontSize, 24);
    d.EventLabelColor = cbEventLabelColor;
    return d;
}

} // namespace selvir
