// Saves a picture of "Compare with Zelvar(s) ..." for the documentation: two simulated units
// behind a controller, read, then three settings changed in the window on two pages (as a file
// that differs from the units would bring them).
//
//     build/tests/ui/ui_comparison_screenshot docs/screenshots

#include "FormLinkRig.h"

#include "ui/ComparisonDialog.h"
#include "ui/ConfigurationTransfer.h"
#include "ui/TarvelApplication.h"
#include "ui/UnitsComparison.h"
#include "ui/UpdatingControlsGuard.h"

#include <QDir>
#include <QTest>

#include <cstdio>

namespace {

using namespace tarvel;

int Run(const QString& directory) {
    test::SimUnits sim;
    if (!sim.Start({"--mode", "controller", "--units", "2"})) {
        return 1;
    }
    test::FormLinkRig rig;
    if (!rig.Show() || !rig.ConnectController(sim.Path()) || !rig.ReadUnits()) {
        return 1;
    }
    TTarvelForm& form = *rig.Form;
    ChannelSettings& channels = form.Model().Channels;
    channels.Output(1, 2).LeftGamma = 3.5f;
    channels.Input(1, 3).RedContrast = 5.0f;
    channels.Output(2, 2).BlackLevel = 40;
    channels.UnitOutput(1).DisplayOverlap = 300;
    {
        UpdatingControlsGuard updating(form.State());
        form.Transfer().FillPagesFromModel();
    }
    rig.Boxes.Clear();
    form.Comparison().Run();
    ComparisonDialog* dialog = form.Comparison().Dialog();
    if (dialog == nullptr || !QTest::qWaitForWindowExposed(dialog)) {
        std::fprintf(stderr, "no comparison: %s\n", qPrintable(rig.Boxes.Texts().join(" | ")));
        return 1;
    }
    QTest::qWait(100);
    const QString path = QDir(directory).filePath(QStringLiteral("comparison-dialog.png"));
    const bool saved = dialog->grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    dialog->reject();
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    tarvel::TarvelApplication app(argc, argv);
    // Absolute: the window runs in a working directory of its own.
    return Run(
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")).absolutePath());
}
