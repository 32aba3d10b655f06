#include "FormLinkRig.h"
#include "support/TestTiming.h"

#include "device/UnitQueries.h"
#include "device/UnitsRead.h"
#include "model/RecordImage.h"
#include "ui/TInfoForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace tarvel::test {

SimUnits::~SimUnits() {
    process_.Stop();
    std::remove(log_.c_str());
    std::remove(state_.c_str());
}

::testing::AssertionResult SimUnits::Start(std::vector<std::string> options) {
    options.insert(options.end(), {"--log", log_, "--state", state_});
    std::string error;
    if (!process_.Start(options, &error)) {
        return ::testing::AssertionFailure() << "zelvar-sim did not start: " << error;
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> SimUnits::Log() const {
    std::vector<std::string> lines;
    std::istringstream in(SimProcess::ReadFile(log_));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> SimUnits::LogFrom(std::size_t from) const {
    std::vector<std::string> lines = Log();
    lines.erase(lines.begin(),
                lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())));
    return lines;
}

ChannelSettings SimUnits::State() const {
    const std::string bytes = SimProcess::ReadFile(state_);
    ChannelSettings channels;
    if (bytes.size() != 2 * (InputBlockSize + OutputBlockSize)) {
        return channels;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t unit = 0; unit < 2; ++unit) {
        ReadBlock(std::span<const std::uint8_t, InputBlockSize>(data + unit * InputBlockSize,
                                                                InputBlockSize),
                  channels.Inputs[unit]);
        ReadBlock(std::span<const std::uint8_t, OutputBlockSize>(
                      data + 2 * InputBlockSize + unit * OutputBlockSize, OutputBlockSize),
                  channels.Outputs[unit]);
    }
    return channels;
}

namespace {

std::unique_ptr<TTarvelForm> MakeForm(ScriptedMessageBoxes& boxes) {
    TTarvelForm::Options options;
    options.Timing = test::TestTiming();
    options.Messages = &boxes;
    options.CloseWaitMs = 0;
    return std::make_unique<TTarvelForm>(std::move(options));
}

} // namespace

FormLinkRig::FormLinkRig() : Form(MakeForm(Boxes)), Port(Form->Port()), Link(&Form->Link()) {}

FormLinkRig::~FormLinkRig() {
    Form.reset();
    qunsetenv("TARVEL_PORTS");
}

::testing::AssertionResult FormLinkRig::Show() {
    if (!ShowActive(*Form)) {
        return ::testing::AssertionFailure() << "the window did not become active";
    }
    // The start-up question comes once the window is up.
    QTest::qWait(20);
    QCoreApplication::processEvents();
    Boxes.Clear();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult FormLinkRig::Connect(const QString& path, bool controller) {
    qputenv("TARVEL_PORTS", path.toLocal8Bit());
    if (controller) {
        Link->ConnectThroughController();
    } else {
        Link->ConnectDirectly(1.0, 1);
    }
    if (!Link->Connected()) {
        return ::testing::AssertionFailure()
               << "not connected; boxes: " << Boxes.Texts().join(" | ").toStdString();
    }
    Boxes.Clear();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult FormLinkRig::ConnectController(const QString& path) {
    return Connect(path, true);
}

::testing::AssertionResult FormLinkRig::ConnectDirect(const QString& path) {
    return Connect(path, false);
}

::testing::AssertionResult FormLinkRig::ReadUnits() {
    const UnitsReadEnd end = tarvel::ReadUnits(*Link, Form->Model());
    if (end.Result != UnitsReadEnd::Outcome::Read) {
        return ::testing::AssertionFailure()
               << "the read ended with " << static_cast<int>(end.Result) << " (" << end.Code << ")";
    }
    Form->DisplaySetup().FillDisplayPage();
    // The progress window took the activation; a window manager would give it back.
    if (Form->isVisible() && !Activate()) {
        return ::testing::AssertionFailure() << "the window did not become active again";
    }
    return ::testing::AssertionSuccess();
}

bool FormLinkRig::Activate() {
    // The window system reports the activation a moment after the window has it.
    return Reactivate(*Form) &&
           QTest::qWaitFor([this] { return QApplication::activeWindow() == Form.get(); });
}

} // namespace tarvel::test
