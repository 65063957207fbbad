#pragma once
// TfRunline1, the "Runline Generator" tool window (always on top, centred on the screen until it has
// been moved): the surveyor draws a route on the map and turns it into perpendicular cross lines or
// parallel lines on "Selvir_Runlines". The work is RunlineGenerator's; the window turns its controls
// into calls and shows the status. Created once at start; Close only hides it.

#include "core/ProfileStore.h"
#include "tools/RunlineGenerator.h"
#include "windows/CaptionSet.h"

#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace selvir {

class TSelvirCanvas;

class TfRunline1 : public QWidget {
    Q_OBJECT
public:
    // `canvas` and `settings` must outlive the window; `autoEvent` writes the events log.
    TfRunline1(TSelvirCanvas& canvas, ProfileStore& settings, RunlineGenerator::AutoEvent autoEvent,
               QWidget* owner = nullptr);

    // The main window hands over a finished line, polyline or polygon as the route.
    void SetRoute(const PolylinePoints& points);
    // Esc on the map: a route being drawn is dropped and the map's tools draw the surveyor's shapes again.
    void CancelRouteDrawing();
    // The window's placement in the settings file (the close sequence writes it, shown or not).
    void SavePlacement();
    // This window's part of the English caption set.
    void ApplyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();

    RunlineGenerator& Generator() { return generator_; }
    // Messages to the surveyor ("Please draw a route first."); a message box when unset.
    std::function<void(const QString& message)> onMessage;

    QLabel* lRouteStatus = nullptr;
    QPushButton* bDrawRoute = nullptr;
    QLineEdit* eSpacing = nullptr;
    QLineEdit* eLength = nullptr;
    QRadioButton* rbPerpendicular = nullptr;
    QRadioButton* rbParallel = nullptr;
    QPushButton* bGenerate = nullptr;
    QPushButton* bClear = nullptr;
    QPushButton* bClose = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void bDrawRouteClick();
    void bGenerateClick();
    void bClearClick();
    RunlineFields fieldsOnScreen() const;
    void fieldsChange();
    void showFields();
    void showStatus();

    TSelvirCanvas& canvas_;
    ProfileStore& settings_;
    RunlineGenerator generator_;
    QGroupBox* routeGroup_ = nullptr;
    QGroupBox* spacingGroup_ = nullptr;
    QGroupBox* typeGroup_ = nullptr;
    QGroupBox* actionsGroup_ = nullptr;
    QLabel* spacingLabel_ = nullptr;
    QLabel* lengthLabel_ = nullptr;
    bool placed_ = false;
};

} // namespace selvir
