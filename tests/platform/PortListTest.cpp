#include "platform/PortList.h"
#include "platform/NetworkAddress.h"

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

TEST(PortListTest, ANetworkEntryIsOnePortWhateverColonsItHolds) {
    EXPECT_EQ(PortList::Build(QString("tcp://127.0.0.1:4001"), false, {}),
              QStringList({"tcp://127.0.0.1:4001"}))
        << "one port, COM 1";
    EXPECT_EQ(PortList::Build(QString("/dev/ttyUSB0:tcp://[fe80::1]:4001::TCP://serial-box.lan:"
                                      "23:/dev/pts/4"),
                              false, {}),
              QStringList({"/dev/ttyUSB0", "tcp://[fe80::1]:4001", "", "TCP://serial-box.lan:23",
                           "/dev/pts/4"}));
    // An entry without a port ends at its colon, so the next entry stays whole; one with junk
    // after the port runs to the next separator. Both fail when opened, not silently.
    EXPECT_EQ(PortList::Build(QString("tcp://box:/dev/ttyS0:tcp://box:40x1:/dev/ttyS1"), false, {}),
              QStringList({"tcp://box", "/dev/ttyS0", "tcp://box:40x1", "/dev/ttyS1"}));
    EXPECT_EQ(PortList::Build(QString("COM3;tcp://10.0.0.5:4001;;COM4"), true, {}),
              QStringList({"COM3", "tcp://10.0.0.5:4001", "", "COM4"}));
    // A program that chooses its own ports writes them as the variable does, and gets them back.
    const QStringList chosen{"tcp://[::1]:4001", "/dev/x", "tcp://h:23"};
    EXPECT_EQ(PortList::ParseOverride(PortList::OverrideText(chosen, ':'), ':'), chosen);
}

TEST(PortListTest, NetworkAddressesAreReadStrictlyAndWrittenInOneForm) {
    const auto parsed = NetworkAddress::Parse("tcp://[::1]:4001");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->Host, "::1");
    EXPECT_EQ(parsed->Port, 4001);
    EXPECT_EQ(parsed->Entry(), "tcp://[::1]:4001");
    EXPECT_EQ(NetworkAddress::Parse("TCP://Box.lan:23")->Entry(), "tcp://Box.lan:23");
    for (const char* bad : {"tcp://box", "tcp://box:", "tcp://:23", "tcp://box:0",
                            "tcp://box:65536", "tcp://box:23/", "tcp://b ox:23", "tcp://[zz]:23",
                            "tcp://[::1]23", "tcp://::1:23", "udp://box:23", "/dev/ttyS0"}) {
        EXPECT_FALSE(NetworkAddress::Parse(bad)) << bad;
    }
    // What a user types in the window: the scheme may be left out, blanks are ignored.
    EXPECT_EQ(NetworkAddress::FromUserText("  192.168.1.50:4001 ")->Entry(),
              "tcp://192.168.1.50:4001");
    EXPECT_EQ(NetworkAddress::FromUserText("[fe80::1]:23")->Entry(), "tcp://[fe80::1]:23");
    EXPECT_FALSE(NetworkAddress::FromUserText("192.168.1.50"));
    EXPECT_TRUE(PortList::IsNetworkPort("Tcp://x"));
    EXPECT_FALSE(PortList::IsNetworkPort("/dev/tcp"));
}

TEST(PortListTest, AChosenFirstPortIsComOneAndTheListFollowsWithoutItsTwin) {
    EXPECT_EQ(PortList::WithFirst({"/dev/a", "TCP://BOX:23", "/dev/b"}, "tcp://box:23"),
              QStringList({"tcp://box:23", "/dev/a", "/dev/b"}));
    EXPECT_EQ(PortList::WithFirst({"/dev/a"}, ""), QStringList({"/dev/a"}));

    qputenv("TARVEL_PORTS", "/dev/x:tcp://127.0.0.1:4001");
    PortList::SetFirstPort("tcp://10.0.0.5:4001");
    EXPECT_EQ(PortList::Current(),
              QStringList({"tcp://10.0.0.5:4001", "/dev/x", "tcp://127.0.0.1:4001"}));
    EXPECT_EQ(PortList::DeviceFor(2), "/dev/x");
    PortList::SetFirstPort(QString());
    EXPECT_EQ(PortList::DeviceFor(1), "/dev/x");
    qunsetenv("TARVEL_PORTS");
}

} // namespace
} // namespace tarvel
