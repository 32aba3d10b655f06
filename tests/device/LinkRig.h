#pragma once

#include "LinkRecorder.h"
#include "support/TestTiming.h"
#include "SimProcess.h"

#include "device/DeviceLink.h"
#include "model/ChannelSettings.h"
#include "platform/QtSerialPort.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel::test {

// Sets TARVEL_PORTS for the rig's life: COM 1 is the first device, and so on; an empty entry is
// a COM number without a device.
class PortsOverride {
public:
    explicit PortsOverride(const QStringList& devices);
    ~PortsOverride();
    PortsOverride(const PortsOverride&) = delete;
    PortsOverride& operator=(const PortsOverride&) = delete;
};

// Devices that do not exist, for COM numbers in front of the one that answers.
QString MissingDevice(int n);

// A link on the real serial port, with a recorder for a window. The port outlives the link.
struct LinkRig {
    LinkRecorder View;
    SettingsModel Model;
    QtSerialPort Port;
    DeviceLink Link{Port, Model, View.User, TestTiming()};

    LinkRig() { Link.SetObserver(&View); }

    // The Serial Port menu items as the window runs them (without the read that follows).
    bool Search() { return Link.Search(View.Planned); }
    bool ConnectDirectly() { return Link.ConnectDirectly(View.Planned, View.Selected); }
};

// zelvar-sim with a log, started for one test; the log and state files are removed afterwards.
class Sim {
public:
    Sim() = default;
    ~Sim();
    Sim(const Sim&) = delete;
    Sim& operator=(const Sim&) = delete;

    ::testing::AssertionResult Start(std::vector<std::string> options);
    QString Path() const { return QString::fromStdString(process_.PtyPath()); }
    // Every command the simulator received, one per line.
    std::vector<std::string> Log() const;
    std::string StatePath() const { return state_; }
    int Stop() { return process_.Stop(); }

private:
    SimProcess process_;
    std::string log_ = SimProcess::UniquePath("device-log");
    std::string state_ = SimProcess::UniquePath("device-state");
};

// Connects through the controller menu item on COM 1 and declines the read question.
::testing::AssertionResult ConnectController(LinkRig& rig);
// Connects directly on COM 1 and declines the read question.
::testing::AssertionResult ConnectDirect(LinkRig& rig);

// Runs the event loop until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs);

} // namespace tarvel::test
