// Saves pictures of the Display Setup and Projector Setup pages for the documentation: eight
// projectors on two simulated units behind a controller, read from the units, in basic and in
// advanced mode.
//
//     build/tests/ui/ui_display_screenshots docs/screenshots

#include "FormLinkRig.h"
#include "support/TestScreen.h"

#include "ui/TarvelApplication.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/ProjectorSetupPage.h"

#include <QCheckBox>
#include <QDir>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

namespace {

using namespace tarvel;

bool Save(QWidget& window, const QString& directory, const char* name) {
    QCoreApplication::processEvents();
    const QString path = QDir(directory).filePath(QString::fromLatin1(name));
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    return saved;
}

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
    DisplaySetupPage& page = form.DisplaySetup();
    page.SetMaxOverlap(640);
    page.EnableCalculatedControls();
    page.ShowChannels(8);
    form.PageControl()->setCurrentWidget(&page);
    auto* subPages = rig.Find<QTabWidget>("ScreenPageControl");
    bool ok = true;
    subPages->setCurrentIndex(0);
    ok = Save(form, directory, "display-setup-basic-screens-1-4.png") && ok;
    subPages->setCurrentIndex(1);
    ok = Save(form, directory, "display-setup-basic-screens-5-8.png") && ok;

    rig.Find<QCheckBox>("AdvanceModeCheckBox")->click();
    subPages->setCurrentIndex(0);
    ok = Save(form, directory, "display-setup-advanced-screens-1-4.png") && ok;
    subPages->setCurrentIndex(1);
    ok = Save(form, directory, "display-setup-advanced-screens-5-8.png") && ok;

    page.SetServiceView(true);
    subPages->setCurrentIndex(0);
    ok = Save(form, directory, "display-setup-advanced-service-view.png") && ok;
    page.SetServiceView(false);

    form.PageControl()->setCurrentWidget(&form.ProjectorSetup());
    ok = Save(form, directory, "projector-setup.png") && ok;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    tarvel::test::UseTestPlatform();
    tarvel::TarvelApplication app(argc, argv);
    // Absolute: the window runs in a working directory of its own.
    return Run(
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")).absolutePath());
}
