// The main window's menus, toolbar and English caption set.
#include "canvas/TSelvirCanvas.h"
#include "windows/TFNav.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace selvir {

namespace {

// The English caption set of the main window: (object name, caption). "&&" shows one "&".
struct Caption {
    const char* objectName;
    const char* text;
};
constexpr Caption kMainWindowCaptions[] = {
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
    {"ClearFixedTracks1", "Clear Tracks Fixed"},
    {"ClearUnfixedTracks1", "Clear Tracks Unfixed"},
    {"ClearUserAddedShapes1", "Clear Shapes User Added"},
    {"Deletetracksselected1", "Clear Tracks Selected"},
    {"Exit1", "Exit"},
    {"Zoom1", "Zoom"},
    {"In1", "In"},
    {"Out1", "Out"},
    {"Extents1", "Extents"},
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
    {"RemoteSupport1", "Remote Support..."},
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
    connect(addAction(zoom, "Extents1", QStringLiteral("Extents")), &QAction::triggered, this,
            [this] { ZoomExtentsClick(); });

    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Settings1"));
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

    QMenu* language = bar->addMenu(QStringLiteral("Language"));
    language->setObjectName(QStringLiteral("Language1"));
    QAction* english = addAction(language, "Dilngilizce1", QStringLiteral("English"));
    english->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    english->setCheckable(true);
    connect(english, &QAction::triggered, this, [this] { Dilngilizce1Click(); });
    QAction* turkish = addAction(language, "DilTurke1", QString::fromUtf8("T\u00fcrk\u00e7e"));
    turkish->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    turkish->setCheckable(true); // no caption set of its own: choosing it changes nothing

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    connect(addAction(help, "About1", QStringLiteral("About...")), &QAction::triggered, this, [this] {
        QMessageBox::about(this, QStringLiteral("About Selvir Dalgaroz"),
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

void TFNav::buildToolbar() {
    // Two rows: the survey toolbar (files, view, the realtime switch, follow, events, exits) and, below
    // it, the track and shape editing toolbar; one row would not fit a laptop screen.
    toolbar_ = addToolBar(QStringLiteral("Survey"));
    toolbar_->setObjectName(QStringLiteral("tRealtime"));
    addToolBarBreak();
    QToolBar* editing = addToolBar(QStringLiteral("Tracks and shapes"));
    editing->setObjectName(QStringLiteral("tEditing"));
    for (QToolBar* bar : {toolbar_, editing}) {
        bar->setMovable(false);
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }

    const auto button = [this](QToolBar* bar, const char* objectName, const QString& caption, auto handler) {
        QAction* action = bar->addAction(caption);
        action->setObjectName(QString::fromUtf8(objectName));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    button(toolbar_, "ToolButton156", QStringLiteral("Open"), [this] { Open1Click(); });
    button(toolbar_, "ToolButton158", QStringLiteral("Save"), [this] { Save(); });
    toolbar_->addSeparator();
    button(toolbar_, "Zoomin", QStringLiteral("Zoom in"), [this] { ZoomInClick(); });
    button(toolbar_, "Zoomout", QStringLiteral("Zoom out"), [this] { ZoomOutClick(); });
    button(toolbar_, "Zoomextents", QStringLiteral("Extents"), [this] { ZoomExtentsClick(); });
    toolbar_->addSeparator();

    realtimeButton_ = new QToolButton(toolbar_);
    realtimeButton_->setObjectName(QStringLiteral("Realtime"));
    realtimeButton_->setCheckable(true);
    realtimeButton_->setAutoRaise(false); // not flat
    realtimeButton_->setFixedSize(70, 28);
    QFont font(QStringLiteral("Segoe UI"), 10);
    font.setBold(true);
    realtimeButton_->setFont(font);
    connect(realtimeButton_, &QToolButton::clicked, this, [this] { RealtimeClick(); });
    toolbar_->addWidget(realtimeButton_);
    toolbar_->addSeparator();

    button(toolbar_, "ToolButton5", QStringLiteral("Follow"), [this] { SetFollowVessel(true); });
    button(toolbar_, "ToolButton13", QStringLiteral("No follow"), [this] { SetFollowVessel(false); });
    toolbar_->addSeparator();
    button(toolbar_, "btEventAdd", QStringLiteral("Add Event"), [this] { btEventAddClick(); });
    button(toolbar_, "btEventReset", QStringLiteral("Reset Event"), [this] { btEventResetClick(); });
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
}

void TFNav::Dilngilizce1Click() {
    // Other windows apply their part of the set as they join the program.
    setWindowTitle(QStringLiteral("Selvir Dalgaroz"));
    for (const Caption& caption : kMainWindowCaptions) {
        const QString name = QString::fromUtf8(caption.objectName);
        const QString text = QString::fromUtf8(caption.text);
        if (name == QStringLiteral("Realtime")) {
            realtimeButton_->setText(text);
            continue;
        }
        for (QAction* action : findChildren<QAction*>(name)) {
            action->setText(text);
        }
        for (QMenu* menu : findChildren<QMenu*>(name)) {
            menu->setTitle(text);
        }
    }
    if (QAction* english = Action(QStringLiteral("Dilngilizce1"))) {
        english->setChecked(true);
    }
}

} // namespace selvir
