// The runline generator window in the main window: opened after a save, the route drawn with the
// mouse on the map and handed over at its end, fields typed by the surveyor regenerating the lines.
#include "NavWindowFixture.h"
#include "navigation/LayerNames.h"
#include "windows/TfRunline1.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace selvir {
namespace {

struct RunlineWindowTest : test::NavWindowFixture {
    std::unique_ptr<TfRunline1> runlines;
    std::vector<QString> messagesShown;

    void SetUp() override {
        make();
        runlines = std::make_unique<TfRunline1>(
            *window->Canvas(), window->Session().settings(),
            [this](const std::string& text) { window->Session().events().writeAutoEvent(text); });
        runlines->onMessage = [this](const QString& text) { messagesShown.push_back(text); };
        window->SetRunlineWindow(runlines.get());
        window->FormShow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->Canvas()->WorldSet(0, 1000, 1000, 0);
    }
    void TearDown() override { window->SetRunlineWindow(nullptr); }

    void click(Qt::MouseButton button, double x, double y) {
        int px = 0, py = 0;
        window->Canvas()->WorldToScreen(x, y, px, py);
        QTest::mouseClick(window->Canvas(), button, Qt::NoModifier, QPoint(px, py));
    }
};

TEST_F(RunlineWindowTest, OpeningSavesTheLayoutFirst) {
    for (const char* command : {"GenerateRunline1", "tbRunline"}) {
        runlines->hide();
        window->Action(QString::fromUtf8(command))->trigger();
        EXPECT_TRUE(runlines->isVisible()) << command;
    }
    const std::string log = eventsLog();
    EXPECT_EQ(test::countOf(log, "\tAuto-saved: "), 2);
    EXPECT_EQ(runlines->lRouteStatus->text(), QStringLiteral("No route drawn"));
}

TEST_F(RunlineWindowTest, ARouteDrawnWithTheMouseBecomesRunlines) {
    window->GenerateRunline1Click();
    QTest::mouseClick(runlines->bDrawRoute, Qt::LeftButton);
    EXPECT_EQ(runlines->lRouteStatus->text(), QStringLiteral("Drawing... (right-click to finish)"));
    click(Qt::LeftButton, 200, 200);
    EXPECT_FALSE(window->tMap().isActive()) << "the map waits while the route is drawn";
    click(Qt::LeftButton, 200, 500);
    click(Qt::LeftButton, 600, 500);
    click(Qt::RightButton, 600, 500);

    EXPECT_EQ(runlines->lRouteStatus->text(), QStringLiteral("Route: 3 points"));
    const auto route = test::shapesOn(*window->Canvas(), "Selvir_Route");
    ASSERT_EQ(route.size(), 1u) << "the route stays on its own layer";
    EXPECT_TRUE(test::shapesOn(*window->Canvas(), kUserShapeLayerName).empty());
    const auto lines = test::shapesOn(*window->Canvas(), "Selvir_Runlines");
    EXPECT_GT(lines.size(), 20u);
    EXPECT_NE(eventsLog().find("\tRunlines generated - Spacing: 10, Length: 100"), std::string::npos);

    // A shape drawn later while the window is open does not replace the route: the route layer wins.
    window->SelectDrawTool(5);
    click(Qt::LeftButton, 800, 800);
    click(Qt::LeftButton, 900, 900);
    click(Qt::RightButton, 900, 900);
    EXPECT_EQ(test::shapesOn(*window->Canvas(), kUserShapeLayerName).size(), 1u);
    const auto* drawn = dynamic_cast<const TSPolyline*>(route[0]);
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(runlines->Generator().route().front(), std::make_pair(drawn->Points[0].X, drawn->Points[0].Y));
}

TEST_F(RunlineWindowTest, TypedFieldsRegenerateAndEachChangeIsRecorded) {
    window->GenerateRunline1Click();
    runlines->SetRoute({{100, 100}, {100, 200}});
    QTest::mouseClick(runlines->rbParallel, Qt::LeftButton);
    runlines->eSpacing->clear();
    QTest::keyClicks(runlines->eSpacing, "0");
    EXPECT_EQ(test::shapesOn(*window->Canvas(), "Selvir_Runlines").size(), 21u) << "spacing 0 works as 10";
    QTest::keyClicks(runlines->eSpacing, "x");
    EXPECT_EQ(test::shapesOn(*window->Canvas(), "Selvir_Runlines").size(), 21u) << "so do letters";
    runlines->eSpacing->selectAll();
    QTest::keyClicks(runlines->eSpacing, "30");
    EXPECT_EQ(test::shapesOn(*window->Canvas(), "Selvir_Runlines").size(), 7u);
    const std::string log = eventsLog();
    for (const char* typed : {"0", "0x", "3", "30"}) {
        EXPECT_NE(log.find(std::string("\tRunlines generated - Spacing: ") + typed + ", Length: 100"),
                  std::string::npos)
            << typed;
    }
    EXPECT_FALSE(settings.sectionExists("RUNLINE")) << "typing stores nothing";
    QTest::mouseClick(runlines->bGenerate, Qt::LeftButton);
    EXPECT_EQ(settings.readString("RUNLINE", "Spacing"), "30");
    EXPECT_FALSE(settings.readBool("RUNLINE", "Perpendicular", true));

    QTest::mouseClick(runlines->bClear, Qt::LeftButton);
    EXPECT_TRUE(test::shapesOn(*window->Canvas(), "Selvir_Runlines").empty());
    QTest::mouseClick(runlines->bClose, Qt::LeftButton);
    EXPECT_FALSE(runlines->isVisible());
}

TEST_F(RunlineWindowTest, GenerateWithoutARouteAsksForOneAndWritesNothing) {
    window->GenerateRunline1Click();
    const std::string before = eventsLog();
    QTest::mouseClick(runlines->bGenerate, Qt::LeftButton);
    EXPECT_EQ(messagesShown, std::vector<QString>{QStringLiteral("Please draw a route first.")});
    EXPECT_EQ(eventsLog(), before);
    EXPECT_FALSE(settings.sectionExists("RUNLINE"));
    EXPECT_TRUE(test::shapesOn(*window->Canvas(), "Selvir_Runlines").empty());
}

TEST_F(RunlineWindowTest, GenerateMakesTheLinesOnceWithOneRecord) {
    window->GenerateRunline1Click();
    runlines->SetRoute({{100, 100}, {100, 200}});
    const std::string record = "\tRunlines generated - Spacing: 10, Length: 100";
    ASSERT_EQ(test::countOf(eventsLog(), record), 1) << "the route generates at once";
    QTest::mouseClick(runlines->bGenerate, Qt::LeftButton);
    EXPECT_EQ(test::countOf(eventsLog(), record), 2) << "one generation per press";
    EXPECT_EQ(settings.readString("RUNLINE", "Spacing"), "10");
}

// Esc while the route is being drawn drops the route drawing: what is drawn next with the toolbar lands
// on the surveyor's layer, where the next "Draw Route" leaves it alone.
TEST_F(RunlineWindowTest, EscapeDuringDrawRouteGivesTheMapBackToTheDrawingTools) {
    window->GenerateRunline1Click();
    QTest::mouseClick(runlines->bDrawRoute, Qt::LeftButton);
    click(Qt::LeftButton, 200, 200);
    QTest::keyClick(window->Canvas(), Qt::Key_Escape);
    EXPECT_FALSE(runlines->Generator().drawingRoute());
    EXPECT_EQ(runlines->lRouteStatus->text(), QStringLiteral("No route drawn"));
    EXPECT_EQ(window->Canvas()->DrawTool, 0) << "the route's polyline tool is put away";

    window->SelectDrawTool(5);
    click(Qt::LeftButton, 300, 300);
    click(Qt::LeftButton, 400, 400);
    click(Qt::RightButton, 400, 400);
    EXPECT_EQ(test::shapesOn(*window->Canvas(), kUserShapeLayerName).size(), 1u);
    EXPECT_TRUE(test::shapesOn(*window->Canvas(), "Selvir_Route").empty());
    QTest::mouseClick(runlines->bDrawRoute, Qt::LeftButton);
    EXPECT_EQ(test::shapesOn(*window->Canvas(), kUserShapeLayerName).size(), 1u);
}

// The close sequence keeps the window's place and closes it like the other tool windows.
TEST_F(RunlineWindowTest, ClosingTheProgramClosesTheWindowAndKeepsItsPlace) {
    window->GenerateRunline1Click();
    runlines->move(140, 160);
    const int left = runlines->x();
    window->close();
    EXPECT_FALSE(runlines->isVisible());
    EXPECT_EQ(settings.readInteger("fRunline1", "Left", -1), left);
}

} // namespace
} // namespace selvir
