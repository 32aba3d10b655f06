#pragma once

#include "WindowTestSupport.h"

#include "SimProcess.h"

#include "device/DeviceLink.h"
#include "model/ChannelSettings.h"
#include "platform/QtSerialPort.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/TTarvelForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarvel::test {

// zelvar-sim for one test, with its command log and state file (removed afterwards).
class SimUnits {
public:
    SimUnits() = default;
    ~SimUnits();
    SimUnits(const SimUnits&) = delete;
    SimUnits& operator=(const SimUnits&) = delete;

    ::testing::AssertionResult Start(std::vector<std::string> options);
    QString Path() const { return QString::fromStdString(process_.PtyPath()); }
    // Every command the simulator received, one per line, in order.
    std::vector<std::string> Log() const;
    // The log from line `from` on (commands after a point the test marked).
    std::vector<std::string> LogFrom(std::size_t from) const;
    // The units' records as the simulator holds them now.
    ChannelSettings State() const;

private:
    SimProcess process_;
    std::string log_ = SimProcess::UniquePath("ui-log");
    std::string state_ = SimProcess::UniquePath("ui-state");
};

// The main window on the real serial port, with its own link, in a fresh working directory
// with scripted message boxes.
class FormLinkRig {
public:
    FormLinkRig();
    ~FormLinkRig();
    FormLinkRig(const FormLinkRig&) = delete;
    FormLinkRig& operator=(const FormLinkRig&) = delete;

    // Shows the window active, lets the start-up question pass (answered No) and forgets its
    // boxes.
    ::testing::AssertionResult Show();
    // Connects on COM 1 = `path` without reading the units.
    ::testing::AssertionResult ConnectController(const QString& path);
    ::testing::AssertionResult ConnectDirect(const QString& path);
    // Reads every unit and fills the Display Setup page from the model, as a read from the
    // units does.
    ::testing::AssertionResult ReadUnits();
    // Makes the window the active one again (after another window was shown).
    bool Activate();

    template <typename T> T* Find(const QString& name) const { return Form->findChild<T*>(name); }

    ScriptedMessageBoxes Boxes;
    WorkingDirectory Directory;
    std::unique_ptr<TTarvelForm> Form;
    SerialPort& Port;
    DeviceLink* Link;

private:
    ::testing::AssertionResult Connect(const QString& path, bool controller);
};

} // namespace tarvel::test
