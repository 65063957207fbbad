#include "serial/SerialPortMapping.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace selvir {
namespace {

TEST(SerialPortMapping, SettingsKeyWinsElseTheSystemDefault) {
    test::TempDir dir;
    ProfileStore store(dir / "SelvirHS.INI");
#ifdef _WIN32
    EXPECT_EQ(defaultSerialDevicePath(3), "\\\\.\\COM3");
#else
    EXPECT_EQ(defaultSerialDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(serialDevicePath(store, 3), "/dev/ttyS2") << "no file at all";
    ASSERT_TRUE(store.writeString("SERIAL_DEVICES", "COM3", "/dev/ttyUSB0"));
    ASSERT_TRUE(store.writeString("serial_devices", "com4 ", "   "));
    EXPECT_EQ(serialDevicePath(store, 3), "/dev/ttyUSB0");
    EXPECT_EQ(serialDevicePath(store, 4), "/dev/ttyS3") << "a blank value counts as missing";
    EXPECT_EQ(serialDevicePath(store, 5), "/dev/ttyS4");
#endif
}

TEST(SerialPortMapping, ResolverReadsTheFileAtEveryCall) {
#ifndef _WIN32
    test::TempDir dir;
    const auto file = dir / "SelvirHS.INI";
    const SerialPortResolver resolve = profilePortResolver(file);
    EXPECT_EQ(resolve(2), "/dev/ttyS1");
    ASSERT_TRUE(ProfileStore(file).writeString("SERIAL_DEVICES", "COM2", "/dev/pts/9"));
    EXPECT_EQ(resolve(2), "/dev/pts/9");
#endif
}

} // namespace
} // namespace selvir
