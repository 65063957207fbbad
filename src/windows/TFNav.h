#pragma once
// TFNav ("FNav"), the main window: it owns the survey session (both serial readers and the engine), the
// CAD canvas, the realtime timers, the menus and the toolbar. Creation makes the data folders and wires
// the readers; showing reloads the last layout and restores the view; closing saves the layout, the
// placement and the view.

#include "canvas/CanvasTypes.h"
#include "canvas/WheelAccumulator.h"
#include "navigation/GnssSinks.h"
#include "navigation/MapUpdate.h"
#include "navigation/SurveySession.h"
#include "windows/AppContext.h"
#include "windows/CaptionSet.h"
#include "windows/InterfaceLanguage.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class QUrl;

namespace selvir {

class CanvasMapAdapter;
class HelmsmanDisplay;
class MonitorRelay;
class RunlineLayerSource;
class TFGPS;
class TfGuidance;
class TExportMap;
class TFMsg;
class TfRunline1;
class TFShape;
class TNavset;
class TOffsets;
class TSelvirCanvas;
class TfCanvas;
class TfJoystick;
class TfLatency;
class TfRealtime;
class TfSVP;
class TfTheme;

// "Name|pattern|Name|pattern" file filters as Qt's file dialogs take them.
QString qtFileFilter(const QString& filter);

class TFNav : public QMainWindow,
              private MapTimerControl,
              private RealtimeSwitchDisplay,
              private StatusBarSink,
              private LatencySink {
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
    void Dilngilizce1Click(); // menu "English": the English caption set; the language flag off
    void DilTurke1Click();    // menu "Türkçe": the Turkish caption set; the language flag on
    // The interface language flag: on from the start (the start-up pass applies English and leaves it);
    // while it is on, the offsets and sound velocity windows speak Turkish.
    bool LanguageTurkish() const { return languageTurkish_; }
    // The main window's part of the caption set.
    static std::span<const ControlCaption> englishCaptions();
    void Parameters1Click(); // "Device Settings..." (F10) and the "Settings" button: shows the window
    // The device settings window, made after this one; the engine reads the device settings from it
    // from now on (from the settings file again when null).
    void SetDeviceSettingsWindow(TFGPS* window);
    TFGPS* DeviceSettingsWindow() const { return deviceSettings_; }
    // The device settings window's monitor memos as the engine sees them, with the monitor flag.
    MonitorRelay& Monitor() { return *monitor_; }
    // The event labels' font size and colour from the display settings.
    void ApplyEventLabelLook();
    void ZoomInClick();
    void ZoomOutClick();
    void ZoomExtentsClick();
    // A drawing or zoom tool of the left toolbar (canvas tool numbers); user shapes land on their layer.
    void SelectDrawTool(int tool);
    void SetFollowVessel(bool follow);
    void ActivateNMEAMessages1Click(); // "Topcon GNSS"
    void HemisphereGNSS1Click();       // "Hemisphere GNSS"
    // Layout commands.
    void New1Click();
    void Open1Click();
    void SaveAs1Click();
    void Import1Click(); // DXF import
    void Export1Click(); // DXF export
    // The report map window "Export Map" (made by the caller after this window) and its menu item.
    void SetExportMapWindow(TExportMap* window) { exportMap_ = window; }
    void ExportMap1Click();
    void ClearFixedTracks1Click();
    void ClearUnfixedTracks1Click();
    void tbAutoClick();
    void ClearUserAddedShapes1Click();
    // Selection of tracks (bSelectTracks) or shapes (bMouseSelect) with a polygon; Delete removes them.
    enum class SelectionMode { None, Tracks, Shapes };
    void startSelection(SelectionMode mode);
    SelectionMode Selection() const { return selection_; }
    void DeleteSelectedClick();
    // --- Runlines and line guidance (TFNavGuidance.cpp). The windows are made by main() after this one.
    void SetRunlineWindow(TfRunline1* window) { runlines_ = window; }
    void SetGuidanceWindow(TfGuidance* window) { guidanceWindow_ = window; }
    // "Generate Runlines..." and tbRunline: the layout is saved first, then the generator shows.
    void GenerateRunline1Click();
    // "Select Line" (F6): the next click on the map picks the line to steer on.
    void SelectLineClick();
    bool SelectingLine() const { return selectingLine_; }
    void NextLineClick();     // F8
    void PreviousLineClick(); // F7
    void ReverseLineClick();  // Ctrl+F8
    void StopGuidanceClick(); // Ctrl+F6
    void GuidanceSettingsClick();
    HelmsmanDisplay* Helmsman() const { return helmsman_; }
    QLabel* GuidanceStatus() const { return guidanceStatus_; }

    // The wheel rule of the window, once per whole notch (120) the deltas add up to: pan towards the
    // last world position under the mouse, then zoom about it.
    void WheelOverWindow(int delta);

    // --- The auxiliary windows, created by main() after this window; each is optional (tests leave
    // them out). Each must outlive this window.
    void SetRealtimeWindow(TfRealtime* realtime);
    void SetWaterfallWindow(TfCanvas* waterfall);
    void SetBatteryWindow(TfJoystick* battery);
    void SetThemeWindow(TfTheme* theme);
    void RealtimeWindow1Click();     // "Realtime Window..."
    void Echogram1Click();           // "Echogram...": only with the echosounder enabled
    void mAcousticsWaterfallClick(); // "Acoustics Waterfall..."
    void themeSelection1Click();     // "Theme Selection..."
    void OpenLogFolder1Click();      // "Open LOG Folder": the GNSS raw log's folder
    // The full-screen map: toolbars, status bar, menu, border and the tool windows away, or back.
    void ShowMapOnly(bool mapOnly);
    bool MapOnlyShown() const { return mapOnly_; }
    // --- The settings windows, created by main() after this window; each is optional (tests leave
    // them out, and the engine then reads the settings file). Each must outlive this window.
    void SetOffsetsWindow(TOffsets* offsets);
    void SetNavigationSettingsWindow(TNavset* navset);
    void SetVesselShapeWindow(TFShape* shape);
    void SetLatencyWindow(TfLatency* latency);
    // The menu entries and tool buttons that show them.
    void OffsetsandValues1Click();
    void NavigationSettings1Click();
    void VesselShape1Click();
    void LatencyWatchSet1Click();
    // The sound velocity window (made by the caller after this window): its menu entry shows it, Save
    // writes its tables while its profile is used, and the depth reduction takes what it saves.
    void SetSoundVelocityWindow(TfSVP* window);
    TfSVP* SoundVelocityWindow() const { return soundVelocity_; }
    // The settings file and the data folders, for the windows made after this one.
    ProfileStore& Settings() { return settings_; }
    const DataFolders& Folders() const { return folders_; }

    // --- What tests and the screenshot look at
    TSelvirCanvas* Canvas() const { return canvas_; }
    SurveySession& Session() { return *session_; }
    // The receiver's and the echosounder's readers.
    TSelvirSerialGPS& ZGPS1() { return session_->gnssReader(); }
    TSelvirSerialGPS& ZSENSOR() { return session_->sensorReader(); }
    QTimer& tMap() { return tMap_; }
    QTimer& tEchogram() { return tEchogram_; }
    QToolButton* Realtime() const { return realtimeButton_; }
    QLabel* StatusPanel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }
    QMenu* NmeaCommandsMenu() const { return nmeaMenu_; }
    QAction* Action(const QString& objectName) const;
    // The map timer's tick: one realtime map update now.
    MapUpdate::Tick tMapTimer();
    // The echogram timer's tick: the latest depth into the waterfall, when it is shown.
    void tEchogramTimer();
    // True while the status bar shows that there is no position.
    bool PositionLostShown() const { return positionLost_; }
    // The status bar's survey file warning: visible only while rows cannot be written.
    QLabel* SurveyFileWarning() const { return surveyWarning_; }
    // Yes/No questions, file dialogs and error boxes; tests answer them (message boxes when unset).
    std::function<bool(const QString& question)> askYesNo;
    std::function<QString(const QString& title, const QString& filter, bool save)> chooseFile;
    std::function<void(const QString& message)> onError;
    std::function<void(const QString& message)> onInformation;
    // The shell's "open" for folders (QDesktopServices::openUrl when unset).
    std::function<bool(const QUrl& url)> openUrl;

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
    void showInformation(const QString& message);
    void clearLayerAfterAsking(const char* layerName, const QString& question, const char* event);
    void cancelSelection();
    // The polygon of a selection mode is finished: select inside it. False when no mode was on.
    bool finishSelection();
    void toggleTrackHighlight(ShapeId id);
    void restoreCanvasKeys();
    void writeCanvasKeys();
    void restorePlacement();
    void savePlacement();
    void showSurveyFileState(const SurveyFileState& state);
    void setRealtimeCaption(bool running);
    // A drawing ended without a draw-end event (dropped): the map timer paused for it runs again.
    void endDrawingPause();
    // Checks the left toolbar's button of the canvas's tool (none once the tool has ended).
    void showDrawingTool();
    QAction* addAction(QMenu* menu, const char* objectName, const QString& caption);
    // Every window's part of the caption set, in the set's order, in the language in force.
    void applyCaptionSet();
    void applyMainWindowCaptions();
    void switchLanguage(Language language);
    // Realtime start: the depth frames and the waterfall as the echosounder switch says.
    void showDepthWindows(bool sensorOn);
    // The double-click on the position-status box: the full-screen map on or off.
    void statusBoxDoubleClicked(int xPx, int yPx);
    void showBattery(const std::string& volts);
    // The realtime window's offsets button shows the offsets window, once both are given.
    void wireRealtimeOffsetsButton();
    // The device settings window's message choice shows the realtime window's low-frequency frame.
    void wireLowFrequencyBox();
    // The device settings in force: the window's controls, or the settings file without it.
    DeviceSwitches deviceSwitches();
    void saveAuxiliaryPlacements();
    void closeAuxiliaryWindows();
    // Writes the sound velocity window's four tables when its profile is used (part of Save).
    void saveSoundVelocityTables();
    void connectOffsetsToSoundVelocity();
    // The runline and guidance commands, the helmsman display and its status panel.
    void buildGuidance();
    // The guidance of the last tick on the map and in the status bar.
    void showGuidance();
    // A click in line selection: the polyline under it becomes the active line.
    void pickLineAt(double x, double y);
    void cancelLineSelection();
    // A drawing ended while the runline generator is open: a route of two points or more goes to it.
    void handOverRoute(int tool);
    bool drawingRoute() const;

    // MapTimerControl
    void startMapTimer() override;
    void stopMapTimer() override;
    // RealtimeSwitchDisplay
    void showRealtimeRunning(bool running) override;
    // StatusBarSink
    int panelCount() const override { return static_cast<int>(panels_.size()); }
    void setPanelText(int panel, const std::string& text) override;
    void setPositionLost(bool lost) override;
    // LatencySink: the latency window, while it is visible
    bool latencyWindowVisible() const override;
    void showLatency(const std::string& currentMs, const std::string& averageMs) override;
    void showWindow(QWidget* window);

    AppContext context_;
    SystemClock systemClock_;
    const Clock& clock_;
    ProfileStore settings_;
    DataFolders folders_;
    TFMsg* messages_;
    TfSVP* soundVelocity_ = nullptr;
    TExportMap* exportMap_ = nullptr;
    TSelvirCanvas* canvas_ = nullptr;
    std::unique_ptr<CanvasMapAdapter> map_;
    std::unique_ptr<MonitorRelay> monitor_; // before the session, which reports to it
    std::unique_ptr<RunlineLayerSource> runlineSource_;
    std::unique_ptr<SurveySession> session_;
    TFGPS* deviceSettings_ = nullptr;
    QTimer tMap_;
    QTimer tEchogram_;
    QToolBar* toolbar_ = nullptr;
    QToolBar* drawingToolbar_ = nullptr;
    QToolButton* realtimeButton_ = nullptr;
    QMenu* nmeaMenu_ = nullptr;
    std::vector<QLabel*> panels_;
    QLabel* surveyWarning_ = nullptr;
    double lastWorldX_ = 0, lastWorldY_ = 0; // the last world position under the mouse
    WheelAccumulator wheel_;
    bool measuring_ = false;
    double measureX_ = 0, measureY_ = 0;
    SelectionMode selection_ = SelectionMode::None;
    bool drawing_ = false;      // a drawing sequence is open on the canvas: the map timer waits
    bool positionLost_ = false; // the position panels show no position
    bool trackClicking_ = false;
    bool closed_ = false;
    bool languageTurkish_ = true;
    std::unique_ptr<InterfaceLanguage> language_;
    TfRealtime* realtime_ = nullptr;
    TfCanvas* waterfall_ = nullptr;
    TfJoystick* battery_ = nullptr;
    TfTheme* theme_ = nullptr;
    // The full-screen map: the tool windows it hides and shows again, and how the window stood before.
    bool mapOnly_ = false;
    std::vector<QWidget*> mapOnlyWindows_;
    Qt::WindowStates stateBeforeMapOnly_;
    TOffsets* offsets_ = nullptr;
    TNavset* navset_ = nullptr;
    TFShape* shape_ = nullptr;
    TfLatency* latency_ = nullptr;
    TfRunline1* runlines_ = nullptr;
    TfGuidance* guidanceWindow_ = nullptr;
    HelmsmanDisplay* helmsman_ = nullptr;
    QLabel* guidanceStatus_ = nullptr;
    bool selectingLine_ = false;
};

} // namespace selvir
