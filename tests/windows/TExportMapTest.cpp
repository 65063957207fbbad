// "Export Map": the File menu opens it with the title block from the settings; a window dragged on the
// map comes back into its fields; Export writes the file the fields describe, or says why not.
#include "windows/TExportMap.h"

#include "NavWindowFixture.h"
#include "canvas/InputCodes.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <fstream>

namespace selvir {
namespace {

class ExportMapTest : public test::NavWindowFixture {
protected:
    void SetUp() override {
        std::ofstream(settingsFile)
            << "[ECHOSOUNDER_OFFSETS]\nSurveyor     =A. Surveyor\nSurveyBoat   =Selvir 3\n"
               "SurveyLocation=Berth 4\n[GEODETIC_PARAMETERS]\nName of Datum=ED50\n";
        make();
        window->Canvas()->SetClientSize(400, 300);
        window->Canvas()->WorldSet(0, 750, 1000, 0);
        exportMap = std::make_unique<TExportMap>(*window->Canvas(), settingsFile, root, clock, window.get());
        exportMap->onError = [this](const QString& text) { errors.push_back(text.toStdString()); };
        exportMap->onDone = [this](const QString& text) { done.push_back(text.toStdString()); };
        window->SetExportMapWindow(exportMap.get());
    }
    template <class Widget>
    Widget* control(const char* name) {
        return exportMap->findChild<Widget*>(QString::fromUtf8(name));
    }

    std::unique_ptr<TExportMap> exportMap;
    std::vector<std::string> errors, done;
};

TEST_F(ExportMapTest, TheFileMenuOpensItWithTheTitleBlockOfTheSettings) {
    QAction* item = window->Action(QStringLiteral("ExportMap1"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("Export Map..."));
    item->trigger();
    EXPECT_TRUE(exportMap->isVisible());
    EXPECT_EQ(control<QLineEdit>("edSurveyor")->text(), QStringLiteral("A. Surveyor"));
    EXPECT_EQ(control<QLineEdit>("edVessel")->text(), QStringLiteral("Selvir 3"));
    EXPECT_EQ(control<QLineEdit>("edLocation")->text(), QStringLiteral("Berth 4"));
    EXPECT_EQ(control<QLineEdit>("edDatum")->text(), QStringLiteral("ED50"));
    EXPECT_EQ(control<QLineEdit>("edDate")->text(), QStringLiteral("2026-03-05"));
    EXPECT_TRUE(control<QLineEdit>("edProjection")->text().startsWith(QStringLiteral("Transverse Mercator")));
}

TEST_F(ExportMapTest, AWindowDraggedOnTheMapFillsTheFields) {
    exportMap->showForExport();
    QTest::mouseClick(control<QPushButton>("btPick"), Qt::LeftButton);
    EXPECT_FALSE(exportMap->isVisible()) << "out of the way of the map";
    TSelvirCanvas& canvas = *window->Canvas();
    EXPECT_EQ(canvas.DrawTool, toolCode(CanvasTool::PickWindow));
    const ViewWindow before = canvas.View();
    canvas.MouseDown(TMouseButton::mbLeft, 0, 40, 30);
    canvas.MouseMove(0, 200, 150);
    canvas.MouseDown(TMouseButton::mbLeft, 0, 200, 150);
    EXPECT_TRUE(exportMap->isVisible());
    EXPECT_TRUE(control<QRadioButton>("rbWindow")->isChecked());
    double left = 0, top = 0, right = 0, bottom = 0;
    canvas.ScreenToWorld(40, 30, left, top);
    canvas.ScreenToWorld(200, 150, right, bottom);
    EXPECT_DOUBLE_EQ(control<QLineEdit>("edLeft")->text().toDouble(), left);
    EXPECT_DOUBLE_EQ(control<QLineEdit>("edTop")->text().toDouble(), top);
    EXPECT_DOUBLE_EQ(control<QLineEdit>("edRight")->text().toDouble(), right);
    EXPECT_DOUBLE_EQ(control<QLineEdit>("edBottom")->text().toDouble(), bottom);
    EXPECT_EQ(canvas.View(), before) << "picking does not zoom";
    EXPECT_EQ(canvas.DrawTool, toolCode(CanvasTool::None));
}

TEST_F(ExportMapTest, ExportWritesThePictureTheFieldsDescribeOrSaysWhyNot) {
    window->Canvas()->DrawLine(100, 100, 900, 600, 0);
    exportMap->showForExport();
    const std::string png = (dir / "map.png").string();
    control<QLineEdit>("edFileName")->setText(QString::fromStdString(png));
    control<QSpinBox>("seWidth")->setValue(800);
    control<QSpinBox>("seHeight")->setValue(600);
    control<QRadioButton>("rbWindow")->setChecked(true);
    control<QLineEdit>("edLeft")->setText(QStringLiteral("1000"));
    control<QLineEdit>("edRight")->setText(QStringLiteral("0")); // the wrong way round
    QTest::mouseClick(control<QPushButton>("btExport"), Qt::LeftButton);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Left < Right"), std::string::npos) << errors[0];
    EXPECT_FALSE(std::filesystem::exists(png));

    control<QLineEdit>("edLeft")->setText(QStringLiteral("0"));
    control<QLineEdit>("edRight")->setText(QStringLiteral("1000"));
    QTest::mouseClick(control<QPushButton>("btExport"), Qt::LeftButton);
    EXPECT_EQ(errors.size(), 1u);
    ASSERT_EQ(done.size(), 1u) << (errors.empty() ? "" : errors.back());
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(800, 600));
}

} // namespace
} // namespace selvir
