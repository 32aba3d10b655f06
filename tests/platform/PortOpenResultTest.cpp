#include "platform/PortOpenResult.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace tarvel {
namespace {

PortOpenResult Result(PortOpenResult::Status status, int com, const QString& device,
                      const QString& group = {}, const QString& systemText = {}) {
    PortOpenResult result;
    result.Outcome = status;
    result.ComNumber = com;
    result.Device = device;
    result.Group = group;
    result.SystemText = systemText;
    return result;
}

TEST(PortOpenResultTest, PermissionTextNamesTheDeviceAndTheGroupThatGrantsAccess) {
    EXPECT_EQ(PortOpenResult::PermissionText("/dev/ttyUSB0", "dialout"),
              "No permission to open the serial port /dev/ttyUSB0. Access needs membership of "
              "group dialout, then log in again.");
    EXPECT_EQ(PortOpenResult::PermissionText("/dev/ttyS1", ""),
              "No permission to open the serial port /dev/ttyS1.");
    EXPECT_EQ(
        Result(PortOpenResult::Status::PermissionDenied, 2, "/dev/ttyACM0", "uucp").Describe(),
        "Error! No permission to open the serial port /dev/ttyACM0. Access needs "
        "membership of group uucp, then log in again.");
}

TEST(PortOpenResultTest, EachOutcomeHasItsOwnSentence) {
    using S = PortOpenResult::Status;
    EXPECT_EQ(Result(S::Opened, 1, "/dev/ttyUSB0").Describe(), "");
    EXPECT_TRUE(Result(S::Opened, 1, "/dev/ttyUSB0").Ok());
    EXPECT_FALSE(Result(S::InUse, 1, "/dev/ttyUSB0").Ok());
    EXPECT_EQ(Result(S::InUse, 1, "/dev/ttyUSB0").Describe(),
              "Error! Serial port COM 1 (/dev/ttyUSB0) is being used by another application.");
    // On Windows the device is the port's own name and is not repeated.
    EXPECT_EQ(Result(S::InUse, 4, "COM4").Describe(),
              "Error! Serial port COM 4 is being used by another application.");
    EXPECT_EQ(Result(S::NoSuchPort, 5, "").Describe(), "Error! There is no serial port COM 5.");
    EXPECT_EQ(
        Result(S::OtherError, 3, "/dev/null", "", "Inappropriate ioctl for device").Describe(),
        "Error! Serial port COM 3 (/dev/null) could not be opened: Inappropriate ioctl "
        "for device.");
    EXPECT_EQ(Result(S::OtherError, 3, "/dev/ttyS0").Describe(),
              "Error! Serial port COM 3 (/dev/ttyS0) could not be opened.");
}

#ifdef __linux__
TEST(PortOpenResultTest, OwningGroupComesFromTheDeviceFile) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    if (::chown(file.fileName().toLocal8Bit().constData(), static_cast<uid_t>(-1), 0) != 0) {
        GTEST_SKIP() << "giving a file to group root needs root";
    }
    EXPECT_EQ(PortOpenResult::OwningGroup(file.fileName()), "root");
    EXPECT_EQ(PortOpenResult::OwningGroup("/dev/tarvel-no-such-device"), "");
}
#endif

} // namespace
} // namespace tarvel
