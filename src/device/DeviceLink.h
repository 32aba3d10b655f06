#pragma once

#include "device/Journal.h"
#include "device/LinkObserver.h"
#include "device/LinkTiming.h"
#include "device/LinkUser.h"
#include "device/SendResult.h"
#include "platform/MessageBoxes.h"
#include "protocol/CommandTable.h"
#include "protocol/ConnectionMode.h"
#include "protocol/ReplyRecogniser.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace tarvel {

class CommandEncoders;
class SerialPort;
class UnitQueries;
struct SettingsModel;

// The one serial link to the units: the port and its settings, the connection mode and prompt,
// the search for units, and the transport that carries one command at a time and settles its
// reply. Owns the queries and encoders that are built on it, and the journal of exchanges.
//
// The link knows no window. What it asks goes to its LinkUser (the window's message boxes, or
// a policy), what it does is reported to its LinkObserver. Operations that end in a read or a
// page fill return, and the caller reads or fills.
//
// Waiting. Every wait runs the event loop (Waiter), so the port's data signal and Timer1
// settle a reply while the sender stands still in its wait. The data handler and the timer
// handler only record what happened; the sender asks and tells after its wait.
//
// One exchange at a time. While the link runs a nested event loop of its own (a reply or
// prompt wait, a pause, one of its questions) any send asked for is not started: it returns
// NotSent. Disconnect stays possible and ends every wait.
//
// Cancel. A long operation (a whole read or send, an automatic operation) runs inside an
// Operation scope. CancelOperation ends the link's wait under way at once, and every send until
// the outermost scope ends returns Cancelled. The unit may still finish the command it was
// given: an exchange cut short leaves the line unsettled, and the next exchange first probes
// the line and lets it fall quiet, so a late answer is discarded, not taken for its own; a
// settle cut short is waited out before the next exchange.
//
// Lifetime. The port must outlive the link. The link (and with it its queries and encoders)
// may be destroyed during one of its waits: the wait then ends and every caller returns
// without touching anything (results NotSent, Aborted, or an empty answer).
class DeviceLink : public QObject {
    Q_OBJECT

public:
    static constexpr int ProbePromptWait = 10;    // ticks while ports are probed
    static constexpr int CommandBufferSize = 250; // characters, the terminator included

    DeviceLink(SerialPort& port, SettingsModel& model, LinkUser& user,
               LinkTiming timing = LinkTiming::Real(), QObject* parent = nullptr);
    ~DeviceLink() override;

    UnitQueries& Queries() { return *queries_; }
    CommandEncoders& Encoders() { return *encoders_; }
    SerialPort& Port() { return port_; }
    SettingsModel& Model() { return model_; }
    LinkUser& User() { return user_; }
    const LinkTiming& Timing() const { return timing_; }
    Journal& ExchangeJournal() { return journal_; }

    // One observer at a time (null: nobody watches). It must outlive the link or be reset.
    void SetObserver(LinkObserver* observer) { observer_ = observer; }

    // ----- State -----
    ConnectionMode Mode() const { return mode_; }
    char PromptCharacter() const { return promptCharacter_; }
    int PromptWait() const { return promptWait_; }
    void SetPromptWait(int ticks) { promptWait_ = ticks; }
    bool Connected() const { return connected_; }
    int ComNumber() const;
    LinkSettings Settings() const;

    // The unit addresses as ZelvarID1Edit and ZelvarID2Edit hold them ("1" and "2" at start).
    // UnitAddress is the text's integer value for units 1 and 2; any other index is itself.
    QString UnitAddressText(int unit) const;
    void SetUnitAddressText(int unit, const QString& text, bool visible);
    int UnitAddress(int unit) const;

    // An exchange of the link waits (a send now would not be started).
    bool ExchangeWaiting() const { return waitDepth_ > 0; }

    // ----- Cancel -----
    // A cancellable operation runs while at least one scope lives.
    class Operation {
    public:
        explicit Operation(DeviceLink& link);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        QPointer<DeviceLink> link_;
    };
    bool OperationRunning() const { return operationDepth_ > 0; }
    // The user's Cancel: nothing outside an operation.
    void CancelOperation();
    bool CancelRequested() const { return cancelRequested_; }
    // What a step that could not go on returns: Cancelled after a cancel, otherwise NotSent.
    SendResult StopResult() const {
        return cancelRequested_ ? SendResult::Cancelled : SendResult::NotSent;
    }
    // The link no longer sends: the window is closing or the application quits.
    bool Stopping() const { return shutDown_ || interrupted_; }

    // ----- Transport state, for the queries -----
    const std::string& CommandBuffer() const { return commandBuffer_; }
    int MinReplyLength() const { return minReplyLength_; }
    bool AwaitingReply() const { return awaitingReply_; }
    bool ReplyFailed() const { return replyFailed_; }
    bool ControllerRejected() const { return controllerRejected_; }
    bool DebugModeSeen() const { return debugModeSeen_; }
    bool ReplyTimedOut() const { return timedOut_; }
    bool ColourBalanceWait() const { return colourBalanceWait_; }
    void SetColourBalanceWait(bool on) { colourBalanceWait_ = on; }
    // The reply of the last exchange (text before the terminator when accepted).
    std::span<const std::uint8_t> ReplyBuffer() const { return recogniser_.ReplyBytes(); }
    bool ReplyEmpty() const { return recogniser_.ReplyEmpty(); }
    const QTimer& Timer1() const { return timer1_; }

    // ----- Serial link and discovery -----
    // Writes the text unless the output buffer lacks room (then the overflow message).
    SendResult WriteText(const std::string& text);
    // Sends the text and waits PromptWait ticks for the prompt character. True when the prompt
    // came, and when nothing was sent (port closed); false without a prompt.
    bool AwaitPrompt(const std::string& text);
    bool ProbePort(int comNumber);
    int ScanPorts(); // 1 when a port answered, -1 when none did
    // RS485CheckBox checked (Controller) or not, then its click handler.
    void SetConnectionMode(ConnectionMode mode);
    void SetBaudIndex(int index); // BaudComboBox and its change handler
    // Whether the mode can drive the planned wall: plannedProjectors is the planning values'
    // ProjectorCount, selectedProjectors the number of projectors picked on the Planning page.
    bool CheckUnitCountForMode(double plannedProjectors, int selectedProjectors);

    // The Serial Port menu. Each returns whether the link is connected now; the caller then
    // reads the units (the search always, the connect actions when the user wants it).
    // plannedProjectors: a direct unit cannot drive more than four projectors.
    bool Search(double plannedProjectors);
    bool ConnectThroughController();
    bool ConnectDirectly(double plannedProjectors, int selectedProjectors);
    void Disconnect();
    void ChooseDefaultBaud();
    void ChooseBaud(int baud); // 9600, 19200, 38400, 57600
    void ChooseParity(int code);

    // The window is closing: every wait ends, nothing is sent any more, the port is closed.
    void Shutdown();

    // ----- Command transport -----
    // A controller command ("*1SYSAVE!"), framed, resent until the controller accepts it, then
    // settleMs of pause (scaled by the timing). The user may stop after a time-out or a
    // missing answer (Stopped).
    SendResult SendFramed(const std::string& command, int settleMs);
    // A query text as it goes on the wire; one reply collected. A prompt before
    // minReplyLength does not end it. Afterwards read ReplyFailed, ControllerRejected and
    // ReplyBuffer.
    SendResult SendQuery(const std::string& query, int minReplyLength);
    // A direct command confirmed by the prompt within promptWait ticks (PromptWait is 80
    // again afterwards); without a prompt the link is recovered and the command sent again.
    SendResult SendConfirmed(const std::string& command, int promptWait = DefaultPromptWait);
    // Probes the current port until it answers, asking the user each time it does not, then
    // sends CommandBuffer again until confirmed. Cancel closes the port and gives Abandoned;
    // the observer hears of it first (the window ends the program with -1).
    SendResult RecoverLink();
    // Timer1's handler: the reply did not come in time.
    void Timer1Timer();

    // ----- Waits and questions of the link's flows (marked as link waits) -----
    // Messages run for ms (ends early when the port closes). False: stop, the link may be gone.
    bool Pause(int ms);
    bool PumpOnce();
    // A question to the user; nullopt when the link went away meanwhile.
    std::optional<bool> Ask(const LinkQuestion& question);
    // A message to the user; false when the link went away meanwhile.
    bool Tell(const QString& text, const QString& caption = MessageBoxes::DefaultCaption);
    // A status line text the link's flows put up.
    void SetStatusText(const QString& text);
    LinkObserver& Observer() { return observer_ != nullptr ? *observer_ : silent_; }

private:
    static constexpr const char* LeaveDebugConsole = "debug 0\r";

    enum class WaitEnd { Satisfied, TimedOut, Interrupted, Cancelled, Gone };
    class ExchangeRecord;
    enum class Prompt { Seen, NotSeen, NotSent, PortLost, Cancelled, Gone };
    class WaitScope;
    class CursorScope;

    // The reply handler (data available on the port).
    void OnDataAvailable(int count);
    void OnOpenChanged(bool open);
    void OnPortLost();
    void ReportPortLossIfIdle();
    // The port failed under the program and the user has not been told yet: tell now.
    void ReportPortLoss();
    bool PortClosed() const;

    WaitEnd WaitFor(const std::function<bool()>& condition, QDeadlineTimer deadline);
    // waitMs < 0: PromptWait ticks.
    Prompt PromptExchange(const std::string& text, int waitMs = -1);
    SendResult StartCheck();
    // Before a new exchange: what a cancel left behind (a settle, a late answer) is over.
    SendResult SettleAfterCancel();
    SendResult AfterPortClosed();
    // After a wait that ended early: Cancelled after a cancel (the port still open), otherwise
    // what the closed port or the stop means.
    SendResult AfterStop();
    SendResult WriteRaw(const std::string& text);
    SendResult CollectReply();
    void BeginExchange(const QByteArray& sent);
    void EndExchange(ExchangeVerdict verdict);
    ExchangeVerdict ReplyVerdictNow() const;
    ExchangeVerdict VerdictOf(SendResult collected) const;
    void StartCollecting();
    void ClearReplyFlags();
    void SetConnected(bool connected);
    void ClosePort();
    void ShowSettings();
    void ApplyBaudBox();
    int ScanFor(ConnectionMode mode);

    SerialPort& port_;
    QPointer<SerialPort> portGuard_;
    SettingsModel& model_;
    LinkUser& user_;
    LinkTiming timing_;
    LinkObserver* observer_ = nullptr;
    LinkObserver silent_;
    Journal journal_;
    std::unique_ptr<UnitQueries> queries_;
    std::unique_ptr<CommandEncoders> encoders_;

    ConnectionMode mode_ = ConnectionMode::Direct;
    char promptCharacter_ = '#';
    int promptWait_ = DefaultPromptWait;
    bool connected_ = false;
    bool defaultBaud_ = true;
    int baudIndex_ = 0;
    std::array<QString, 2> addressTexts_{QStringLiteral("1"), QStringLiteral("2")};

    std::string commandBuffer_;
    int minReplyLength_ = 0;
    ReplyRecogniser recogniser_;
    bool awaitingReply_ = false;
    bool replyFailed_ = false;
    bool controllerRejected_ = false;
    bool debugModeSeen_ = false;
    bool timedOut_ = false;
    bool overflowed_ = false;
    bool noUnitAnswer_ = false;    // "!ERR" code 4
    bool controllerError_ = false; // "!ERR" with another code
    bool colourBalanceWait_ = false;
    QTimer timer1_;

    // The exchange being recorded for the journal.
    QDateTime exchangeTime_;
    QElapsedTimer exchangeClock_;
    QByteArray exchangeSent_;
    QByteArray exchangeReceived_;

    int waitDepth_ = 0;
    int operationDepth_ = 0;
    bool cancelRequested_ = false;
    // An exchange was cut short by a cancel: its answer may still come.
    bool lineUnsettled_ = false;
    // The rest of a settle that a cancel cut short.
    QDeadlineTimer settleUntil_;
    bool shutDown_ = false;
    bool interrupted_ = false;
    // The link opened the port and has not closed it: a close it did not make is a failure.
    bool expectOpen_ = false;
    bool probing_ = false;
    bool lossPending_ = false;
    QString openDevice_;
    int openComNumber_ = 0;
};

} // namespace tarvel
