#include "BenchWindow.h"

#include "device/DeviceLink.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/ConfigurationTransfer.h"
#include "ui/TTarvelForm.h"

#include <QTest>

#include <cstdio>

bool ShowConnectedAndRead(tarvel::TTarvelForm& form, tarvel::ScriptedMessageBoxes& boxes) {
    boxes.Answer(false); // no search at start-up
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "the window was not shown\n");
        return false;
    }
    QTest::qWait(50);
    boxes.Answer(false); // connect only; the read follows
    form.Link().ConnectThroughController();
    if (!form.Link().Connected()) {
        std::fprintf(stderr, "not connected\n");
        return false;
    }
    boxes.SetDefaultAnswer(true);
    form.Transfer().ReadAllSettings();
    return true;
}
