// Pictures of the Source Setup and Seam Removal pages, for a channel with video lock and one
// without, against a simulated two-unit wall. With TARVEL_PAGE_SCREENSHOTS set to a folder the
// pictures are saved there as PNG (docs/screenshots holds the ones of the repository).

#include "PageRig.h"

#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(PageScreenshotTest, BothPagesWithAndWithoutLock) {
    test::PageRig rig;
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "2", "--no-video", "6"}));
    ASSERT_TRUE(rig.ReadUnits());
    const QString folder = qEnvironmentVariable("TARVEL_PAGE_SCREENSHOTS");
    const auto grab = [&](const char* name) {
        QTest::qWait(20);
        const QImage image = rig.Form->grab().toImage();
        EXPECT_EQ(image.size(), rig.Form->size()) << name;
        if (!folder.isEmpty()) {
            EXPECT_TRUE(QDir().mkpath(folder));
            EXPECT_TRUE(image.save(QDir(folder).filePath(QString::fromLatin1(name))));
        }
        return image;
    };

    rig.ShowPage(rig.Form->SeamRemoval());
    rig.Form->SeamRemoval().SelectChannel(5);
    const QImage seamLocked = grab("seam-removal-locked.png");
    rig.Form->SeamRemoval().SelectChannel(6);
    EXPECT_NE(grab("seam-removal-unlocked.png"), seamLocked) << "another channel selected";

    rig.ShowPage(rig.Form->SourceSetup());
    rig.Form->SourceSetup().SelectChannel(5);
    const QImage sourceLocked = grab("source-setup-locked.png");
    rig.Form->SourceSetup().SelectChannel(6);
    EXPECT_EQ(rig.Edit("HPositionEdit")->text(), "N/A");
    EXPECT_NE(grab("source-setup-unlocked.png"), sourceLocked);
}

} // namespace
} // namespace tarvel
