// The main window's layout commands: new, open, save as, DXF import and export, clearing tracklines and
// user shapes, and selecting tracks or shapes with a polygon for deletion.
#include "canvaswidget/TSelvirCanvas.h"
#include "layoutfiles/DxfImport.h"
#include "navigation/LayerNames.h"
#include "windows/CaptionSet.h"
#include "windows/TFNav.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStringList>

namespace selvir {

namespace {

const QString kLayoutFilter = QStringLiteral("Selvir Rotaplan [*.gvx]|*.gvx|All Files [*.*]|*.*");
const QString kDrawingFilter = QStringLiteral("AutoCAD R12 DXF [*.dxf]|*.dxf|All Files [*.*]|*.*");
const QString kSelectionLayer = QStringLiteral("Selvir_SelectPoly");

std::string text(const QString& value) {
    return value.toStdString();
}

} // namespace

QString qtFileFilter(const QString& filter) {
    // "Name|pattern|Name|pattern" -> "Name (pattern);;Name (pattern)"; "*.*" is every file.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        out << parts[i] + QStringLiteral(" (") + pattern + QStringLiteral(")");
    }
    return out.join(QStringLiteral(";;"));
}

QString TFNav::askFile(const QString& title, const QString& filter, bool save) {
    const QString shownTitle =
        translatedCaption(*this, title.toUtf8().constData()); // part of the caption set
    if (chooseFile) {
        return chooseFile(shownTitle, filter, save);
    }
    return save ? QFileDialog::getSaveFileName(this, shownTitle, QString(), qtFileFilter(filter))
                : QFileDialog::getOpenFileName(this, shownTitle, QString(), qtFileFilter(filter));
}

bool TFNav::confirm(const QString& question) {
    if (askYesNo) {
        return askYesNo(question);
    }
    return QMessageBox::warning(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TFNav::showInformation(const QString& message) {
    if (onInformation) {
        onInformation(message);
        return;
    }
    QMessageBox::information(this, windowTitle(), message);
}

void TFNav::showError(const QString& message) {
    if (onError) {
        onError(message);
        return;
    }
    QMessageBox::warning(this, windowTitle(), message);
}

void TFNav::New1Click() {
    if (!confirm(QStringLiteral("Entire layout will be cleared! Continue?"))) {
        return;
    }
    canvas_->CadClearShapes(-1);
    canvas_->ClearDepthLabels();
    canvas_->ClearEventLabels();
    session_->events().writeAutoEvent("New layout - cleared all shapes");
    ensureFixedLayers();
    canvas_->SetLayerAction(canvas_->LayerFindByName(QString::fromUtf8(kUserShapeLayerName)), 15);
}

void TFNav::Open1Click() {
    const QString file = askFile(QStringLiteral("Dialog Open"), kLayoutFilter, false);
    if (file.isEmpty()) {
        return;
    }
    // Added to the drawing: nothing on the map is lost by opening another layout.
    if (!canvas_->CadLoad(file, -1, -1, 2)) {
        showError(QStringLiteral("The layout could not be read: ") +
                  QString::fromStdString(canvas_->LastFileError()));
    } else {
        session_->events().writeAutoEvent("Opened file: " + text(file));
    }
    emptyLayer(kVesselLayerName);
    emptyLayer(kGridLayerName);
    ensureFixedLayers();
}

void TFNav::SaveAs1Click() {
    const QString file = askFile(QStringLiteral("Dialog Save"), kLayoutFilter, true);
    if (file.isEmpty()) {
        return;
    }
    emptyLayer(kGridLayerName);
    emptyLayer(kVesselLayerName);
    if (!canvas_->CadSave(file, -1)) {
        showError(QStringLiteral("The layout could not be saved: ") +
                  QString::fromStdString(canvas_->LastFileError()));
        return;
    }
    setWindowTitle(QStringLiteral("Selvir Dalgaroz  <") + file + QStringLiteral(">"));
    session_->events().writeAutoEvent("Saved As: " + text(file));
}

void TFNav::Import1Click() {
    const QString file = askFile(QStringLiteral("Dialog Open"), kDrawingFilter, false);
    if (!file.isEmpty()) {
        QProgressDialog progress(QStringLiteral("Importing ") + file, QString(), 0, 1000, this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        DxfLoadReport report;
        const bool imported = canvas_->DXFLoad(file, &report, [&progress](const DxfProgress& step) {
            progress.setValue(static_cast<int>(1000.0 * step.fraction()));
        });
        progress.reset();
        if (imported) {
            session_->events().writeAutoEvent("Imported DXF: " + text(file));
        }
        // What was read, or why nothing was: "DXF loaded: N entities ..." or the failure text.
        const QString message = QString::fromStdString(report.message());
        if (message.isEmpty()) {
            showError(QStringLiteral("The DXF drawing could not be read: ") +
                      QString::fromStdString(canvas_->LastFileError()));
        } else if (imported) {
            showInformation(message);
        } else {
            showError(message);
        }
    }
    ensureFixedLayers();
}

void TFNav::Export1Click() {
    const QString file = askFile(QStringLiteral("Dialog Save"), kDrawingFilter, true);
    if (!file.isEmpty() && !canvas_->DXFSave(file)) {
        showError(QStringLiteral("The DXF drawing could not be written: ") +
                  QString::fromStdString(canvas_->LastFileError()));
    }
}

void TFNav::clearLayerAfterAsking(const char* layerName, const QString& question, const char* event) {
    if (!confirm(question)) {
        return;
    }
    emptyLayer(layerName);
    if (event) {
        session_->events().writeAutoEvent(event);
    }
    canvas_->Refresh();
}

void TFNav::ClearFixedTracks1Click() {
    clearLayerAfterAsking(kTrackFixLayer,
                          QStringLiteral("Fixed/Float/DGPS tracking points to be cleared. Continue?"),
                          "Cleared Fixed/Float/DGPS tracklines");
}

void TFNav::ClearUnfixedTracks1Click() {
    clearLayerAfterAsking(kTrackFloatLayer,
                          QStringLiteral("Autonomous tracking points to be cleared. Continue?"),
                          "Cleared Autonomous tracklines");
}

void TFNav::tbAutoClick() {
    clearLayerAfterAsking(kTrackNoFixLayer, QStringLiteral("No-fix tracking points to be cleared. Continue?"),
                          "Cleared NoFix tracklines");
}

void TFNav::ClearUserAddedShapes1Click() {
    clearLayerAfterAsking(kUserShapeLayerName, QStringLiteral("User added shapes to be deleted! Continue?"),
                          nullptr);
}

// --- Selection with a polygon

void TFNav::startSelection(SelectionMode mode) {
    cancelLineSelection();
    selection_ = mode;
    if (mode == SelectionMode::Tracks) {
        trackClicking_ = false;
    }
    if (QAction* deleteTracks = Action(QStringLiteral("Deletetracksselected1"))) {
        deleteTracks->setShortcut(QKeySequence(Qt::Key_Delete));
    }
    emptyLayerNamed(kSelectionLayer);
    canvas_->SetCurrentLayer(canvas_->LayerOpen(kSelectionLayer));
    canvas_->DrawTool = toolCode(CanvasTool::Polygon);
    setPanelText(0, mode == SelectionMode::Tracks ? "Draw polygon to select tracks (right-click to finish)"
                                                  : "Draw polygon to select shapes (right-click to finish)");
}

void TFNav::cancelSelection() {
    if (selection_ == SelectionMode::None) {
        return;
    }
    selection_ = SelectionMode::None;
    canvas_->ClearDrawingState();
    canvas_->DrawTool = toolCode(CanvasTool::None);
    emptyLayerNamed(kSelectionLayer);
    canvas_->Invalidate();
}

void TFNav::emptyLayerNamed(const QString& name) {
    const int layer = canvas_->LayerFindByName(name);
    if (layer >= 0) {
        canvas_->CadClearShapes(layer);
    }
}

bool TFNav::finishSelection() {
    if (selection_ == SelectionMode::None) {
        return false;
    }
    const SelectionMode mode = selection_;
    selection_ = SelectionMode::None;
    std::vector<TPointF> polygon;
    const int layer = canvas_->LayerFindByName(kSelectionLayer);
    for (auto it = canvas_->Model().Shapes.rbegin(); it != canvas_->Model().Shapes.rend(); ++it) {
        if ((*it)->Layer == layer && (*it)->ShapeType == ShapeKind::Polygon) {
            polygon = static_cast<const TSPolyline&>(**it).Points;
            break;
        }
    }
    emptyLayerNamed(kSelectionLayer);
    canvas_->DrawTool = toolCode(CanvasTool::None);
    if (polygon.size() <= 2) {
        return true;
    }
    if (mode == SelectionMode::Tracks) {
        std::vector<long> layers;
        for (const char* name : {kTrackFixLayer, kTrackNoFixLayer, kTrackFloatLayer}) {
            const int index = canvas_->LayerFindByName(QString::fromUtf8(name));
            if (index >= 0) {
                layers.push_back(index);
            }
        }
        canvas_->SelectShapesInPolygon(polygon, layers);
    } else {
        canvas_->SelectAllShapesInPolygon(polygon);
    }
    const int selected = canvas_->SelectedShapeCount();
    canvas_->Refresh();
    setPanelText(0, selected == 0
                        ? std::string()
                        : std::to_string(selected) + (mode == SelectionMode::Tracks
                                                          ? " track(s) selected. Press Delete to remove."
                                                          : " shape(s) selected. Press Delete to remove."));
    return true;
}

void TFNav::DeleteSelectedClick() {
    if (canvas_->SelectedShapeCount() > 0) {
        canvas_->DeleteSelectedShapes();
        canvas_->Refresh();
    }
    trackClicking_ = true;
}

void TFNav::toggleTrackHighlight(ShapeId id) {
    if (!trackClicking_) {
        return;
    }
    const int trackWidth = session_->settingsSources().navigationSettings().trackWidthPx;
    if (canvas_->GetShapePenWidth(id) == trackWidth) {
        canvas_->SetShapePenWidth(id, 0);
    } else {
        canvas_->SetShapePenWidth(id, trackWidth);
        canvas_->ShapeDeselect(id);
    }
    canvas_->Refresh();
}

} // namespace selvir
