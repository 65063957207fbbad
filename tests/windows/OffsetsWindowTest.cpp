// The offsets dialog in the main window: its checks through the typed fields, the record it appends,
// the realtime start it makes, and the draft it hands to the depth reduction.
#include "SetupWindowsFixture.h"
#include "core/NumberFormat.h"
#include "support/TextLines.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QToolButton>

namespace selvir {
namespace {

using Field = QLineEdit* (TOffsets::*)() const;

struct OffsetsWindowTest : test::SetupWindowsFixture {
    void SetUp() override {
        settings.writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
        settings.writeString("SENSOR COMUNICATION SETTINGS", "Port No", "COM4");
        storeOffsets("0.50", "2.30", "1.82");
    }
    // Column `column` of each survey row (the header left out).
    std::vector<std::string> column(std::size_t column) {
        std::vector<std::string> out;
        const auto lines = test::fileLines(folders.surveyFile());
        for (std::size_t i = 1; i < lines.size(); ++i) {
            out.push_back(test::split(lines[i], ',').at(column));
        }
        return out;
    }
};

// A confirmation that fails names the field in the language of the flag (Turkish from the start), puts
// the focus there and writes nothing; one that passes records, stores, starts realtime and closes.
TEST_F(OffsetsWindowTest, EachCheckStopsAtItsFieldAndOnlyAPassWritesAndStartsRealtime) {
    makeWithWindows().FormShow();
    ASSERT_TRUE(offsets->isVisible()) << "shown at start";
    struct Case {
        const char* what;
        Field field;
        const char* typed;
        Field stopsAt; // null: passes
        const char* message = "";
    };
    const Case cases[] = {
        {"C 1.77: A + C is 0.03 from B", &TOffsets::OffsetC, "1.77", &TOffsets::OffsetA,
         "Ölçümlerde hata var: A + C toplamı B değerine yakın olması gerekir"},
        {"SV 1299.9", &TOffsets::SV, "1299.9", &TOffsets::SV, "SV/SE değerinde hata var"},
        {"SV 1700.1", &TOffsets::SV, "1700.1", &TOffsets::SV, "SV/SE değerinde hata var"},
        {"a draft that is not a number", &TOffsets::OffsetA, "0,5", &TOffsets::OffsetA,
         "Başarısız! A değerini yeniden kontrol ediniz."},
        {"an empty location", &TOffsets::Location, "", &TOffsets::Location, "Başarısız! Yer adı boş olamaz"},
        {"SV 1300", &TOffsets::SV, "1300", nullptr},
        {"SV 1700", &TOffsets::SV, "1700", nullptr},
        {"A 0.50 B 2.30 C 1.82", &TOffsets::OffsetC, "1.82", nullptr},
    };
    for (const Case& c : cases) {
        storeOffsets("0.50", "2.30", "1.82");
        offsets->hide();
        offsets->show(); // the stored fields, as every showing reads them
        offsets->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(offsets.get()));
        const std::string logBefore = offsetsLog();
        const bool realtimeBefore = window->RealtimeOn();
        retype((offsets.get()->*c.field)(), QString::fromUtf8(c.typed));
        errors.clear();
        offsets->BitBtn1()->click();
        if (c.stopsAt) {
            ASSERT_EQ(errors.size(), 1u) << c.what;
            EXPECT_EQ(errors[0], QString::fromUtf8(c.message)) << c.what;
            EXPECT_EQ(offsets->focusWidget(), (offsets.get()->*c.stopsAt)()) << c.what;
            EXPECT_TRUE(offsets->isVisible()) << c.what;
            EXPECT_EQ(offsetsLog(), logBefore) << c.what << ": nothing written";
            EXPECT_EQ(window->RealtimeOn(), realtimeBefore) << c.what;
        } else {
            EXPECT_TRUE(errors.empty()) << c.what << ": " << errors.front().toStdString();
            EXPECT_FALSE(offsets->isVisible()) << c.what;
            EXPECT_GT(offsetsLog().size(), logBefore.size()) << c.what;
            EXPECT_TRUE(window->RealtimeOn()) << c.what << ": started, and never stopped by a later one";
            EXPECT_EQ(settings.readString("ECHOSOUNDER_OFFSETS", "SV"),
                      (offsets.get()->SV())->text().toStdString());
        }
    }
    EXPECT_EQ(test::countOf(eventsLog(), "\tRealtime STARTED"), 1);
    EXPECT_GE(test::countOf(eventsLog(), "\tAuto-saved: "), 8) << "every confirmation saves the layout first";
}

// The record in the program's 8-bit code page, byte for byte, in Turkish (the flag is on from the
// start) with the sound velocity profile in use.
TEST_F(OffsetsWindowTest, TheTurkishRecordByteForByte) {
    makeWithWindows().FormShow();
    offsets->setSoundVelocityProfileUsed(true);
    EXPECT_FALSE(offsets->SV()->isEnabled());
    EXPECT_EQ(offsets->bSVP()->text(), QString::fromUtf8("Ses Hızı Profili Devrede"));
    retype(offsets->Location(), QString::fromUtf8("Üsküdar İskelesi"));
    retype(offsets->Surveyor(), QString::fromUtf8("Ayşe Öztürk"));
    offsets->BitBtn1()->click();
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    const std::string expected =
        "\n\nSelvir Dalgaroz - veri i\xFEleme i\xE7in gerekli de\xF0"
        "erler\nZaman.......................................\t=2026-03-05 090500000\n"
        "Yer.........................................\t=\xDCsk\xFC"
        "dar \xDDskelesi\n\xD6l\xE7me botu..................................\t=Selvir-1\n"
        "Transduser su kesimi (A)....................\t=0.50\nTransduser ile GPS anteni aras\xFD mesafe "
        "(B)..\t=2.30\n"
        "Sudan antene olan mesafe (C)................\t=1.82\nSes "
        "h\xFDz\xFD...................................."
        "\t=Ses h\xFDz\xFD profili kullan\xFDld\xFD\n"
        "Su kotu.....................................\t=0.00\n\xD6l\xE7"
        "en.......................................\t=Ay\xFE"
        "e \xD6zt\xFCrk";
    EXPECT_EQ(offsetsLog(), expected);
}

// "Cancel", Escape and the title bar leave what is in force as it was; a number field left holding
// something else says so at once and keeps the focus.
TEST_F(OffsetsWindowTest, CancelKeepsWhatIsInForceAndALeftFieldIsChecked) {
    makeWithWindows().FormShow();
    offsets->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(offsets.get()));
    retype(offsets->OffsetA(), QStringLiteral("abc"));
    QTest::keyClick(offsets->OffsetA(), Qt::Key_Tab);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], QStringLiteral("'abc' is not a valid floating point value"));
    EXPECT_EQ(offsets->focusWidget(), offsets->OffsetA());

    retype(offsets->OffsetA(), QStringLiteral("0.90"));
    offsets->BitBtn3()->click();
    EXPECT_FALSE(offsets->isVisible());
    EXPECT_EQ(offsets->OffsetA()->text(), QStringLiteral("0.50"));
    EXPECT_EQ(offsets->offsets().offsetA, 0.5);
    EXPECT_TRUE(offsetsLog().empty());
    EXPECT_FALSE(window->RealtimeOn());
}

// Both menu entries of the dialog open it: "Offsets..." and "Offsets Essential...".
TEST_F(OffsetsWindowTest, BothMenuEntriesOpenTheDialog) {
    makeWithWindows();
    for (const char* name : {"OffsetsandValues1", "OffsetsEssential1"}) {
        SCOPED_TRACE(name);
        offsets->hide();
        QAction* entry = window->Action(QString::fromUtf8(name));
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->isEnabled());
        entry->trigger();
        EXPECT_TRUE(offsets->isVisible());
    }
    EXPECT_EQ(window->Action(QStringLiteral("OffsetsEssential1"))->text(),
              QStringLiteral("Offsets Essential..."));
}

// The end-to-end check: a draft changed in the dialog changes the next survey row's true depth by
// exactly that much; while the dialog is open the rows keep the draft in force.
TEST_F(OffsetsWindowTest, ADraftChangedInTheDialogMovesTheNextTrueDepthByThatMuch) {
    makeWithWindows().FormShow();
    offsets->BitBtn1()->click(); // the day starts through the dialog
    ASSERT_TRUE(window->RealtimeOn());
    window->ZGPS1().setTimersEnabled(false);
    window->ZSENSOR().setTimersEnabled(false);
    const std::string fix = "$GPGGA,090500.00,4100.0000,N,02900.0000,E,4,12,0.8,10.00,M,35.10,M,,";
    gnss(fix);
    window->tMapTimer();
    depth("$SMT0001,12.34,12.6");

    window->Action(QStringLiteral("OffsetsandValues1"))->trigger();
    ASSERT_TRUE(offsets->isVisible());
    retype(offsets->OffsetA(), QStringLiteral("0.80"));
    retype(offsets->OffsetB(), QStringLiteral("2.62"));
    gnss(fix);
    depth("$SMT0001,12.34,12.6"); // the dialog is still open
    offsets->BitBtn1()->click();
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    ASSERT_FALSE(offsets->isVisible());
    EXPECT_TRUE(window->RealtimeOn()) << "running realtime is not pressed again";
    gnss(fix);
    depth("$SMT0001,12.34,12.6");

    const auto trueDepths = column(7);
    const auto drafts = column(13);
    ASSERT_EQ(trueDepths.size(), 3u);
    EXPECT_EQ(drafts, (std::vector<std::string>{"0.50", "0.50", "0.80"}));
    EXPECT_EQ(trueDepths[1], trueDepths[0]);
    EXPECT_NEAR(*parseDouble(trueDepths[2]) - *parseDouble(trueDepths[0]), 0.30, 1e-9);
    EXPECT_EQ(trueDepths[0], "12.84") << "12.34 m at 1500 m/s below a 0.50 m draft";
}

} // namespace
} // namespace selvir
