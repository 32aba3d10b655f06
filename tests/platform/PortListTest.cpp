#include "platform/PortList.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(PortListTest, OverrideIsTakenAsGivenWithEmptyEntriesAsMissingPorts) {
    EXPECT_EQ(PortList::Build(QString("/dev/pts/4::/tmp/zelvar:"), false, {"/dev/ttyS0"}),
              QStringList({"/dev/pts/4", "", "/tmp/zelvar", ""}));
    EXPECT_EQ(PortList::Build(QString(""), false, {"/dev/ttyS0"}), QStringList({""}))
        << "set but empty: no ports at all";
    // Windows separates with ';' because ':' belongs to its paths.
    EXPECT_EQ(PortList::Build(QString("COM3;;\\\\.\\COM12"), true, {}),
              QStringList({"COM3", "", "\\\\.\\COM12"}));
}

TEST(PortListTest, WindowsWithoutOverrideNamesComOneToEight) {
    EXPECT_EQ(PortList::Build(std::nullopt, true, {"ignored"}),
              QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}));
}

TEST(PortListTest, SystemPortsPutUsbAdaptersFirstEachGroupInNameOrder) {
    const QStringList system = {"/dev/ttyS10",   "/dev/ttyUSB1", "/dev/ttyS2",
                                "/dev/ttyACM0",  "/dev/ttyUSB0", "/dev/ttyS0",
                                "/dev/ttyUSB10", "/dev/ttyAMA0", "/dev/ttyUSB2"};
    EXPECT_EQ(
        PortList::Build(std::nullopt, false, system),
        QStringList({"/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2",
                     "/dev/ttyUSB10", "/dev/ttyAMA0", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10"}));
    EXPECT_EQ(PortList::Build(std::nullopt, false, {}), QStringList());
}

TEST(PortListTest, OverrideTextGivesTheListBackAndDetailsMatchByPathOrName) {
    const QStringList list{"", "/dev/ttyUSB0", "/dev/pts/7"};
    EXPECT_EQ(PortList::ParseOverride(PortList::OverrideText(list, ':'), ':'), list);
    EXPECT_EQ(PortList::OverrideText({"/dev/x"}, ':'), "/dev/x");

    const QList<PortDetails> known{
        {"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI"},
        {"COM3", "\\\\.\\COM3", "USB Serial Port", "Prolific", ""},
    };
    const QList<PortListEntry> entries =
        PortList::Describe({"", "/dev/ttyUSB0", "/dev/pts/7", "com3"}, known);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].ComNumber, 1);
    EXPECT_TRUE(entries[0].Device.isEmpty());
    EXPECT_TRUE(entries[0].Details.Location.isEmpty()) << "no device, no details";
    EXPECT_EQ(entries[1].ComNumber, 2);
    EXPECT_EQ(entries[1].Details.Description, "FT232R USB UART");
    EXPECT_EQ(entries[1].Details.Manufacturer, "FTDI");
    EXPECT_EQ(entries[1].Details.SerialNumber, "A50285BI");
    EXPECT_EQ(entries[2].Device, "/dev/pts/7");
    EXPECT_TRUE(entries[2].Details.Description.isEmpty()) << "a terminal the system does not list";
    EXPECT_EQ(entries[3].Details.Manufacturer, "Prolific") << "Windows names match by name";
}

TEST(PortListTest, DeviceForReadsTheEnvironmentEachTime) {
    qputenv("TARVEL_PORTS", "/dev/x::/dev/z");
    EXPECT_EQ(PortList::DeviceFor(1), "/dev/x");
    EXPECT_EQ(PortList::DeviceFor(2), "");
    EXPECT_EQ(PortList::DeviceFor(3), "/dev/z");
    EXPECT_EQ(PortList::DeviceFor(4), "");
    EXPECT_EQ(PortList::DeviceFor(0), "");
    EXPECT_EQ(PortList::DeviceFor(-1), "");

    qputenv("TARVEL_PORTS", "/dev/y");
    EXPECT_EQ(PortList::DeviceFor(1), "/dev/y");
    qunsetenv("TARVEL_PORTS");
}

} // namespace
} // namespace tarvel
