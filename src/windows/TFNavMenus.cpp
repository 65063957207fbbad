// The main window's menus, toolbar and English caption set.
#include "canvas/InputCodes.h"
#include "canvaswidget/TSelvirCanvas.h"
#include "navigation/LayerNames.h"
#include "windows/CaptionSet.h"
#include "windows/TExportMap.h"
#include "windows/TFGPS.h"
#include "windows/TFMsg.h"
#include "windows/TFNav.h"
#include "windows/TFShape.h"
#include "windows/TNavset.h"
#include "windows/TOffsets.h"
#include "windows/TfCanvas.h"
#include "windows/TfGuidance.h"
#include "windows/TfJoystick.h"
#include "windows/TfLatency.h"
#include "windows/TfRealtime.h"
#include "windows/TfRunline1.h"
#include "windows/TfSVP.h"
#include "windows/TfTheme.h"
#include "windows/ToolbarIcons.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace selvir {

namespace {

// The main window's part of the caption set: the title, then (object name, caption). The entries after
// "RemoteSupport1" keep their design captions in English and carry them into the other languages.
constexpr ControlCaption kMainWindowCaptions[] = {
    {"FNav", "Selvir Dalgaroz"},
    {"ToolButton156", "Open"},
    {"ToolButton158", "Save"},
    {"ToolButton11", "Clear shapes user added"},
    {"tbFixed", "Fixed"},
    {"tbFloat", "Float"},
    {"tbAuto", "Auto"},
    {"Zoomin", "Zoom in"},
    {"Zoomout", "Zoom out"},
    {"btEventAdd", "Add event"},
    {"btEventReset", "Reset event"},
    {"Realtime", "Realtime"},
    {"ToolButton5", "Follow Vessel"},
    {"ToolButton13", "Unollow Vessel"},
    {"File1", "File"},
    {"New1", "New"},
    {"Open1", "Open..."},
    {"Save1", "Save"},
    {"SaveAs1", "Save As..."},
    {"Import1", "Import..."},
    {"Export1", "Export..."},
    {"ExportMap1", "Export Map..."},
    {"ClearFixedTracks1", "Clear Tracks Fixed"},
    {"ClearUnfixedTracks1", "Clear Tracks Unfixed"},
    {"ClearUserAddedShapes1", "Clear Shapes User Added"},
    {"Deletetracksselected1", "Clear Tracks Selected"},
    {"Exit1", "Exit"},
    {"Zoom1", "Zoom"},
    {"In1", "In"},
    {"Out1", "Out"},
    {"Window1", "Window"},
    {"Extents1", "Extents"},
    {"Dynamic1", "Dynamic"},
    {"Settings1", "Tools"},
    {"ools1", "Edit"},
    {"Followvessel1", "Follow Vessel"},
    {"Donotfollowvessel1", "Unfollow Vessel"},
    {"MarkEvent1", "Event Marking"},
    {"opcon1", "NMEA"},
    {"opconNMEAMessages1", "Topcon GNSS"},
    {"HemisphereGNSS1", "Hemisphere GNSS"},
    {"GeosunGNSS1", "Geosun GNSS"},
    {"LeicaGNSS1", "Leica GNSS"},
    {"Help1", "Help"},
    {"About1", "About..."},
    {"Language1", "Language"},
    {"Parameters1", "Device Settings..."},
    {"ConnectIcon", "Settings"},
    {"RemoteSupport1", "Remote Support..."},
    {"OffsetsandValues1", "Offsets..."},
    {"OffsetsEssential1", "Offsets Essential..."},
    {"NavigationSettings1", "Navigation Settings..."},
    {"VesselShape1", "Vessel Shape..."},
    {"LatencyWatchSet1", "Latency Management"},
    {"tbRunline", "Runline creation"},
    {"GenerateRunline1", "Generate Runlines..."},
    {"Lines1", "Lines"},
    {"SelectLine1", "Select Line"},
    {"PreviousLine1", "Previous Line"},
    {"NextLine1", "Next Line"},
    {"ReverseLine1", "Reverse Line Direction"},
    {"StopGuidance1", "Stop Guidance"},
    {"LineGuidance1", "Line Guidance Settings..."},
    {"OpenLogFolder1", "Open LOG Folder"},
    {"themeSelection1", "Theme Selection..."},
    {"RealtimeWindow1", "Realtime Window..."},
    {"Echogram1", "Echogram..."},
    {"mAcousticsWaterfall", "Acoustics Waterfall..."},
    {"Dilngilizce1", "English"},
    {"DilTurke1", "T\u00fcrk\u00e7e"},
    {"bRestart", "Restart"},
    {"bExit", "Exit"},
    {"bSelectTracks", "Select Track"},
    {"bMouseSelect", "Select Shapes"},
    {"bDeleteSelected", "Delete Slected"},
    {"ToolButton7", "Point"},
    {"ToolButton12", "Line"},
    {"ToolButton21", "Rectangle"},
    {"ToolButton23", "Polyline"},
    {"ToolButton27", "Ellipse"},
    {"ToolButton28", "Polygon"},
    {"ToolButton29", "Spline"},
    {"ToolButton30", "Three-point curve"},
    {"ToolButton31", "Circle"},
    {"Zoomwindow", "Zoom window"},
    {"Zoomdynamic", "Dynamic zoom"},
    {"Zoomextents", "Zoom extents"},
    {"tRealtime", "Survey"},
    {"tEditing", "Tracks and shapes"},
    {"tDrawing", "Drawing and zoom"},
    {"Offsets", "Offsets"},
    {"NavigationSettings", "Navigation Settings"},
    {"SoundVelocityProfile1", "Sound Velocity Profile..."},
};

} // namespace

QAction* TFNav::addAction(QMenu* menu, const char* objectName, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromUtf8(objectName));
    return action;
}

QAction* TFNav::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TFNav::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    const auto item = [this](QMenu* menu, const char* name, const QString& caption, QKeySequence key,
                             auto handler) {
        QAction* action = addAction(menu, name, caption);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    item(file, "New1", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { New1Click(); });
    item(file, "Open1", QStringLiteral("Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
         [this] { Open1Click(); });
    item(file, "Save1", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save(); });
    item(file, "SaveAs1", QStringLiteral("Save As..."), QKeySequence(Qt::CTRL | Qt::Key_W),
         [this] { SaveAs1Click(); });
    file->addSeparator();
    item(file, "Import1", QStringLiteral("DXF Import..."), QKeySequence(), [this] { Import1Click(); });
    item(file, "Export1", QStringLiteral("Export..."), QKeySequence(Qt::CTRL | Qt::Key_X),
         [this] { Export1Click(); });
    item(file, "ExportMap1", QStringLiteral("Export Map..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M),
         [this] { ExportMap1Click(); });
    file->addSeparator();
    connect(addAction(file, "Exit1", QStringLiteral("Exit")), &QAction::triggered, this,
            [this] { Exit1Click(); });

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("ools1"));
    item(edit, "ClearFixedTracks1", QStringLiteral("Clear tracks fixed"), QKeySequence(),
         [this] { ClearFixedTracks1Click(); });
    item(edit, "ClearUnfixedTracks1", QStringLiteral("Clear tracks unfixed"), QKeySequence(),
         [this] { ClearUnfixedTracks1Click(); });
    item(edit, "ClearUserAddedShapes1", QStringLiteral("Clear shapes user added"), QKeySequence(),
         [this] { ClearUserAddedShapes1Click(); });
    // The Delete key itself goes through the key preview; the shortcut only shows it on the entry.
    item(edit, "Deletetracksselected1", QStringLiteral("Delete tracks selected"), QKeySequence(),
         [this] { DeleteSelectedClick(); });
    edit->addSeparator();
    connect(addAction(edit, "Followvessel1", QStringLiteral("Follow vessel")), &QAction::triggered, this,
            [this] { SetFollowVessel(true); });
    connect(addAction(edit, "Donotfollowvessel1", QStringLiteral("Do not follow vessel")),
            &QAction::triggered, this, [this] { SetFollowVessel(false); });
    edit->addSeparator();
    QAction* mark = addAction(edit, "MarkEvent1", QStringLiteral("Mark Event"));
    mark->setShortcut(QKeySequence(Qt::Key_F12));
    mark->setShortcutContext(Qt::ApplicationShortcut);
    connect(mark, &QAction::triggered, this, [this] { btEventAddClick(); });

    QMenu* zoom = bar->addMenu(QStringLiteral("Zoom"));
    zoom->setObjectName(QStringLiteral("Zoom1"));
    connect(addAction(zoom, "In1", QStringLiteral("In")), &QAction::triggered, this,
            [this] { ZoomInClick(); });
    connect(addAction(zoom, "Out1", QStringLiteral("Out")), &QAction::triggered, this,
            [this] { ZoomOutClick(); });
    connect(addAction(zoom, "Window1", QStringLiteral("Window")), &QAction::triggered, this,
            [this] { SelectDrawTool(toolCode(CanvasTool::ZoomWindow)); });
    connect(addAction(zoom, "Extents1", QStringLiteral("Extents")), &QAction::triggered, this,
            [this] { ZoomExtentsClick(); });
    connect(addAction(zoom, "Dynamic1", QStringLiteral("Dynamic")), &QAction::triggered, this,
            [this] { SelectDrawTool(toolCode(CanvasTool::DynamicZoom)); });

    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Settings1"));
    item(tools, "Parameters1", QStringLiteral("Device Settings..."), QKeySequence(Qt::Key_F10), [this] {
        Parameters1Click();
    })->setShortcutContext(Qt::ApplicationShortcut);
    nmeaMenu_ = tools->addMenu(QStringLiteral("Set GPS for NMEA Messages"));
    nmeaMenu_->setObjectName(QStringLiteral("opcon1"));
    connect(addAction(nmeaMenu_, "opconNMEAMessages1", QStringLiteral("Topcon GNSS")), &QAction::triggered,
            this, [this] { ActivateNMEAMessages1Click(); });
    connect(addAction(nmeaMenu_, "HemisphereGNSS1", QStringLiteral("Hemisphere GNSS")), &QAction::triggered,
            this, [this] { HemisphereGNSS1Click(); });
    // These two families need no commands: their entries do nothing.
    addAction(nmeaMenu_, "GeosunGNSS1", QStringLiteral("Geosun GNSS"));
    addAction(nmeaMenu_, "LeicaGNSS1", QStringLiteral("Leica GNSS"));
    // The submenu exists but stays hidden.
    nmeaMenu_->menuAction()->setVisible(false);
    // The set-up windows; each entry is enabled once its window is given.
    const auto windowEntry = [&](const char* name, const QString& caption, QKeySequence key, auto handler) {
        item(tools, name, caption, key, handler)->setEnabled(false);
    };
    windowEntry("OffsetsandValues1", QStringLiteral("Offsets..."),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), [this] { OffsetsandValues1Click(); });
    windowEntry("OffsetsEssential1", QStringLiteral("Offsets Essential..."), QKeySequence(),
                [this] { OffsetsandValues1Click(); });
    windowEntry("NavigationSettings1", QStringLiteral("Navigation Settings..."),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), [this] { NavigationSettings1Click(); });
    windowEntry("VesselShape1", QStringLiteral("Vessel Shape..."),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), [this] { VesselShape1Click(); });
    item(tools, "SoundVelocityProfile1", QStringLiteral("Sound Velocity Profile..."),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [this] {
             if (soundVelocity_) {
                 soundVelocity_->ShowWindow();
             }
         });
    tools->addSeparator();
    windowEntry("LatencyWatchSet1", QStringLiteral("Latency Management"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), [this] { LatencyWatchSet1Click(); });
    tools->addSeparator();
    windowEntry("RealtimeWindow1", QStringLiteral("Realtime Window..."),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), [this] { RealtimeWindow1Click(); });
    windowEntry("Echogram1", QStringLiteral("Echogram..."), QKeySequence(), [this] { Echogram1Click(); });
    windowEntry("mAcousticsWaterfall", QStringLiteral("Acoustics Waterfall..."),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W), [this] { mAcousticsWaterfallClick(); });
    windowEntry("OpenLogFolder1", QStringLiteral("Open LOG Folder"), QKeySequence(),
                [this] { OpenLogFolder1Click(); });
    tools->addSeparator();
    windowEntry("themeSelection1", QStringLiteral("Theme Selection..."),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), [this] { themeSelection1Click(); });

    QMenu* language = bar->addMenu(QStringLiteral("Language"));
    language->setObjectName(QStringLiteral("Language1"));
    QAction* english = addAction(language, "Dilngilizce1", QStringLiteral("English"));
    english->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    english->setCheckable(true);
    connect(english, &QAction::triggered, this, [this] { Dilngilizce1Click(); });
    QAction* turkish = addAction(language, "DilTurke1", QString::fromUtf8("T\u00fcrk\u00e7e"));
    turkish->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    turkish->setCheckable(true);
    connect(turkish, &QAction::triggered, this, [this] { DilTurke1Click(); });
    auto* languages = new QActionGroup(this); // one language ticked at a time
    languages->addAction(english);
    languages->addAction(turkish);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    connect(addAction(help, "About1", QStringLiteral("About...")), &QAction::triggered, this, [this] {
        QMessageBox::about(this, translatedCaption(*this, "About Selvir Dalgaroz"),
                           QStringLiteral("Selvir Dalgaroz\nSingle-beam hydrographic survey\n\n") +
                               TSelvirCanvas::AboutText());
    });
    connect(addAction(help, "RemoteSupport1", QStringLiteral("Remote Support...")), &QAction::triggered, this,
            [this] {
                if (!QProcess::startDetached(QStringLiteral("./SelvirUD.exe"), {})) {
                    Session().report("The remote support program SelvirUD.exe could not be started.");
                }
            });
}

namespace {

// The left toolbar's drawing and zoom tools: object name, caption, canvas tool number.
struct DrawingTool {
    const char* objectName;
    const char* caption;
    int tool;
};
constexpr DrawingTool kDrawingTools[] = {
    {"ToolButton7", "Point", toolCode(CanvasTool::Point)},
    {"ToolButton12", "Line", toolCode(CanvasTool::Line)},
    {"ToolButton21", "Rectangle", toolCode(CanvasTool::Rectangle)},
    {"ToolButton23", "Polyline", toolCode(CanvasTool::Polyline)},
    {"ToolButton27", "Ellipse", toolCode(CanvasTool::Ellipse4)},
    {"ToolButton28", "Polygon", toolCode(CanvasTool::Polygon)},
    {"ToolButton29", "Spline", toolCode(CanvasTool::Spline)},
    {"ToolButton30", "Three-point curve", toolCode(CanvasTool::Curve)},
    {"ToolButton31", "Circle", toolCode(CanvasTool::Circle)},
    {"Zoomwindow", "Zoom window", toolCode(CanvasTool::ZoomWindow)},
    {"Zoomdynamic", "Dynamic zoom", toolCode(CanvasTool::DynamicZoom)},
};

constexpr int kToolbarIconPx = 24;

} // namespace

void TFNav::buildToolbar() {
    // Two rows above the map: the survey toolbar (files, the realtime switch, follow, events, exits) and
    // the track and shape editing toolbar; one row would not fit a laptop screen. The drawing and zoom
    // tools stand on the left. Icons only: the captions are the tooltips.
    toolbar_ = addToolBar(QStringLiteral("Survey"));
    toolbar_->setObjectName(QStringLiteral("tRealtime"));
    addToolBarBreak();
    QToolBar* editing = addToolBar(QStringLiteral("Tracks and shapes"));
    editing->setObjectName(QStringLiteral("tEditing"));
    drawingToolbar_ = new QToolBar(QStringLiteral("Drawing and zoom"), this);
    drawingToolbar_->setObjectName(QStringLiteral("tDrawing"));
    drawingToolbar_->setOrientation(Qt::Vertical);
    addToolBar(Qt::LeftToolBarArea, drawingToolbar_);
    for (QToolBar* bar : {toolbar_, editing, drawingToolbar_}) {
        bar->setMovable(false);
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        bar->setIconSize(QSize(kToolbarIconPx, kToolbarIconPx));
    }

    const auto button = [this](QToolBar* bar, const char* objectName, const QString& caption, auto handler) {
        QAction* action = bar->addAction(caption);
        action->setObjectName(QString::fromUtf8(objectName));
        action->setIcon(toolbarIcon(action->objectName()));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    button(toolbar_, "ToolButton156", QStringLiteral("Open"), [this] { Open1Click(); });
    button(toolbar_, "ToolButton158", QStringLiteral("Save"), [this] { Save(); });
    toolbar_->addSeparator();

    realtimeButton_ = new QToolButton(toolbar_);
    realtimeButton_->setObjectName(QStringLiteral("Realtime"));
    realtimeButton_->setCheckable(true);
    realtimeButton_->setAutoRaise(false); // not flat
    realtimeButton_->setFixedSize(70, 28);
    QFont font(QStringLiteral("Segoe UI"), 10);
    font.setBold(true);
    realtimeButton_->setFont(font);
    realtimeButton_->setToolTip(
        QStringLiteral("Realtime: open the ports, follow the receiver and write the survey"));
    connect(realtimeButton_, &QToolButton::clicked, this, [this] { RealtimeClick(); });
    toolbar_->addWidget(realtimeButton_);
    toolbar_->addSeparator();

    button(toolbar_, "ToolButton5", QStringLiteral("Follow"), [this] { SetFollowVessel(true); });
    button(toolbar_, "ToolButton13", QStringLiteral("No follow"), [this] { SetFollowVessel(false); });
    toolbar_->addSeparator();
    button(toolbar_, "btEventAdd", QStringLiteral("Add Event"), [this] { btEventAddClick(); });
    button(toolbar_, "btEventReset", QStringLiteral("Reset Event"), [this] { btEventResetClick(); });
    toolbar_->addSeparator();
    button(toolbar_, "ConnectIcon", QStringLiteral("Settings"), [this] { Parameters1Click(); });
    button(toolbar_, "Offsets", QStringLiteral("Offsets"), [this] { OffsetsandValues1Click(); });
    button(toolbar_, "NavigationSettings", QStringLiteral("Navigation Settings"),
           [this] { NavigationSettings1Click(); });
    toolbar_->addSeparator();
    button(toolbar_, "bRestart", QStringLiteral("Restart"), [this] { bRestartClick(); });
    button(toolbar_, "bExit", QStringLiteral("Exit"), [this] { bExitClick(); });

    button(editing, "ToolButton11", QStringLiteral("Clear User Shapes"),
           [this] { ClearUserAddedShapes1Click(); });
    button(editing, "bSelectTracks", QStringLiteral("Select Track"),
           [this] { startSelection(SelectionMode::Tracks); });
    button(editing, "bMouseSelect", QStringLiteral("Select Shapes"),
           [this] { startSelection(SelectionMode::Shapes); });
    button(editing, "bDeleteSelected", QStringLiteral("Delete Slected"), [this] { DeleteSelectedClick(); });
    editing->addSeparator();
    button(editing, "tbFixed", QStringLiteral("Fixed"), [this] { ClearFixedTracks1Click(); });
    button(editing, "tbFloat", QStringLiteral("Float"), [this] { ClearUnfixedTracks1Click(); });
    button(editing, "tbAuto", QStringLiteral("Auto"), [this] { tbAutoClick(); });

    // The tool buttons show the canvas's tool: checked while it is in force, none when it has ended.
    auto* tools = new QActionGroup(this);
    tools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const DrawingTool& entry : kDrawingTools) {
        if (entry.tool == toolCode(CanvasTool::ZoomWindow)) {
            drawingToolbar_->addSeparator();
        }
        const int tool = entry.tool;
        QAction* action = drawingToolbar_->addAction(QString::fromUtf8(entry.caption));
        action->setObjectName(QString::fromUtf8(entry.objectName));
        action->setIcon(toolbarIcon(action->objectName()));
        action->setCheckable(true);
        action->setData(tool);
        tools->addAction(action);
        // A second click on the checked tool puts it away.
        connect(action, &QAction::triggered, this,
                [this, tool](bool checked) { SelectDrawTool(checked ? tool : toolCode(CanvasTool::None)); });
    }
    button(drawingToolbar_, "Zoomin", QStringLiteral("Zoom in"), [this] { ZoomInClick(); });
    button(drawingToolbar_, "Zoomout", QStringLiteral("Zoom out"), [this] { ZoomOutClick(); });
    button(drawingToolbar_, "Zoomextents", QStringLiteral("Zoom extents"), [this] { ZoomExtentsClick(); });
}

void TFNav::SelectDrawTool(int tool) {
    cancelSelection(); // a pending selection polygon gives way to the chosen tool
    cancelLineSelection();
    // A new tool starts afresh: an unfinished shape is dropped and the first click is not swallowed.
    canvas_->ClearDrawingState();
    endDrawingPause();
    if (tool > 0) {
        // Points raise no draw-begin: every tool draws on the user's layer from the first click.
        canvas_->SetCurrentLayer(canvas_->LayerFindByName(QString::fromUtf8(kUserShapeLayerName)));
    }
    canvas_->DrawTool = tool;
    showDrawingTool();
}

void TFNav::showDrawingTool() {
    // A selection polygon borrows the polygon tool: that is not the user's drawing tool.
    const int tool = selection_ == SelectionMode::None ? canvas_->DrawTool : toolCode(CanvasTool::None);
    for (QAction* action : drawingToolbar_->actions()) {
        if (action->isCheckable()) {
            action->setChecked(tool != toolCode(CanvasTool::None) && action->data().toInt() == tool);
        }
    }
}

std::span<const ControlCaption> TFNav::englishCaptions() {
    return kMainWindowCaptions;
}

void TFNav::applyMainWindowCaptions() {
    applyCaptions(*this, kMainWindowCaptions);
}

void TFNav::applyCaptionSet() {
    // The windows' parts in the set's order: vessel geometry, realtime data, navigation settings,
    // offsets, main window, device settings, sound velocity, theme, waterfall; then the message,
    // latency and battery windows, which the set leaves as designed.
    if (shape_) {
        shape_->applyEnglishCaptions();
    }
    if (realtime_) {
        realtime_->applyEnglishCaptions();
    }
    if (navset_) {
        navset_->applyEnglishCaptions();
    }
    if (offsets_) {
        offsets_->applyEnglishCaptions();
    }
    applyMainWindowCaptions();
    if (session_->realtimeOn()) {
        setRealtimeCaption(true); // the running switch keeps saying that it stops
    }
    if (deviceSettings_) {
        deviceSettings_->applyEnglishCaptions();
    }
    if (soundVelocity_) {
        soundVelocity_->ApplyEnglishCaptions();
    }
    if (theme_) {
        theme_->applyEnglishCaptions();
    }
    if (waterfall_) {
        waterfall_->applyEnglishCaptions();
    }
    messages_->applyEnglishCaptions();
    if (latency_) {
        latency_->applyEnglishCaptions();
    }
    if (battery_) {
        battery_->applyEnglishCaptions();
    }
    if (runlines_) {
        runlines_->ApplyEnglishCaptions();
    }
    if (guidanceWindow_ != nullptr) {
        guidanceWindow_->ApplyEnglishCaptions();
    }
    if (exportMap_ != nullptr) {
        exportMap_->EnglishCaptions();
    }
}

void TFNav::ExportMap1Click() {
    if (exportMap_ != nullptr) {
        exportMap_->showForExport();
    }
}

void TFNav::switchLanguage(Language language) {
    if (!language_->use(language)) {
        session_->report("The Turkish captions could not be loaded; the captions stay in English.");
        language = Language::English;
    }
    applyCaptionSet();
    const bool english = language == Language::English;
    Action(english ? QStringLiteral("Dilngilizce1") : QStringLiteral("DilTurke1"))->setChecked(true);
}

void TFNav::Dilngilizce1Click() {
    switchLanguage(Language::English);
    languageTurkish_ = false;
}

void TFNav::DilTurke1Click() {
    switchLanguage(Language::Turkish);
    languageTurkish_ = true;
}

} // namespace selvir
