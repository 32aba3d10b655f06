#include "ChildRoles.h"

#include "LinkRig.h"

#include "device/CommandEncoders.h"

#include <cstdio>
#include <cstring>

namespace tarvel::test {

namespace {

int RecoverCancel() {
    // No log or state files: this process ends without cleaning up. The simulator ends with it.
    SimProcess sim; // the first command is answered, then nothing is
    if (!sim.Start({"--mode", "direct", "--silent-after", "1"})) {
        std::printf("no simulator\n");
        return 2;
    }
    PortsOverride ports({QString::fromStdString(sim.PtyPath())});
    LinkRig rig;
    rig.View.Boxes.Answer(false); // do not read the unit
    rig.Link.ConnectDirectly();
    if (!rig.Link.Connected()) {
        std::printf("not connected\n");
        return 2;
    }
    rig.View.Boxes.OnShow([](const ScriptedMessageBoxes::Call& call) {
        std::printf("%s|%s\n", call.Caption.toUtf8().constData(), call.Text.toUtf8().constData());
        std::fflush(stdout);
    });
    rig.View.Boxes.SetDefaultAnswer(false); // Cancel
    rig.Link.Encoders().SendDataDoubling(1, 0);
    rig.Link.Encoders().SendDataDoubling(1, 1);
    std::printf("returned\n");
    return 3;
}

} // namespace

int RunChildRole(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--recover-cancel") == 0) {
        return RecoverCancel();
    }
    return 2;
}

} // namespace tarvel::test
