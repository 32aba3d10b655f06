#pragma once

#include "ScriptFileDialogs.h"

#include "platform/ScriptedMessageBoxes.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <vector>

class QAbstractButton;
class QObject;
class QWidget;

namespace tarvel {

class TTarvelForm;

// TARVEL_SCRIPT=FILE: the program plays a user from a plain-text step list, so the built
// program can be driven end to end without a display or a person. It answers every message box
// and file dialog itself and writes what the user would have seen to FILE.report.
//
// One step per line; blank lines and lines starting with '#' are skipped. NAME is a control's
// objectName (a menu item's for `menu`; a page's for `tab`).
//
//   answer yes|no|ok|cancel ...  queue the answers to the next questions, in order
//   file PATH                    queue the name the next open or save dialog returns
//   file                         queue Cancel for the next file dialog
//   type NAME TEXT               click into edit NAME and type TEXT over its whole text
//   enter NAME                   press Enter in NAME (clicking into it first)
//   focus NAME                   click into NAME: the control left commits as on a click
//   click NAME                   click a button, check box or radio button
//   check NAME on|off            click a check box when it is not already so
//   select NAME ITEM             choose the list entry whose text is ITEM
//   menu NAME                    choose a menu item
//   tab NAME                     bring the page NAME to the front
//   dblclick NAME                double-click NAME
//   wait [MS]                    wait until the program is idle (MS: the limit, 30000)
//   sleep MS                     let the program run MS milliseconds
//   show NAME ...                write each control's text or state to the report
//   close                        close the main window (its exit question is asked)
//
// `answer` and `file` take effect at once, so the answers to the start-up question go before
// anything else. Every other step first waits until the program is idle: the start-up
// question answered and what it started ended, no wait of the link or of the window running,
// Busy clear, the window active. A step runs to its end (a menu command with all its sends);
// only `sleep` and the idle wait let time pass between steps.
//
// The report gets, in the order they happen:
//   box: CAPTION | TEXT              an information box
//   box: CAPTION | TEXT -> yes       a question and its answer (no, ok, cancel likewise)
//   open: PATH, save: PATH           a file dialog and its answer ("(cancel)" for Cancel)
//   NAME: VALUE                      from `show`
//   error: line N: STEP: REASON      the script could not go on
// with a backslash, carriage return, line feed and tab in a text written as \\, \r, \n, \t.
//
// An error (unknown step, a control that is missing, hidden or disabled, a question without
// a queued answer, a program that does not become idle in time, a script that ends with the
// window open, an exception thrown in a step) is reported and the program ends with
// FailureCode; a question without an answer is answered No (Cancel) first, so the program is
// never left waiting.
class AutomationScript {
public:
    static constexpr int FailureCode = 3;
    static constexpr int DefaultIdleLimitMs = 30000;

    // Reads and checks the whole script; a fault in it is reported at once (Loaded false).
    explicit AutomationScript(const QString& path);
    ~AutomationScript();
    AutomationScript(const AutomationScript&) = delete;
    AutomationScript& operator=(const AutomationScript&) = delete;

    bool Loaded() const { return loaded_; }
    bool Failed() const { return failed_; }
    QString ReportPath() const { return report_.fileName(); }

    // The window's boxes and dialogs (StartOptions::Messages and Dialogs).
    MessageBoxes& Boxes() { return boxes_; }
    FileDialogs& Dialogs() { return dialogs_; }

    // Once the window is shown, before the event loop: queues the leading answers and starts
    // playing the rest.
    void Start(TTarvelForm& form);

    struct Step {
        int Line = 0;
        QString Text; // the line as written, for error messages
        QString Keyword;
        QStringList Args; // the words after the keyword (for NAME TEXT steps: NAME)
        QString Rest;     // TEXT, ITEM or PATH: the rest of the line after one blank
    };

private:
    struct StepKind;
    static const StepKind* FindKind(const QString& keyword);

    void Load(const QString& path);
    void Tick();
    bool RunStep(const Step& step);
    QString NotIdleReason() const;
    void Report(const QString& line);
    void Fail(const Step* step, const QString& reason);
    void ExceptionCaught(const QString& text);
    void BeginStep();

    // Control lookup: nullptr after reporting the error.
    QObject* Find(const QString& name, QString* error) const;
    QWidget* UsableWidget(const QString& name, QString* error) const;
    bool MoveFocusTo(QWidget* widget, QString* error) const;
    static bool ClickButton(QAbstractButton* button, QString* error);
    static std::optional<QString> ValueOf(const QObject* control);

    bool RunAnswer(const Step& step, QString* error);
    bool RunFile(const Step& step, QString* error);
    bool RunType(const Step& step, QString* error);
    bool RunEnter(const Step& step, QString* error);
    bool RunFocus(const Step& step, QString* error);
    bool RunClick(const Step& step, QString* error);
    bool RunCheck(const Step& step, QString* error);
    bool RunSelect(const Step& step, QString* error);
    bool RunMenu(const Step& step, QString* error);
    bool RunTab(const Step& step, QString* error);
    bool RunDblClick(const Step& step, QString* error);
    bool RunWait(const Step& step, QString* error);
    bool RunSleep(const Step& step, QString* error);
    bool RunShow(const Step& step, QString* error);
    bool RunClose(const Step& step, QString* error);

    QFile report_;
    ScriptedMessageBoxes boxes_;
    ScriptFileDialogs dialogs_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    bool loaded_ = false;
    bool failed_ = false;
    bool running_ = false; // a step is running (its waits let the timer fire)
    QPointer<TTarvelForm> form_;
    QTimer timer_;
    QDeadlineTimer idleDeadline_;
    QDeadlineTimer sleepUntil_;
};

} // namespace tarvel
