// The sound velocity window and its graph editor driven through their real controls on temporary
// folders, with the message boxes and the file dialog answered through the window's seams.
#include "windows/TfSVP.h"

#include "NavWindowFixture.h"
#include "SetupWindowsFixture.h"
#include "core/SvpTableFiles.h"
#include "tools/SvpTexts.h"
#include "windows/SvpGraphPlot.h"
#include "windows/TfSVPGraph.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace selvir {
namespace {

std::vector<std::string> linesOf(const QPlainTextEdit* table) {
    std::vector<std::string> out;
    for (const QString& line : table->toPlainText().split(QLatin1Char('\n'))) {
        out.push_back(line.toStdString());
    }
    return out;
}

struct SvpWindowTest : ::testing::Test {
    test::TempDir dir;
    ProfileStore settings{dir / "SelvirHS.INI"};
    DataFolders folders{dir / "GVX", LocalDate{2026, 3, 5}};
    std::unique_ptr<TfSVP> window;
    QString chosenFile;
    std::vector<QString> messages;
    std::vector<QString> questions;
    OutOfRangeAnswer answer = OutOfRangeAnswer::Skip;
    bool turkish = true;

    TfSVP& make() {
        window = std::make_unique<TfSVP>(settings, folders);
        window->chooseFile = [this](const QString&) { return chosenFile; };
        window->showMessage = [this](const QString& m) { messages.push_back(m); };
        window->askOutOfRange = [this](const QString& q) {
            questions.push_back(q);
            return answer;
        };
        window->turkishMode = [this] { return turkish; };
        return *window;
    }
    void load(const std::string& file) {
        chosenFile = QString::fromStdString(file);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    }
    std::string writeSource(const std::string& text) {
        const auto file = dir / "cast.txt";
        writeFileAtomically(file, text);
        return file.string();
    }
    void runSteps() {
        for (QToolButton* step :
             {window->bRawToSVV(), window->bSVVtoAveragedSV(), window->bAveragedSVtoSVP()}) {
            QTest::mouseClick(step, Qt::LeftButton);
        }
    }
};

TEST_F(SvpWindowTest, RealCastThroughTheThreeStepsToTheSavedProfile) {
    make();
    window->ApplyEnglishCaptions();
    QSignalSpy ticked(window.get(), &TfSVP::UseSoundVelocityProfileChanged);
    window->cUseSVP()->setChecked(false);
    int mainSaves = 0, saved = 0;
    window->runMainSave = [&] { ++mainSaves; };
    window->tablesSaved = [&] { ++saved; };
    window->show();

    // A down-and-up cast of pressures: recognised, read by column, cut at its deepest point.
    load(std::string(SELVIR_TEST_DATA_DIR) + "/svp/valeport_rapidsvt_V000007.TXT");
    EXPECT_TRUE(window->lSource()->text().startsWith(QStringLiteral("Valeport RapidSVT")));
    EXPECT_TRUE(window->cProbeColumns()->isChecked());
    EXPECT_FALSE(window->bSaveClose()->isEnabled());
    runSteps();
    EXPECT_TRUE(questions.empty()); // the up cast's 0 m/s sample is cut away, not asked about
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    const auto column = linesOf(window->mSVPColumn());
    ASSERT_EQ(column.size(), 200u);
    EXPECT_EQ(linesOf(window->mSortedAveragedSV())[0].substr(0, 2), "0,");
    EXPECT_TRUE(window->bSaveClose()->isEnabled());
    EXPECT_TRUE(window->cUseSVP()->isChecked());
    EXPECT_EQ(ticked.count(), 2); // off by the test, on by the column
    EXPECT_TRUE(settings.readBool("SVP", "cUseSVP", false));

    QTest::mouseClick(window->bSaveClose(), Qt::LeftButton);
    EXPECT_EQ(mainSaves, 1);
    EXPECT_EQ(saved, 1);
    EXPECT_FALSE(window->isVisible());
    const QPlainTextEdit* tables[] = {window->mRawSVData(), window->mRawSVExtracted(),
                                      window->mSortedAveragedSV(), window->mSVPColumn()};
    for (std::size_t i = 0; i < kSvpTables.size(); ++i) {
        std::vector<std::string> lines;
        ASSERT_TRUE(readSvpTable(folders, kSvpTables[i], lines));
        EXPECT_EQ(lines, linesOf(tables[i]));
    }
    EXPECT_TRUE(std::filesystem::exists(folders.svpFolder() / "2026-03-05 mSVPColumn.ini"));
    EXPECT_EQ(settings.readString("SVP", "eMaxDepth"), "200"); // the keys are written on closing

    // The next start shows the same tables and knows the probe again.
    TfSVP again(settings, folders);
    EXPECT_EQ(linesOf(again.mSVPColumn()), column);
    EXPECT_TRUE(again.cProbeColumns()->isChecked());
    EXPECT_FALSE(again.bSaveClose()->isEnabled());
}

// A recognised probe file is read from the source table as it stands when step 1 runs: a velocity the
// surveyor mended after loading is the one taken.
TEST_F(SvpWindowTest, EditsOfARecognisedProbeFileCountInStepOne) {
    make();
    load(std::string(SELVIR_TEST_DATA_DIR) + "/svp/castaway_data.csv");
    ASSERT_TRUE(window->cProbeColumns()->isChecked());
    QString source = window->mRawSVData()->toPlainText();
    ASSERT_EQ(source.count(QStringLiteral("1511.8595379477067")), 1);
    source.replace(QStringLiteral("1511.8595379477067"), QStringLiteral("1555.5"));
    window->mRawSVData()->setPlainText(source);
    QTest::mouseClick(window->bRawToSVV(), Qt::LeftButton);
    EXPECT_TRUE(window->cProbeColumns()->isChecked()) << "still read by its columns";
    EXPECT_TRUE(window->mRawSVExtracted()->toPlainText().contains(QStringLiteral(",1555.500")));
}

TEST_F(SvpWindowTest, OutOfRangeSamplesAreAskedInTheFlagsLanguage) {
    make();
    load(writeSource("x 1340.5,3\nx 1500,4\nx 1705,5\n"));
    EXPECT_TRUE(window->lSource()->text().startsWith(QStringLiteral("Not a recognised probe file")));
    window->eSearchString()->setText(QStringLiteral("%*s %lf,%lf"));

    turkish = false;
    answer = OutOfRangeAnswer::Skip;
    QTest::mouseClick(window->bRawToSVV(), Qt::LeftButton);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].toStdString(), svptext::sampleOutOfRange(1340.5, 1, false));
    EXPECT_EQ(linesOf(window->mRawSVExtracted()), std::vector<std::string>{"4,1500.000"});

    turkish = true;
    answer = OutOfRangeAnswer::Stop;
    QTest::mouseClick(window->bRawToSVV(), Qt::LeftButton);
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_TRUE(questions[2].startsWith(
        QString::fromUtf8("Bu değer belkenen ses hızı aralığında değl! Ses hızı 1340.5")));
    EXPECT_TRUE(window->mRawSVExtracted()->toPlainText().isEmpty()); // stopped before any sample
    EXPECT_TRUE(messages.empty());
}

TEST_F(SvpWindowTest, StepFaultsAreSaidAndLeaveNoColumn) {
    make();
    load(writeSource("x 1500,3\nx 1510,4\n"));
    window->eSearchString()->setText(QStringLiteral("%*s %lf,%lf"));
    window->eMaxDepth()->setText(QStringLiteral("12.5"));
    runSteps();
    // Max Depth is no whole number: steps 2 and 3 say so and change nothing.
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].toStdString(), svptext::maxDepthInvalid(true));
    EXPECT_TRUE(window->mSortedAveragedSV()->toPlainText().isEmpty());

    // No sample at the surface.
    window->eMaxDepth()->setText(QStringLiteral("10"));
    runSteps();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].toStdString(), svptext::surfaceBinEmpty(true));
    EXPECT_TRUE(window->mSVPColumn()->toPlainText().isEmpty());
    EXPECT_FALSE(window->bSaveClose()->isEnabled());
}

TEST_F(SvpWindowTest, GraphEditReplacesTheAveragedTable) {
    make();
    QTest::mouseClick(window->bGraph(), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].toStdString(), svptext::graphNoData());

    load(writeSource("x 1500,0\nx 1501,1\nx 1590,2\nx 1503,3\n"));
    window->eSearchString()->setText(QStringLiteral("%*s %lf,%lf"));
    window->eMaxDepth()->setText(QStringLiteral("5"));
    runSteps();
    ASSERT_TRUE(window->bSaveClose()->isEnabled());
    // The spike at 2 m is deleted in the table; the column is built again without it.
    window->runGraph = [](TfSVPGraph& graph) {
        EXPECT_EQ(graph.StringGrid1()->rowCount(), 5);
        graph.StringGrid1()->setCurrentCell(2, 0);
        QTest::mouseClick(graph.bDeleteRow(), Qt::LeftButton);
        QTest::mouseClick(graph.bSaveAndClose(), Qt::LeftButton);
        return graph.result();
    };
    QTest::mouseClick(window->bGraph(), Qt::LeftButton);
    EXPECT_EQ(messages.back().toStdString(), svptext::graphDataUpdated());
    EXPECT_EQ(linesOf(window->mSortedAveragedSV()),
              (std::vector<std::string>{"0,1500.00,1", "1,1501.00,1", "3,1503.00,1", "4,1503.00,0"}));
    EXPECT_TRUE(window->mSVPColumn()->toPlainText().isEmpty());
    EXPECT_FALSE(window->bSaveClose()->isEnabled());
    QTest::mouseClick(window->bAveragedSVtoSVP(), Qt::LeftButton);
    EXPECT_EQ(linesOf(window->mSVPColumn()),
              (std::vector<std::string>{"1500.00", "1500.50", "1501.00", "1501.50", "1501.80"}));

    // Cancel keeps the table.
    window->runGraph = [](TfSVPGraph& graph) {
        graph.Model().deleteRow(0);
        QTest::mouseClick(graph.bCancel(), Qt::LeftButton);
        return graph.result();
    };
    const auto before = linesOf(window->mSortedAveragedSV());
    QTest::mouseClick(window->bGraph(), Qt::LeftButton);
    EXPECT_EQ(linesOf(window->mSortedAveragedSV()), before);
}

TEST_F(SvpWindowTest, AutoDetectDefaultsAndTheSavedKeysFromThePopup) {
    settings.writeString("SVP", "eSearchString", "%lf %lf");
    settings.writeString("SVP", "eMaxDepth", "80");
    settings.writeBool("SVP", "rSVFirst", false);
    settings.writeBool("SVP", "rDFirst", true);
    make();
    EXPECT_EQ(window->eSearchString()->text(), QStringLiteral("%lf %lf"));
    EXPECT_EQ(window->eMaxDepth()->text(), QStringLiteral("80"));
    EXPECT_TRUE(window->rDFirst()->isChecked());

    const auto action = [&](const char* name) {
        return window->findChild<QAction*>(QString::fromUtf8(name));
    };
    action("AutoDetect1")->trigger();
    EXPECT_EQ(messages.back().toStdString(), svptext::autoDetectNoData());

    load(writeSource("Station 4\nTime;Sound Velocity;Temp;Depth\n10:00;1480.5;9.1;3.2\n"));
    action("AutoDetect1")->trigger();
    EXPECT_EQ(window->eSearchString()->text(), QStringLiteral("%*[^;];%lf;%*[^;];%lf"));
    EXPECT_TRUE(window->rSVFirst()->isChecked());
    EXPECT_TRUE(
        messages.back().startsWith(QStringLiteral("Otomatik algilanan format:\n- Baslik satiri: 2\n")));
    QTest::mouseClick(window->bRawToSVV(), Qt::LeftButton);
    EXPECT_EQ(window->mRawSVExtracted()->toPlainText(), QStringLiteral("3,1480.500"));

    action("Defaults1")->trigger();
    EXPECT_EQ(window->eSearchString()->text(), QStringLiteral("%*23s %lf,%lf"));
    EXPECT_EQ(window->eMaxDepth()->text(), QStringLiteral("200"));
    EXPECT_TRUE(window->rSVFirst()->isChecked());
    window->eSearchString()->setText(QStringLiteral("%lf"));
    QTest::mouseDClick(window->eSearchString(), Qt::LeftButton);
    EXPECT_EQ(window->eSearchString()->text(), QStringLiteral("%*23s %lf,%lf"));

    window->close();
    EXPECT_EQ(settings.readString("SVP", "eSearchString"), "%*23s %lf,%lf");
    EXPECT_TRUE(settings.readBool("SVP", "rSVFirst", false));
    EXPECT_FALSE(settings.readBool("SVP", "rDFirst", true));
}

TEST_F(SvpWindowTest, TablesWrittenByTheWindowsProgramAreFound) {
    std::string castaway;
    ASSERT_TRUE(readWholeFile(std::string(SELVIR_TEST_DATA_DIR) + "/svp/castaway_data.csv", castaway));
    ASSERT_TRUE(std::filesystem::create_directories(folders.svpFolder()));
    ASSERT_TRUE(writeFileAtomically(folders.svpFolder() / "2026-03-05 mRawSVData.INI", castaway));
    ASSERT_TRUE(
        writeFileAtomically(folders.svpFolder() / "2026-03-05 MSVPCOLUMN.INI", "1511.74\r\n1511.62\r\n"));
    make();
    EXPECT_TRUE(window->lSource()->text().startsWith(QStringLiteral("SonTek CastAway CSV")));
    EXPECT_EQ(window->mSVPColumn()->toPlainText(), QStringLiteral("1511.74\n1511.62"));
    // Saving keeps the one file per table, under the name it has.
    window->mSVPColumn()->setPlainText(QStringLiteral("1500.00"));
    ASSERT_TRUE(window->SaveTables());
    std::string column;
    ASSERT_TRUE(readWholeFile(folders.svpFolder() / "2026-03-05 MSVPCOLUMN.INI", column));
    EXPECT_EQ(column, std::string("1500.00") + std::string(kLineBreak));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.svpFolder()), {}), 4);
}

// The graph editor's own controls: the pointer on the paint box, the table, the buttons.
TEST(SvpGraphWindowTest, DragLassoAndWheelThroughThePaintBox) {
    TfSVPGraph graph;
    graph.Load({"0,1480.00,1", "50,1500.00,1", "100,1520.00,1"});
    graph.resize(900, 640);
    graph.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    SvpGraphPlot* plot = graph.PaintBox1();
    SvpGraphModel& model = graph.Model();
    EXPECT_EQ(graph.bDeleteSelected()->text(), QStringLiteral("Delete Selected (0)"));
    EXPECT_FALSE(graph.bDeleteSelected()->isEnabled());
    const auto at = [&](int index) {
        const GraphPixel p = model.pixelOf(model.points()[static_cast<std::size_t>(index)]);
        return QPoint(p.x, p.y);
    };
    const auto dragTo = [&](QPoint to) {
        QMouseEvent move(QEvent::MouseMove, to, plot->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(plot, &move);
    };

    // Drag the middle point to 1510 m/s: the table follows, the status line says where the pointer is.
    const QPoint middle = at(1);
    QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, middle);
    const QPoint to(static_cast<int>(std::lround(model.xOf(1510.0))), middle.y() + 30);
    dragTo(to);
    EXPECT_EQ(graph.StringGrid1()->item(1, 0)->text(), QStringLiteral("50"));
    EXPECT_NEAR(graph.StringGrid1()->item(1, 1)->text().toDouble(), 1510.0, 0.1);
    EXPECT_TRUE(graph.Label1()->text().startsWith(QStringLiteral("SV: 1510.")));
    QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_FALSE(model.dragging());

    // A lasso around the first point, then Delete Selected.
    const QPoint first = at(0);
    QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, first + QPoint(-15, -15));
    for (QPoint corner : {QPoint(15, -15), QPoint(15, 15), QPoint(-15, 15)}) {
        dragTo(first + corner);
    }
    QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, first + QPoint(-15, 15));
    EXPECT_EQ(graph.bDeleteSelected()->text(), QStringLiteral("Delete Selected (1)"));
    ASSERT_TRUE(graph.bDeleteSelected()->isEnabled());
    QTest::mouseClick(graph.bDeleteSelected(), Qt::LeftButton);
    EXPECT_EQ(graph.StringGrid1()->rowCount(), 2);
    EXPECT_EQ(graph.StringGrid1()->item(0, 0)->text(), QStringLiteral("50"));

    // A typed cell changes the profile; the wheel zooms.
    graph.StringGrid1()->item(1, 1)->setText(QStringLiteral("1515.5"));
    EXPECT_EQ(model.points()[1].velocity, 1515.5);
    const double span = model.view().dmax - model.view().dmin;
    QWheelEvent wheel(QPointF(200, 150), plot->mapToGlobal(QPointF(200, 150)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    EXPECT_NEAR(model.view().dmax - model.view().dmin, span * 0.9, 1e-9);
    QTest::mouseClick(graph.bAddRow(), Qt::LeftButton);
    EXPECT_EQ(graph.StringGrid1()->rowCount(), 3);
}

// The main window and the sound velocity window together.
struct NavWithSvpTest : test::NavWindowFixture {};

TEST_F(NavWithSvpTest, MenuCaptionsSaveAndTheDepthReduction) {
    settings.writeString("GPS1 COMUNICATION SETTINGS", "Port No", "COM3");
    settings.writeString("SENSOR COMUNICATION SETTINGS", "Port No", "COM4");
    make();
    TfSVP svp(window->Settings(), window->Folders());
    window->SetSoundVelocityWindow(&svp);
    window->FormShow();
    EXPECT_EQ(svp.rSVFirst()->text(), QStringLiteral("First SV")); // the English caption set
    EXPECT_EQ(svp.rDFirst()->text(), QStringLiteral("First Depth"));
    window->Action(QStringLiteral("SoundVelocityProfile1"))->trigger();
    EXPECT_TRUE(svp.isVisible());

    // Save writes the four lists only while the profile is used, and not while they are all empty.
    ASSERT_TRUE(svp.UseSoundVelocityProfile());
    window->Save();
    EXPECT_TRUE(existingSvpTableFile(folders, SvpTable::RawData).empty());
    std::vector<std::string> column(20, "1500.00");
    column[12] = "1480.00";
    svp.mSVPColumn()->setPlainText(QString::fromStdString([&] {
        std::string text;
        for (const std::string& line : column) {
            text += line + "\n";
        }
        text.pop_back();
        return text;
    }()));
    svp.cUseSVP()->setChecked(false);
    window->Save();
    EXPECT_TRUE(existingSvpTableFile(folders, SvpTable::Column).empty());
    svp.cUseSVP()->setChecked(true);
    window->Save();
    std::vector<std::string> saved;
    ASSERT_TRUE(readSvpTable(folders, SvpTable::Column, saved));
    EXPECT_EQ(saved, column);

    // The profile just saved reduces the next depth: raw 12.34 m rounds to line 12.
    window->show();
    window->RealtimeClick();
    window->ZSENSOR().setTimersEnabled(false);
    sensor->feed("$SMT0001,12.34,12.6\r\n");
    window->ZSENSOR().PollTick();
    EXPECT_EQ(window->Session().sensor().lastSoundVelocity(), 1480);
    window->RealtimeClick();
}

// The offsets dialog follows the profile choice and its button opens the sound velocity window.
struct OffsetsWithSvpTest : test::SetupWindowsFixture {};

TEST_F(OffsetsWithSvpTest, TheSvFieldAndButtonFollowTheProfileChoice) {
    makeWithWindows();
    TfSVP svp(window->Settings(), window->Folders());
    window->SetSoundVelocityWindow(&svp);
    window->FormShow();
    QPushButton* button = offsets->bSVP();
    ASSERT_TRUE(button->isEnabled());
    for (const bool used : {false, true, false}) {
        svp.cUseSVP()->setChecked(used);
        EXPECT_EQ(offsets->soundVelocityProfileUsed(), used);
        EXPECT_EQ(offsets->SV()->isEnabled(), !used);
        EXPECT_EQ(button->text(), QString::fromStdString(profileButtonCaption(used, true)))
            << "Turkish while the language flag is on";
    }
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(svp.isVisible());
    svp.hide();
}

} // namespace
} // namespace selvir
