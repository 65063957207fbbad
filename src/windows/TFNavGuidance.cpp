// The main window's runline and line guidance commands: the runline generator opened after a save and
// fed with the drawn route, the choice of the line to steer on (a click on the map, next, previous,
// reverse, stop), the helmsman display and its status panel after every map tick.
#include "canvas/InputCodes.h"
#include "canvaswidget/TSelvirCanvas.h"
#include "tools/RunlineLayer.h"
#include "windows/HelmsmanDisplay.h"
#include "windows/TFNav.h"
#include "windows/TfGuidance.h"
#include "windows/TfRunline1.h"
#include "windows/ToolbarIcons.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace selvir {
namespace {

// A click within this many pixels of a line picks it.
constexpr double kPickTolerancePx = 8;

} // namespace

void TFNav::buildGuidance() {
    const auto command = [this](QMenu* menu, const char* name, const QString& caption, QKeySequence key,
                                auto handler) {
        QAction* action = addAction(menu, name, caption);
        action->setShortcut(key);
        action->setShortcutContext(Qt::ApplicationShortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    if (auto* tools = findChild<QMenu*>(QStringLiteral("Settings1"))) {
        tools->addSeparator();
        QAction* generate = command(tools, "GenerateRunline1", QStringLiteral("Generate Runlines..."),
                                    QKeySequence(Qt::CTRL | Qt::Key_G), [this] { GenerateRunline1Click(); });
        // Opens a window from the main window only: the sound velocity window's Ctrl+G is its graph.
        generate->setShortcutContext(Qt::WindowShortcut);
    }
    QAction* runlineButton = toolbar_->addAction(QStringLiteral("Runline creation"));
    runlineButton->setObjectName(QStringLiteral("tbRunline"));
    runlineButton->setIcon(toolbarIcon(runlineButton->objectName()));
    connect(runlineButton, &QAction::triggered, this, [this] { GenerateRunline1Click(); });

    auto* lines = new QMenu(QStringLiteral("Lines"), this);
    lines->setObjectName(QStringLiteral("Lines1"));
    command(lines, "SelectLine1", QStringLiteral("Select Line"), QKeySequence(Qt::Key_F6),
            [this] { SelectLineClick(); });
    command(lines, "PreviousLine1", QStringLiteral("Previous Line"), QKeySequence(Qt::Key_F7),
            [this] { PreviousLineClick(); });
    command(lines, "NextLine1", QStringLiteral("Next Line"), QKeySequence(Qt::Key_F8),
            [this] { NextLineClick(); });
    command(lines, "ReverseLine1", QStringLiteral("Reverse Line Direction"),
            QKeySequence(Qt::CTRL | Qt::Key_F8), [this] { ReverseLineClick(); });
    command(lines, "StopGuidance1", QStringLiteral("Stop Guidance"), QKeySequence(Qt::CTRL | Qt::Key_F6),
            [this] { StopGuidanceClick(); });
    lines->addSeparator();
    command(lines, "LineGuidance1", QStringLiteral("Line Guidance Settings..."),
            QKeySequence(Qt::CTRL | Qt::Key_L), [this] { GuidanceSettingsClick(); });
    QMenu* language = findChild<QMenu*>(QStringLiteral("Language1"));
    menuBar()->insertMenu(language ? language->menuAction() : nullptr, lines);

    helmsman_ = new HelmsmanDisplay(*canvas_);
    guidanceStatus_ = new QLabel(this);
    guidanceStatus_->setObjectName(QStringLiteral("GuidanceStatus"));
    guidanceStatus_->hide();
    statusBar()->addPermanentWidget(guidanceStatus_);
}

void TFNav::showGuidance() {
    const LineGuidance& guidance = session_->guidance();
    helmsman_->showReading(guidance.reading(), guidance.activeLine());
    const HelmsmanReadout& readout = helmsman_->Readout();
    guidanceStatus_->setText(QString::fromStdString(readout.statusBar));
    guidanceStatus_->setStyleSheet(readout.offLine
                                       ? QStringLiteral("QLabel { color: white; background: #c62828; "
                                                        "padding: 0 6px; font-weight: bold; }")
                                       : QStringLiteral("QLabel { padding: 0 6px; font-weight: bold; }"));
    guidanceStatus_->setVisible(readout.visible);
}

void TFNav::GenerateRunline1Click() {
    Save();
    if (runlines_) {
        runlines_->show();
        runlines_->raise();
        runlines_->activateWindow();
    }
}

bool TFNav::drawingRoute() const {
    return runlines_ && runlines_->Generator().drawingRoute();
}

void TFNav::handOverRoute(int tool) {
    const bool routeTool = tool == toolCode(CanvasTool::Line) || tool == toolCode(CanvasTool::Polyline) ||
                           tool == toolCode(CanvasTool::Polygon);
    if (!runlines_ || !runlines_->isVisible() || !routeTool) {
        return;
    }
    const auto points = canvas_->GetLastPolylinePoints();
    if (points.size() > 1) {
        runlines_->SetRoute(points);
        canvas_->ClearDrawingState();
    }
}

void TFNav::SelectLineClick() {
    cancelSelection();
    canvas_->ClearDrawingState();
    selectingLine_ = true;
    // A tool the canvas gives no click of its own: the click only picks the line.
    canvas_->DrawTool = toolCode(CanvasTool::Text);
    showDrawingTool();
    setPanelText(0, "Click the line to steer on (Esc to cancel)");
}

void TFNav::cancelLineSelection() {
    if (!selectingLine_) {
        return;
    }
    selectingLine_ = false;
    canvas_->DrawTool = toolCode(CanvasTool::None);
    setPanelText(0, std::string());
}

void TFNav::pickLineAt(double x, double y) {
    const double tolerance = canvas_->GetWorldWidth() / std::max(1, canvas_->width()) * kPickTolerancePx;
    const auto line = clickedLine(canvas_->Model(), x, y, tolerance, runlineSource_->currentLines());
    if (!line) {
        setPanelText(0, "No line there: click on a line (Esc to cancel)");
        return;
    }
    cancelLineSelection();
    if (line->number > 0) {
        session_->guidance().selectLine(line->id);
    } else {
        session_->guidance().selectOther(*line);
    }
    setPanelText(0, "Steering on line " + line->name);
    showGuidance();
    canvas_->Invalidate();
}

void TFNav::NextLineClick() {
    session_->guidance().next();
    showGuidance();
}

void TFNav::PreviousLineClick() {
    session_->guidance().previous();
    showGuidance();
}

void TFNav::ReverseLineClick() {
    session_->guidance().reverse();
    showGuidance();
}

void TFNav::StopGuidanceClick() {
    session_->guidance().stop();
    showGuidance();
}

void TFNav::GuidanceSettingsClick() {
    if (guidanceWindow_) {
        guidanceWindow_->FormShow();
        guidanceWindow_->show();
        guidanceWindow_->raise();
    }
}

} // namespace selvir
