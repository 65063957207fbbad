#pragma once
// The main window with its survey set-up windows (offsets, navigation settings, vessel geometry,
// latency) on temporary folders, a manual clock and memory serial devices; message boxes are recorded.

#include "NavWindowFixture.h"
#include "windows/TFShape.h"
#include "windows/TNavset.h"
#include "windows/TOffsets.h"
#include "windows/TfLatency.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

namespace selvir::test {

struct SetupWindowsFixture : NavWindowFixture {
    std::unique_ptr<TNavset> navset;
    std::unique_ptr<TFShape> shape;
    std::unique_ptr<TOffsets> offsets;
    std::unique_ptr<TfLatency> latency;
    std::vector<QString> errors;

    // As main() does: the main window first, then the set-up windows given to it.
    TFNav& makeWithWindows() {
        make();
        navset = std::make_unique<TNavset>(settings);
        window->SetNavigationSettingsWindow(navset.get());
        shape = std::make_unique<TFShape>(settings);
        shape->onError = [this](const QString& message) { errors.push_back(message); };
        window->SetVesselShapeWindow(shape.get());
        offsets = std::make_unique<TOffsets>(settings, window->Session().folders(), clock);
        offsets->onError = [this](const QString& message) { errors.push_back(message); };
        window->SetOffsetsWindow(offsets.get());
        latency = std::make_unique<TfLatency>(settings);
        window->SetLatencyWindow(latency.get());
        return *window;
    }
    void TearDown() override { window.reset(); } // the main window goes first, as in main()

    // Replaces a field's text by typing, as the surveyor does.
    static void retype(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Backspace);
        }
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80) {
                QTest::keyClick(field, ch.toLatin1());
            } else { // no key code for it: the key press carries the letter, as an input method's does
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
                QCoreApplication::sendEvent(field, &press);
            }
        }
        QCoreApplication::processEvents(); // what the window does once the keys are in
    }

    void storeOffsets(const char* a, const char* b, const char* c) {
        settings.writeString("ECHOSOUNDER_OFFSETS", "Offset A     ", a);
        settings.writeString("ECHOSOUNDER_OFFSETS", "Offset B     ", b);
        settings.writeString("ECHOSOUNDER_OFFSETS", "Offset C     ", c);
        settings.writeString("ECHOSOUNDER_OFFSETS", "SV           ", "1500");
        settings.writeString("ECHOSOUNDER_OFFSETS", "Tide Height  ", "0.00");
        settings.writeString("ECHOSOUNDER_OFFSETS", "SurveyLocation", "Haydarpasa");
        settings.writeString("ECHOSOUNDER_OFFSETS", "SurveyBoat   ", "Selvir-1");
        settings.writeString("ECHOSOUNDER_OFFSETS", "Surveyor     ", "A. Kaya");
    }

    std::string offsetsLog() {
        std::string bytes;
        readWholeFile(folders.offsetsLog(clock.now().date), bytes);
        return bytes;
    }
};

} // namespace selvir::test
