// The main window's layout commands on temporary folders: save, open, save as, new, DXF, the clearing
// commands and the polygon selection of tracks driven by real mouse events.
#include "NavWindowFixture.h"
#include "canvas/InputCodes.h"
#include "navigation/LayerNames.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <stdexcept>

namespace selvir {
namespace {

struct LayoutCommandsTest : test::NavWindowFixture {
    std::vector<QString> questions;
    std::vector<QString> errors;
    std::vector<QString> informations;
    bool answer = true;
    QString chosenFile;

    TFNav& shown() {
        make().FormShow();
        window->askYesNo = [this](const QString& q) {
            questions.push_back(q);
            return answer;
        };
        window->chooseFile = [this](const QString&, const QString&, bool) { return chosenFile; };
        window->onError = [this](const QString& e) { errors.push_back(e); };
        window->onInformation = [this](const QString& i) { informations.push_back(i); };
        return *window;
    }
    int layer(const char* name) { return window->Canvas()->LayerFindByName(QString::fromUtf8(name)); }
    void click(Qt::MouseButton button, double x, double y) {
        int px = 0, py = 0;
        window->Canvas()->WorldToScreen(x, y, px, py);
        QTest::mouseClick(window->Canvas(), button, Qt::NoModifier, QPoint(px, py));
    }
};

TEST_F(LayoutCommandsTest, SaveNamesTheFileByTheMinuteAndTwoSavesShareIt) {
    shown().Save();
    window->Action(QStringLiteral("Save1"))->trigger();
    const std::filesystem::path saved = folders.layoutFolder() / "2026-03-05 0905.gvx";
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(test::countOf(eventsLog(), "Auto-saved: " + saved.string()), 2);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Selvir Dalgaroz - ") + QString::fromStdString(saved.string()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.layoutFolder()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(LayoutCommandsTest, OpenAddsTheLayoutAndKeepsTitleAndLastFile) {
    const std::filesystem::path file = dir / "other.gvx";
    {
        TSelvirCanvas other;
        other.DrawLine(0, 0, 5, 5, other.LayerOpen(QStringLiteral("track_fix")));
        ASSERT_TRUE(other.CadSave(QString::fromStdString(file.string())));
    }
    shown();
    window->Canvas()->DrawLine(1, 1, 2, 2, layer(kTrackFixLayer));
    chosenFile.clear();
    window->Open1Click(); // cancelled
    EXPECT_EQ(test::shapesOn(*window->Canvas(), kTrackFixLayer).size(), 1u);

    chosenFile = QString::fromStdString(file.string());
    window->Action(QStringLiteral("Open1"))->trigger();
    EXPECT_EQ(test::shapesOn(*window->Canvas(), kTrackFixLayer).size(), 2u); // added, on the same layer
    int trackFixLayers = 0;
    for (const auto& l : window->Canvas()->Model().Layers) {
        trackFixLayers += l->Name == QStringLiteral("track_fix") ? 1 : 0;
    }
    EXPECT_EQ(trackFixLayers, 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Selvir Dalgaroz"));
    EXPECT_NE(eventsLog().find("\tOpened file: " + file.string()), std::string::npos);
    EXPECT_FALSE(settings.valueExists("FILE", "Last File Saved"));
}

TEST_F(LayoutCommandsTest, SaveAsSetsTheBracketTitleNotTheLastFile) {
    shown();
    chosenFile = QString::fromStdString((dir / "mine.gvx").string());
    window->SaveAs1Click();
    EXPECT_TRUE(std::filesystem::exists(dir / "mine.gvx"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Selvir Dalgaroz  <") + chosenFile + QStringLiteral(">"));
    EXPECT_NE(eventsLog().find("\tSaved As: " + chosenFile.toStdString()), std::string::npos);
    EXPECT_FALSE(settings.valueExists("FILE", "Last File Saved"));

    chosenFile = QString::fromStdString((dir / "no such folder" / "x.gvx").string());
    window->SaveAs1Click();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("The layout could not be saved: ") + chosenFile +
                                     QStringLiteral(": Cannot create ")));
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral(": No such file or directory"))) << errors[0].toStdString();
    EXPECT_EQ(test::countOf(eventsLog(), "Saved As: "), 1);
}

TEST_F(LayoutCommandsTest, NewClearsEverythingOnlyWhenConfirmed) {
    shown();
    TSelvirCanvas& canvas = *window->Canvas();
    canvas.DrawLine(0, 0, 1, 1, layer(kTrackFixLayer));
    canvas.AddDepthLabel(0, 0, 12.3);
    canvas.AddEventLabel(0, 0, 1);
    answer = false;
    window->New1Click();
    EXPECT_EQ(questions.back(), QStringLiteral("Entire layout will be cleared! Continue?"));
    EXPECT_EQ(canvas.Model().ShapeCount(), 1);

    answer = true;
    window->Action(QStringLiteral("New1"))->trigger();
    EXPECT_EQ(canvas.Model().ShapeCount(), 0);
    EXPECT_TRUE(canvas.Overlays().DepthLabels.empty());
    EXPECT_TRUE(canvas.Overlays().EventLabels.empty());
    EXPECT_NE(eventsLog().find("\tNew layout - cleared all shapes"), std::string::npos);
    for (const char* name : kFixedLayerNames) {
        EXPECT_GE(layer(name), 0) << name;
    }
    EXPECT_EQ(canvas.GetLayerAction(layer(kUserShapeLayerName)), 15);
}

TEST_F(LayoutCommandsTest, ClearingCommandsAskAndEmptyTheirLayer) {
    shown();
    TSelvirCanvas& canvas = *window->Canvas();
    for (const char* name : {kTrackFixLayer, kTrackFloatLayer, kTrackNoFixLayer, kUserShapeLayerName}) {
        canvas.DrawLine(0, 0, 1, 1, layer(name));
    }
    answer = false;
    window->Action(QStringLiteral("tbFixed"))->trigger();
    EXPECT_EQ(test::shapesOn(canvas, kTrackFixLayer).size(), 1u);
    answer = true;
    struct Case {
        const char* action;
        const char* layer;
        const char* question;
        const char* event;
    };
    for (const Case& c :
         {Case{"tbFixed", kTrackFixLayer, "Fixed/Float/DGPS tracking points to be cleared. Continue?",
               "Cleared Fixed/Float/DGPS tracklines"},
          Case{"ClearUnfixedTracks1", kTrackFloatLayer, "Autonomous tracking points to be cleared. Continue?",
               "Cleared Autonomous tracklines"},
          Case{"tbAuto", kTrackNoFixLayer, nullptr, "Cleared NoFix tracklines"},
          Case{"ToolButton11", kUserShapeLayerName, "User added shapes to be deleted! Continue?", nullptr}}) {
        window->Action(QString::fromUtf8(c.action))->trigger();
        EXPECT_TRUE(test::shapesOn(canvas, c.layer).empty()) << c.action;
        if (c.question) {
            EXPECT_EQ(questions.back(), QString::fromUtf8(c.question));
        }
        if (c.event) {
            EXPECT_NE(eventsLog().find(std::string("\t") + c.event), std::string::npos) << c.event;
        }
    }
    EXPECT_EQ(test::countOf(eventsLog(), "Cleared "), 3);
}

TEST_F(LayoutCommandsTest, APolygonSelectsFixedAndFloatTracksAndDeleteRemovesThemNotTheLabels) {
    shown();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TSelvirCanvas& canvas = *window->Canvas();
    canvas.DrawLine(400, 400, 450, 450, layer(kTrackFixLayer));
    canvas.DrawLine(500, 500, 550, 550, layer(kTrackFloatLayer));
    canvas.DrawLine(900, 100, 950, 150, layer(kTrackFixLayer));      // outside the polygon
    canvas.DrawLine(420, 420, 440, 440, layer(kUserShapeLayerName)); // inside, not a track
    canvas.AddDepthLabel(450, 450, 12.3);

    window->Action(QStringLiteral("bSelectTracks"))->trigger();
    EXPECT_EQ(window->StatusPanel(0)->text(),
              QStringLiteral("Draw polygon to select tracks (right-click to finish)"));
    click(Qt::LeftButton, 300, 300);
    click(Qt::LeftButton, 700, 300);
    click(Qt::LeftButton, 700, 700);
    click(Qt::LeftButton, 300, 700);
    click(Qt::RightButton, 300, 700);
    EXPECT_EQ(window->Selection(), TFNav::SelectionMode::None);
    EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("2 track(s) selected. Press Delete to remove."));
    EXPECT_TRUE(test::shapesOn(canvas, "Selvir_SelectPoly").empty());
    EXPECT_EQ(test::shapesOn(canvas, kUserShapeLayerName).size(), 1u); // the polygon did not land here

    QTest::keyClick(&canvas, Qt::Key_Delete);
    EXPECT_TRUE(test::shapesOn(canvas, kTrackFloatLayer).empty());
    EXPECT_EQ(test::shapesOn(canvas, kTrackFixLayer).size(), 1u);
    EXPECT_EQ(canvas.Overlays().DepthLabels.size(), 1u);
}

TEST_F(LayoutCommandsTest, EscapeLeavesTheSelectionMode) {
    shown();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->startSelection(TFNav::SelectionMode::Shapes);
    EXPECT_EQ(window->StatusPanel(0)->text(),
              QStringLiteral("Draw polygon to select shapes (right-click to finish)"));
    click(Qt::LeftButton, 300, 300);
    click(Qt::LeftButton, 700, 300);
    QTest::keyClick(window->Canvas(), Qt::Key_Escape);
    EXPECT_EQ(window->Selection(), TFNav::SelectionMode::None);
    EXPECT_EQ(window->Canvas()->DrawTool, 0);
    EXPECT_EQ(window->Canvas()->Model().ShapeCount(), 0);
}

TEST_F(LayoutCommandsTest, DxfExportThenImportBringsTheShapesBack) {
    shown();
    window->Canvas()->DrawLine(10, 20, 30, 40, layer(kTrackFixLayer));
    window->Canvas()->DrawCircle(5, 5, 3, layer(kUserShapeLayerName));
    chosenFile = QString::fromStdString((dir / "out.dxf").string());
    window->Action(QStringLiteral("Export1"))->trigger();
    ASSERT_TRUE(std::filesystem::exists(dir / "out.dxf"));
    EXPECT_EQ(eventsLog().find("out.dxf"), std::string::npos); // exporting writes no entry

    window->Canvas()->CadClearShapes(-1);
    window->Import1Click();
    EXPECT_EQ(window->Canvas()->Model().ShapeCount(), 2);
    EXPECT_NE(eventsLog().find("\tImported DXF: " + chosenFile.toStdString()), std::string::npos);
    for (const char* name : kFixedLayerNames) {
        EXPECT_GE(layer(name), 0) << name;
    }
    // The surveyor is told what was read.
    ASSERT_EQ(informations.size(), 1u);
    EXPECT_TRUE(informations[0].startsWith(QStringLiteral("DXF loaded: 2 entities\nLines: 1, Circles: 1, ")))
        << informations[0].toStdString();
    EXPECT_TRUE(errors.empty());

    // A drawing with only a header, then a file that is not there: each says why.
    ASSERT_TRUE(
        writeFileAtomically(dir / "header.dxf", "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n"));
    chosenFile = QString::fromStdString((dir / "header.dxf").string());
    window->Import1Click();
    chosenFile = QString::fromStdString((dir / "missing.dxf").string());
    window->Import1Click();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], QStringLiteral("DXF load failed: ENTITIES section not found"));
    EXPECT_EQ(errors[1], QStringLiteral("The DXF drawing could not be read: ") + chosenFile +
                             QStringLiteral(": No such file or directory"));
    EXPECT_EQ(informations.size(), 1u);
}

// The left toolbar's tools, driven by real clicks: each draws its shape on the user's layer (also after
// a selection polygon left another layer current), and its button shows the tool while it is in force.
TEST_F(LayoutCommandsTest, DrawingToolbarDrawsEachShapeOnTheUsersLayer) {
    shown();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TSelvirCanvas& canvas = *window->Canvas();
    canvas.SetCurrentLayer(canvas.LayerOpen(QStringLiteral("Selvir_SelectPoly")));
    struct Case {
        const char* button;
        std::vector<std::pair<double, double>> clicks; // left clicks, then a right click unless a point
        ShapeKind shapeType;
    };
    const Case cases[] = {
        {"ToolButton7", {{500, 500}}, ShapeKind::Point},
        {"ToolButton12", {{300, 300}, {400, 350}}, ShapeKind::Line},
        {"ToolButton21", {{300, 300}, {400, 350}}, ShapeKind::Rectangle},
        {"ToolButton31", {{500, 500}, {550, 500}}, ShapeKind::Circle},
        {"ToolButton28", {{300, 300}, {400, 300}, {400, 400}}, ShapeKind::Polygon},
        {"ToolButton29", {{300, 300}, {400, 320}, {450, 400}}, ShapeKind::Spline},
    };
    for (const Case& c : cases) {
        QAction* tool = window->Action(QString::fromUtf8(c.button));
        ASSERT_NE(tool, nullptr) << c.button;
        EXPECT_FALSE(tool->icon().isNull()) << c.button;
        EXPECT_EQ(tool->toolTip(), tool->text()) << "the caption is the tooltip";
        tool->trigger();
        EXPECT_TRUE(tool->isChecked()) << c.button;
        const auto before = test::shapesOn(canvas, kUserShapeLayerName).size();
        for (const auto& [x, y] : c.clicks) {
            click(Qt::LeftButton, x, y);
        }
        if (c.shapeType != ShapeKind::Point) {
            click(Qt::RightButton, c.clicks.back().first, c.clicks.back().second);
        }
        QCoreApplication::processEvents();
        const auto drawn = test::shapesOn(canvas, kUserShapeLayerName);
        ASSERT_EQ(drawn.size(), before + 1) << c.button;
        EXPECT_EQ(drawn.back()->ShapeType, c.shapeType) << c.button;
        EXPECT_FALSE(tool->isChecked()) << "the tool has ended: " << c.button;
        EXPECT_EQ(canvas.DrawTool, 0);
    }

    // Zoom window from the menu: two clicks span the new view, then the tool ends.
    window->Action(QStringLiteral("Window1"))->trigger();
    EXPECT_TRUE(window->Action(QStringLiteral("Zoomwindow"))->isChecked());
    click(Qt::LeftButton, 400, 400);
    click(Qt::LeftButton, 600, 500);
    QCoreApplication::processEvents();
    EXPECT_NEAR((canvas.View().WorldLeft + canvas.View().WorldRight) / 2, 500, 1);
    EXPECT_LT(canvas.View().WorldRight - canvas.View().WorldLeft, 400);
    EXPECT_FALSE(window->Action(QStringLiteral("Zoomwindow"))->isChecked());
    window->Action(QStringLiteral("Dynamic1"))->trigger();
    EXPECT_EQ(canvas.DrawTool, toolCode(CanvasTool::DynamicZoom));
    window->Action(QStringLiteral("Zoomdynamic"))->trigger(); // a second click puts the tool away
    EXPECT_EQ(canvas.DrawTool, toolCode(CanvasTool::None));
}

// A fault in the pointer handling loses the click, not the program, and is written to the events log.
TEST_F(LayoutCommandsTest, AFaultInThePointerHandlingIsLogged) {
    shown();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->Canvas()->OnWorldMouseDown = [](CanvasCore*, std::int16_t, std::int16_t, std::int16_t, double,
                                            double) { throw std::runtime_error("handler broke"); };
    click(Qt::LeftButton, 500, 500);
    EXPECT_EQ(window->Canvas()->InputFaultCount(), 1);
    EXPECT_NE(eventsLog().find("\tCanvas input failed: "), std::string::npos) << eventsLog();
    EXPECT_NE(eventsLog().find("handler broke"), std::string::npos);
}

TEST(QtFileFilter, DialogFiltersBecomeQtFilters) {
    EXPECT_EQ(qtFileFilter(QStringLiteral("Selvir Rotaplan [*.gvx]|*.gvx|All Files [*.*]|*.*")),
              QStringLiteral("Selvir Rotaplan [*.gvx] (*.gvx);;All Files [*.*] (*)"));
}

TEST_F(LayoutCommandsTest, AfterADeleteClickingATrackTogglesItsHighlight) {
    settings.writeInteger("NAVIGATION_SETTINGS", "TrackWidth", 3);
    shown();
    TSelvirCanvas& canvas = *window->Canvas();
    const ShapeId track = canvas.DrawLine(0, 0, 10, 10, layer(kTrackFixLayer));
    canvas.SetShapePenWidth(track, 3);
    canvas.OnShapeNumberSelected(&canvas, shapeCode(ShapeKind::Line), track);
    EXPECT_EQ(canvas.GetShapePenWidth(track), 3); // track clicking is off until a delete

    window->DeleteSelectedClick();
    canvas.ShapeSelect(track, false);
    canvas.OnShapeNumberSelected(&canvas, shapeCode(ShapeKind::Line), track);
    EXPECT_EQ(canvas.GetShapePenWidth(track), 0);
    canvas.OnShapeNumberSelected(&canvas, shapeCode(ShapeKind::Line), track);
    EXPECT_EQ(canvas.GetShapePenWidth(track), 3);
    EXPECT_FALSE(canvas.GetShapeIsSelected(track));

    window->startSelection(TFNav::SelectionMode::Tracks); // "Select Track" turns it off again
    canvas.OnShapeNumberSelected(&canvas, shapeCode(ShapeKind::Line), track);
    EXPECT_EQ(canvas.GetShapePenWidth(track), 3);
}

} // namespace
} // namespace selvir
