#pragma once
// The message window ("Message Window"): connection and device messages. It hides itself 4 s after it
// became visible (not after the last message); a click on the memo hides it and empties the memo.

#include "navigation/GnssSinks.h"
#include "windows/CaptionSet.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

namespace selvir {

class TFMsg : public QWidget, public MessageSink {
    Q_OBJECT
public:
    static constexpr int kHideAfterMs = 4000;

    explicit TFMsg(QWidget* owner = nullptr);

    // MessageSink
    void showMessageWindow() override;
    void appendMessage(const std::string& text) override;

    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();

    QPlainTextEdit* Msg() const { return msg_; }
    QTimer* HideTimer() const { return &const_cast<TFMsg*>(this)->hideTimer_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* msg_;
    QTimer hideTimer_;
};

} // namespace selvir
