// The device settings as the settings file keeps them: the keys the window has always written (padded
// names included), "Save and lock settings" read back whole, the display record's fall-backs, and the
// port choices' copy into a reader.
#include "core/AtomicFile.h"
#include "navigation/DeviceSettingsForm.h"
#include "serial/MemorySerialDevice.h"
#include "serial/SelvirSerialGPS.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(DeviceSettingsForm, PaddedKeysAreReadBackByTheirTrimmedNames) {
    test::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "SelvirHS.INI", "[GPS1 COMUNICATION SETTINGS]\r\n"
                                                          "Port No        =COM3\r\n"
                                                          "Baud Rate      =4800\r\n"
                                                          "Parity         =Even\r\n"
                                                          "NMEA LOG       =True\r\n"
                                                          "[SENSOR COMUNICATION SETTINGS]\r\n"
                                                          "Port No         =COM4\r\n"
                                                          "Stop Bits      =1.5\r\n"
                                                          "Sensor Enabled     =0\r\n"
                                                          "[GYRO]\r\n"
                                                          "Gyro Enabled     =0\r\n"
                                                          "[LOCK SETTINGS]\r\n"
                                                          "Lock Settings=1\r\n"
                                                          "Settings Locked (true/false)=FALSE\r\n"));
    const DeviceSettingsForm form = DeviceSettingsForm::read(ProfileStore(dir / "SelvirHS.INI"));
    EXPECT_EQ(form.gps.port, "COM3");
    EXPECT_EQ(form.gps.baudRate, "4800");
    EXPECT_EQ(form.gps.parity, "Even");
    EXPECT_EQ(form.gps.nmeaLog, "True");
    EXPECT_EQ(form.sensor.port, "COM4");
    EXPECT_EQ(form.sensor.stopBits, "1.5");
    EXPECT_FALSE(form.switches.sensorEnabled);
    EXPECT_FALSE(form.switches.gyroEnabled);
    EXPECT_TRUE(form.lockSettings);
    EXPECT_EQ(form.settingsLocked, false);
}

TEST(DeviceSettingsForm, SavedSettingsReadBackWholeInTheWindowsOrder) {
    test::TempDir dir;
    ProfileStore store(dir / "SelvirHS.INI");
    DeviceSettingsForm form;
    form.gps = {"COM3", "38400", "7", "2", "Odd", "Higher", "10", "True", "True", "False", "False"};
    form.sensor = {"COM12", "4800", "8", "1.5", "Space", "Idle", "100", "True", "False", "True", "False"};
    form.switches = {false, false, "OTHER", "DEPTH=%lf m"};
    form.geodetic.edNameOfDatum = "ED50";
    form.geodetic.edRX = "-1.0859";
    form.geodetic.edCM = "27";
    form.geodetic.cbUseLCCProjection = true;
    form.geodetic.cLambert1 = true;
    form.geodetic.cbUseTMProjection = false;
    form.lockSettings = true;
    form.display = {false, true,          "250", "125.5",  0x123456, false,
                    "25",  "DejaVu Sans", "9",   0xFF00FF, "30",     0x00FF00};
    ASSERT_TRUE(form.writeDeviceAndGeodetic(store));
    ASSERT_TRUE(form.writeDisplay(store));

    const DeviceSettingsForm back = DeviceSettingsForm::read(store);
    EXPECT_EQ(back.gps, form.gps);
    EXPECT_EQ(back.sensor, form.sensor);
    EXPECT_EQ(back.switches, form.switches);
    EXPECT_EQ(back.geodetic, form.geodetic);
    EXPECT_EQ(back.lockSettings, true);
    EXPECT_EQ(back.display, form.display);
    EXPECT_FALSE(back.settingsLocked) << "the hand-edited key is never written";

    // Device and geodetic sections first, then the lock, then grid and labels.
    std::string text;
    ASSERT_TRUE(readWholeFile(store.file(), text));
    std::size_t at = 0; // where the previous section stands
    for (const char* section :
         {"[GPS1 COMUNICATION SETTINGS]", "[SENSOR COMUNICATION SETTINGS]", "[GYRO]", "[GEODETIC_PARAMETERS]",
          "[LOCK SETTINGS]", "[GRID_SETTINGS]", "[DEPTH_LABEL_SETTINGS]", "[EVENT_LABEL_SETTINGS]"}) {
        const std::size_t found = text.find(section);
        ASSERT_NE(found, std::string::npos) << section;
        EXPECT_GE(found, at) << section;
        at = found + 1;
    }
    EXPECT_NE(text.find("GridColor=1193046\r\n"), std::string::npos) << "colours as decimal integers";
}

TEST(DeviceSettingsForm, HandEditedLockTakesTrueOrFalseOnly) {
    struct Case {
        const char* text;
        std::optional<bool> locked;
    };
    for (const Case& c : {Case{"true", true}, Case{" True ", true}, Case{"1", true}, Case{"false", false},
                          Case{"0", false}, Case{"yes", std::nullopt}, Case{"", std::nullopt}}) {
        EXPECT_EQ(settingsLockedValue(c.text), c.locked) << c.text;
    }
}

TEST(DisplaySettingsFields, FieldsThatAreNotNumbersFallBackToTheirDefaults) {
    DisplaySettingsFields fields;
    fields.edGridSpacingX = "abc";
    fields.edGridSpacingY = "12.5";
    fields.edDepthLabelSpacing = "";
    fields.edDepthLabelFontName = "";
    fields.edDepthLabelFontSize = "0";
    fields.edEventLabelFontSize = "18.5";
    fields.cbAutoGrid = true;
    const DisplaySettings d = fields.parse();
    EXPECT_EQ(d.GridSpacingX, 100);
    EXPECT_EQ(d.GridSpacingY, 12.5);
    EXPECT_EQ(d.DepthLabelSpacing, 10);
    EXPECT_EQ(d.DepthLabelFontName, "Arial");
    EXPECT_EQ(d.DepthLabelFontSize, 12);
    EXPECT_EQ(d.EventLabelFontSize, 24);
    EXPECT_EQ(d.canvasSpacingX(), 0) << "automatic spacing";
    EXPECT_EQ(d.canvasSpacingY(), 0);
}

TEST(PortChoices, ParityReachesTheDeviceAndChoicesTheReaderCannotTakeAreSaid) {
    auto device = std::make_unique<MemorySerialDevice>();
    MemorySerialDevice& memory = *device;
    TSelvirSerialGPS reader(nullptr, std::move(device), nullptr,
                            [](int port) { return "/dev/memory" + std::to_string(port); });
    reader.setTimersEnabled(false);
    PortChoices choices;
    choices.port = "COM7";
    choices.baudRate = "19200";
    choices.dataWidth = "7";
    choices.stopBits = "2";
    const std::pair<const char*, SerialParity> parities[] = {{"None", SerialParity::None},
                                                             {"Odd", SerialParity::Odd},
                                                             {"Even", SerialParity::Even},
                                                             {"Mark", SerialParity::Mark},
                                                             {"Space", SerialParity::Space}};
    for (const auto& [text, parity] : parities) {
        choices.parity = text;
        EXPECT_EQ(applyPortChoices(choices, "raw.log", reader), "");
        reader.Open();
        ASSERT_TRUE(reader.Active()) << reader.OpenError();
        EXPECT_EQ(memory.lastSettings().parity, parity) << text;
        EXPECT_EQ(memory.lastSettings().dataBits, 7);
        EXPECT_EQ(memory.lastSettings().stopBits, SerialStopBits::Two);
        EXPECT_EQ(memory.lastPath(), "/dev/memory7");
        reader.Close();
    }

    // Neither COM25 nor 56000 baud is replaced by what the reader can do: both are said, and the reader
    // keeps the port and rate it had.
    choices.port = "COM25";
    choices.baudRate = "56000";
    choices.parity = "Odd";
    const std::string problems = applyPortChoices(choices, "raw.log", reader);
    EXPECT_NE(problems.find("COM25 cannot be opened"), std::string::npos) << problems;
    EXPECT_NE(problems.find("56000 baud cannot be set"), std::string::npos) << problems;
    EXPECT_EQ(reader.Port, 7);
    EXPECT_EQ(reader.BaudRate, 19200);
    EXPECT_EQ(reader.Parity, 1) << "the rest is still copied";
    for (const char* supported : {"COM20", "com1"}) {
        EXPECT_EQ(unsupportedPortChoice(supported), "") << supported;
    }
    for (const char* supported : {"110", "57600", "115200"}) {
        EXPECT_EQ(unsupportedBaudRateChoice(supported), "") << supported;
    }
    EXPECT_NE(unsupportedBaudRateChoice("256000"), "");
}

} // namespace
} // namespace selvir
