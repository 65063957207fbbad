#include "windows/TFNav.h"

#include "canvaswidget/TSelvirCanvas.h"
#include "core/NumberFormat.h"
#include "navigation/CanvasViewSettings.h"
#include "navigation/LayerNames.h"
#include "navigation/ReceiverCommands.h"
#include "tools/RunlineLayer.h"
#include "windows/CanvasMapAdapter.h"
#include "windows/CaptionSet.h"
#include "windows/MapBudgetIndicator.h"
#include "windows/MonitorRelay.h"
#include "windows/TFGPS.h"
#include "windows/TFMsg.h"
#include "windows/TNavset.h"
#include "windows/TOffsets.h"
#include "windows/TfJoystick.h"
#include "windows/TfRealtime.h"
#include "windows/TfRunline1.h"
#include "windows/TfSVP.h"
#include "windows/WidgetPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cstdlib>

namespace selvir {

namespace {

constexpr std::string_view kFileSection = "FILE";
constexpr std::string_view kLastFileKey = "Last File Saved";
// Written with its trailing blanks, as stored files have it; read without them.
constexpr std::string_view kLastFileKeyWritten = "Last File Saved       ";
constexpr std::string_view kWindowName = "FNav";
const QString kTitle = QStringLiteral("Selvir Dalgaroz");

QString fromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Lets pending window messages run, then waits, as the close sequence does before and after closing
// the ports (the last timer ticks and port work finish first).
void settle(int ms) {
    QCoreApplication::processEvents();
    QThread::msleep(static_cast<unsigned long>(ms));
    QCoreApplication::processEvents();
}

} // namespace

TFNav::TFNav(AppContext context, TFMsg* messages, QWidget* owner)
    : QMainWindow(owner), context_(std::move(context)),
      clock_(context_.clock ? *context_.clock : static_cast<const Clock&>(systemClock_)),
      settings_(context_.settingsFile), folders_(context_.dataRoot, clock_.now().date), messages_(messages) {
    setObjectName(QStringLiteral("FNav"));
    setWindowTitle(kTitle);
    resize(1024, 720);
    FormCreate();
}

TFNav::~TFNav() {
    qApp->removeEventFilter(this);
    tMap_.stop();
    tEchogram_.stop();
    // The session's readers report their close to the window's sinks: close them while the window stands.
    session_.reset();
    runlineSource_.reset();
}

void TFNav::FormCreate() {
    // 1. The data folders; a failure is reported by the first survey write.
    folders_.createAll();

    // 2. The icon beside the executable, when there is one.
    const QString icon = fromPath(context_.executableDir / "SelvirHS2.ico");
    if (!context_.executableDir.empty() && QFile::exists(icon)) {
        const QIcon loaded(icon);
        if (!loaded.isNull()) {
            QApplication::setWindowIcon(loaded);
            setWindowIcon(loaded);
        }
    }

    // 4. The canvas fills the client panel, on the style's panel colour.
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel4"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    canvas_ = new TSelvirCanvas(panel);
    canvas_->setObjectName(QStringLiteral("SelvirCanvas"));
    canvas_->SetClock(&clock_);
    layout->addWidget(canvas_);
    setCentralWidget(panel);
    const QColor face = palette().color(QPalette::Window);
    canvas_->SetBackColor(face.isValid() ? makeColor(face.red(), face.green(), face.blue()) : colorWhite);
    map_ = std::make_unique<CanvasMapAdapter>(*canvas_);

    // 3. The readers and the engine behind them, all eight GNSS events and the echosounder line wired.
    monitor_ = std::make_unique<MonitorRelay>(); // 7. the monitor flag, on
    SurveySessionOutputs outputs;
    outputs.messages = messages_;
    outputs.gpsMonitor = &monitor_->gps();
    outputs.sensorMonitor = &monitor_->sensor();
    outputs.mapTimer = this;
    outputs.realtimeSwitch = this;
    outputs.canvasLayers = map_.get();
    outputs.canvas = map_.get();
    outputs.background = map_.get();
    outputs.statusBar = this;
    outputs.latency = this;
    outputs.surveyState = [this](const SurveyFileState& state) { showSurveyFileState(state); };
    runlineSource_ = std::make_unique<RunlineLayerSource>(canvas_->Model());
    outputs.guidanceLines = runlineSource_.get();
    outputs.addEventLabel = [this](double easting, double northing, int number) {
        ApplyEventLabelLook();
        canvas_->AddEventLabel(easting, northing, number);
    };
    outputs.showBattery = [this](const std::string& volts) { showBattery(volts); };
    SurveySessionDevices devices;
    if (context_.devices) {
        devices = context_.devices();
    }
    if (!devices.resolver) {
        devices.resolver = profilePortResolver(context_.settingsFile);
    }
    session_ =
        std::make_unique<SurveySession>(settings_, folders_, clock_, std::move(outputs), std::move(devices));
    wireCanvasEvents();

    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildGuidance();
    language_ = std::make_unique<InterfaceLanguage>();

    // 5. Key preview: the window sees key presses before its controls.
    qApp->installEventFilter(this);

    // 6. Log prefixes (the process-wide number formats are set by main() before any window).
    for (TSelvirSerialGPS* reader : {&ZGPS1(), &ZSENSOR()}) {
        reader->TimeFormat = std::string(kDefaultTimeLayout);
        reader->DateFormat = std::string(kDefaultDateLayout);
    }

    // 7. The realtime switch's look.
    setRealtimeCaption(false);

    tMap_.setInterval(kMapIntervalMs);
    connect(&tMap_, &QTimer::timeout, this, [this] { tMapTimer(); });
    tEchogram_.setInterval(kEchogramIntervalMs);
    connect(&tEchogram_, &QTimer::timeout, this, [this] { tEchogramTimer(); });
    tEchogram_.start();
}

void TFNav::buildStatusBar() {
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setMinimumWidth(i < 2 ? 150 : 120);
        statusBar()->addWidget(label, i == kStatusPanels - 1 ? 1 : 0);
        panels_.push_back(label);
    }
    surveyWarning_ = new QLabel(this);
    surveyWarning_->setObjectName(QStringLiteral("SurveyFileWarning"));
    surveyWarning_->setStyleSheet(
        QStringLiteral("QLabel { background: #c62828; color: white; padding: 0 6px; "
                       "font-weight: bold; }"));
    surveyWarning_->hide();
    statusBar()->addPermanentWidget(surveyWarning_);
    new MapBudgetIndicator(*canvas_, *statusBar());
}

void TFNav::showSurveyFileState(const SurveyFileState& state) {
    // Shown for as long as it lasts: a passing message would be missed on a busy screen.
    if (state.writing) {
        surveyWarning_->hide();
        return;
    }
    QString text = QStringLiteral("SURVEY FILE NOT WRITTEN: %1 row(s) kept in memory (%2)")
                       .arg(state.keptRows)
                       .arg(QString::fromStdString(state.reason));
    if (state.droppedRows > 0) {
        text += QStringLiteral(", %1 oldest row(s) lost").arg(state.droppedRows);
    }
    surveyWarning_->setText(text);
    surveyWarning_->show();
}

void TFNav::setPanelText(int panel, const std::string& text) {
    if (panel >= 0 && panel < panelCount()) {
        panels_[static_cast<std::size_t>(panel)]->setText(QString::fromStdString(text));
    }
}

void TFNav::setPositionLost(bool lost) {
    if (lost == positionLost_) {
        return; // called every tick; restyling is not free
    }
    positionLost_ = lost;
    // The four position panels in red while there is no position: a frozen number looks like a fix.
    const QString style =
        lost ? QStringLiteral("QLabel { background: #c62828; color: white; padding: 0 4px; }") : QString();
    for (int panel = 0; panel < 4 && panel < panelCount(); ++panel) {
        panels_[static_cast<std::size_t>(panel)]->setStyleSheet(style);
    }
}

void TFNav::ensureFixedLayers() {
    for (const char* name : kFixedLayerNames) {
        if (canvas_->LayerFindByName(QString::fromUtf8(name)) < 0) {
            canvas_->LayerOpen(QString::fromUtf8(name));
        }
    }
}

void TFNav::emptyLayer(const char* name) {
    emptyLayerNamed(QString::fromUtf8(name));
}

void TFNav::FormShow() {
    ensureFixedLayers();
    const std::string lastFile = settings_.readString(kFileSection, kLastFileKey, "");
    if (!lastFile.empty() && std::filesystem::is_regular_file(std::filesystem::path(lastFile))) {
        // A damaged last layout must not keep the program from starting: it opens empty and says why.
        if (!canvas_->CadLoad(QString::fromStdString(lastFile), -1, -1, 0)) {
            session_->report("The last layout could not be loaded: " + canvas_->LastFileError());
        }
    }
    emptyLayer(kVesselLayerName);
    emptyLayer(kGridLayerName);
    setWindowTitle(kTitle + QStringLiteral(" - ") + QString::fromStdString(lastFile));
    switchLanguage(Language::English); // the language flag stays as it is
    restoreCanvasKeys();
    if (deviceSettings_) {
        deviceSettings_->pushGridToCanvas(); // the device settings own the grid
    }
    ensureFixedLayers();
    restorePlacement();
    ApplyEventLabelLook();
    // 9. The offsets dialog: the surveyor confirms the offsets before the day's logging; the battery
    // read-out (it hides itself when the echosounder sends no battery).
    showWindow(offsets_);
    if (battery_) {
        battery_->show();
    }
}

void TFNav::restoreCanvasKeys() {
    const CanvasViewSettings keys = CanvasViewSettings::read(settings_);
    canvas_->WorldSet(keys.worldLeft, keys.worldTop, keys.worldRight, keys.worldBottom);
    canvas_->Grid().GridAuto = keys.gridAutoScale;
    canvas_->SetDepthSpeedDisplayMode(keys.depthSpeedDisplayMode);
    canvas_->SetGGAOverlayPosition(keys.ggaOverlayPosition);
    canvas_->Refresh();
}

void TFNav::writeCanvasKeys() {
    const ViewWindow& view = canvas_->View();
    CanvasViewSettings keys;
    keys.worldLeft = view.WorldLeft;
    keys.worldRight = view.WorldRight;
    keys.worldTop = view.WorldTop;
    keys.worldBottom = view.WorldBottom;
    keys.gridAutoScale = canvas_->Grid().GridAuto;
    keys.depthSpeedDisplayMode = canvas_->DepthSpeedDisplayMode();
    keys.ggaOverlayPosition = canvas_->GGAOverlayPosition();
    keys.write(settings_);
}

void TFNav::restorePlacement() {
    restoreWidgetPlacement(settings_, kWindowName, *this, true);
}

void TFNav::savePlacement() {
    saveWidgetPlacement(settings_, kWindowName, *this);
}

void TFNav::FormCloseQuery() {
    if (closed_) {
        return;
    }
    closed_ = true;
    realtimeButton_->setEnabled(false);
    settle(50);
    ZGPS1().Close();
    ZSENSOR().Close();
    tMap_.stop();
    tEchogram_.stop();
    settle(50);
    Save();
    if (offsets_) {
        offsets_->savePlacement();
    }
    if (navset_) {
        navset_->savePlacement();
    }
    savePlacement();
    if (soundVelocity_) {
        soundVelocity_->SavePlacement();
    }
    if (runlines_) {
        runlines_->SavePlacement();
    }
    saveAuxiliaryPlacements();
    if (navset_) {
        navset_->close(); // its close query writes its keys, shown or not
    }
    if (offsets_) {
        offsets_->close();
    }
    if (deviceSettings_) {
        deviceSettings_->close();
    }
    if (soundVelocity_) {
        soundVelocity_->close(); // writes its keys
    }
    if (runlines_) {
        runlines_->close();
    }
    closeAuxiliaryWindows();
    writeCanvasKeys();
}

void TFNav::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    event->accept(); // closing is always allowed
}

std::filesystem::path TFNav::Save() {
    const std::filesystem::path file = folders_.layoutFile(clock_.now());
    emptyLayer(kGridLayerName);
    emptyLayer(kVesselLayerName);
    std::error_code ec;
    std::filesystem::create_directories(folders_.layoutFolder(), ec);
    if (!canvas_->CadSave(fromPath(file), -1)) {
        // The last saved layout stays the one reloaded at the next start.
        session_->report("Layout could not be saved: " + canvas_->LastFileError());
        return {};
    }
    session_->events().writeAutoEvent("Auto-saved: " + file.string());
    settings_.writeString(kFileSection, kLastFileKeyWritten, file.string());
    setWindowTitle(kTitle + QStringLiteral(" - ") + fromPath(file));
    saveSoundVelocityTables();
    return file;
}

void TFNav::Exit1Click() {
    Save();
    close();
}

void TFNav::bExitClick() {
    if (context_.exitProcess) {
        context_.exitProcess(-1);
        return;
    }
    // At once, without the close sequence: every survey row and log line is already on disk.
    std::_Exit(-1);
}

void TFNav::bRestartClick() {
    if (!context_.executable.empty()) {
        QProcess::startDetached(fromPath(context_.executable), {});
    }
    close();
}

void TFNav::FormKeyDown(int key) {
    switch (key) {
    case Qt::Key_F2:
        canvas_->ToggleDepthSpeedDisplayMode();
        break;
    case Qt::Key_F3:
        canvas_->ToggleGGAOverlayPosition();
        break;
    case Qt::Key_Delete:
        DeleteSelectedClick();
        break;
    case Qt::Key_Escape:
        if (realtime_ && realtime_->MapOnlyShown()) {
            realtime_->btHideClick(); // the full-screen map's way out
        }
        cancelSelection();
        cancelLineSelection();
        if (runlines_) {
            runlines_->CancelRouteDrawing();
            showDrawingTool();
        }
        // The canvas drops an open drawing on Escape without a draw-end event.
        endDrawingPause();
        break;
    default:
        break;
    }
}

bool TFNav::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched == canvas_) {
        // Over the map too the window's rule holds (pan towards the pointer, then zoom about it), not the
        // canvas's own zoom: the window sees the wheel first, as it sees the keys.
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->angleDelta().y() == 0) {
            return false; // a sideways scroll is no zoom
        }
        const QPoint at = wheel->position().toPoint();
        canvas_->ScreenToWorld(at.x(), at.y(), lastWorldX_, lastWorldY_);
        WheelOverWindow(wheel->angleDelta().y());
        wheel->accept();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == canvas_) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        statusBoxDoubleClicked(at.x(), at.y()); // and the canvas handles it as well
    }
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_F2 || key == Qt::Key_F3 || key == Qt::Key_Delete) {
                FormKeyDown(key);
                return true; // consumed, so it does not travel on to the parents
            }
            if (key == Qt::Key_Escape) {
                FormKeyDown(key); // the canvas also sees Escape: it drops a drawing in progress
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFNav::WheelOverWindow(int delta) {
    const int steps = wheel_.add(delta);
    for (int i = 0; i < std::abs(steps); ++i) {
        const ViewWindow& view = canvas_->View();
        const double offsetX = lastWorldX_ - (view.WorldLeft + view.WorldRight) / 2;
        const double offsetY = lastWorldY_ - (view.WorldTop + view.WorldBottom) / 2;
        if (steps > 0) {
            canvas_->WorldPan(offsetX / 10, offsetY / 10);
            canvas_->WorldZoom(0, 0.1, lastWorldX_, lastWorldY_);
        } else {
            canvas_->WorldPan(offsetX / 100, offsetY / 100);
            canvas_->WorldZoom(0, -0.1, lastWorldX_, lastWorldY_);
        }
    }
}

void TFNav::wheelEvent(QWheelEvent* event) {
    // Over the toolbar or the status bar: the last position the map reported is the point.
    WheelOverWindow(event->angleDelta().y());
    event->accept();
}

void TFNav::ZoomInClick() {
    const ViewWindow& v = canvas_->View();
    canvas_->WorldZoom(0, 0.2, (v.WorldLeft + v.WorldRight) / 2, (v.WorldTop + v.WorldBottom) / 2);
}

void TFNav::ZoomOutClick() {
    const ViewWindow& v = canvas_->View();
    canvas_->WorldZoom(0, -0.2, (v.WorldLeft + v.WorldRight) / 2, (v.WorldTop + v.WorldBottom) / 2);
}

void TFNav::ZoomExtentsClick() {
    canvas_->WorldExtents();
}

void TFNav::SetDeviceSettingsWindow(TFGPS* window) {
    deviceSettings_ = window;
    monitor_->attach(window);
    session_->setDeviceSettings(window);
    wireLowFrequencyBox();
}

void TFNav::Parameters1Click() {
    if (!deviceSettings_) {
        return;
    }
    deviceSettings_->show(); // not modal
    deviceSettings_->raise();
    deviceSettings_->activateWindow();
    deviceSettings_->Tabs()->setFocus(); // Ctrl+Tab walks the tabs from the keyboard
}

void TFNav::SetFollowVessel(bool follow) {
    session_->map().FollowVessel = follow;
}

// --- The realtime switch and the timers

void TFNav::RealtimeClick() {
    if (!session_->realtimeOn()) {
        session_->startRealtime();
        if (session_->sensorOpenedAtStart()) {
            tEchogram_.start();
        }
        showDepthWindows(session_->sensorOpenedAtStart());
        setRealtimeCaption(true);
        tMap_.start();
    } else {
        session_->stopRealtime();
        tMap_.stop();
        tEchogram_.stop();
        setRealtimeCaption(false);
    }
    showRealtimeRunning(session_->realtimeOn());
}

void TFNav::setRealtimeCaption(bool running) {
    realtimeButton_->setText(translatedCaption(*this, running ? "Stop" : "Start"));
    // White on the green of the running toolbar; navy on the window face when stopped.
    realtimeButton_->setStyleSheet(
        running
            ? QStringLiteral("QToolButton { color: white; background: #006400; border: 1px solid white; "
                             "border-radius: 3px; }")
            : QStringLiteral("QToolButton { color: navy; border: 1px solid #7a7a7a; border-radius: 3px; }"));
    toolbar_->setStyleSheet(running ? QStringLiteral("QToolBar { background: green; }") : QString());
}

MapUpdate::Tick TFNav::tMapTimer() {
    const MapUpdate::Tick result = session_->mapTick();
    showGuidance();
    return result;
}

void TFNav::endDrawingPause() {
    if (drawing_) {
        drawing_ = false;
        if (session_->realtimeOn()) {
            tMap_.start();
        }
    }
}

void TFNav::startMapTimer() {
    if (!drawing_) { // the end of the drawing starts it
        tMap_.start();
    }
}
void TFNav::stopMapTimer() {
    tMap_.stop();
}

void TFNav::showRealtimeRunning(bool running) {
    const QSignalBlocker block(realtimeButton_);
    realtimeButton_->setChecked(running);
}

// --- Events and receiver commands

void TFNav::ApplyEventLabelLook() {
    const DisplaySettings labels = session_->deviceSettings().displaySettings();
    OverlayOwnerState owner = canvas_->GetOverlayOwnerState();
    owner.eventLabelFontSize = labels.EventLabelFontSize;
    owner.eventLabelColor = static_cast<TColor>(labels.EventLabelColor);
    canvas_->SetOverlayOwnerState(owner);
}

void TFNav::btEventAddClick() {
    ApplyEventLabelLook();
    session_->markEvent([this](double easting, double northing, int number) {
        canvas_->AddEventLabel(easting, northing, number);
    });
}

void TFNav::btEventResetClick() {
    if (!confirm(QStringLiteral("Event ID will restart from 1 again. Continue?"))) {
        return;
    }
    session_->eventMarker().reset();
    session_->events().writeAutoEvent("Event number was reset.");
}

namespace {
void sendCommandSet(TSelvirSerialGPS& reader, std::string_view caption) {
    if (const ReceiverCommandSet* set = findReceiverCommandSet(caption)) {
        for (std::string_view command : set->commands) {
            reader.Send(command);
        }
    }
}
} // namespace

void TFNav::ActivateNMEAMessages1Click() {
    sendCommandSet(ZGPS1(), "Topcon GNSS");
}
void TFNav::HemisphereGNSS1Click() {
    sendCommandSet(ZGPS1(), "Hemisphere GNSS");
}

} // namespace selvir
