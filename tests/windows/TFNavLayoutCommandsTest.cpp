// The main window's layout commands on temporary folders: save, open, save as, new, DXF, the clearing
// commands and the polygon selection of tracks driven by real mouse events.
#include "NavWindowFixture.h"
#include "navigation/LayerNames.h"

#include <QAction>
#include <QLabel>
#include <QTest>

namespace selvir {
namespace {

struct LayoutCommandsTest : test::NavWindowFixture {
    std::vector<QString> questions;
    std::vector<QString> errors;
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
    EXPECT_EQ(errors.size(), 1u);
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

    chosenFile = QString::fromStdString((dir / "missing.dxf").string());
    window->Import1Click();
    EXPECT_EQ(errors.size(), 1u);
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
    canvas.OnShapeNumberSelected(&canvas, shapetype::Line, track);
    EXPECT_EQ(canvas.GetShapePenWidth(track), 3); // track clicking is off until a delete

    window->DeleteSelectedClick();
    canvas.ShapeSelect(track, false);
    canvas.OnShapeNumberSelected(&canvas, shapetype::Line, track);
    EXPECT_EQ(canvas.GetShapePenWidth(track), 0);
    canvas.OnShapeNumberSelected(&canvas, shapetype::Line, track);
    EXPECT_EQ(canvas.GetShapePenWidth(track), 3);
    EXPECT_FALSE(canvas.GetShapeIsSelected(track));

    window->startSelection(TFNav::SelectionMode::Tracks); // "Select Track" turns it off again
    canvas.OnShapeNumberSelected(&canvas, shapetype::Line, track);
    EXPECT_EQ(canvas.GetShapePenWidth(track), 3);
}

} // namespace
} // namespace selvir
