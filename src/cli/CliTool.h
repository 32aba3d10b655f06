#pragma once

#include "cli/CliOptions.h"
#include "cli/ExitCode.h"

#include <QJsonObject>
#include <QString>

namespace tarvel {

class Console;
struct SettingsModel;

// Runs one command of tarvel-cli. Results go to standard output, progress and failures to
// standard error (Console); the exit code says how it ended.
class CliTool {
public:
    CliTool(const CliOptions& options, Console& console);

    ExitCode Run();

private:
    ExitCode Ports();
    ExitCode Search();
    ExitCode Read();
    ExitCode Send();
    ExitCode Show();
    ExitCode Diff();

    // Loads a configuration file into model: false with the failure printed.
    bool Load(const QString& path, SettingsModel& model);
    void PrintJson(const QJsonObject& object);

    const CliOptions& options_;
    Console& console_;
};

} // namespace tarvel
