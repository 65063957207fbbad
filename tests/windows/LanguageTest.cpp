// The interface language: every caption of every window the language commands reach, found by walking
// the widgets, in English at start, in Turkish after "Türkçe" and back in English after "English"; the
// language flag; Qt's own dialog buttons.
#include "AuxWindowsFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <map>

namespace selvir {
namespace {

// A caption as the surveyor reads it, and whether the control takes "&&" for one "&" itself.
struct Shown {
    QString text;
    bool takesMnemonics = false;
};

// The caption of a control, or nothing for objects that carry none (values, separators, Qt's own parts).
std::optional<Shown> captionOf(QObject& object, const QWidget& window) {
    if (&object == &window) {
        return Shown{window.windowTitle(), false};
    }
    if (object.objectName().startsWith(QStringLiteral("qt_")) || isReadout(object)) {
        return std::nullopt;
    }
    std::optional<Shown> shown;
    if (auto* action = qobject_cast<QAction*>(&object)) {
        // A menu's own entry, a toolbar's show/hide entry and separators have no name of their own.
        if (!action->isSeparator() && !action->objectName().isEmpty()) {
            shown = Shown{action->text(), true};
        }
    } else if (auto* menu = qobject_cast<QMenu*>(&object)) {
        shown = Shown{menu->title(), true};
    } else if (auto* label = qobject_cast<QLabel*>(&object)) {
        shown = Shown{label->text(), false};
    } else if (auto* button = qobject_cast<QAbstractButton*>(&object)) {
        const auto* tool = qobject_cast<QToolButton*>(button);
        if (!tool || !tool->defaultAction()) { // an action's button shows the action's text
            shown = Shown{button->text(), true};
        }
    } else if (auto* group = qobject_cast<QGroupBox*>(&object)) {
        shown = Shown{group->title(), true};
    } else if (auto* toolbar = qobject_cast<QToolBar*>(&object)) {
        shown = Shown{toolbar->windowTitle(), false};
    }
    if (shown && shown->text.isEmpty()) {
        return std::nullopt;
    }
    return shown;
}

using Captions = std::map<QObject*, Shown>;

Captions walk(QWidget& window) {
    Captions captions;
    std::vector<QObject*> objects{&window};
    for (QObject* child : window.findChildren<QObject*>()) {
        objects.push_back(child);
    }
    for (QObject* object : objects) {
        if (auto shown = captionOf(*object, window)) {
            captions[object] = *shown;
        }
    }
    return captions;
}

QString asShown(const char* caption, bool takesMnemonics) {
    const QString text = QString::fromUtf8(caption);
    return takesMnemonics ? text : QString(text).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

struct LanguageTest : test::AuxWindowsFixture {
    std::vector<QWidget*> windows() {
        return {window.get(), realtime.get(), waterfall.get(), theme.get(),   battery.get(),
                &messages,    shape.get(),    navset.get(),    offsets.get(), latency.get()};
    }
    std::map<QWidget*, std::span<const ControlCaption>> englishTables() {
        return {
            {window.get(), TFNav::englishCaptions()},       {realtime.get(), TfRealtime::englishCaptions()},
            {waterfall.get(), TfCanvas::englishCaptions()}, {theme.get(), TfTheme::englishCaptions()},
            {battery.get(), TfJoystick::englishCaptions()}, {&messages, TFMsg::englishCaptions()}};
    }
};

TEST_F(LanguageTest, TurkishChangesEveryCaptionOfEveryWindowAndEnglishBringsThemBack) {
    makeAll(true).FormShow();
    EXPECT_TRUE(window->LanguageTurkish()) << "the start-up pass leaves the flag on";

    // The start-up pass applied each window's English set: every entry names a control that shows it.
    for (const auto& [owner, table] : englishTables()) {
        const Captions shown = walk(*owner);
        for (const ControlCaption& entry : table) {
            SCOPED_TRACE(owner->objectName().toStdString() + " / " + entry.objectName);
            QObject* control = owner->objectName() == QString::fromUtf8(entry.objectName)
                                   ? owner
                                   : owner->findChild<QObject*>(QString::fromUtf8(entry.objectName));
            ASSERT_NE(control, nullptr) << "no control of that name";
            ASSERT_TRUE(shown.count(control)) << "no caption shown";
            EXPECT_EQ(shown.at(control).text, asShown(entry.caption, shown.at(control).takesMnemonics));
        }
    }

    std::map<QWidget*, Captions> english;
    for (QWidget* owner : windows()) {
        english[owner] = walk(*owner);
    }

    window->Action(QStringLiteral("DilTurke1"))->trigger();
    EXPECT_TRUE(window->LanguageTurkish());
    EXPECT_TRUE(window->Action(QStringLiteral("DilTurke1"))->isChecked());
    EXPECT_FALSE(window->Action(QStringLiteral("Dilngilizce1"))->isChecked());

    // Every caption shown, in every window, is the Turkish set's entry for its English caption.
    QTranslator turkish;
    ASSERT_TRUE(turkish.load(QStringLiteral(":/i18n/selvirhs_tr.qm")));
    int checked = 0, changed = 0;
    for (QWidget* owner : windows()) {
        const QByteArray context = owner->objectName().toUtf8();
        const Captions now = walk(*owner);
        for (const auto& [control, was] : english[owner]) {
            SCOPED_TRACE(owner->objectName().toStdString() + " / " + control->objectName().toStdString() +
                         " / " + was.text.toStdString());
            ASSERT_TRUE(now.count(control));
            // Titles and labels show "&&" as one "&": their entry may be written either way.
            QString entry = turkish.translate(context.constData(), was.text.toUtf8().constData());
            if (entry.isEmpty() && !was.takesMnemonics) {
                const QString source = QString(was.text).replace(QStringLiteral("&"), QStringLiteral("&&"));
                entry = turkish.translate(context.constData(), source.toUtf8().constData());
            }
            if (entry.isEmpty()) {
                ADD_FAILURE() << "no Turkish caption";
                continue;
            }
            const QString expected = was.takesMnemonics
                                         ? entry
                                         : QString(entry).replace(QStringLiteral("&&"), QStringLiteral("&"));
            EXPECT_EQ(now.at(control).text, expected);
            ++checked;
            changed += now.at(control).text != was.text ? 1 : 0;
        }
    }
    EXPECT_GE(checked, 80) << "the walk found the captions";
    EXPECT_GE(changed, checked * 8 / 10) << "names of products and places stay; most captions change";

    // Texts the windows write later follow the language too.
    QString dialogTitle;
    window->chooseFile = [&](const QString& title, const QString&, bool) {
        dialogTitle = title;
        return QString();
    };
    window->Action(QStringLiteral("Open1"))->trigger();
    EXPECT_EQ(dialogTitle, turkish.translate("FNav", "Dialog Open"));
    window->RealtimeClick();
    EXPECT_EQ(window->Realtime()->text(), turkish.translate("FNav", "Stop"));
    window->RealtimeClick();

    window->Action(QStringLiteral("Dilngilizce1"))->trigger();
    EXPECT_FALSE(window->LanguageTurkish()) << "English from the menu clears the flag";
    for (QWidget* owner : windows()) {
        const Captions now = walk(*owner);
        for (const auto& [control, was] : english[owner]) {
            SCOPED_TRACE(owner->objectName().toStdString() + " / " + control->objectName().toStdString());
            EXPECT_EQ(now.at(control).text, was.text);
        }
    }
    window->Action(QStringLiteral("Open1"))->trigger();
    EXPECT_EQ(dialogTitle, QStringLiteral("Dialog Open"));
}

TEST_F(LanguageTest, QtsOwnDialogButtonsFollowTheLanguage) {
    makeAll(true).FormShow();
    const auto yesButton = [] {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Yes | QMessageBox::No);
        return box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&'));
    };
    EXPECT_EQ(yesButton(), QStringLiteral("Yes"));
    window->DilTurke1Click();
    EXPECT_EQ(yesButton(), QStringLiteral("Evet"));
    window->Dilngilizce1Click();
    EXPECT_EQ(yesButton(), QStringLiteral("Yes"));
}

} // namespace
} // namespace selvir
