// The interface language: every caption of every window the language commands reach, found by walking
// the widgets, in English at start, in Turkish after "Türkçe" and back in English after "English"; the
// language flag; Qt's own dialog buttons.
#include "AuxWindowsFixture.h"
#include "windows/ControlPointPanel.h"
#include "windows/TExportMap.h"
#include "windows/TFGPS.h"
#include "windows/TfGuidance.h"
#include "windows/TfRunline1.h"
#include "windows/TfSVP.h"
#include "windows/TfSVPGraph.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QXmlStreamReader>
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

// Inside a dialog the window owns (the map export in the main window): that one's captions are its own.
bool insideAnotherWindow(const QObject* object, const QWidget& window) {
    for (const QObject* o = object; o != nullptr && o != &window; o = o->parent()) {
        const auto* widget = qobject_cast<const QWidget*>(o);
        if (widget != nullptr && widget->isWindow() && qobject_cast<const QMenu*>(widget) == nullptr) {
            return true;
        }
    }
    return false;
}

Captions walk(QWidget& window) {
    Captions captions;
    std::vector<QObject*> objects{&window};
    for (QObject* child : window.findChildren<QObject*>()) {
        if (!insideAnotherWindow(child, window)) {
            objects.push_back(child);
        }
    }
    for (QObject* object : objects) {
        if (auto shown = captionOf(*object, window)) {
            captions[object] = *shown;
        }
    }
    return captions;
}

struct LanguageTest : test::AuxWindowsFixture {
    std::unique_ptr<TFGPS> deviceSettings;
    std::unique_ptr<TfSVP> soundVelocity;
    std::unique_ptr<TfRunline1> runlines;
    std::unique_ptr<TfGuidance> guidance;
    std::unique_ptr<TExportMap> exportMap;

    // Every window main() makes, given to the main window before it shows, as main() does.
    TFNav& makeEveryWindow() {
        makeAll(true);
        deviceSettings = std::make_unique<TFGPS>(settings, window.get());
        window->SetDeviceSettingsWindow(deviceSettings.get());
        soundVelocity = std::make_unique<TfSVP>(settings, folders);
        window->SetSoundVelocityWindow(soundVelocity.get());
        runlines = std::make_unique<TfRunline1>(*window->Canvas(), window->Session().settings(), nullptr);
        window->SetRunlineWindow(runlines.get());
        guidance = std::make_unique<TfGuidance>(window->Session().settings());
        window->SetGuidanceWindow(guidance.get());
        exportMap = std::make_unique<TExportMap>(*window->Canvas(), settingsFile, root, clock, window.get());
        window->SetExportMapWindow(exportMap.get());
        window->FormShow();
        return *window;
    }
    void TearDown() override {
        exportMap.reset();      // a child of the main window
        deviceSettings.reset(); // before the main window it reports to
        window.reset();
    }
    std::vector<QWidget*> windows() {
        return {window.get(),   realtime.get(), waterfall.get(),      theme.get(),
                battery.get(),  &messages,      shape.get(),          navset.get(),
                offsets.get(),  latency.get(),  deviceSettings.get(), soundVelocity.get(),
                runlines.get(), guidance.get(), exportMap.get()};
    }
    std::map<QWidget*, std::span<const ControlCaption>> englishTables() {
        return {
            {window.get(), TFNav::englishCaptions()},        {realtime.get(), TfRealtime::englishCaptions()},
            {waterfall.get(), TfCanvas::englishCaptions()},  {theme.get(), TfTheme::englishCaptions()},
            {battery.get(), TfJoystick::englishCaptions()},  {&messages, TFMsg::englishCaptions()},
            {runlines.get(), TfRunline1::englishCaptions()}, {guidance.get(), TfGuidance::englishCaptions()}};
    }
};

// Each entry of `table` names a control of `owner` that shows the entry's caption, through `language`
// when one is given.
void expectTable(QWidget& owner, std::span<const ControlCaption> table, const QTranslator* language) {
    const Captions shown = walk(owner);
    const QByteArray context = owner.objectName().toUtf8();
    for (const ControlCaption& entry : table) {
        SCOPED_TRACE(owner.objectName().toStdString() + " / " + entry.objectName);
        QObject* control = owner.objectName() == QString::fromUtf8(entry.objectName)
                               ? &owner
                               : owner.findChild<QObject*>(QString::fromUtf8(entry.objectName));
        ASSERT_NE(control, nullptr) << "no control of that name";
        ASSERT_TRUE(shown.count(control)) << "no caption shown";
        QString caption = QString::fromUtf8(entry.caption);
        if (language != nullptr) {
            caption = language->translate(context.constData(), entry.caption);
            ASSERT_FALSE(caption.isEmpty()) << "no translation of " << entry.caption;
        }
        const bool mnemonics = shown.at(control).takesMnemonics;
        EXPECT_EQ(shown.at(control).text,
                  mnemonics ? caption : QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
    }
}

// Every caption shown in `owner` is the Turkish set's entry for its English caption in `english`.
struct TurkishCheck {
    int checked = 0;
    int changed = 0;
};
void expectTurkish(QWidget& owner, const Captions& english, const QTranslator& turkish, TurkishCheck& tally) {
    const QByteArray context = owner.objectName().toUtf8();
    const Captions now = walk(owner);
    for (const auto& [control, was] : english) {
        SCOPED_TRACE(owner.objectName().toStdString() + " / " + control->objectName().toStdString() + " / " +
                     was.text.toStdString());
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
        const QString expected =
            was.takesMnemonics ? entry : QString(entry).replace(QStringLiteral("&&"), QStringLiteral("&"));
        EXPECT_EQ(now.at(control).text, expected);
        ++tally.checked;
        tally.changed += now.at(control).text != was.text ? 1 : 0;
    }
}

TEST_F(LanguageTest, TurkishChangesEveryCaptionOfEveryWindowAndEnglishBringsThemBack) {
    makeEveryWindow();
    EXPECT_TRUE(window->LanguageTurkish()) << "the start-up pass leaves the flag on";

    // The start-up pass applied each window's English set: every entry names a control that shows it.
    for (const auto& [owner, table] : englishTables()) {
        expectTable(*owner, table, nullptr);
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
    TurkishCheck tally;
    for (QWidget* owner : windows()) {
        expectTurkish(*owner, english[owner], turkish, tally);
    }
    EXPECT_GE(tally.checked, 300) << "the walk found the captions";
    EXPECT_GE(tally.changed, tally.checked * 8 / 10)
        << "names of products and places stay; most captions change";

    // A window made while Turkish is in force shows Turkish from the start.
    TfSVPGraph graph;
    expectTable(graph, TfSVPGraph::englishCaptions(), &turkish);

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
    runlines->SetRoute({{0, 0}, {100, 0}, {200, 50}});
    EXPECT_EQ(runlines->lRouteStatus->text(), turkish.translate("fRunline1", "Route: %1 points").arg(3));
    EXPECT_EQ(graph.bDeleteSelected()->text(), turkish.translate("fSVPGraph", "Delete Selected (%1)").arg(0));
    EXPECT_EQ(guidance->cNmeaSerial->itemText(0), turkish.translate("fGuidance", "None"));
    const ControlPointPanel& points = *deviceSettings->ControlPoints();
    EXPECT_EQ(points.Table()->horizontalHeaderItem(ControlPointPanel::Latitude)->text(),
              turkish.translate("FGPS", "Latitude (°)"));
    EXPECT_EQ(points.RmsLabel()->text(),
              turkish.translate("FGPS", "RMS: %1 m    RMS with rotations negated: %2 m").arg("-", "-"));

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

// The sound velocity window's Ctrl+G opens its graph, not the main window's runline generator, in
// either language; the graph is made in the language in force when it opens.
TEST_F(LanguageTest, TheGraphKeyOpensTheGraphInTheLanguageInForce) {
    makeEveryWindow();
    soundVelocity->mSortedAveragedSV()->setPlainText(QStringLiteral("0,1500.00,1\n1,1501.00,1"));
    std::vector<QString> graphTitles;
    soundVelocity->runGraph = [&](TfSVPGraph& graph) {
        graphTitles.push_back(graph.windowTitle());
        return int(QDialog::Rejected);
    };
    window->show(); // its menu's keys count only while it is shown, as on board
    soundVelocity->show();
    soundVelocity->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(soundVelocity.get()));
    // A button's key clicks it the way a mouse would, shown pressed for a moment first.
    const auto pressGraphKey = [&] {
        const std::size_t before = graphTitles.size();
        QTest::keyClick(soundVelocity.get(), Qt::Key_G, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(graphTitles.size(), before + 1, 2000);
    };

    pressGraphKey();
    window->DilTurke1Click();
    pressGraphKey();
    window->Dilngilizce1Click();
    pressGraphKey();

    const QString english = QString::fromUtf8(TfSVPGraph::englishCaptions()[0].caption);
    QTranslator turkish;
    ASSERT_TRUE(turkish.load(QStringLiteral(":/i18n/selvirhs_tr.qm")));
    EXPECT_EQ(graphTitles,
              (std::vector<QString>{english, turkish.translate("fSVPGraph", english.toUtf8().constData()),
                                    english}));
    EXPECT_FALSE(runlines->isVisible()) << "the key went to the runline generator";
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

// The Turkish set speaks one language: each term the surveyor meets in several windows has one Turkish
// word wherever it stands, and buttons and fields say what they do. Read from the caption file itself,
// so an entry added later is held to the same words.
TEST(TurkishTerms, EachTermHasOneTurkishWordAndSaysWhatItDoes) {
    struct Message {
        QString context, source, translation;
    };
    QFile file(QStringLiteral(SELVIR_SOURCE_DIR "/src/windows/translations/selvirhs_tr.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<Message> messages;
    QString context;
    for (QXmlStreamReader xml(&file); !xml.atEnd();) {
        if (!xml.readNextStartElement()) {
            continue;
        }
        if (xml.name() == QStringLiteral("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QStringLiteral("source")) {
            messages.push_back({context, xml.readElementText(), {}});
        } else if (xml.name() == QStringLiteral("translation") && !messages.empty()) {
            messages.back().translation = xml.readElementText();
        }
    }
    ASSERT_GE(messages.size(), 300u);

    // English words in a caption, and the Turkish the caption must hold (the first letter left out where
    // Turkish case rules would make I and ı differ). Wrong readings are named too.
    struct Term {
        const char* english; // a regular expression, case-insensitive
        const char* turkish;
        const char* never = nullptr;
    };
    const Term terms[] = {
        {R"(\breal ?time\b)", "Gerçek Zaman", "Canlı"},
        {R"(\bgrid\b)", "zgara", "Grid"},
        {R"(\bsurveyor\b)", "lçen"},
        {R"(\blocation\b)", "Yer", "Konum"},
        {R"(\bun(f)?ollow\b)", "Takibi Bırak"},
        {R"((?<!un)\bfollow\b)", "Takip Et"},
        {R"(\bellipsoid)", "lipsoit", "lipsoid"},
        {R"(\bguidance\b)", "Yönlendirme", "Kılavuz"},
        {R"(^(GPS|SBES) Set$)", "Ayarla", "Seti"},  // the buttons apply the port choices
        {R"(^Log Time$)", "Zaman Damgası", "Süre"}, // a time stamp on each raw line
        {R"(^Stop Bits$)", "Durma Bitleri"},
        {R"(^Data Width$)", "Veri Bitleri"},
    };
    for (const Term& term : terms) {
        const QRegularExpression english(QString::fromUtf8(term.english),
                                         QRegularExpression::CaseInsensitiveOption);
        int found = 0;
        for (const Message& m : messages) {
            if (!english.match(m.source).hasMatch()) {
                continue;
            }
            ++found;
            SCOPED_TRACE(m.context.toStdString() + " / " + m.source.toStdString());
            EXPECT_TRUE(m.translation.contains(QString::fromUtf8(term.turkish)))
                << m.translation.toStdString();
            if (term.never != nullptr) {
                EXPECT_FALSE(m.translation.contains(QString::fromUtf8(term.never)))
                    << m.translation.toStdString();
            }
        }
        EXPECT_GT(found, 0) << term.english << " stands in no caption";
    }

    // The zoom menu's entries read as the toolbar's buttons that do the same.
    const auto turkishOf = [&](const char* source) {
        for (const Message& m : messages) {
            if (m.context == QStringLiteral("FNav") && m.source == QString::fromUtf8(source)) {
                return m.translation;
            }
        }
        return QString();
    };
    EXPECT_EQ(turkishOf("In"), turkishOf("Zoom in"));
    EXPECT_EQ(turkishOf("Out"), turkishOf("Zoom out"));
    EXPECT_FALSE(turkishOf("In").isEmpty());
}

} // namespace
} // namespace selvir
