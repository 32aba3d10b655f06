#include "WindowTestSupport.h"

#include "ui/TConnectionHelpForm.h"
#include "ui/TInfoForm.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarvel {
namespace {

QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) {
        lines << list->item(i)->text();
    }
    return lines;
}

TEST(TInfoFormTest, IsASmallAlwaysOnTopToolWindowWithoutTitleBarButtons) {
    TInfoForm info;
    EXPECT_EQ(info.windowTitle(), "Prendel - Tarvel Info");
    const Qt::WindowFlags flags = info.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_EQ(info.size(), QSize(383, 34));
    EXPECT_EQ(info.minimumSize(), info.maximumSize());

    const auto* label = info.findChild<QLabel*>("InfoLabel");
    const auto* dots = info.findChild<QLabel*>("InfoProgressLabel");
    ASSERT_NE(label, nullptr);
    ASSERT_NE(dots, nullptr);
    EXPECT_EQ(label->geometry(), QRect(6, 7, 347, 20));
    EXPECT_EQ(dots->geometry(), QRect(352, 7, 41, 20));
    EXPECT_EQ(label->font().pixelSize(), 15);
    EXPECT_EQ(dots->font().pixelSize(), 15);
    EXPECT_TRUE(label->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(label->text(), "Auto Color Balance in progress. Please wait....");
    EXPECT_EQ(dots->text(), "");
    EXPECT_FALSE(info.isVisible());
}

TEST(TInfoFormTest, ShowsTheOperationsTextAndDotsAndHidesOnEveryWayOut) {
    QWidget owner;
    auto* info = new TInfoForm(&owner);
    info->ShowProgress("Tarvel querying Zelvar(s). Please wait....");
    EXPECT_TRUE(info->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(info)) << "painted before the operation starts";
    EXPECT_EQ(info->Text(), "Tarvel querying Zelvar(s). Please wait....");
    info->SetProgressDots("...");
    EXPECT_EQ(info->Dots(), "...");
    info->HideProgress();
    EXPECT_FALSE(info->isVisible());

    info->SetProgressDots("....");
    EXPECT_THROW(
        {
            TInfoForm::Scope progress(*info, "Zelvar reset in progress. Please wait....");
            EXPECT_TRUE(info->isVisible());
            EXPECT_EQ(info->Dots(), "") << "a new operation starts without dots";
            throw std::runtime_error("port lost");
        },
        std::runtime_error);
    EXPECT_FALSE(info->isVisible());
}

TEST(TConnectionHelpFormTest, HoldsEveryLineWordForWord) {
    TConnectionHelpForm help;
    EXPECT_EQ(help.windowTitle(), "Prendel - Tarvel : Connection Help");
    // The instructions fill 792 x 400; the list of this computer's ports is below them.
    EXPECT_EQ(help.size(), QSize(792, 400 + TConnectionHelpForm::PortsSectionHeight));
    EXPECT_EQ(help.minimumSize(), help.maximumSize());
    EXPECT_FALSE(help.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(help.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    EXPECT_EQ(Lines(help.findChild<QListWidget*>("SettingsListBox")),
              (QStringList{
                  "\u00B7   Baud Rate          38.4K",
                  "\u00B7   Data Bit                     8",
                  "\u00B7   Stop Bit                     1",
                  "\u00B7   Parity                  NONE",
              }));
    EXPECT_EQ(
        Lines(help.findChild<QListWidget*>("ControllerListBox")),
        (QStringList{
            "Setup Zelvars Serial settings to the settings shown above.",
            "",
            "Setup Zelvar's serial mode to RS-485 in the SYSTEM OPTIONS menu and select a RS-485 "
            "ID.(this setting can be found in ",
            "SYSTEM OPTIONS->CONFIG SERIAL menu.) The RS-485 ID number can be set from 1 to 32. "
            "The Zelvar RS-485 ID in a multi-screen configuration must ",
            "be set to follow the Kindrel IDs. In a four-screen configuration the Zelvar ID must "
            "be set to 5. In a five-screen Configuration the first Zelvar ID must ",
            "be set to 6 and the second Zelvar ID must be set to 7. In a six-screen "
            "configuration the first Zelvar ID must be set to 7 and the second ",
            "Zelvar ID must be set to 8.",
            "",
            "The Controller must be turned on after Zelvar and Kindrel Plus have booted "
            "completely. The Controller display will show ZV: N ",
            "(N being the number of Zelvar(s) it detects.) If ZV: 0 is shown, check the "
            "connection form the Kindrel Plus frame to the Zelvar and make sure ",
            "that the Zelvar serial mode is set to RS-485 and the proper RS-485 ID has been "
            "selected as explained above. Reboot the Controller until it detects ",
            "the number of Zelvar(s) that are connected to the Kindrel Plus chassis. ",
            "",
            "At this time. click on the \"Serial Port->Search for Zelvar(s)->Search\" menu and "
            "establish connection to the Zelvar(s).",
        }));
    EXPECT_EQ(
        Lines(help.findChild<QListWidget*>("DirectListBox")),
        (QStringList{
            "Setup Zelvars Serial settings to the settings shown above.",
            "",
            "Tarvel can be interfaced directly from the PC to a single Zelvar using a serial "
            "communications cable from the PC serial port to the Zelvar's REMOTE ",
            "serial port.  If this connection is used, the Zelvar's serial port must be "
            "configured for RS-232 operation and the serial port settings of the Zelvar must ",
            "be configured for the same baud rate, data bits, stop bits, parity, and handshake "
            "settings shown above.",
        }));

    for (const char* name : {"ControllerLabel", "DirectLabel"}) {
        const auto* heading = help.findChild<QLabel*>(name);
        ASSERT_NE(heading, nullptr);
        EXPECT_TRUE(heading->font().bold()) << name;
    }
    EXPECT_EQ(help.findChild<QLabel*>("ControllerLabel")->text(), "Tarvel with Controller");
    EXPECT_EQ(help.findChild<QLabel*>("DirectLabel")->text(), "Tarvel without Controller");
    EXPECT_EQ(help.findChild<QLabel*>("ManualLabel")->text(),
              "For figures and further assistance, please refer to Zelvar manual.");
    for (const QListWidget* list : help.findChildren<QListWidget*>()) {
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::NoSelection);
        EXPECT_EQ(list->focusPolicy(), Qt::NoFocus);
    }
}

TEST(TConnectionHelpFormTest, AMinimisedWindowComesBackWhenAskedAgain) {
    TConnectionHelpForm help;
    help.ShowHelp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    help.showMinimized();
    help.ShowHelp();
    EXPECT_FALSE(help.isMinimized());
    EXPECT_TRUE(help.isVisible());
    help.close();
}

} // namespace
} // namespace tarvel
