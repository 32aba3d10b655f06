#include "device/DeviceLink.h"

#include "device/CommandEncoders.h"
#include "device/UnitQueries.h"
#include "model/ChannelSettings.h"
#include "platform/PortOpenResult.h"
#include "platform/SerialPort.h"
#include "platform/Waiter.h"
#include "protocol/CommandEncoding.h"
#include "protocol/Framing.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

namespace tarvel {

namespace {

const QString SendingText = QStringLiteral("Sending command....");
const QString OverflowText = QStringLiteral(
    "Error! RS-232 communication port output buffer overflow. Please resend command.");
const QString ResendingText = QStringLiteral("Resending message....");
const QString ColourBalanceResendingText =
    QStringLiteral("Detect Zelvar not done with Color Balance. Resending message....");
const QString NoUnitAnswerText =
    QStringLiteral("Error! Controller did not get response from Zelvar(s). Please check "
                   "connections and Zelvar(s) Serial Mode settings.");
const QString ControllerErrorText =
    QStringLiteral("Error code returned by Controller detected.... Resending message");
const QString TimeoutText =
    QStringLiteral("Error! Timeout occured. Unable to communicate with Zelvar. Please verify that "
                   "Serial Port is connected to Zelvar.");
const QString ComPortErrorText = QStringLiteral(
    "Error! COM Port communication with Zelvar has failed. Please check the RS-232 cable. Click "
    "OK to retry. Click Cancel to exit application.");
const QString ComPortErrorCaption = QStringLiteral("COM Port error");

constexpr int WaitSlackMs = 5; // a wait that ends this much before its time was interrupted

} // namespace

// Marks a nested event loop run by the link: no send starts while one is active.
class DeviceLink::WaitScope {
public:
    explicit WaitScope(DeviceLink& link) : link_(&link) { ++link.waitDepth_; }
    ~WaitScope() {
        if (!link_) {
            return;
        }
        if (--link_->waitDepth_ == 0 && link_->lossPending_) {
            QTimer::singleShot(0, link_.data(), &DeviceLink::ReportPortLossIfIdle);
        }
    }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    QPointer<DeviceLink> link_;
};

// The hourglass for a flow, unless it is already shown; the arrow again afterwards.
class DeviceLink::CursorScope {
public:
    explicit CursorScope(DeviceLink& link) : link_(&link) { link.Observer().BusyCursor(true); }
    ~CursorScope() {
        if (link_) {
            link_->Observer().BusyCursor(false);
        }
    }
    CursorScope(const CursorScope&) = delete;
    CursorScope& operator=(const CursorScope&) = delete;

private:
    QPointer<DeviceLink> link_;
};

DeviceLink::DeviceLink(SerialPort& port, SettingsModel& model, LinkUser& user, LinkTiming timing,
                       QObject* parent)
    : QObject(parent), port_(port), portGuard_(&port), model_(model), user_(user), timing_(timing),
      queries_(std::make_unique<UnitQueries>(*this)),
      encoders_(std::make_unique<CommandEncoders>(*this)) {
    timer1_.setSingleShot(true);
    timer1_.setInterval(timing_.ReplyTimeoutMs);
    timer1_.setTimerType(Qt::PreciseTimer); // a coarse timer may run 5 % late

    connect(&timer1_, &QTimer::timeout, this, &DeviceLink::Timer1Timer);
    connect(&port_, &SerialPort::DataAvailable, this, &DeviceLink::OnDataAvailable);
    connect(&port_, &SerialPort::OpenChanged, this, &DeviceLink::OnOpenChanged);
    if (auto* app = QCoreApplication::instance()) {
        // Once the application quits, nested loops end at once: no flow may go on sending.
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { interrupted_ = true; });
    }
    port_.SetHardwareFlowControl(false);
    port_.SetInputFlowThresholds(SerialPort::DefaultInputFlowStop,
                                 SerialPort::DefaultInputFlowResume);
}

DeviceLink::~DeviceLink() {
    timer1_.stop();
    if (portGuard_) {
        disconnect(&port_, nullptr, this, nullptr);
        expectOpen_ = false;
        port_.Close();
    }
}

// ----- State -----

int DeviceLink::ComNumber() const {
    return portGuard_ ? port_.ComNumber() : 0;
}

LinkSettings DeviceLink::Settings() const {
    LinkSettings settings;
    settings.Mode = mode_;
    settings.BaudIndex = baudIndex_;
    settings.DefaultBaud = defaultBaud_;
    if (portGuard_) {
        settings.Baud = port_.Baud();
        settings.ParityCode = static_cast<int>(port_.CurrentParity());
    }
    return settings;
}

QString DeviceLink::UnitAddressText(int unit) const {
    return unit == 1 || unit == 2 ? addressTexts_[static_cast<std::size_t>(unit - 1)] : QString();
}

void DeviceLink::SetUnitAddressText(int unit, const QString& text, bool visible) {
    if (unit != 1 && unit != 2) {
        return;
    }
    addressTexts_[static_cast<std::size_t>(unit - 1)] = text;
    Observer().UnitAddressChanged(unit, text, visible);
}

int DeviceLink::UnitAddress(int unit) const {
    return tarvel::UnitAddress(unit, addressTexts_[0].toInt(), addressTexts_[1].toInt());
}

DeviceLink::Operation::Operation(DeviceLink& link) : link_(&link) {
    ++link.operationDepth_;
}

DeviceLink::Operation::~Operation() {
    if (link_ && --link_->operationDepth_ == 0) {
        link_->cancelRequested_ = false;
    }
}

void DeviceLink::CancelOperation() {
    // A wait under way sees it when the event loop next checks; nothing is sent from here.
    if (operationDepth_ > 0) {
        cancelRequested_ = true;
    }
}

void DeviceLink::SetConnected(bool connected) {
    connected_ = connected;
    Observer().ConnectedChanged(connected);
}

void DeviceLink::ShowSettings() {
    Observer().SettingsChanged(Settings());
}

bool DeviceLink::PortClosed() const {
    return !portGuard_ || !port_.IsOpen();
}

void DeviceLink::ClosePort() {
    expectOpen_ = false;
    lineUnsettled_ = false;
    settleUntil_ = QDeadlineTimer();
    if (portGuard_) {
        port_.Close();
    }
}

// ----- Waits and boxes -----

DeviceLink::WaitEnd DeviceLink::WaitFor(const std::function<bool()>& condition,
                                        QDeadlineTimer deadline) {
    const QPointer<DeviceLink> self(this);
    bool met = false;
    {
        WaitScope scope(*this);
        met = Waiter::WaitUntil([&] { return condition() || cancelRequested_; }, deadline, this);
    }
    if (!self || !portGuard_) {
        return WaitEnd::Gone;
    }
    if (met && condition()) {
        return WaitEnd::Satisfied;
    }
    if (cancelRequested_) {
        return WaitEnd::Cancelled;
    }
    if (deadline.isForever() || deadline.remainingTime() > WaitSlackMs) {
        // Nothing but the application's exit ends a wait early.
        interrupted_ = true;
        return WaitEnd::Interrupted;
    }
    return WaitEnd::TimedOut;
}

bool DeviceLink::Pause(int ms) {
    if (Stopping()) {
        return false;
    }
    const WaitEnd end = WaitFor([this] { return PortClosed() || Stopping(); },
                                QDeadlineTimer(std::max(ms, 0), Qt::PreciseTimer));
    return (end == WaitEnd::Satisfied || end == WaitEnd::TimedOut) && !Stopping();
}

bool DeviceLink::PumpOnce() {
    const QPointer<DeviceLink> self(this);
    {
        WaitScope scope(*this);
        Waiter::ProcessPendingMessages();
    }
    return self && portGuard_ && !Stopping();
}

std::optional<bool> DeviceLink::Ask(const LinkQuestion& question) {
    const QPointer<DeviceLink> self(this);
    bool answer = false;
    {
        WaitScope scope(*this);
        answer = user_.Ask(question);
    }
    if (!self) {
        return std::nullopt;
    }
    return answer;
}

bool DeviceLink::Tell(const QString& text, const QString& caption) {
    const QPointer<DeviceLink> self(this);
    {
        WaitScope scope(*this);
        user_.Tell(text, caption);
    }
    return !self.isNull();
}

void DeviceLink::SetStatusText(const QString& text) {
    Observer().StatusText(text);
}

// ----- Port failure -----

void DeviceLink::OnOpenChanged(bool open) {
    if (!open && expectOpen_) {
        OnPortLost();
    }
}

void DeviceLink::OnPortLost() {
    // Called from inside the port's signal: record only; the message comes later.
    expectOpen_ = false;
    lineUnsettled_ = false;
    settleUntil_ = QDeadlineTimer();
    if (probing_) {
        return; // the probe says the port is not responding
    }
    lossPending_ = true;
    if (connected_) {
        SetConnected(false);
    }
    QTimer::singleShot(0, this, &DeviceLink::ReportPortLossIfIdle);
}

void DeviceLink::ReportPortLossIfIdle() {
    if (waitDepth_ == 0 && !probing_) {
        ReportPortLoss();
    }
}

void DeviceLink::ReportPortLoss() {
    if (!lossPending_) {
        return;
    }
    lossPending_ = false;
    Tell(QStringLiteral("Error! The connection on serial port %1 was lost. The port has been "
                        "closed. Please check the RS-232 cable, then go to 'Serial Port->Search "
                        "for Zelvar(s)->Search' to connect again.")
             .arg(PortOpenResult::PortLabel(openComNumber_, openDevice_)));
}

SendResult DeviceLink::AfterPortClosed() {
    if (expectOpen_ && PortClosed()) {
        OnPortLost(); // closed without the port telling
    }
    if (lossPending_) {
        ReportPortLoss();
        return SendResult::PortLost;
    }
    return SendResult::NotSent;
}

SendResult DeviceLink::AfterStop() {
    if (cancelRequested_ && !PortClosed() && !Stopping()) {
        return SendResult::Cancelled;
    }
    return AfterPortClosed();
}

SendResult DeviceLink::StartCheck() {
    if (Stopping() || ExchangeWaiting()) {
        return SendResult::NotSent;
    }
    if (PortClosed()) {
        return AfterPortClosed();
    }
    if (cancelRequested_) {
        return SendResult::Cancelled;
    }
    return SettleAfterCancel();
}

SendResult DeviceLink::SettleAfterCancel() {
    const QPointer<DeviceLink> self(this);
    if (!settleUntil_.hasExpired()) {
        const bool waited = Pause(static_cast<int>(settleUntil_.remainingTime()));
        if (!self) {
            return SendResult::NotSent;
        }
        if (!waited) {
            return AfterStop();
        }
        settleUntil_ = QDeadlineTimer();
    }
    for (int attempt = 1; lineUnsettled_;) {
        // The unit answers lines in order: once the probe is answered and nothing more comes
        // for a moment, the late answer has come too, and it goes with the discarded input.
        const Prompt prompt = PromptExchange("\r", timing_.ReplyTimeoutMs);
        if (!self || prompt == Prompt::Gone) {
            return SendResult::NotSent;
        }
        if (prompt == Prompt::Seen) {
            int before = -1;
            QDeadlineTimer limit(timing_.ReplyTimeoutMs, Qt::PreciseTimer);
            while (port_.BytesAvailable() != before && !limit.hasExpired()) {
                before = port_.BytesAvailable();
                if (!Pause(timing_.LineQuietMs)) {
                    return self ? AfterStop() : SendResult::NotSent;
                }
            }
            port_.DiscardInput();
            lineUnsettled_ = false;
            break;
        }
        if (prompt != Prompt::NotSeen) {
            return AfterStop(); // cancelled again, or the port closed
        }
        // Still busy with what it was given, or gone: the user decides, as after a time-out.
        const std::optional<bool> again =
            Ask({LinkQuestionKind::ResendAfterTimeout, MessageKind::OkCancel, TimeoutText,
                 MessageBoxes::DefaultCaption, attempt++});
        if (!again.has_value() || !self) {
            return SendResult::NotSent;
        }
        if (!*again) {
            return PortClosed() || Stopping() ? AfterPortClosed() : SendResult::Stopped;
        }
    }
    return SendResult::Done;
}

// ----- Serial link: the lowest sends -----

// ----- The journal -----

void DeviceLink::BeginExchange(const QByteArray& sent) {
    exchangeTime_ = QDateTime::currentDateTime();
    exchangeClock_.start();
    exchangeSent_ = sent;
    exchangeReceived_.clear();
}

void DeviceLink::EndExchange(ExchangeVerdict verdict) {
    JournalEntry entry;
    entry.Time = exchangeTime_;
    entry.ComNumber = openComNumber_ != 0 ? openComNumber_ : ComNumber();
    entry.Device = openDevice_;
    entry.Mode = mode_;
    entry.Sent = exchangeSent_;
    entry.Reply = exchangeReceived_;
    entry.Verdict = verdict;
    entry.DurationMs = exchangeClock_.isValid() ? exchangeClock_.elapsed() : 0;
    journal_.Add(std::move(entry));
}

ExchangeVerdict DeviceLink::ReplyVerdictNow() const {
    if (!replyFailed_) {
        return ExchangeVerdict::Accepted;
    }
    if (timedOut_) {
        return ExchangeVerdict::TimedOut;
    }
    if (noUnitAnswer_) {
        return ExchangeVerdict::NoUnitAnswer;
    }
    if (controllerError_) {
        return ExchangeVerdict::ControllerError;
    }
    if (debugModeSeen_) {
        return ExchangeVerdict::DebugConsole;
    }
    if (overflowed_) {
        return ExchangeVerdict::Overflow;
    }
    return ExchangeVerdict::Refused;
}

ExchangeVerdict DeviceLink::VerdictOf(SendResult collected) const {
    switch (collected) {
    case SendResult::Done:
        return ReplyVerdictNow();
    case SendResult::PortLost:
        return ExchangeVerdict::PortLost;
    default:
        return ExchangeVerdict::Interrupted;
    }
}

// ----- Serial link: the lowest sends -----

SendResult DeviceLink::WriteRaw(const std::string& text) {
    if (PortClosed()) {
        return SendResult::NotSent;
    }
    if (port_.OutputFreeSpace() > text.size()) {
        port_.Write(QByteArray::fromStdString(text));
        return PortClosed() ? SendResult::NotSent : SendResult::Done;
    }
    Tell(OverflowText);
    return SendResult::NotSent;
}

SendResult DeviceLink::WriteText(const std::string& text) {
    if (const SendResult check = StartCheck(); check != SendResult::Done) {
        return check;
    }
    const QPointer<DeviceLink> self(this);
    BeginExchange(QByteArray::fromStdString(text));
    const SendResult result = WriteRaw(text);
    if (!self) {
        return SendResult::NotSent;
    }
    if (result == SendResult::Done) {
        EndExchange(ExchangeVerdict::Written);
        return result;
    }
    if (PortClosed()) {
        EndExchange(ExchangeVerdict::PortLost);
        return AfterPortClosed();
    }
    return result; // the output buffer had no room: nothing went out
}

DeviceLink::Prompt DeviceLink::PromptExchange(const std::string& text, int waitMs) {
    if (PortClosed()) {
        return Prompt::NotSent;
    }
    const QPointer<DeviceLink> self(this);
    Observer().HoldBusy(true);
    port_.DiscardInput();
    SetStatusText(SendingText);
    BeginExchange(QByteArray::fromStdString(text));
    WriteRaw(text);
    if (!self) {
        return Prompt::Gone;
    }
    Observer().Waiting(true);
    const int ms = waitMs >= 0 ? waitMs : timing_.PromptWaitMs(promptWait_);
    QElapsedTimer clock;
    clock.start();
    bool seen = false;
    QByteArray consumed;
    {
        WaitScope scope(*this);
        const Waiter::StopScope cancel([self] { return self && self->cancelRequested_; });
        seen = !PortClosed() && port_.WaitForString(QByteArray(1, promptCharacter_), ms, &consumed);
    }
    if (!self || !portGuard_) {
        return Prompt::Gone;
    }
    exchangeReceived_ += consumed;
    SetStatusText(QString());
    Observer().Waiting(false);
    Observer().HoldBusy(false);
    if (seen) {
        EndExchange(ExchangeVerdict::PromptSeen);
        return Prompt::Seen;
    }
    if (PortClosed()) {
        const bool lost = expectOpen_ || lossPending_;
        EndExchange(lost ? ExchangeVerdict::PortLost : ExchangeVerdict::Interrupted);
        return lost ? Prompt::PortLost : Prompt::NotSent;
    }
    if (cancelRequested_ && !Stopping()) {
        lineUnsettled_ = true;
        EndExchange(ExchangeVerdict::Interrupted);
        return Prompt::Cancelled;
    }
    if (clock.elapsed() + WaitSlackMs < ms) {
        interrupted_ = true;
        EndExchange(ExchangeVerdict::Interrupted);
        return Prompt::NotSent;
    }
    EndExchange(ExchangeVerdict::NoPrompt);
    return Prompt::NotSeen;
}

bool DeviceLink::AwaitPrompt(const std::string& text) {
    if (Stopping() || ExchangeWaiting()) {
        return true; // nothing sent
    }
    const Prompt prompt = PromptExchange(text);
    if (prompt == Prompt::PortLost) {
        AfterPortClosed();
    }
    return prompt != Prompt::NotSeen && prompt != Prompt::Cancelled;
}

void DeviceLink::Shutdown() {
    shutDown_ = true;
    timer1_.stop();
    ClosePort();
    connected_ = false;
}

// ----- Command transport -----

void DeviceLink::ClearReplyFlags() {
    replyFailed_ = false;
    controllerRejected_ = false;
    debugModeSeen_ = false;
    timedOut_ = false;
    overflowed_ = false;
    noUnitAnswer_ = false;
    controllerError_ = false;
}

void DeviceLink::StartCollecting() {
    recogniser_.Start(mode_, minReplyLength_, promptCharacter_);
    awaitingReply_ = true;
}

void DeviceLink::OnDataAvailable(int /*count*/) {
    if (!awaitingReply_ || PortClosed()) {
        return; // the bytes stay in the port
    }
    const QByteArray bytes = port_.Read(port_.BytesAvailable());
    if (bytes.isEmpty()) {
        return;
    }
    exchangeReceived_ += bytes;
    const ReplyVerdict verdict = recogniser_.Feed(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    switch (verdict) {
    case ReplyVerdict::Collecting:
    case ReplyVerdict::Idle:
    case ReplyVerdict::TimedOut:
        return;
    case ReplyVerdict::Accepted:
        break;
    case ReplyVerdict::Refused:
        controllerRejected_ = true;
        replyFailed_ = true;
        break;
    case ReplyVerdict::DebugConsole:
        debugModeSeen_ = true;
        replyFailed_ = true;
        break;
    case ReplyVerdict::NoUnitAnswer:
        timer1_.stop();
        noUnitAnswer_ = true;
        replyFailed_ = true;
        break;
    case ReplyVerdict::ControllerError:
        controllerError_ = true;
        controllerRejected_ = true;
        replyFailed_ = true;
        break;
    case ReplyVerdict::Overflow:
        overflowed_ = true;
        replyFailed_ = true;
        break;
    }
    awaitingReply_ = false;
}

void DeviceLink::Timer1Timer() {
    timer1_.stop();
    recogniser_.TimeOut();
    timedOut_ = true;
    replyFailed_ = true;
}

SendResult DeviceLink::CollectReply() {
    // Bytes that came before AwaitingReply was set belong to this reply.
    if (!PortClosed() && port_.BytesAvailable() > 0) {
        OnDataAvailable(port_.BytesAvailable());
    }
    const WaitEnd end =
        WaitFor([this] { return !awaitingReply_ || replyFailed_ || PortClosed() || Stopping(); },
                QDeadlineTimer(QDeadlineTimer::Forever));
    if (end == WaitEnd::Gone) {
        return SendResult::NotSent;
    }
    timer1_.stop();
    awaitingReply_ = false;
    SendResult result = SendResult::Done;
    if (end == WaitEnd::Interrupted || Stopping()) {
        result = SendResult::NotSent;
    } else if (end == WaitEnd::Cancelled && !PortClosed()) {
        lineUnsettled_ = true; // the reply may still come
        result = SendResult::Cancelled;
    } else if (PortClosed()) {
        const QPointer<DeviceLink> self(this);
        result = AfterPortClosed();
        if (!self) {
            return SendResult::NotSent;
        }
    }
    EndExchange(VerdictOf(result));
    return result;
}

SendResult DeviceLink::SendFramed(const std::string& command, int settleMs) {
    if (const SendResult check = StartCheck(); check != SendResult::Done) {
        return check;
    }
    const QPointer<DeviceLink> self(this);
    commandBuffer_ = command.substr(0, CommandBufferSize - 1);
    CursorScope cursor(*this);
    // Whatever way the send ends, the controls are usable again and the status line empty.
    const auto finish = [&](SendResult result) {
        if (self) {
            Observer().Waiting(false);
            SetStatusText(QString());
        }
        return result;
    };

    for (int attempt = 1;; ++attempt) {
        ClearReplyFlags();
        minReplyLength_ = tarvel::MinReplyLength(commandBuffer_);
        SetStatusText(SendingText);
        port_.DiscardInput();
        const std::string checksum = ChecksumText(commandBuffer_);
        BeginExchange(QByteArray::fromStdString("PASS " + commandBuffer_ + checksum + "\r\r"));
        WriteRaw("PASS ");
        WriteRaw(commandBuffer_);
        WriteRaw(checksum);
        if (!self) {
            return SendResult::NotSent;
        }
        Observer().Waiting(true);
        timer1_.start(timing_.ReplyTimeoutMs);
        StartCollecting();
        WriteRaw("\r\r");
        if (!self) {
            return SendResult::NotSent;
        }
        const SendResult collected = CollectReply();
        if (!self) {
            return SendResult::NotSent;
        }
        if (collected != SendResult::Done) {
            return finish(collected);
        }
        if (!replyFailed_) {
            break;
        }
        if (cancelRequested_) {
            return finish(SendResult::Cancelled); // no question, no resend
        }

        std::optional<bool> goOn = true;
        if (timedOut_) {
            goOn = Ask({LinkQuestionKind::ResendAfterTimeout, MessageKind::OkCancel, TimeoutText,
                        MessageBoxes::DefaultCaption, attempt});
        } else if (noUnitAnswer_ && !colourBalanceWait_) {
            goOn = Ask({LinkQuestionKind::ResendAfterNoUnitAnswer, MessageKind::OkCancel,
                        NoUnitAnswerText, MessageBoxes::DefaultCaption, attempt});
        } else if (controllerError_) {
            SetStatusText(ControllerErrorText);
            goOn = Pause(timing_.ResendPauseMs);
        }
        if (!self) {
            return SendResult::NotSent;
        }
        if (!goOn.has_value() || !*goOn) {
            // Cancel abandons the command; the model keeps the value it stored.
            if (PortClosed() || Stopping()) {
                return finish(AfterPortClosed());
            }
            return finish(cancelRequested_ ? SendResult::Cancelled : SendResult::Stopped);
        }
        if (debugModeSeen_ && PromptExchange(LeaveDebugConsole) == Prompt::Gone) {
            return SendResult::NotSent;
        }
        bool paused = true;
        if (colourBalanceWait_) {
            SetStatusText(ColourBalanceResendingText);
            paused = Pause(timing_.ColourBalancePauseMs);
        } else {
            SetStatusText(ResendingText);
        }
        paused = paused && Pause(timing_.ResendPauseMs) && PumpOnce();
        if (!self) {
            return SendResult::NotSent;
        }
        if (!paused || PortClosed()) {
            return finish(AfterStop());
        }
    }

    const int settle = timing_.SettleMs(settleMs);
    const QDeadlineTimer settleEnd(settle, Qt::PreciseTimer);
    if (settle > 0 && !Pause(settle)) {
        if (!self) {
            return SendResult::NotSent;
        }
        if (cancelRequested_ && !PortClosed() && !Stopping()) {
            // The command was accepted; the next exchange waits out the rest of its settle.
            settleUntil_ = settleEnd;
            return finish(SendResult::Done);
        }
        return finish(AfterPortClosed());
    }
    if (!self) {
        return SendResult::NotSent;
    }
    if (PortClosed()) {
        return finish(AfterPortClosed());
    }
    return finish(SendResult::Done);
}

SendResult DeviceLink::SendQuery(const std::string& query, int minReplyLength) {
    if (const SendResult check = StartCheck(); check != SendResult::Done) {
        return check;
    }
    const QPointer<DeviceLink> self(this);
    commandBuffer_ = query.substr(0, CommandBufferSize - 1);
    minReplyLength_ = minReplyLength;
    for (int round = 0;; ++round) {
        ClearReplyFlags();
        port_.DiscardInput();
        StartCollecting();
        timer1_.start(timing_.ReplyTimeoutMs);
        BeginExchange(QByteArray::fromStdString(commandBuffer_));
        WriteRaw(commandBuffer_);
        if (!self) {
            return SendResult::NotSent;
        }
        const SendResult collected = CollectReply();
        if (!self) {
            return SendResult::NotSent;
        }
        if (collected != SendResult::Done) {
            return collected;
        }
        if (cancelRequested_ && replyFailed_) {
            return SendResult::Cancelled;
        }
        bool alive = true;
        if (timedOut_) {
            alive = Tell(TimeoutText);
        } else if (noUnitAnswer_ && !colourBalanceWait_) {
            alive = Tell(NoUnitAnswerText);
        } else if (controllerError_) {
            SetStatusText(ControllerErrorText);
            alive = Pause(timing_.ResendPauseMs);
        }
        if (!self) {
            return SendResult::NotSent;
        }
        if (!alive || PortClosed() || Stopping()) {
            return AfterStop();
        }
        if (!debugModeSeen_ || round > 0) {
            return SendResult::Done;
        }
        // A unit answered from its debug console: take it out and ask once more.
        if (PromptExchange(LeaveDebugConsole) == Prompt::Gone ||
            !Pause(timing_.DebugLeavePauseMs)) {
            return self ? AfterStop() : SendResult::NotSent;
        }
    }
}

SendResult DeviceLink::SendConfirmed(const std::string& command, int promptWait) {
    if (const SendResult check = StartCheck(); check != SendResult::Done) {
        return check;
    }
    const QPointer<DeviceLink> self(this);
    commandBuffer_ = command.substr(0, CommandBufferSize - 1);
    CursorScope cursor(*this);
    promptWait_ = promptWait;
    const Prompt prompt = PromptExchange(commandBuffer_);
    if (prompt == Prompt::Gone || !self) {
        return SendResult::NotSent;
    }
    promptWait_ = DefaultPromptWait;
    switch (prompt) {
    case Prompt::Seen:
        return SendResult::Done;
    case Prompt::NotSeen:
        return RecoverLink();
    case Prompt::PortLost:
        return AfterPortClosed();
    case Prompt::Cancelled:
        return SendResult::Cancelled;
    default:
        return SendResult::NotSent;
    }
}

SendResult DeviceLink::RecoverLink() {
    if (ExchangeWaiting()) {
        return SendResult::NotSent;
    }
    const QPointer<DeviceLink> self(this);
    const bool wasConnected = connected_;
    int attempt = 0;
    for (;;) {
        if (Stopping()) {
            return SendResult::NotSent;
        }
        if (cancelRequested_) {
            return SendResult::Cancelled;
        }
        promptWait_ = ProbePromptWait;
        bool answered = ProbePort(ComNumber());
        while (!answered) {
            if (!self || Stopping()) {
                return SendResult::NotSent;
            }
            if (cancelRequested_) {
                promptWait_ = DefaultPromptWait;
                return SendResult::Cancelled;
            }
            const std::optional<bool> retry =
                Ask({LinkQuestionKind::RetryComPort, MessageKind::OkCancel, ComPortErrorText,
                     ComPortErrorCaption, ++attempt});
            if (!retry) {
                return SendResult::NotSent;
            }
            if (!*retry) {
                ClosePort();
                Observer().Abandoned(-1);
                if (!self) {
                    return SendResult::NotSent;
                }
                if (connected_) {
                    SetConnected(false);
                }
                return SendResult::Abandoned;
            }
            answered = ProbePort(ComNumber());
        }
        if (!self) {
            return SendResult::NotSent;
        }
        promptWait_ = DefaultPromptWait;
        switch (PromptExchange(commandBuffer_)) {
        case Prompt::Seen:
            if (wasConnected && !connected_) {
                // The port failed while the user was asked, and has been opened again.
                SetConnected(true);
            }
            return SendResult::Done;
        case Prompt::NotSeen:
            break;
        case Prompt::PortLost:
            return AfterPortClosed();
        case Prompt::Cancelled:
            return SendResult::Cancelled;
        case Prompt::Gone:
        case Prompt::NotSent:
            return SendResult::NotSent;
        }
    }
}

} // namespace tarvel
