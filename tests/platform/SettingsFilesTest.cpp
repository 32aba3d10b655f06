// The file shells on files and folders the user may not write. The write-protection cases need an
// ordinary user (root may write anything): run as root they are skipped here and run again by
// the test platform_file_tests.as_ordinary_user, which starts this program as nobody.

#include "platform/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace tarvel {
namespace {

const std::string CreateError =
    "Error! Unable to create Configuration file. Check if disk is write-protected";

ChannelSettings SomeSettings() {
    ChannelSettings channels;
    channels.Input(1, 2).Phase = 17;
    channels.Output(2, 3).BlackLevel = 200;
    return channels;
}

QByteArray ImageOf(const ChannelSettings& channels) {
    const ConfigurationImage image = MakeConfigurationImage(channels);
    return QByteArray(reinterpret_cast<const char*>(image.data()),
                      static_cast<qsizetype>(image.size()));
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Owner, group and others; the "user" bits say what the running user may do, which for root is
// everything.
QFileDevice::Permissions Bits(const QString& path) {
    return QFileInfo(path).permissions() &
           ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

QStringList Names(const QTemporaryDir& dir) {
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                   QDir::Name);
}

#if defined(Q_OS_UNIX)

bool Root() {
    return ::geteuid() == 0;
}

constexpr QFileDevice::Permissions ReadOnly =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

TEST(SettingsFilesTest, AReplacedFileKeepsItsPermissions) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QFileDevice::Permissions shared =
        ownerOnly | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther;
    for (const QFileDevice::Permissions permissions : {ownerOnly, shared}) {
        const QString zvc = dir.filePath("wall.zvc");
        const QString ini = dir.filePath("Tarvel.ini");
        Write(zvc, "old");
        Write(ini, "old");
        ASSERT_TRUE(QFile::setPermissions(zvc, permissions));
        ASSERT_TRUE(QFile::setPermissions(ini, permissions));
        ASSERT_TRUE(SaveConfigurationFile(zvc, SomeSettings()).Ok);
        ASSERT_TRUE(WriteIniSettingsFile(ini, {30, 10, 64, 0, 1, 2}));
        EXPECT_EQ(Bits(zvc), permissions);
        EXPECT_EQ(Bits(ini), permissions);
        EXPECT_EQ(Read(zvc), ImageOf(SomeSettings()));
        EXPECT_EQ(Read(ini), "30.000000 10.000000 64 0 1 2");
    }
    EXPECT_EQ(Names(dir), (QStringList{"Tarvel.ini", "wall.zvc"}));
}

// What an ordinary user may not write stays as it was; settings in a folder the user may not
// write, but in a Tarvel.ini the user may, are written in place.
TEST(SettingsFilesTest, WriteProtectionIsHonoured) {
    if (Root()) {
        GTEST_SKIP() << "root may write anything; platform_file_tests.as_ordinary_user runs "
                        "this as nobody";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString zvc = dir.filePath("wall.zvc");
    const QString ini = dir.filePath("Tarvel.ini");
    Write(zvc, "read-only configuration");
    Write(ini, "40.000000 10.000000 64 3 0 1");
    ASSERT_TRUE(QFile::setPermissions(zvc, ReadOnly));
    ASSERT_TRUE(QFile::setPermissions(ini, ReadOnly));

    const ConfigurationFileResult save = SaveConfigurationFile(zvc, SomeSettings());
    EXPECT_FALSE(save.Ok);
    EXPECT_EQ(save.Message, CreateError);
    EXPECT_FALSE(WriteIniSettingsFile(ini, {30, 10, 64, 0, 1, 2}));
    EXPECT_EQ(Read(zvc), "read-only configuration");
    EXPECT_EQ(Read(ini), "40.000000 10.000000 64 3 0 1");
    EXPECT_EQ(Bits(zvc), ReadOnly);
    EXPECT_EQ(Bits(ini), ReadOnly);
    EXPECT_EQ(Names(dir), (QStringList{"Tarvel.ini", "wall.zvc"})) << "no stray file";

    // The folder read-only, the files writable.
    const QFileDevice::Permissions writable = ReadOnly | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(zvc, writable));
    ASSERT_TRUE(QFile::setPermissions(ini, writable));
    const QFileDevice::Permissions folder = QFileInfo(dir.path()).permissions();
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    EXPECT_TRUE(WriteIniSettingsFile(ini, {30, 10, 64, 0, 1, 2}));
    EXPECT_EQ(Read(ini), "30.000000 10.000000 64 0 1 2");
    // A configuration is only ever replaced whole, so in that folder it cannot be saved.
    EXPECT_EQ(SaveConfigurationFile(zvc, SomeSettings()).Message, CreateError);
    EXPECT_EQ(Read(zvc), "read-only configuration");
    // Without a Tarvel.ini in it, nothing can be written there.
    EXPECT_FALSE(WriteIniSettingsFile(dir.filePath("Other.ini"), {30, 10, 64, 0, 1, 2}));
    EXPECT_EQ(Names(dir), (QStringList{"Tarvel.ini", "wall.zvc"}));

    ASSERT_TRUE(QFile::setPermissions(dir.path(), folder));
}

#endif

} // namespace
} // namespace tarvel
