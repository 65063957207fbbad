#pragma once
// The interface language: English, the language the captions are written in, or Turkish through Qt's
// translation system. Turkish installs two translators: the program's captions (translations/*.ts,
// compiled by lrelease into a resource) and Qt's own texts, so the buttons of message boxes and file
// dialogs speak Turkish too (qtbase_tr from Qt's translations folder). English removes both.
//
// Installing or removing a translator changes no caption by itself: the main window's language
// commands then apply every window's caption set (CaptionSet.h).

#include <QTranslator>

namespace selvir {

enum class Language { English, Turkish };

class InterfaceLanguage {
public:
    InterfaceLanguage();
    ~InterfaceLanguage();
    InterfaceLanguage(const InterfaceLanguage&) = delete;
    InterfaceLanguage& operator=(const InterfaceLanguage&) = delete;

    // Puts the language's translators in force. False when the program's Turkish captions could not
    // be loaded (English stays in force).
    bool use(Language language);
    Language current() const { return current_; }
    // Qt's own Turkish texts were found (without them its dialog buttons stay English).
    bool qtTextsLoaded() const { return qtLoaded_; }

private:
    QTranslator captions_;
    QTranslator qtTexts_;
    bool captionsLoaded_ = false;
    bool qtLoaded_ = false;
    Language current_ = Language::English;
};

} // namespace selvir
