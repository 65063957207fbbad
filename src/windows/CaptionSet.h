#pragma once
// A window's part of the caption set: (object name, caption) pairs applied in one pass to the window's
// title (its own object name), labels, buttons, check boxes, group boxes, menus, menu entries and
// toolbar actions. The captions are English; each is looked up in the interface language's
// translations under the window's object name, so with the Turkish translations installed
// (InterfaceLanguage.h) the same pass writes the Turkish set. "&&" shows one "&".
//
// Each window offers its part as applyEnglishCaptions(), which the main window's language commands
// call in the set's order; a new language is new translations, not new code.

#include <QString>
#include <span>

class QObject;
class QWidget;

namespace selvir {

struct ControlCaption {
    const char* objectName;
    const char* caption; // UTF-8, English
};

// Sets each caption on the control of that object name; names the window lacks are skipped.
void applyCaptions(QWidget& window, std::span<const ControlCaption> captions);

// One caption of `window` in the language in force ("&&" kept, for controls that take mnemonics).
QString translatedCaption(const QWidget& window, const char* caption);

// A label that shows a value the program writes (a depth, a count, a voltage), not a caption: the
// language pass and the caption check leave it alone.
void markAsReadout(QWidget& widget);
bool isReadout(const QObject& object);

} // namespace selvir
