// The file shells on what a user's disk holds besides plain files: named pipes, sockets, devices,
// and files or folders the user may not write. The write-protection cases need an ordinary user
// (root may write anything): run as root they are skipped here and run again by the test
// platform_file_tests.as_ordinary_user, which starts this program as nobody.

#include "platform/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace tarvel {
namespace {

const std::string OpenError = "Error! Unable to open Configuration file. Check if file exist?";
const std::string SizeError = "Error! File corrupted. File size invalid.";
const std::string CreateError = "Error! Unable to create Configuration file. "
                                "Check if disk is write-protected";

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

// Gives a reader that waits in open() on a named pipe its end of file, so a read that should never
// have opened the pipe shows as a wrong answer rather than a hung test.
class PipeWriter {
public:
    explicit PipeWriter(const QString& path) : path_(QFile::encodeName(path)) {
        thread_ = std::thread([this] {
            while (!done_) {
                // Succeeds only while someone has the pipe open for reading.
                const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    ~PipeWriter() {
        done_ = true;
        thread_.join();
    }
    PipeWriter(const PipeWriter&) = delete;
    PipeWriter& operator=(const PipeWriter&) = delete;

private:
    QByteArray path_;
    std::atomic<bool> done_ = false;
    std::thread thread_;
};

TEST(SettingsFilesTest, OnlyRegularFilesAreOpenedWhatElseThereIsIsRefusedAtOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath("pipe.zvc");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = dir.filePath("socket.zvc");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(socketPath);
    ASSERT_LT(encoded.size(), static_cast<qsizetype>(sizeof address.sun_path));
    std::copy(encoded.begin(), encoded.end(), address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    Write(dir.filePath("wall.zvc"), ImageOf(SomeSettings()));
    ASSERT_TRUE(QFile::link(dir.filePath("wall.zvc"), dir.filePath("link.zvc")));
    ASSERT_TRUE(QFile::link(fifo, dir.filePath("link-to-pipe.zvc")));

    const PipeWriter writer(fifo);
    const struct {
        QString Path;
        std::string Message; // empty: loaded
    } cases[] = {
        {fifo, OpenError},
        {dir.filePath("link-to-pipe.zvc"), OpenError},
        {socketPath, OpenError},
        {dir.path(), OpenError},
        {dir.filePath("link.zvc"), ""},
        // A device has no size in the file system and is never opened.
        {QStringLiteral("/dev/zero"), SizeError},
        {QStringLiteral("/dev/null"), SizeError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path.toStdString());
        ChannelSettings channels;
        const ConfigurationFileResult load = LoadConfigurationFile(c.Path, channels);
        EXPECT_EQ(load.Ok, c.Message.empty());
        EXPECT_EQ(load.Message, c.Message);
        EXPECT_EQ(channels, c.Message.empty() ? SomeSettings() : ChannelSettings{});
    }
    // Tarvel.ini likewise: a pipe cannot be opened, a device holds no settings.
    EXPECT_EQ(ReadIniSettingsFile(fifo).Status, IniReadStatus::CannotOpen);
    EXPECT_EQ(ReadIniSettingsFile(QStringLiteral("/dev/zero")).Status, IniReadStatus::Invalid);
    ::close(listener);
}

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

// What an ordinary user may not write stays as it was; settings in a folder the user may not write,
// but in a Tarvel.ini the user may, are written in place.
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
