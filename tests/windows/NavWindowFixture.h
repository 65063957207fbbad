#pragma once
// A main window on temporary folders: its own settings file and data root, a manual clock and memory
// serial devices, and an exit button that records instead of ending the test.

#include "core/AtomicFile.h"
#include "serial/MemorySerialDevice.h"
#include "support/TempDir.h"
#include "windows/TFMsg.h"
#include "windows/TFNav.h"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace selvir::test {

inline int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++n;
    }
    return n;
}

struct NavWindowFixture : ::testing::Test {
    TempDir dir;
    ManualClock clock{LocalDateTime{{2026, 3, 5}, 9, 5, 0, 0}};
    std::filesystem::path settingsFile = dir / "SelvirHS.INI";
    std::filesystem::path root = dir / "GVX";
    DataFolders folders{root, LocalDate{2026, 3, 5}};
    ProfileStore settings{settingsFile};
    MemorySerialDevice* gps = nullptr;
    MemorySerialDevice* sensor = nullptr;
    std::vector<int> exitCodes;
    TFMsg messages;
    std::unique_ptr<TFNav> window;

    AppContext context() {
        AppContext c;
        c.settingsFile = settingsFile;
        c.dataRoot = root;
        c.clock = &clock;
        c.devices = [this] { return memorySessionDevices(gps, sensor, "/dev/memory"); };
        c.exitProcess = [this](int code) { exitCodes.push_back(code); };
        return c;
    }

    TFNav& make() {
        window = std::make_unique<TFNav>(context(), &messages);
        window->resize(1000, 700);
        return *window;
    }

    // One line from the receiver or the echosounder, read by its reader's poll at once.
    void gnss(const std::string& line) {
        gps->feed(line + "\r\n");
        window->ZGPS1().PollTick();
    }
    void depth(const std::string& line) {
        sensor->feed(line + "\r\n");
        window->ZSENSOR().PollTick();
    }

    std::string eventsLog() {
        std::string text;
        readWholeFile(folders.eventsLog(clock.now().date), text);
        return text;
    }
};

} // namespace selvir::test

#include "canvaswidget/TSelvirCanvas.h"

namespace selvir::test {

// The shapes on the layer of that name, in drawing order.
inline std::vector<const TSShape*> shapesOn(const TSelvirCanvas& canvas, const char* layerName) {
    std::vector<const TSShape*> out;
    const int layer = canvas.LayerFindByName(QString::fromUtf8(layerName));
    for (const auto& shape : canvas.Model().Shapes) {
        if (layer >= 0 && shape->Layer == layer) {
            out.push_back(shape.get());
        }
    }
    return out;
}

} // namespace selvir::test
