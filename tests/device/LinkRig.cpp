#include "LinkRig.h"

#include "platform/Waiter.h"

#include <cstdio>
#include <sstream>

namespace tarvel::test {

PortsOverride::PortsOverride(const QStringList& devices) {
    qputenv("TARVEL_PORTS", devices.join(QLatin1Char(':')).toLocal8Bit());
}

PortsOverride::~PortsOverride() {
    qunsetenv("TARVEL_PORTS");
}

QString MissingDevice(int n) {
    return QStringLiteral("/dev/tarvel-test-missing-%1").arg(n);
}

Sim::~Sim() {
    process_.Stop();
    std::remove(log_.c_str());
    std::remove(state_.c_str());
}

::testing::AssertionResult Sim::Start(std::vector<std::string> options) {
    options.insert(options.end(), {"--log", log_, "--state", state_});
    std::string error;
    if (!process_.Start(options, &error)) {
        return ::testing::AssertionFailure() << "zelvar-sim did not start: " << error;
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> Sim::Log() const {
    std::vector<std::string> lines;
    std::istringstream in(SimProcess::ReadFile(log_));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

namespace {

::testing::AssertionResult Connect(LinkRig& rig, bool controller) {
    if (controller) {
        rig.Link.ConnectThroughController();
    } else {
        rig.ConnectDirectly();
    }
    if (!rig.Link.Connected()) {
        return ::testing::AssertionFailure()
               << "not connected; boxes: " << rig.View.Boxes.Texts().join(" | ").toStdString();
    }
    rig.View.Boxes.Clear();
    rig.View.StatusTexts.clear();
    return ::testing::AssertionSuccess();
}

} // namespace

::testing::AssertionResult ConnectController(LinkRig& rig) {
    return Connect(rig, true);
}

::testing::AssertionResult ConnectDirect(LinkRig& rig) {
    return Connect(rig, false);
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    return Waiter::WaitUntil(condition, timeoutMs);
}

} // namespace tarvel::test
