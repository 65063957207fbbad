#include "windows/TFNav.h"

#include "canvas/TSelvirCanvas.h"
#include "core/NumberFormat.h"
#include "core/WindowPlacement.h"
#include "navigation/LayerNames.h"
#include "navigation/ReceiverCommands.h"
#include "windows/CanvasMapAdapter.h"
#include "windows/TFMsg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <clocale>
#include <cstdlib>

namespace selvir {

namespace {

constexpr std::string_view kCanvasSection = "CANVAS";
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

std::string twoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
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
    layout->addWidget(canvas_);
    setCentralWidget(panel);
    const QColor face = palette().color(QPalette::Window);
    canvas_->SetBackColor(face.isValid() ? makeColor(face.red(), face.green(), face.blue()) : colorWhite);
    map_ = std::make_unique<CanvasMapAdapter>(*canvas_);

    // 3. The readers and the engine behind them, all eight GNSS events and the echosounder line wired.
    SurveySessionOutputs outputs;
    outputs.messages = messages_;
    outputs.mapTimer = this;
    outputs.realtimeButton = this;
    outputs.canvasLayers = map_.get();
    outputs.canvas = map_.get();
    outputs.background = map_.get();
    outputs.statusBar = this;
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

    // 5. Key preview: the window sees key presses before its controls.
    qApp->installEventFilter(this);

    // 6. Log prefixes and the process-wide formats: "." as decimal point whatever the locale.
    for (TSelvirSerialGPS* reader : {&session_->ZGPS1(), &session_->ZSENSOR()}) {
        reader->TimeFormat = std::string(kDefaultTimeLayout);
        reader->DateFormat = std::string(kDefaultDateLayout);
    }
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");

    // 7. The realtime switch's look. (The monitor flag belongs with the device settings' monitor,
    // which reads it; that window does not exist yet.)
    setRealtimeCaption(false);

    tMap_.setInterval(kMapIntervalMs);
    connect(&tMap_, &QTimer::timeout, this, [this] { MapTick(); });
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
}

void TFNav::setPanelText(int panel, const std::string& text) {
    if (panel >= 0 && panel < panelCount()) {
        panels_[static_cast<std::size_t>(panel)]->setText(QString::fromStdString(text));
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
        canvas_->CadLoad(QString::fromStdString(lastFile), -1, -1, 0);
    }
    emptyLayer(kVesselLayerName);
    emptyLayer(kGridLayerName);
    setWindowTitle(kTitle + QStringLiteral(" - ") + QString::fromStdString(lastFile));
    Dilngilizce1Click();
    restoreCanvasKeys();
    ensureFixedLayers();
    restorePlacement();
    applyEventLabelLook();
}

void TFNav::restoreCanvasKeys() {
    const double left = settings_.readFloat(kCanvasSection, "PlanWorldLeft", 0);
    const double right = settings_.readFloat(kCanvasSection, "PlanWorldRight", 1000);
    const double top = settings_.readFloat(kCanvasSection, "PlanWorldTop", 1000);
    const double bottom = settings_.readFloat(kCanvasSection, "PlanWorldBottom", 0);
    canvas_->WorldSet(left, top, right, bottom);
    canvas_->Grid().GridAuto = settings_.readBool(kCanvasSection, "GridAutoScale", true);
    canvas_->SetDepthSpeedDisplayMode(settings_.readInteger(kCanvasSection, "DepthSpeedDisplayMode", 0));
    canvas_->SetGGAOverlayPosition(settings_.readInteger(kCanvasSection, "GGAOverlayPosition", 0));
    canvas_->Refresh();
}

void TFNav::writeCanvasKeys() {
    const ViewWindow& view = canvas_->View();
    settings_.writeFloat(kCanvasSection, "PlanWorldLeft", view.WorldLeft);
    settings_.writeFloat(kCanvasSection, "PlanWorldRight", view.WorldRight);
    settings_.writeFloat(kCanvasSection, "PlanWorldTop", view.WorldTop);
    settings_.writeFloat(kCanvasSection, "PlanWorldBottom", view.WorldBottom);
    settings_.writeBool(kCanvasSection, "GridAutoScale", canvas_->Grid().GridAuto);
    settings_.writeInteger(kCanvasSection, "DepthSpeedDisplayMode", canvas_->DepthSpeedDisplayMode());
    settings_.writeInteger(kCanvasSection, "GGAOverlayPosition", canvas_->GGAOverlayPosition());
}

void TFNav::restorePlacement() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(1920, 1080);
    const PlacementToApply place = restoreWindowPlacement(settings_, kWindowName, true, width(), height(),
                                                          screenSize.width(), screenSize.height());
    if (place.maximise) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    resize(place.width.value_or(width()), place.height.value_or(height()));
    move(place.left, place.top);
}

void TFNav::savePlacement() {
    WindowGeometry place;
    place.state = isMaximized()   ? WindowState::Maximised
                  : isMinimized() ? WindowState::Minimised
                                  : WindowState::Normal;
    const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
    place.left = frame.x();
    place.top = frame.y();
    place.width = frame.width();
    place.height = frame.height();
    saveWindowPlacement(settings_, kWindowName, place);
}

void TFNav::FormCloseQuery() {
    if (closed_) {
        return;
    }
    closed_ = true;
    realtimeButton_->setEnabled(false);
    settle(50);
    session_->ZGPS1().Close();
    session_->ZSENSOR().Close();
    tMap_.stop();
    tEchogram_.stop();
    settle(50);
    Save();
    savePlacement();
    writeCanvasKeys();
}

void TFNav::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    event->accept(); // closing is always allowed
}

std::filesystem::path TFNav::Save() {
    const LocalDateTime now = clock_.now();
    const std::filesystem::path file =
        folders_.layoutFolder() /
        (formatDate(now.date) + " " + twoDigits(now.hour) + twoDigits(now.minute) + ".gvx");
    emptyLayer(kGridLayerName);
    emptyLayer(kVesselLayerName);
    std::error_code ec;
    std::filesystem::create_directories(folders_.layoutFolder(), ec);
    if (!canvas_->CadSave(fromPath(file), -1)) {
        // The last saved layout stays the one reloaded at the next start.
        session_->report("Layout could not be saved: " + file.string());
        return {};
    }
    session_->events().writeAutoEvent("Auto-saved: " + file.string());
    settings_.writeString(kFileSection, kLastFileKeyWritten, file.string());
    setWindowTitle(kTitle + QStringLiteral(" - ") + fromPath(file));
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
        cancelSelection();
        break;
    default:
        break;
    }
}

bool TFNav::eventFilter(QObject* watched, QEvent* event) {
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
    const ViewWindow& view = canvas_->View();
    const double offsetX = lastWorldX_ - (view.WorldLeft + view.WorldRight) / 2;
    const double offsetY = lastWorldY_ - (view.WorldTop + view.WorldBottom) / 2;
    if (delta > 0) {
        canvas_->WorldPan(offsetX / 10, offsetY / 10);
        canvas_->WorldZoom(0, 0.1, lastWorldX_, lastWorldY_);
    } else if (delta < 0) {
        canvas_->WorldPan(offsetX / 100, offsetY / 100);
        canvas_->WorldZoom(0, -0.1, lastWorldX_, lastWorldY_);
    }
}

void TFNav::wheelEvent(QWheelEvent* event) {
    // Only wheel turns the canvas did not take (over the toolbar or the status bar) reach the window.
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
        setRealtimeCaption(true);
        tMap_.start();
    } else {
        session_->stopRealtime();
        tMap_.stop();
        tEchogram_.stop();
        setRealtimeCaption(false);
    }
    setRealtimeButtonDown(session_->realtimeOn());
}

void TFNav::setRealtimeCaption(bool running) {
    realtimeButton_->setText(running ? QStringLiteral("Stop") : QStringLiteral("Start"));
    // White on the green of the running toolbar; navy on the window face when stopped.
    realtimeButton_->setStyleSheet(
        running
            ? QStringLiteral("QToolButton { color: white; background: #006400; border: 1px solid white; "
                             "border-radius: 3px; }")
            : QStringLiteral("QToolButton { color: navy; border: 1px solid #7a7a7a; border-radius: 3px; }"));
    toolbar_->setStyleSheet(running ? QStringLiteral("QToolBar { background: green; }") : QString());
}

MapUpdate::Tick TFNav::MapTick() {
    return session_->mapTick();
}

void TFNav::tEchogramTimer() {
    // The waterfall window takes the latest depth here; until it is shown the feed only waits.
}

void TFNav::startMapTimer() {
    tMap_.start();
}
void TFNav::stopMapTimer() {
    tMap_.stop();
}

void TFNav::setRealtimeButtonDown(bool down) {
    const QSignalBlocker block(realtimeButton_);
    realtimeButton_->setChecked(down);
}

// --- Events and receiver commands

void TFNav::applyEventLabelLook() {
    const LabelSettings labels = LabelSettings::read(settings_);
    OverlayOwnerState owner = canvas_->GetOverlayOwnerState();
    owner.eventLabelFontSize = labels.eventLabelFontSize;
    owner.eventLabelColor = static_cast<TColor>(labels.eventLabelColor);
    canvas_->SetOverlayOwnerState(owner);
}

void TFNav::btEventAddClick() {
    applyEventLabelLook();
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
    sendCommandSet(session_->ZGPS1(), "Topcon GNSS");
}
void TFNav::HemisphereGNSS1Click() {
    sendCommandSet(session_->ZGPS1(), "Hemisphere GNSS");
}

} // namespace selvir
