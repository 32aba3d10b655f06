#include "FormLinkRig.h"

#include "device/UnitQueries.h"
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

FormLinkRig::FormLinkRig() {
    TTarvelForm::Options options;
    options.Messages = &Boxes;
    options.Connected = [this] { return Link != nullptr && Link->Connected(); };
    options.CloseWaitMs = 0;
    Form = std::make_unique<TTarvelForm>(std::move(options));
    Link = std::make_unique<DeviceLink>(Port, *this, Form->Model());
    // Until the window holds a link of its own, the pages reach this one.
    const_cast<UiContext&>(Form->Context()).Link = Link.get();
}

FormLinkRig::~FormLinkRig() {
    const_cast<UiContext&>(Form->Context()).Link = nullptr;
    Link.reset();
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
    Boxes.Answer(false); // no read now
    if (controller) {
        Link->ConnectThroughController();
    } else {
        Link->ConnectDirectly();
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
    SettingsModel& model = Form->Model();
    model.System.UnitCount =
        Link->Mode() == ConnectionMode::Controller ? Link->Queries().QueryUnitCount() : 1;
    if (model.System.UnitCount < 1) {
        return ::testing::AssertionFailure() << "no unit counted";
    }
    for (int unit = 1; unit <= model.System.UnitCount; ++unit) {
        if (const int result = Link->Queries().QueryUnit(unit); result != 1) {
            return ::testing::AssertionFailure() << "unit " << unit << " read: " << result;
        }
    }
    model.System.ReadValid = true;
    {
        UpdatingControlsGuard updating(Form->State());
        Form->DisplaySetup().FillDisplayPage();
    }
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

void FormLinkRig::ShowProgress(const QString& text) {
    Form->InfoForm().ShowProgress(text);
}

void FormLinkRig::SetProgressDots(const QString& dots) {
    Form->InfoForm().SetProgressDots(dots);
}

void FormLinkRig::HideProgress() {
    Form->InfoForm().HideProgress();
}

void FormLinkRig::FillDisplayPage() {
    ++FillDisplayCount;
    UpdatingControlsGuard updating(Form->State());
    Form->DisplaySetup().FillDisplayPage();
}

void FormLinkRig::ExitApplication(int code) {
    std::fprintf(stderr, "the link ended the program with %d\n", code);
    std::abort();
}

} // namespace tarvel::test
