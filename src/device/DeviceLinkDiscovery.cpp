// DeviceLink: the search for units over the COM ports, the connect and disconnect actions, the
// Serial Port menu settings and the unit count check. Waits, boxes and sends are in
// DeviceLink.cpp.

#include "device/DeviceLink.h"

#include "device/UnitQueries.h"
#include "model/ChannelSettings.h"
#include "platform/PortOpenResult.h"
#include "platform/SerialPort.h"

namespace tarvel {

namespace {

const QString EstablishedText = QStringLiteral("Established communication with Zelvar on Com ");
const QString EstablishCaption =
    QStringLiteral("Prendel - Tarvel :Establish COM port communication with Zelvar(s)");
const QString NotDetectedText = QStringLiteral(
    "Zelvar(s) not detected.\n1) Please check RS-232 cable.\n2) Make sure Zelvar(s) boot-up "
    "initialization has been completed.\n3) Go to 'Serial Port->Search for Zelvar(s)->Search' "
    "menu item for the Tarvel to search for Zelvar(s) again.");
const QString NeedControllerText = QStringLiteral(
    "Error! Current output settings require 2 Zelvars. Please connect PC's COM Port to Prendel "
    "Controller's Serial Port and have the Zelvars connected to the Prendel Controller's Remote "
    "Port.");
const QString ControllerNotDetectedText = QStringLiteral(
    "Controller not detected.\n1) Please check RS-232 cable and make sure it is connected to "
    "laptop/PC and to the 'Console' port on the Controller.\n2) Make sure Controller and Zelvar "
    "unit(s) boot-up initialization has been completed.");
const QString ZelvarNotDetectedText = QStringLiteral(
    "Zelvar not detected on COM Ports.\n1) Please check RS-232 cable and make sure it is "
    "connected to laptop/PC and to the 'Remote' port on the Zelvar.\n2) Make sure Zelvar unit(s) "
    "boot-up initialization has been completed.\n If using the Controller, make sure that the "
    "Controller is turned on after after the Zelvar unit(s)boot-up initialization has been "
    "completed.");
const QString OnlyUnitOneQuestion = QStringLiteral(
    "Zelvar total # of projectors settings indicate that 2 Zelvars are required.To access 2 "
    "Zelvars, Tarvel requires the use of an Prendel Controller.\nDo you wish to continue and "
    "control only Zelvar #1?");
const QString TwoUnitsHowTo = QStringLiteral(
    "For Tarvel to control 2 Zelvars:\n1)Connect PC's COM Port to Prendel Controller's 'Console' "
    "port\n2)Connect Zelvars to Kindrel Plus chassis(to ports labelled 'Kindrel')\n3)Set Zelvar "
    "Serial Mode to RS485 and set RS485 ID to next available #.\n4)Reboot Prendel Controller and "
    "verify that it detects Zelvars (ZV:#)");
const QString TwoUnitsError =
    QStringLiteral("Error! Increasing the # of Projectors to exceed 4 will require using 2 "
                   "Zelvars.\n\n") +
    TwoUnitsHowTo;

constexpr int BaudForIndex[] = {38400, 57600};

QString ProbeOpenNote(const PortOpenResult& result) {
    const QString port = QStringLiteral("Note: COM Port #%1").arg(result.ComNumber);
    if (result.Outcome == PortOpenResult::Status::PermissionDenied) {
        return port + QStringLiteral(" cannot be opened. ") +
               PortOpenResult::PermissionText(result.Device, result.Group);
    }
    return port + QStringLiteral(" is not responding/being used by another application.");
}

} // namespace

bool DeviceLink::ProbePort(int comNumber) {
    if (Stopping() || !portGuard_ || !port_.ComNumberExists(comNumber)) {
        return false;
    }
    const QPointer<DeviceLink> self(this);
    if (port_.ComNumber() != comNumber) {
        expectOpen_ = false; // moving the port closes it
    }
    port_.SetComNumber(comNumber);
    if (!port_.IsOpen()) {
        const PortOpenResult opened = port_.Open();
        if (!opened.Ok()) {
            Tell(ProbeOpenNote(opened));
            return false;
        }
        expectOpen_ = true;
        lossPending_ = false;
        lineUnsettled_ = false;
        settleUntil_ = QDeadlineTimer();
        openComNumber_ = comNumber;
        openDevice_ = opened.Device;
    }
    probing_ = true;
    Prompt prompt = PromptExchange("\r");
    if (prompt == Prompt::NotSeen) {
        prompt = PromptExchange("\r");
    }
    if (prompt == Prompt::Gone) {
        return false;
    }
    probing_ = false;
    if (prompt == Prompt::PortLost) {
        lossPending_ = false;
        Tell(QStringLiteral("Note: COM Port #%1 is not responding.").arg(comNumber));
        return false;
    }
    return self && prompt == Prompt::Seen;
}

int DeviceLink::ScanPorts() {
    if (Stopping() || ExchangeWaiting() || !portGuard_) {
        return -1;
    }
    const QPointer<DeviceLink> self(this);
    // Reopened by the probes, so the mode's flow control applies.
    ClosePort();
    Observer().Waiting(true);
    Observer().BusyCursor(true);
    promptWait_ = ProbePromptWait;
    int result = -1;
    for (int n = SerialPort::FirstComNumber; n <= SerialPort::LastComNumber; ++n) {
        const bool answered = ProbePort(n);
        if (!self) {
            return -1;
        }
        if (answered) {
            SetStatusText(EstablishedText + QString::number(n));
            Observer().ComNumberFound(n);
            result = 1;
            break;
        }
        if (Stopping()) {
            break;
        }
    }
    if (result == -1) {
        ClosePort();
    }
    promptWait_ = DefaultPromptWait;
    Observer().BusyCursor(false);
    Observer().Waiting(false);
    return result;
}

void DeviceLink::ApplyBaudBox() {
    port_.SetBaud(BaudForIndex[baudIndex_ == 1 ? 1 : 0]);
}

void DeviceLink::SetConnectionMode(ConnectionMode mode) {
    mode_ = mode;
    const bool controller = mode == ConnectionMode::Controller;
    if (defaultBaud_) {
        baudIndex_ = controller ? 1 : 0;
    }
    promptCharacter_ = PromptCharacterFor(mode);
    port_.SetHardwareFlowControl(controller);
    ApplyBaudBox();
    ShowSettings();
}

void DeviceLink::SetBaudIndex(int index) {
    baudIndex_ = index == 1 ? 1 : 0;
    ApplyBaudBox();
    ShowSettings();
}

void DeviceLink::ChooseDefaultBaud() {
    defaultBaud_ = true;
    ShowSettings();
}

void DeviceLink::ChooseBaud(int baud) {
    if (!SerialPort::IsSupportedBaud(baud)) {
        return;
    }
    port_.SetBaud(baud);
    defaultBaud_ = false;
    ShowSettings();
}

void DeviceLink::ChooseParity(int code) {
    if (code < 0 || code > 4) {
        return;
    }
    port_.SetParity(static_cast<Parity>(code));
    ShowSettings();
}

int DeviceLink::ScanFor(ConnectionMode mode) {
    SetConnectionMode(mode);
    return ScanPorts();
}

bool DeviceLink::Search(double plannedProjectors) {
    if (Stopping() || ExchangeWaiting()) {
        return false;
    }
    const QPointer<DeviceLink> self(this);
    int result = ScanFor(ConnectionMode::Direct);
    if (!self) {
        return false;
    }
    if (result == -1) {
        result = ScanFor(ConnectionMode::Controller);
        if (!self) {
            return false;
        }
        if (result == -1) {
            if (Tell(NotDetectedText)) {
                SetConnected(false);
            }
            return false;
        }
        SetConnected(true);
        if (PromptExchange(LeaveDebugConsole) == Prompt::Gone) {
            return false;
        }
    } else {
        if (plannedProjectors > 4) {
            if (!Tell(NeedControllerText)) {
                return false;
            }
            ClosePort();
            SetConnected(false);
            return false;
        }
        SetConnected(true);
        replyFailed_ = false;
    }
    return true;
}

bool DeviceLink::ConnectThroughController() {
    if (Stopping() || ExchangeWaiting()) {
        return false;
    }
    const QPointer<DeviceLink> self(this);
    if (ScanFor(ConnectionMode::Controller) == -1) {
        if (self && Tell(ControllerNotDetectedText)) {
            SetConnected(false);
        }
        return false;
    }
    if (!self) {
        return false;
    }
    SetConnected(true);
    return PromptExchange(LeaveDebugConsole) != Prompt::Gone;
}

bool DeviceLink::ConnectDirectly(double plannedProjectors, int selectedProjectors) {
    if (Stopping() || ExchangeWaiting()) {
        return false;
    }
    const QPointer<DeviceLink> self(this);
    if (ScanFor(ConnectionMode::Direct) == -1) {
        if (self && Tell(ZelvarNotDetectedText)) {
            SetConnected(false);
        }
        return false;
    }
    if (!self || !CheckUnitCountForMode(plannedProjectors, selectedProjectors)) {
        return false; // refused, or the link went away
    }
    SetConnected(true);
    replyFailed_ = false;
    return true;
}

void DeviceLink::Disconnect() {
    ClosePort();
    SetConnected(false);
    Observer().Disconnected();
    model_.System.ReadValid = false;
}

bool DeviceLink::CheckUnitCountForMode(double plannedProjectors, int selectedProjectors) {
    const QPointer<DeviceLink> self(this);
    if (plannedProjectors > 4.0 && mode_ == ConnectionMode::Direct) {
        const std::optional<bool> yes =
            Ask({LinkQuestionKind::ContinueWithUnitOneOnly, MessageKind::YesNo, OnlyUnitOneQuestion,
                 EstablishCaption});
        if (!yes) {
            return false;
        }
        if (*yes) {
            return true;
        }
        if (Tell(TwoUnitsHowTo)) {
            Disconnect();
        }
        return false;
    }
    if (selectedProjectors <= 4) {
        return true;
    }
    if (mode_ == ConnectionMode::Controller) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (attempt > 0 && !Pause(timing_.UnitCountRetryPauseMs)) {
                return false;
            }
            int count = 0;
            const QueryResult result = queries_->ReadUnitCount(model_, count);
            if (!self || result == QueryResult::Aborted) {
                return false;
            }
            if (count > 1) {
                return true;
            }
        }
    }
    Tell(TwoUnitsError);
    return false;
}

} // namespace tarvel
