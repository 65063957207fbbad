#include "windows/CaptionSet.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QVariant>

namespace selvir {

namespace {

constexpr const char* kReadoutProperty = "selvirReadout";

// Titles and labels without a buddy show "&&" as it stands; they take the caption as it shows.
QString asShown(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

} // namespace

QString translatedCaption(const QWidget& window, const char* caption) {
    const QByteArray context = window.objectName().toUtf8();
    return QCoreApplication::translate(context.constData(), caption);
}

void applyCaptions(QWidget& window, std::span<const ControlCaption> captions) {
    for (const ControlCaption& entry : captions) {
        const QString name = QString::fromUtf8(entry.objectName);
        const QString text = translatedCaption(window, entry.caption);
        if (name == window.objectName()) {
            window.setWindowTitle(asShown(text));
            continue;
        }
        // Menu entries and toolbar actions are not widgets; an entry can stand in a menu and a toolbar.
        for (QAction* action : window.findChildren<QAction*>(name)) {
            action->setText(text);
        }
        QWidget* control = window.findChild<QWidget*>(name);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(asShown(text));
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
            group->setTitle(text);
        } else if (auto* menu = qobject_cast<QMenu*>(control)) {
            menu->setTitle(text);
        } else if (auto* toolbar = qobject_cast<QToolBar*>(control)) {
            toolbar->setWindowTitle(asShown(text));
        }
    }
}

void markAsReadout(QWidget& widget) {
    widget.setProperty(kReadoutProperty, true);
}

bool isReadout(const QObject& object) {
    return object.property(kReadoutProperty).toBool();
}

} // namespace selvir
