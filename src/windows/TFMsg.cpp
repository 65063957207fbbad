#include "windows/TFMsg.h"

#include <QEvent>
#include <QShowEvent>
#include <QVBoxLayout>

namespace selvir {

namespace {
constexpr ControlCaption kEnglishCaptions[] = {
    {"FMsg", "Message Window"},
};
} // namespace

TFMsg::TFMsg(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), msg_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("FMsg"));
    setWindowTitle(QStringLiteral("Message Window"));
    msg_->setObjectName(QStringLiteral("Msg"));
    msg_->setReadOnly(true);
    msg_->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(msg_);
    resize(420, 160);
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(kHideAfterMs);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
}

std::span<const ControlCaption> TFMsg::englishCaptions() {
    return kEnglishCaptions;
}

void TFMsg::applyEnglishCaptions() {
    applyCaptions(*this, kEnglishCaptions);
}

void TFMsg::showMessageWindow() {
    if (!isVisible()) {
        show();
    }
}

void TFMsg::appendMessage(const std::string& text) {
    msg_->appendPlainText(QString::fromStdString(text));
}

void TFMsg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // From the moment it is shown; the window system's own show events (mapping, restoring) must not
    // start the countdown again.
    if (!event->spontaneous()) {
        hideTimer_.start();
    }
}

void TFMsg::hideEvent(QHideEvent* event) {
    hideTimer_.stop();
    QWidget::hideEvent(event);
}

bool TFMsg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == msg_->viewport() && event->type() == QEvent::MouseButtonPress) {
        hide();
        msg_->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace selvir
