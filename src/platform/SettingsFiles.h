#pragma once

#include "config/ConfigurationFile.h"
#include "config/IniSettings.h"

#include <QString>

// Reading and writing the ".zvc" configuration file and Tarvel.ini: thin shells around the
// byte images of config/. Nothing here throws: a failure is the operation's own result.
namespace tarvel {

// Saving replaces the file in one step (FileIo.h), so a failed save leaves an existing file as
// it was; a file the user may not write is refused, not replaced. Failure:
// ConfigurationCreateError.
ConfigurationFileResult SaveConfigurationFile(const QString& path, const ChannelSettings& channels);

// Loading reads the whole file before the model is touched. Ok means the model was replaced.
// Failure: ConfigurationOpenError (missing, unreadable, a folder, a named pipe or a socket) or
// ConfigurationSizeError (any size but 1720, an empty file or a device node included); the
// model is then unchanged.
ConfigurationFileResult LoadConfigurationFile(const QString& path, ChannelSettings& channels);

// The working directory joined with "Tarvel.ini". Form it once at start-up and keep it for
// the write at exit.
QString IniSettingsPath(const QString& workingDirectory);

IniReadResult ReadIniSettingsFile(const QString& path);

// Takes values already converted from the controls, so a field that holds no number never
// reaches the file. Replaces the file in one step; in a folder where no new file can be made
// a writable Tarvel.ini is written in place (one short line). False, the old file unchanged,
// when the file may not be written or that fails.
bool WriteIniSettingsFile(const QString& path, const IniSettings& settings);

} // namespace tarvel
