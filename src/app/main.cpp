// The program's entry, with environment hooks for demonstrations, screenshots and end-to-end
// tests on a machine without a user (see the README):
//
//   TARVEL_AUTO_ANSWER=yes     every question is answered Yes (OK) and every box is written
//                              to the standard error stream instead of being shown.
//   TARVEL_SCREENSHOT=FILE     once the start-up question and the search and read it started
//                              are over, the main window is saved as FILE (PNG) and the
//                              program ends with 0.
//   TARVEL_SCREENSHOT_DIR=DIR  the same for every page of the main window (main-window-*.png)
//                              and for the progress, connection help, journal and about
//                              windows, into DIR.
//   TARVEL_SCRIPT=FILE         the program plays the user from the step list in FILE and
//                              writes what was shown to FILE.report (AutomationScript.h); it
//                              answers the boxes and file dialogs itself. Ends with 3 when a
//                              step cannot be carried out.

#include "AutomationScript.h"
#include "ProgramCommandLine.h"

#include "platform/MessageBoxes.h"
#include "ui/ApplicationStart.h"
#include "ui/ConnectionTools.h"
#include "ui/JournalWindow.h"
#include "ui/TAboutBox.h"
#include "ui/TConnectionHelpForm.h"
#include "ui/TInfoForm.h"
#include "ui/TTarvelForm.h"
#include "ui/TarvelApplication.h"

#include <QDir>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

constexpr int SettleMs = 500; // lets the window paint before it is grabbed

class AutoAnswerMessageBoxes : public tarvel::MessageBoxes {
    bool Show(tarvel::MessageKind, const QString& caption, const QString& text) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
        return true;
    }
    // Saving would ask for a file name, which nobody would give.
    tarvel::SaveChoice AskSaveChoice(const QString& caption, const QString& text) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
        return tarvel::SaveChoice::Discard;
    }
};

bool Save(QWidget& window, const QString& path) {
    const bool saved = window.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "Saved" : "Could not save", qPrintable(path));
    std::fflush(stdout);
    return saved;
}

bool SaveEveryWindow(tarvel::TTarvelForm& form, const QDir& dir) {
    bool saved = true;
    tarvel::PageControl* pages = form.PageControl();
    for (int i = 0; i < pages->count(); ++i) {
        pages->SetPageShown(i, true); // the service view's page too
        pages->setCurrentIndex(i);
        QCoreApplication::processEvents();
        const QString stem =
            pages->tabText(i).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        saved = Save(form, dir.filePath(QStringLiteral("main-window-") + stem +
                                        QStringLiteral(".png"))) &&
                saved;
    }
    form.InfoForm().ShowProgress(QStringLiteral("Tarvel querying Zelvar(s). Please wait...."));
    form.InfoForm().SetProgressDots(QStringLiteral(".."));
    saved = Save(form.InfoForm(), dir.filePath(QStringLiteral("progress-window.png"))) && saved;
    form.InfoForm().HideProgress();
    form.ConnectionHelpForm().ShowHelp();
    saved = Save(form.ConnectionHelpForm(), dir.filePath(QStringLiteral("connection-help.png"))) &&
            saved;
    form.ConnectionHelpForm().hide();
    tarvel::JournalWindow& journal = form.Tools()->Journal();
    journal.ShowJournal();
    QCoreApplication::processEvents();
    saved = Save(journal, dir.filePath(QStringLiteral("journal.png"))) && saved;
    journal.hide();
    form.AboutBox().show();
    QCoreApplication::processEvents();
    saved = Save(form.AboutBox(), dir.filePath(QStringLiteral("about.png"))) && saved;
    form.AboutBox().hide();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    // Read before the application object exists: --help and --version need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const tarvel::ProgramCommandLine commandLine = tarvel::ProgramCommandLine::Parse(arguments);
    if (!commandLine.Run) {
        std::fputs(commandLine.Output.toLocal8Bit().constData(), stdout);
        std::fputs(commandLine.Error.toLocal8Bit().constData(), stderr);
        return commandLine.ExitCode;
    }
    tarvel::TarvelApplication application(argc, argv);
    tarvel::StartOptions options;
    options.Timing = tarvel::LinkTiming::FromEnvironment();
    std::unique_ptr<AutoAnswerMessageBoxes> autoAnswer;
    if (qgetenv("TARVEL_AUTO_ANSWER") == "yes") {
        autoAnswer = std::make_unique<AutoAnswerMessageBoxes>();
        options.Messages = autoAnswer.get();
    }
    std::unique_ptr<tarvel::AutomationScript> script;
    if (const QString scriptPath = qEnvironmentVariable("TARVEL_SCRIPT"); !scriptPath.isEmpty()) {
        script = std::make_unique<tarvel::AutomationScript>(scriptPath);
        if (!script->Loaded()) {
            return tarvel::AutomationScript::FailureCode;
        }
        options.Messages = &script->Boxes();
        options.Dialogs = &script->Dialogs();
        options.BeforeLoop = [&](tarvel::TTarvelForm& form) { script->Start(form); };
    }
    const QString screenshot = qEnvironmentVariable("TARVEL_SCREENSHOT");
    const QString screenshotDir = qEnvironmentVariable("TARVEL_SCREENSHOT_DIR");
    if (!screenshot.isEmpty() || !screenshotDir.isEmpty()) {
        options.BeforeLoop = [&, runScript = options.BeforeLoop](tarvel::TTarvelForm& form) {
            if (runScript) {
                runScript(form);
            }
            QObject::connect(&form, &tarvel::TTarvelForm::StartupFinished, &form, [&] {
                QTimer::singleShot(SettleMs, &form, [&] {
                    bool saved = true;
                    if (!screenshot.isEmpty()) {
                        saved = Save(form, screenshot);
                    }
                    if (!screenshotDir.isEmpty()) {
                        saved = QDir().mkpath(screenshotDir) &&
                                SaveEveryWindow(form, QDir(screenshotDir)) && saved;
                    }
                    QCoreApplication::exit(saved ? 0 : 1);
                });
            });
        };
    }
    const int code = tarvel::RunTarvel(options);
    return script && script->Failed() ? tarvel::AutomationScript::FailureCode : code;
}
