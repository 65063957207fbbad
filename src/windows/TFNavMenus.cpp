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
    {"ToolButton158", "Save"},
    {"Zoomin", "Zoom in"},
    {"Zoomout", "Zoom out"},
    {"btEventAdd", "Add event"},
    {"btEventReset", "Reset event"},
    {"Realtime", "Realtime"},
    {"ToolButton5", "Follow Vessel"},
    {"ToolButton13", "Unollow Vessel"},
    {"File1", "File"},
    {"Save1", "Save"},
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
    QAction* save = addAction(file, "Save1", QStringLiteral("Save"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, [this] { Save(); });
    file->addSeparator();
    connect(addAction(file, "Exit1", QStringLiteral("Exit")), &QAction::triggered, this,
            [this] { Exit1Click(); });

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("ools1"));
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
    toolbar_ = addToolBar(QStringLiteral("Main"));
    toolbar_->setObjectName(QStringLiteral("tRealtime"));
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    const auto button = [this](const char* objectName, const QString& caption, auto handler) {
        QAction* action = toolbar_->addAction(caption);
        action->setObjectName(QString::fromUtf8(objectName));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    button("ToolButton158", QStringLiteral("Save"), [this] { Save(); });
    toolbar_->addSeparator();
    button("Zoomin", QStringLiteral("Zoom in"), [this] { ZoomInClick(); });
    button("Zoomout", QStringLiteral("Zoom out"), [this] { ZoomOutClick(); });
    button("Zoomextents", QStringLiteral("Extents"), [this] { ZoomExtentsClick(); });
    toolbar_->addSeparator();
    button("btEventAdd", QStringLiteral("Add Event"), [this] { btEventAddClick(); });
    button("btEventReset", QStringLiteral("Reset Event"), [this] { btEventResetClick(); });
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

    button("ToolButton5", QStringLiteral("Follow"), [this] { SetFollowVessel(true); });
    button("ToolButton13", QStringLiteral("No follow"), [this] { SetFollowVessel(false); });
    toolbar_->addSeparator();
    button("bRestart", QStringLiteral("Restart"), [this] { bRestartClick(); });
    button("bExit", QStringLiteral("Exit"), [this] { bExitClick(); });
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
