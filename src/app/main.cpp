// The desktop program: for now the main window with its empty map area.
#include <QApplication>
#include <QMainWindow>
#include <QPalette>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Selvir HS"));
    QApplication::setApplicationDisplayName(QStringLiteral("Selvir HS"));

    QMainWindow window;
    window.setObjectName(QStringLiteral("FNav"));
    window.setWindowTitle(QStringLiteral("Selvir Dalgaroz"));
    auto* mapArea = new QWidget(&window);
    mapArea->setObjectName(QStringLiteral("Panel4"));
    mapArea->setAutoFillBackground(true);
    QPalette palette = mapArea->palette();
    palette.setColor(QPalette::Window, Qt::white);
    mapArea->setPalette(palette);
    window.setCentralWidget(mapArea);
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
