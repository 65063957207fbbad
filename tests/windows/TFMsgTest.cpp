#include "windows/TFMsg.h"

#include <QTest>
#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(TFMsgTest, ShowsOnAMessageAndHidesItselfAfterItsInterval) {
    TFMsg window;
    EXPECT_EQ(window.HideTimer()->interval(), 4000);
    window.HideTimer()->setInterval(30); // the same timer, made short for the test
    window.showMessageWindow();
    window.appendMessage("Connected to GPS on COM3");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Msg()->toPlainText(), QStringLiteral("Connected to GPS on COM3"));
    // A later message does not keep the window up: the time counts from showing.
    QTest::qWait(15);
    window.showMessageWindow();
    window.appendMessage("GPS is idle!");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 1000));
    EXPECT_EQ(window.Msg()->toPlainText(), QStringLiteral("Connected to GPS on COM3\nGPS is idle!"));
}

TEST(TFMsgTest, TheCountdownRunsFromShowingNotFromTheLastMessage) {
    TFMsg window;
    window.HideTimer()->setInterval(1500); // the same timer, made short for the test
    window.showMessageWindow();
    window.appendMessage("GPS is idle!");
    QTest::qWait(400);
    window.showMessageWindow(); // a second message while it shows
    window.appendMessage("GPS Timeout!");
    ASSERT_TRUE(window.HideTimer()->isActive());
    // A coarse timer may be placed up to 5 % of its interval off.
    EXPECT_LE(window.HideTimer()->remainingTime(), 1500 - 250) << "not started again";
    // Shown again after it hid: a full interval from then.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 5000));
    window.showMessageWindow();
    EXPECT_GT(window.HideTimer()->remainingTime(), 1500 - 250);
}

TEST(TFMsgTest, AClickOnTheMemoHidesAndEmptiesIt) {
    TFMsg window;
    window.showMessageWindow();
    window.appendMessage("Disconnected from GPS on COM3");
    QTest::mouseClick(window.Msg()->viewport(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.Msg()->toPlainText().isEmpty());
    EXPECT_FALSE(window.HideTimer()->isActive());
}

} // namespace
} // namespace selvir
