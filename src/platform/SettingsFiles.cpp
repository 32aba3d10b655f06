#include "platform/SettingsFiles.h"

#include "platform/FileIo.h"

#include <QDir>

namespace tarvel {

namespace {

// No sane Tarvel.ini comes near this; a larger file is refused unread.
constexpr qint64 IniSizeLimit = 64 * 1024;

} // namespace

ConfigurationFileResult SaveConfigurationFile(const QString& path,
                                              const ChannelSettings& channels) {
    const ConfigurationImage image = MakeConfigurationImage(channels);
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()),
                           static_cast<qsizetype>(image.size()));
    if (!WriteFileReplacing(path, bytes)) {
        return {false, std::string(ConfigurationCreateError)};
    }
    return {true, {}};
}

ConfigurationFileResult LoadConfigurationFile(const QString& path, ChannelSettings& channels) {
    const std::optional<QByteArray> bytes = ReadFilePrefix(path, ConfigurationFileSize);
    if (!bytes) {
        return {false, std::string(ConfigurationOpenError)};
    }
    const std::span image(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                          static_cast<std::size_t>(bytes->size()));
    if (!LoadConfigurationImage(image, channels)) {
        return {false, std::string(ConfigurationSizeError)};
    }
    return {true, {}};
}

QString IniSettingsPath(const QString& workingDirectory) {
    return QDir(workingDirectory).filePath(QString::fromLatin1(IniFileName));
}

IniReadResult ReadIniSettingsFile(const QString& path) {
    const std::optional<QByteArray> bytes = ReadFilePrefix(path, IniSizeLimit);
    if (!bytes) {
        return {IniReadStatus::CannotOpen, {}};
    }
    if (bytes->size() > IniSizeLimit) {
        return {IniReadStatus::Invalid, {}};
    }
    const std::optional<IniSettings> settings =
        ParseIniSettings(std::string_view(bytes->constData(), bytes->size()));
    if (!settings) {
        return {IniReadStatus::Invalid, {}};
    }
    return {IniReadStatus::Loaded, *settings};
}

bool WriteIniSettingsFile(const QString& path, const IniSettings& settings) {
    const std::string text = FormatIniSettings(settings);
    return WriteFileReplacing(path, QByteArray::fromStdString(text), WriteFallback::InPlace);
}

} // namespace tarvel
