// The main window from creation to close on temporary folders: data folders, the reloaded layout and
// view, the window placement, the layout saved on close and the exits.
#include "NavWindowFixture.h"
#include "navigation/LayerNames.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWheelEvent>
#include <array>
#include <limits>

namespace selvir {
namespace {

using LifecycleTest = test::NavWindowFixture;

TEST_F(LifecycleTest, CreationMakesEveryDataFolderOfTheDay) {
    ASSERT_FALSE(std::filesystem::exists(root));
    make();
    for (const auto& folder : {folders.dayFolder(), folders.layoutFolder(), folders.logFolder(),
                               folders.svpFolder(), folders.jpgFolder(), folders.mp4Folder()}) {
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
    }
    EXPECT_EQ(folders.dayFolder().filename(), "2026-03-05");
}

TEST_F(LifecycleTest, ShowWithoutCanvasSectionGivesTheDefaultWorldWindowAndTheFixedLayers) {
    make().FormShow();
    const ViewWindow& view = window->Canvas()->View();
    EXPECT_DOUBLE_EQ(view.WorldLeft, 0);
    EXPECT_DOUBLE_EQ(view.WorldRight, 1000);
    EXPECT_DOUBLE_EQ(view.WorldTop, 1000);
    EXPECT_DOUBLE_EQ(view.WorldBottom, 0);
    EXPECT_TRUE(window->Canvas()->Grid().GridAuto);
    std::vector<std::string> layers;
    for (const auto& layer : window->Canvas()->Model().Layers) {
        layers.push_back(layer->Name.toStdString());
    }
    for (const char* name : kFixedLayerNames) {
        EXPECT_NE(std::find(layers.begin(), layers.end(), name), layers.end()) << name;
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Selvir Dalgaroz"));
}

TEST_F(LifecycleTest, StoredViewIsRestoredAndTheChangedViewWrittenOnClose) {
    settings.writeFloat("CANVAS", "PlanWorldLeft", 100);
    settings.writeFloat("CANVAS", "PlanWorldRight", 600);
    settings.writeFloat("CANVAS", "PlanWorldTop", 900);
    settings.writeFloat("CANVAS", "PlanWorldBottom", 400);
    settings.writeBool("CANVAS", "GridAutoScale", false);
    settings.writeInteger("CANVAS", "DepthSpeedDisplayMode", 2);
    settings.writeInteger("CANVAS", "GGAOverlayPosition", 3);
    make().FormShow();
    TSelvirCanvas& canvas = *window->Canvas();
    EXPECT_DOUBLE_EQ(canvas.View().WorldLeft, 100);
    EXPECT_DOUBLE_EQ(canvas.View().WorldRight, 600);
    EXPECT_DOUBLE_EQ(canvas.View().WorldTop, 900);
    EXPECT_DOUBLE_EQ(canvas.View().WorldBottom, 400);
    EXPECT_FALSE(canvas.Grid().GridAuto);
    EXPECT_EQ(canvas.DepthSpeedDisplayMode(), 2);
    EXPECT_EQ(canvas.GGAOverlayPosition(), 3);

    canvas.WorldPan(50, -25);
    canvas.ToggleDepthSpeedDisplayMode();
    window->close();
    EXPECT_DOUBLE_EQ(settings.readFloat("CANVAS", "PlanWorldLeft", -1), 150);
    EXPECT_DOUBLE_EQ(settings.readFloat("CANVAS", "PlanWorldRight", -1), 650);
    EXPECT_DOUBLE_EQ(settings.readFloat("CANVAS", "PlanWorldTop", -1), 875);
    EXPECT_DOUBLE_EQ(settings.readFloat("CANVAS", "PlanWorldBottom", -1), 375);
    EXPECT_FALSE(settings.readBool("CANVAS", "GridAutoScale", true));
    EXPECT_EQ(settings.readInteger("CANVAS", "DepthSpeedDisplayMode", -1), 3);
    EXPECT_EQ(settings.readInteger("CANVAS", "GGAOverlayPosition", -1), 3);
}

TEST_F(LifecycleTest, AStoredViewThatIsNotFiniteGivesTheDefaultWindow) {
    const std::array<std::array<const char*, 4>, 3> stored = {{
        {"nan", "600", "900", "400"},
        {"100", "inf", "900", "400"},
        {"-1e308", "1e308", "900", "400"}, // a width past the largest double
    }};
    for (const auto& [left, right, top, bottom] : stored) {
        settings.writeString("CANVAS", "PlanWorldLeft", left);
        settings.writeString("CANVAS", "PlanWorldRight", right);
        settings.writeString("CANVAS", "PlanWorldTop", top);
        settings.writeString("CANVAS", "PlanWorldBottom", bottom);
        make().FormShow();
        EXPECT_EQ(window->Canvas()->View(), ViewWindow{})
            << left << " " << right << " " << top << " " << bottom;
    }
}

TEST_F(LifecycleTest, AViewThatIsNotFiniteIsNotWrittenOnClose) {
    settings.writeFloat("CANVAS", "PlanWorldLeft", 100);
    settings.writeFloat("CANVAS", "PlanWorldRight", 600);
    settings.writeFloat("CANVAS", "PlanWorldTop", 900);
    settings.writeFloat("CANVAS", "PlanWorldBottom", 400);
    make().FormShow();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    window->Canvas()->WorldSet(nan, nan, nan, nan);
    window->close();
    EXPECT_EQ(settings.readString("CANVAS", "PlanWorldLeft", ""), "100") << "the last finite view stays";
    EXPECT_EQ(settings.readString("CANVAS", "PlanWorldRight", ""), "600");
    EXPECT_EQ(settings.readString("CANVAS", "PlanWorldTop", ""), "900");
    EXPECT_EQ(settings.readString("CANVAS", "PlanWorldBottom", ""), "400");
}

TEST_F(LifecycleTest, PlacementIsClampedOntoTheScreenOrMaximised) {
    settings.writeInteger("FNav", "WindowState", 0);
    settings.writeInteger("FNav", "Left", -50);
    settings.writeInteger("FNav", "Top", 40);
    settings.writeInteger("FNav", "Width", 900);
    settings.writeInteger("FNav", "Height", 650);
    make().FormShow();
    EXPECT_EQ(window->pos(), QPoint(0, 40));
    EXPECT_EQ(window->size(), QSize(900, 650));
    window.reset();

    settings.writeInteger("FNav", "Left", 100000);
    make().FormShow();
    EXPECT_EQ(window->pos().x(), 0);
    window.reset();

    settings.writeInteger("FNav", "WindowState", 2);
    settings.writeInteger("FNav", "Left", 300);
    make().FormShow();
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
}

TEST_F(LifecycleTest, ADeletedLastLayoutGivesAnEmptyCanvas) {
    settings.writeString("FILE", "Last File Saved       ", (dir / "gone.gvx").string());
    make().FormShow();
    for (const auto& shape : window->Canvas()->Model().Shapes) {
        ADD_FAILURE() << "unexpected shape on layer " << shape->Layer;
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Selvir Dalgaroz"));
}

TEST_F(LifecycleTest, ADamagedLastLayoutOpensEmptyAndSaysWhy) {
    const auto file = dir / "damaged.gvx";
    ASSERT_TRUE(writeFileAtomically(file, "GVX1 these bytes are no zlib stream"));
    settings.writeString("FILE", "Last File Saved       ", file.string());
    make().FormShow();
    EXPECT_EQ(window->Canvas()->Model().ShapeCount(), 0);
    EXPECT_NE(eventsLog().find("\tThe last layout could not be loaded: " + file.string() + ": "),
              std::string::npos)
        << eventsLog();
}

TEST_F(LifecycleTest, TheLastLayoutIsReloadedWithoutItsVesselAndTheTitleStaysPlain) {
    const std::filesystem::path file = dir / "earlier.gvx";
    {
        TSelvirCanvas other;
        other.DrawLine(10, 20, 30, 40, other.LayerOpen(QStringLiteral("track_fix")));
        other.DrawCircle(5, 5, 10, other.LayerOpen(QStringLiteral("~~Selvir Vessel")));
        ASSERT_TRUE(other.CadSave(QString::fromStdString(file.string())));
    }
    settings.writeString("FILE", "Last File Saved       ", file.string());
    make().FormShow();
    ASSERT_EQ(test::shapesOn(*window->Canvas(), kTrackFixLayer).size(), 1u);
    EXPECT_TRUE(test::shapesOn(*window->Canvas(), kVesselLayerName).empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Selvir Dalgaroz"));
}

TEST_F(LifecycleTest, CloseSavesTheLayoutInTheDayFolderAndRemembersIt) {
    make().FormShow();
    TSelvirCanvas& canvas = *window->Canvas();
    canvas.DrawLine(1, 2, 3, 4, canvas.LayerFindByName(QString::fromUtf8(kUserShapeLayerName)));
    canvas.DrawCircle(0, 0, 10, canvas.LayerFindByName(QString::fromUtf8(kVesselLayerName)));
    window->close();

    const std::filesystem::path saved = folders.layoutFolder() / "2026-03-05 0905.gvx";
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(settings.readString("FILE", "Last File Saved", ""), saved.string());
    EXPECT_EQ(test::countOf(eventsLog(), "\tAuto-saved: " + saved.string()), 1);
    EXPECT_TRUE(settings.sectionExists("FNav"));

    TSelvirCanvas reloaded;
    ASSERT_TRUE(reloaded.CadLoad(QString::fromStdString(saved.string()), -1, -1, 0));
    EXPECT_EQ(test::shapesOn(reloaded, kUserShapeLayerName).size(), 1u);
    EXPECT_TRUE(test::shapesOn(reloaded, kVesselLayerName).empty()); // redrawn live, never saved
}

TEST_F(LifecycleTest, MenuExitSavesTwiceAndTheExitButtonNotAtAll) {
    make().FormShow();
    window->Action(QStringLiteral("bExit"))->trigger();
    EXPECT_EQ(exitCodes, std::vector<int>{-1});
    EXPECT_EQ(test::countOf(eventsLog(), "Auto-saved: "), 0);

    window->Action(QStringLiteral("Exit1"))->trigger();
    EXPECT_EQ(test::countOf(eventsLog(), "Auto-saved: "), 2);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(LifecycleTest, ALayoutThatCannotBeWrittenIsReportedNotLoggedAsSaved) {
    make().FormShow();
    // A file where the layout folder should be: nothing can be written there.
    std::filesystem::remove_all(folders.layoutFolder());
    ASSERT_TRUE(writeFileAtomically(folders.layoutFolder(), "not a folder"));
    EXPECT_TRUE(window->Save().empty());
    EXPECT_EQ(test::countOf(eventsLog(), "Auto-saved: "), 0);
    EXPECT_NE(eventsLog().find("Layout could not be saved: " + folders.layoutFolder().string() + "/"),
              std::string::npos);
    EXPECT_NE(eventsLog().find(": Not a directory"), std::string::npos) << "with the reason";
    EXPECT_EQ(settings.readString("FILE", "Last File Saved", "none"), "none");
}

TEST_F(LifecycleTest, EnglishCaptionsAreAppliedAtShow) {
    make().FormShow();
    EXPECT_EQ(window->Action(QStringLiteral("MarkEvent1"))->text(), QStringLiteral("Event Marking"));
    EXPECT_EQ(window->Action(QStringLiteral("ToolButton13"))->text(), QStringLiteral("Unollow Vessel"));
    EXPECT_EQ(window->Action(QStringLiteral("Dilngilizce1"))->isChecked(), true);
    EXPECT_EQ(window->Action(QStringLiteral("Followvessel1"))->text(), QStringLiteral("Follow Vessel"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Selvir Dalgaroz"));
}

TEST_F(LifecycleTest, FunctionKeysToggleTheOverlayCornersAndDeleteRemovesTheSelection) {
    make().FormShow();
    window->show();
    TSelvirCanvas& canvas = *window->Canvas();
    QTest::keyClick(&canvas, Qt::Key_F2);
    EXPECT_EQ(canvas.DepthSpeedDisplayMode(), 1);
    QTest::keyClick(&canvas, Qt::Key_F3);
    QTest::keyClick(&canvas, Qt::Key_F3);
    EXPECT_EQ(canvas.GGAOverlayPosition(), 2);

    const ShapeId line =
        canvas.DrawLine(0, 0, 10, 10, canvas.LayerFindByName(QString::fromUtf8(kUserShapeLayerName)));
    canvas.DrawLine(0, 10, 10, 0, canvas.LayerFindByName(QString::fromUtf8(kUserShapeLayerName)));
    canvas.ShapeSelect(line, false);
    QTest::keyClick(&canvas, Qt::Key_Delete);
    EXPECT_EQ(canvas.Model().FindShape(line), nullptr);
    EXPECT_EQ(test::shapesOn(canvas, kUserShapeLayerName).size(), 1u);
}

// Parts of a notch from a high-resolution wheel add up to the steps of whole notches.
TEST_F(LifecycleTest, WheelOverTheWindowStepsOncePerWholeNotch) {
    make().FormShow();
    TSelvirCanvas& canvas = *window->Canvas();
    const ViewWindow start = canvas.View();
    const auto viewAfter = [&](const std::vector<int>& deltas) {
        canvas.WorldSet(start.WorldLeft, start.WorldTop, start.WorldRight, start.WorldBottom);
        for (const int delta : deltas) {
            QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(window.get(), &event);
        }
        return canvas.View();
    };
    EXPECT_EQ(viewAfter(std::vector<int>(8, 15)), viewAfter({120}));
    EXPECT_EQ(viewAfter({240}), viewAfter({120, 120}));
    EXPECT_EQ(viewAfter({-60, -60}), viewAfter({-120}));
    EXPECT_NE(viewAfter({120}), start);
}

TEST_F(LifecycleTest, WheelOverTheWindowZoomsInAndOutAboutTheLastPointerPosition) {
    make().FormShow();
    TSelvirCanvas& canvas = *window->Canvas();
    const double before = canvas.GetWorldWidth();
    window->WheelOverWindow(120);
    const double zoomedIn = canvas.GetWorldWidth();
    EXPECT_LT(zoomedIn, before);
    window->WheelOverWindow(-120);
    EXPECT_GT(canvas.GetWorldWidth(), zoomedIn);
}

// Over the map the window's rule holds too: the same pan towards the pointer, then the zoom about it,
// as a turn over the toolbar with the pointer last seen there; not the canvas's zoom alone.
TEST_F(LifecycleTest, TheWheelOverTheMapPansThenZoomsAsOverTheWindow) {
    make().FormShow();
    window->show();
    TSelvirCanvas& canvas = *window->Canvas();
    canvas.WorldSet(0, 1000, 1000, 0);
    const ViewWindow start = canvas.View();
    const QPoint at(canvas.width() / 4, canvas.height() / 4);
    for (const int delta : {120, -120}) {
        SCOPED_TRACE(delta);
        canvas.WorldSet(start.WorldLeft, start.WorldTop, start.WorldRight, start.WorldBottom);
        double x = 0, y = 0;
        canvas.ScreenToWorld(at.x(), at.y(), x, y);
        QWheelEvent overMap(QPointF(at), canvas.mapToGlobal(QPointF(at)), QPoint(), QPoint(0, delta),
                            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &overMap);
        const ViewWindow viaMap = canvas.View();

        canvas.WorldSet(start.WorldLeft, start.WorldTop, start.WorldRight, start.WorldBottom);
        canvas.OnWorldMouseMove(&canvas, 0, x, y, 0, 0); // the pointer last seen there
        window->WheelOverWindow(delta);
        EXPECT_EQ(viaMap, canvas.View());
        EXPECT_NE(viaMap, start);
    }
}

TEST_F(LifecycleTest, TheStatusBarSaysWhenTheDrawingBudgetLeavesShapesOut) {
    TFNav& nav = make();
    auto* indicator = nav.findChild<QLabel*>(QStringLiteral("MapBudgetIndicator"));
    ASSERT_NE(indicator, nullptr);
    EXPECT_TRUE(indicator->isHidden()) << "a whole picture says nothing";
    emit nav.Canvas()->shapesNotDrawnChanged(1234);
    EXPECT_FALSE(indicator->isHidden());
    EXPECT_TRUE(indicator->text().contains(QStringLiteral("1234 shape(s) not drawn")))
        << indicator->text().toStdString();
    emit nav.Canvas()->shapesNotDrawnChanged(0);
    EXPECT_TRUE(indicator->isHidden());
}

} // namespace
} // namespace selvir
