#include "windows/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>

// Q_INIT_RESOURCE declares a function of the global namespace; the resource sits in a static library,
// so without this call the linker drops it.
static void registerTranslationResource() {
    Q_INIT_RESOURCE(selvir_translations);
}

namespace selvir {

InterfaceLanguage::InterfaceLanguage() {
    registerTranslationResource();
    captionsLoaded_ = captions_.load(QStringLiteral(":/i18n/selvirhs_tr.qm"));
    qtLoaded_ =
        qtTexts_.load(QStringLiteral("qtbase_tr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

InterfaceLanguage::~InterfaceLanguage() {
    use(Language::English);
}

bool InterfaceLanguage::use(Language language) {
    if (language == Language::Turkish) {
        if (!captionsLoaded_) {
            return false;
        }
        if (current_ != Language::Turkish) {
            QCoreApplication::installTranslator(&captions_);
            if (qtLoaded_) {
                QCoreApplication::installTranslator(&qtTexts_);
            }
        }
    } else if (current_ == Language::Turkish) {
        QCoreApplication::removeTranslator(&captions_);
        QCoreApplication::removeTranslator(&qtTexts_);
    }
    current_ = language;
    return true;
}

} // namespace selvir
