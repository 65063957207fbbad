#pragma once
// TFNav ("FNav"), the main window: it owns the survey session (both serial readers and the engine), the
// CAD canvas, the realtime timers, the menus and the toolbar. Creation makes the data folders and wires
// the readers; showing reloads the last layout and restores the view; closing saves the layout, the
// placement and the view.

#include "canvas/CanvasTypes.h"
#include "navigation/GnssSinks.h"
#include "navigation/MapUpdate.h"
#include "navigation/SurveySession.h"
#include "windows/AppContext.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace selvir {

class CanvasMapAdapter;
class TFMsg;
class TSelvirCanvas;

// "Name|pattern|Name|pattern" file filters as Qt's file dialogs take them.
QString qtFileFilter(const QString& filter);

class TFNav : public QMainWindow,
              private MapTimerControl,
              private RealtimeButtonControl,
              private StatusBarSink {
    Q_OBJECT
public:
    static constexpr int kMapIntervalMs = 500;
    static constexpr int kEchogramIntervalMs = 200;
    static constexpr int kStatusPanels = 6;

    // Runs FormCreate. `messages` is the message window (made by the caller, as every other window).
    TFNav(AppContext context, TFMsg* messages, QWidget* owner = nullptr);
    ~TFNav() override;

    // --- The handlers of the window's life
    void FormShow();
    void FormCloseQuery();
    void FormKeyDown(int key);
    // The realtime switch's click (start when stopped, stop when running).
    void RealtimeClick();
    bool RealtimeOn() const { return session_->realtimeOn(); }

    // --- Commands
    // Writes the layout to the day's layout folder ("YYYY-MM-DD HHMM.gvx"); returns the path written, or
    // an empty path when the layout could not be written (reported).
    std::filesystem::path Save();
    void Exit1Click();    // menu "Exit": Save, then close
    void bExitClick();    // toolbar exit: ends the process at once
    void bRestartClick(); // toolbar restart: a new instance, then close
    void btEventAddClick();
    void btEventResetClick();
    void Dilngilizce1Click(); // the English caption set
    void ZoomInClick();
    void ZoomOutClick();
    void ZoomExtentsClick();
    void SetFollowVessel(bool follow);
    void ActivateNMEAMessages1Click(); // "Topcon GNSS"
    void HemisphereGNSS1Click();       // "Hemisphere GNSS"
    // Layout commands.
    void New1Click();
    void Open1Click();
    void SaveAs1Click();
    void Import1Click(); // DXF import
    void Export1Click(); // DXF export
    void ClearFixedTracks1Click();
    void ClearUnfixedTracks1Click();
    void tbAutoClick();
    void ClearUserAddedShapes1Click();
    // Selection of tracks (bSelectTracks) or shapes (bMouseSelect) with a polygon; Delete removes them.
    enum class SelectionMode { None, Tracks, Shapes };
    void startSelection(SelectionMode mode);
    SelectionMode Selection() const { return selection_; }
    void DeleteSelectedClick();
    // The wheel rule of the window: pan towards the last world position under the mouse, then zoom about it.
    void WheelOverWindow(int delta);

    // --- What tests and the screenshot look at
    TSelvirCanvas* Canvas() const { return canvas_; }
    SurveySession& Session() { return *session_; }
    QTimer& tMap() { return tMap_; }
    QTimer& tEchogram() { return tEchogram_; }
    QToolButton* Realtime() const { return realtimeButton_; }
    QLabel* StatusPanel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }
    QMenu* NmeaCommandsMenu() const { return nmeaMenu_; }
    QAction* Action(const QString& objectName) const;
    // Runs one map tick now (what tMap does).
    MapUpdate::Tick MapTick();
    // Yes/No questions, file dialogs and error boxes; tests answer them (message boxes when unset).
    std::function<bool(const QString& question)> askYesNo;
    std::function<QString(const QString& title, const QString& filter, bool save)> chooseFile;
    std::function<void(const QString& message)> onError;

protected:
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void wireCanvasEvents();
    void ensureFixedLayers();
    void emptyLayer(const char* name);
    void emptyLayerNamed(const QString& name);
    bool confirm(const QString& question);
    QString askFile(const QString& title, const QString& filter, bool save);
    void showError(const QString& message);
    void clearLayerAfterAsking(const char* layerName, const QString& question, const char* event);
    void cancelSelection();
    // The polygon of a selection mode is finished: select inside it. False when no mode was on.
    bool finishSelection();
    void toggleTrackHighlight(ShapeId id);
    void restoreCanvasKeys();
    void writeCanvasKeys();
    void restorePlacement();
    void savePlacement();
    void tEchogramTimer();
    // The event labels' font size and colour from the label settings.
    void applyEventLabelLook();
    void setRealtimeCaption(bool running);
    QAction* addAction(QMenu* menu, const char* objectName, const QString& caption);

    // MapTimerControl
    void startMapTimer() override;
    void stopMapTimer() override;
    // RealtimeButtonControl
    void setRealtimeButtonDown(bool down) override;
    // StatusBarSink
    int panelCount() const override { return static_cast<int>(panels_.size()); }
    void setPanelText(int panel, const std::string& text) override;

    AppContext context_;
    SystemClock systemClock_;
    const Clock& clock_;
    ProfileStore settings_;
    DataFolders folders_;
    TFMsg* messages_;
    TSelvirCanvas* canvas_ = nullptr;
    std::unique_ptr<CanvasMapAdapter> map_;
    std::unique_ptr<SurveySession> session_;
    QTimer tMap_;
    QTimer tEchogram_;
    QToolBar* toolbar_ = nullptr;
    QToolButton* realtimeButton_ = nullptr;
    QMenu* nmeaMenu_ = nullptr;
    std::vector<QLabel*> panels_;
    double lastWorldX_ = 0, lastWorldY_ = 0; // the last world position under the mouse
    bool measuring_ = false;
    double measureX_ = 0, measureY_ = 0;
    SelectionMode selection_ = SelectionMode::None;
    bool trackClicking_ = false;
    bool closed_ = false;
};

} // namespace selvir
