#include "ScriptedFileDialogs.h"
#include "WindowTestSupport.h"
#include "support/TestTiming.h"
#include "support/TestScreen.h"

#include "device/DeviceLink.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/TAboutBox.h"
#include "ui/TConnectionHelpForm.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/InformationPage.h"
#include "ui/pages/PlanningPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tarvel {
namespace {

class TTarvelFormTest : public ::testing::Test {
protected:
    // Constructs the form in the test's working directory; stderr is captured meanwhile.
    void Create() {
        ::testing::internal::CaptureStderr();
        TTarvelForm::Options options;
        options.Timing = test::TestTiming();
        options.Messages = &boxes;
        options.Dialogs = &dialogs;
        options.Connected = [this] { return connected; };
        options.CloseWaitMs = 0;
        form = std::make_unique<TTarvelForm>(std::move(options));
        constructionStderr = ::testing::internal::GetCapturedStderr();
    }
    // Shows the form and lets the start-up question come and go (answered No).
    void CreateShown() {
        Create();
        boxes.Answer(false);
        ASSERT_TRUE(test::ShowActive(*form));
        QTest::qWait(10);
        ASSERT_EQ(boxes.PendingAnswers(), 0) << "the start-up question was not asked";
        boxes.Clear();
    }
    void TearDown() override {
        if (form) {
            form->hide(); // destroyed without the exit question
        }
    }

    QAction* Item(const char* name) const { return form->MenuAction(name); }
    template <typename T> T* Control(const char* name) const { return form->findChild<T*>(name); }

    test::WorkingDirectory directory;
    ScriptedMessageBoxes boxes;
    test::ScriptedFileDialogs dialogs;
    bool connected = false;
    std::unique_ptr<TTarvelForm> form;
    std::string constructionStderr;
};

TEST_F(TTarvelFormTest, IsAFixedWindowWithTheClientAreaBelowItsMenu) {
    CreateShown();
    EXPECT_EQ(form->objectName(), "TTarvelForm");
    EXPECT_EQ(form->windowTitle(), "Prendel - Tarvel");
    const QWidget* pages = Control<QTabWidget>("PhasePageControl");
    const QWidget* status = Control<QStatusBar>("MainStatusBar");
    ASSERT_NE(pages, nullptr);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(pages->width(), 908);
    EXPECT_EQ(status->width(), 908);
    EXPECT_EQ(pages->height() + status->height(), 594);
    EXPECT_EQ(status->y(), pages->geometry().bottom() + 1);
    EXPECT_EQ(form->height(), form->menuBar()->height() + 594);
    EXPECT_EQ(form->width(), 908);
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "not resizable";
    EXPECT_EQ(form->centralWidget(), pages) << "the screen holds it: nothing scrolls";
    EXPECT_TRUE(form->screen()->availableGeometry().contains(form->frameGeometry()));

    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(TTarvelFormTest, HasSixPagesWithTheSeamRemovalTabHiddenAndPlanningActive) {
    Create();
    const auto* pages = Control<QTabWidget>("PhasePageControl");
    const char* const expected[][2] = {
        {"PlanningTabSheet", "Planning"},        {"ProjAlignTabSheet", "Projector Setup"},
        {"SourceSetupTabSheet", "Source Setup"}, {"DisplaySetupTabSheet", "Display Setup"},
        {"SeamRemovalTabSheet", "Seam Removal"}, {"InfoTabSheet", "Information"},
    };
    ASSERT_EQ(pages->count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), expected[i][0]);
        EXPECT_EQ(pages->tabText(i), expected[i][1]);
        EXPECT_EQ(pages->isTabVisible(i), i != 4) << expected[i][1];
    }
    EXPECT_EQ(pages->currentIndex(), 0);
}

// Each menu's entries in order: caption, "[x]" when ticked, "(off)" when disabled, "---" for
// a separator, "Caption >" for a submenu.
QStringList Entries(const QMenu* menu) {
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            entries << "---";
            continue;
        }
        QString entry = MainMenu::ShownCaption(action->text());
        if (action->menu() != nullptr) {
            entry += " >";
        }
        if (action->isChecked()) {
            entry += " [x]";
        }
        if (!action->isEnabled()) {
            entry += " (off)";
        }
        entries << entry;
    }
    return entries;
}

TEST_F(TTarvelFormTest, TheMenuHoldsEveryItemWithItsTickAndState) {
    Create();
    QMenuBar* bar = Control<QMenuBar>("MainMenu1");
    ASSERT_NE(bar, nullptr);
    QStringList top;
    for (const QAction* action : bar->actions()) {
        top << MainMenu::ShownCaption(action->text());
    }
    EXPECT_EQ(top, (QStringList{"File", "Serial Port", "Help"}));

    const auto menu = [&](const char* name) { return Entries(Control<QMenu>(name)); };
    EXPECT_EQ(menu("File1"), (QStringList{"Open Configuration File", "Save Configuration to File",
                                          "Send Current Settings to Zelvar(s) (off)", "Exit"}));
    EXPECT_EQ(menu("SerialPort1"),
              (QStringList{"Settings (Adv users only) >", "Search for Zelvar(s) ... >",
                           "Network Port...", "Read from Zelvar(s) ... (off)",
                           "Compare with Zelvar(s) ... (off)", "---",
                           "Disconnect Serial Communication"}));
    EXPECT_EQ(menu("SettingsAdvusersonly1"), (QStringList{"COM Port >", "Baud >", "Parity >"}));
    EXPECT_EQ(menu("COMPort1"), (QStringList{"Search (COM 1 && COM 2) [x]", "COM 3", "COM 4",
                                             "COM 5", "COM 6", "COM 7"}));
    EXPECT_EQ(menu("Baud1"),
              (QStringList{"Default values [x]", "---", "9600", "19200", "38400", "57600"}));
    EXPECT_EQ(menu("Parity1"), (QStringList{"None [x]", "Odd", "Even", "Mark", "Space"}));
    EXPECT_EQ(menu("SearchforZelvars1"),
              (QStringList{"Search....", "---", "Zelvar(s) connected to Controller",
                           "Zelvar connected to Serial Port directly"}));
    EXPECT_EQ(menu("Help1"), (QStringList{"Help with Tarvel Serial connection", "Journal...",
                                          "Save Support Report...", "About..."}));

    // "&&" is the toolkit's escape: the item shows one ampersand, which is not its mnemonic.
    EXPECT_EQ(Item("SearchCOM1COM21")->iconText(), "Search (COM 1 & COM 2)");
    EXPECT_EQ(QKeySequence::mnemonic(Item("SearchCOM1COM21")->text()),
              QKeySequence(Qt::ALT | Qt::Key_S));

    for (const char* name : {"OpenConfigurationFile1",
                             "SaveConfigurationtoFile1",
                             "SendCurrentSettingstoZelvars1",
                             "Exit1",
                             "Defaultvalues1",
                             "N96001",
                             "N192001",
                             "N384001",
                             "N576001",
                             "None1",
                             "Odd1",
                             "Even1",
                             "Mark1",
                             "Space1",
                             "Search1",
                             "ZelvarconnectedthruController1",
                             "ZelvarconnectedtoSerialPortdirectly1",
                             "ReadfromZelvars1",
                             "DisconnectSerialCo1",
                             "HelpwithTarvelSerialconnection1",
                             "About1",
                             "SearchCOM1COM21",
                             "COM31",
                             "COM71"}) {
        ASSERT_NE(Item(name), nullptr) << name;
        EXPECT_EQ(Item(name)->objectName(), name);
    }
}

// The keyboard reaches every menu and item: each has a mnemonic of its own within its menu
// (the shown caption unchanged, one letter underlined), and the main items a shortcut.
TEST_F(TTarvelFormTest, EveryMenuAndItemHasItsOwnMnemonicAndTheMainItemsShortcuts) {
    Create();
    const auto checkUnique = [](const QList<QAction*>& actions, const QString& where) {
        QList<QKeySequence> seen;
        for (const QAction* action : actions) {
            if (action->isSeparator()) {
                continue;
            }
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            EXPECT_FALSE(key.isEmpty()) << action->objectName().toStdString();
            EXPECT_FALSE(seen.contains(key))
                << where.toStdString() << ": " << action->objectName().toStdString();
            seen << key;
        }
    };
    checkUnique(Control<QMenuBar>("MainMenu1")->actions(), "menu bar");
    for (const QMenu* menu : Control<QMenuBar>("MainMenu1")->findChildren<QMenu*>()) {
        checkUnique(menu->actions(), menu->objectName());
    }
    EXPECT_EQ(Item("File1")->text(), "&File");
    EXPECT_EQ(Item("ZelvarconnectedtoSerialPortdirectly1")->text(),
              "Zelvar connected to Serial Port &directly");

    const auto shortcut = [&](const char* name) { return Item(name)->shortcut(); };
    EXPECT_EQ(shortcut("OpenConfigurationFile1"), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(shortcut("SaveConfigurationtoFile1"), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(shortcut("ReadfromZelvars1"), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(shortcut("SendCurrentSettingstoZelvars1"), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(shortcut("Exit1"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(shortcut("HelpwithTarvelSerialconnection1"), QKeySequence(Qt::Key_F1));
}

TEST_F(TTarvelFormTest, TheKeysOpenAMenuAndRunTheItemsExitAsking) {
    CreateShown();
    QTest::keyClick(form.get(), Qt::Key_F, Qt::AltModifier);
    QMenu* file = Control<QMenu>("File1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return file->isVisible(); }, 2000)) << "Alt+F";
    file->close();
    ASSERT_TRUE(test::Reactivate(*form));

    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Shown, QStringList({"open", "save"}));

    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_TRUE(form->ConnectionHelpForm().isVisible());
    form->ConnectionHelpForm().hide();
    ASSERT_TRUE(test::Reactivate(*form));

    boxes.Answer(false);
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(boxes.Texts(), QStringList({TTarvelForm::ExitQuestion}));
    EXPECT_TRUE(form->isVisible()) << "No: the window stays";
}

// At a scale factor of 2 a 1280 x 1024 screen offers 640 x 512: the window is made to fit,
// wholly on the screen with its menu bar and status line, and its pages scroll. Run in a
// program of its own (the scale factor is the process's).
TEST(ScreenFitTest, AtScaleFactorTwoOnA1280x1024ScreenTheWindowFitsAndItsPagesScroll) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", "2");
    environment.insert("QT_QPA_PLATFORM", QString::fromLatin1(test::TestPlatform()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--screen-fit"});
    ASSERT_TRUE(child.waitForFinished(30000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    QMap<QString, QList<int>> values;
    for (const QString& line : QString::fromLocal8Bit(child.readAllStandardOutput()).split('\n')) {
        QStringList words = line.split(' ', Qt::SkipEmptyParts);
        if (!words.isEmpty()) {
            const QString key = words.takeFirst();
            for (const QString& word : words) {
                values[key] << word.toInt();
            }
        }
    }
    const auto rect = [&](const char* key) {
        const QList<int> v = values.value(key);
        return v.size() == 4 ? QRect(v[0], v[1], v[2], v[3]) : QRect();
    };
    const QRect screen = rect("screen");
    EXPECT_EQ(screen, QRect(0, 0, 640, 512)) << "1280 x 1024 at a scale factor of 2";
    EXPECT_TRUE(screen.contains(rect("frame"))) << "the window wholly on the screen";
    EXPECT_TRUE(screen.contains(rect("menu")));
    EXPECT_TRUE(screen.contains(rect("status")));
    EXPECT_GE(rect("menu").height(), 10) << "the menu bar is there";
    EXPECT_EQ(values.value("scroll"), (QList<int>{1, 908, 575}))
        << "the pages keep their size and scroll";
    EXPECT_GT(values.value("range").value(0), 0);
    EXPECT_GT(values.value("range").value(1), 0);
}

TEST_F(TTarvelFormTest, BaudAndParityTicksAreExclusiveAndTheComPortItemsStayAsTheyAre) {
    Create();
    Item("N96001")->trigger();
    EXPECT_TRUE(Item("N96001")->isChecked());
    EXPECT_FALSE(Item("Defaultvalues1")->isChecked());
    Item("Defaultvalues1")->trigger();
    EXPECT_TRUE(Item("Defaultvalues1")->isChecked());
    EXPECT_FALSE(Item("N96001")->isChecked());
    Item("Mark1")->trigger();
    EXPECT_TRUE(Item("Mark1")->isChecked());
    EXPECT_FALSE(Item("None1")->isChecked());

    Item("SearchCOM1COM21")->trigger();
    Item("COM31")->trigger();
    EXPECT_TRUE(Item("SearchCOM1COM21")->isChecked());
    EXPECT_FALSE(Item("COM31")->isChecked());
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(TTarvelFormTest, TheHiddenLinkControlsShowAndDriveTheLinksSettings) {
    Create();
    auto* rs485 = Control<QCheckBox>("RS485CheckBox");
    auto* baud = Control<QComboBox>("BaudComboBox");
    EXPECT_FALSE(rs485->isChecked());
    EXPECT_EQ(rs485->text(), "Using Prendel Controllers to communicate with Zelvar");
    EXPECT_TRUE(Control<QGroupBox>("HardwareSetupGroupBox")->isHidden());
    EXPECT_EQ(baud->currentText(), "38400");
    EXPECT_EQ(baud->count(), 2);
    EXPECT_FALSE(baud->isEnabled());
    EXPECT_EQ(Control<QLabel>("ComNumberLabel")->text(), "None");
    for (const char* name : {"ZelvarID1Edit", "ZelvarID2Edit"}) {
        EXPECT_TRUE(Control<QLineEdit>(name)->isHidden()) << name;
        EXPECT_FALSE(Control<QLineEdit>(name)->isEnabled()) << name;
    }
    EXPECT_EQ(Control<QLineEdit>("ZelvarID2Edit")->text(), "2");

    // Ticking the box chooses the controller: its default rate and flow control.
    rs485->click();
    EXPECT_EQ(form->Link().Mode(), ConnectionMode::Controller);
    EXPECT_EQ(baud->currentText(), "57600");
    EXPECT_EQ(form->Port().Baud(), 57600);
    EXPECT_TRUE(form->Port().HardwareFlowControl());

    // A rate from the menu holds until the next mode choice, which applies the box again;
    // the tick follows the rate the port runs at.
    Item("N192001")->trigger();
    EXPECT_EQ(form->Port().Baud(), 19200);
    rs485->click();
    EXPECT_EQ(form->Link().Mode(), ConnectionMode::Direct);
    EXPECT_EQ(baud->currentText(), "57600") << "no default rate: the box stays";
    EXPECT_EQ(form->Port().Baud(), 57600);
    EXPECT_TRUE(Item("N576001")->isChecked());
    EXPECT_FALSE(form->Port().HardwareFlowControl());
    Item("Space1")->trigger();
    EXPECT_EQ(form->Port().CurrentParity(), Parity::Space);
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(TTarvelFormTest, ReadCompareAndSendAreEnabledTogether) {
    Create();
    form->SetReadSendEnabled(true);
    EXPECT_TRUE(Item("ReadfromZelvars1")->isEnabled());
    EXPECT_TRUE(Item("ComparewithZelvars1")->isEnabled());
    EXPECT_TRUE(Item("SendCurrentSettingstoZelvars1")->isEnabled());
    form->SetReadSendEnabled(false);
    EXPECT_FALSE(Item("ReadfromZelvars1")->isEnabled());
    EXPECT_FALSE(Item("ComparewithZelvars1")->isEnabled());
    EXPECT_FALSE(Item("SendCurrentSettingstoZelvars1")->isEnabled());
}

TEST_F(TTarvelFormTest, SwitchingPagesWhileDisconnectedShowsTheNoteAndLeavesPagesUnusable) {
    CreateShown();
    auto* pages = Control<QTabWidget>("PhasePageControl");
    form->SourceSetup().SetUsable(true);
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(2).center());
    ASSERT_EQ(pages->currentIndex(), 2);
    EXPECT_EQ(form->StatusText(), "Note: No Zelvar communication established yet.");
    EXPECT_FALSE(form->SourceSetup().Usable());
    EXPECT_TRUE(boxes.Calls().empty());
}

// The tab bar as it would look without the hidden pages: the same captions shown, the same
// current one, in the same font and size.
QImage TabsWithoutHidden(const QTabWidget& pages) {
    QTabWidget shown;
    shown.setFont(pages.font());
    shown.setDocumentMode(pages.documentMode());
    for (int i = 0; i < pages.count(); ++i) {
        if (pages.isTabVisible(i)) {
            shown.addTab(new QWidget, pages.tabText(i));
            if (i == pages.currentIndex()) {
                shown.setCurrentIndex(shown.count() - 1);
            }
        }
    }
    shown.tabBar()->resize(pages.tabBar()->size());
    return shown.tabBar()->grab().toImage();
}

// Every keyboard way from page to page, pressed on a page's control or on the tab bar, passes
// the hidden pages by, and nothing of a hidden tab is drawn on the way.
TEST_F(TTarvelFormTest, HiddenPagesAreOutOfTheKeyboardsReachAndDrawNothing) {
    CreateShown();
    struct Way {
        const char* Name;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
    };
    const Way ways[] = {
        {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier},
        {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
        {"Ctrl+PgDown", Qt::Key_PageDown, Qt::ControlModifier},
        {"Ctrl+PgUp", Qt::Key_PageUp, Qt::ControlModifier},
        {"Right", Qt::Key_Right, Qt::NoModifier},
        {"Left", Qt::Key_Left, Qt::NoModifier},
        {"End", Qt::Key_End, Qt::NoModifier},
        {"Home", Qt::Key_Home, Qt::NoModifier},
    };
    // The pages, and the Display Setup page's sub-pages with "Screen 5-8 Controls" hidden for
    // the first calculation's three projectors. Keys go to a control of the first page shown
    // and then to wherever the focus is, or to the tab bar.
    auto* pages = Control<QTabWidget>("PhasePageControl");
    auto* subPages = Control<QTabWidget>("ScreenPageControl");
    ASSERT_FALSE(subPages->isTabVisible(1));
    const struct {
        QTabWidget* Control;
        QWidget* Page;     // shown first
        QWidget* Start;    // the control the keys start from
        QStringList Shown; // the captions every walk reaches
    } controls[] = {
        {pages,
         &form->Planning(),
         Control<QWidget>("HorizontalOutEdit"),
         {"Planning", "Projector Setup", "Source Setup", "Display Setup", "Information"}},
        {subPages,
         &form->DisplaySetup(),
         Control<QWidget>("TestPattern1ComboBox"),
         {"Screens 1-4 Controls"}},
    };
    for (const auto& control : controls) {
        for (const Way& way : ways) {
            for (const bool fromTabBar : {false, true}) {
                const std::string where = std::string(way.Name) + (fromTabBar ? " on " : " in ") +
                                          control.Control->objectName().toStdString();
                pages->setCurrentWidget(control.Page);
                control.Control->setCurrentIndex(0);
                QWidget* tabBar = control.Control->tabBar();
                QWidget* target = fromTabBar ? tabBar : control.Start;
                target->setFocus(Qt::OtherFocusReason);
                ASSERT_EQ(QApplication::focusWidget(), target) << where;
                QStringList reached{control.Control->tabText(control.Control->currentIndex())};
                for (int press = 0; press < 2 * control.Control->count(); ++press) {
                    QWidget* focus = QApplication::focusWidget();
                    QTest::keyClick(focus != nullptr ? focus : tabBar, way.Key, way.Modifiers);
                    const int current = control.Control->currentIndex();
                    ASSERT_TRUE(control.Control->isTabVisible(current))
                        << where << " reached " << control.Control->tabText(current).toStdString();
                    reached << control.Control->tabText(current);
                    const bool tabBarFocused = tabBar->hasFocus();
                    tabBar->clearFocus(); // no focus frame in the picture
                    EXPECT_EQ(tabBar->grab().toImage(), TabsWithoutHidden(*control.Control))
                        << where << ": the tab bar differs from one without the hidden tab";
                    if (tabBarFocused) {
                        tabBar->setFocus(Qt::OtherFocusReason);
                    }
                }
                // Within a page a control may keep a key for itself (the terminal types it).
                if (fromTabBar && way.Modifiers.testFlag(Qt::ControlModifier) &&
                    (way.Key == Qt::Key_Tab || way.Key == Qt::Key_Backtab)) {
                    reached.removeDuplicates();
                    reached.sort();
                    QStringList shown = control.Shown;
                    shown.sort();
                    EXPECT_EQ(reached, shown) << where << " goes round every page shown";
                }
            }
        }
    }
}

TEST_F(TTarvelFormTest, APageIsUsableWhenConnectedAndNotBusy) {
    Create();
    connected = true;
    form->SetStatusText("Established communication with Zelvar on Com 1");
    auto* pages = Control<QTabWidget>("PhasePageControl");
    pages->setCurrentWidget(&form->SourceSetup());
    EXPECT_TRUE(form->SourceSetup().Usable());
    // The page was filled: channel 1 of an empty model has no video lock.
    EXPECT_EQ(form->StatusText(), SourceSetupPage::NoLockNote);

    form->State().Busy = 1;
    pages->setCurrentWidget(&form->Information());
    EXPECT_FALSE(form->Information().Usable()) << "Busy wins over a live link";
    form->State().Busy = 0;
}

TEST_F(TTarvelFormTest, TheFirstShowingAsksWhetherUnitsAreConnected) {
    Create();
    boxes.Answer(false);
    ASSERT_TRUE(test::ShowActive(*form));
    QTest::qWait(10);
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_EQ(boxes.Calls()[0].Kind, MessageKind::YesNo);
    EXPECT_EQ(boxes.Calls()[0].Caption,
              "Prendel - Tarvel :Establish COM port communication with Zelvar(s)");
    EXPECT_EQ(boxes.Calls()[0].Text,
              "Tarvel requires connection to Zelvar(s) to function. Do you currently have "
              "Zelvar(s) connected to the PC/laptop? Click Yes and Tarvel will search for "
              "Zelvar(s).");
    EXPECT_EQ(boxes.Calls()[1].Kind, MessageKind::Information);
    EXPECT_EQ(boxes.Calls()[1].Text,
              "When Zelvar(s) are connected, go to 'Serial Port->Search for Zelvar(s)->Search' "
              "menu item for the Tarvel to search for Zelvar(s).\nPlease refer to Zelvar manual "
              "for help with Tarvel serial connection.");
    EXPECT_FALSE(form->State().UpdatingControls);

    form->hide(); // a second showing asks nothing
    ASSERT_TRUE(test::ShowActive(*form));
    QTest::qWait(10);
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST_F(TTarvelFormTest, WithoutTarvelIniTheDesignValuesStayAndStderrSaysSo) {
    Create();
    EXPECT_EQ(constructionStderr, "Cannot open output file.\n");
    EXPECT_FALSE(form->IniLoaded());
    EXPECT_EQ(Control<QLineEdit>("HorizontalOutEdit")->text(), "30");
    EXPECT_EQ(Control<QLineEdit>("VerticalOutEdit")->text(), "10");
    EXPECT_EQ(Control<QLineEdit>("OWidthEdit")->text(), "64");
    EXPECT_EQ(form->AboutBox().VersionText(), "Version 1.08");
    EXPECT_EQ(QFileInfo(form->IniPath()).fileName(), "Tarvel.ini");
}

TEST_F(TTarvelFormTest, StoredSettingsSelectTheLists) {
    directory.Write("Tarvel.ini", "40 10 64 3 0 1");
    Create();
    EXPECT_EQ(constructionStderr, "");
    EXPECT_TRUE(form->IniLoaded());
    EXPECT_EQ(Control<QLineEdit>("HorizontalOutEdit")->text(), "40");
    EXPECT_EQ(Control<QLineEdit>("VerticalOutEdit")->text(), "10");
    EXPECT_EQ(Control<QLineEdit>("OWidthEdit")->text(), "64");
    EXPECT_EQ(Control<QComboBox>("NumOfScreenComboBox")->currentText(), "4 Projectors");
    EXPECT_EQ(Control<QComboBox>("ImageAlignComboBox")->currentText(), "Left Justified");
    EXPECT_EQ(Control<QComboBox>("ProjectorResComboBox")->currentText(), "1024x768");
}

TEST_F(TTarvelFormTest, StoredSizesAreShownWithFiveSignificantDigits) {
    directory.Write("Tarvel.ini", "12.3456789 0.5 100 0 1 2\n");
    Create();
    EXPECT_EQ(Control<QLineEdit>("HorizontalOutEdit")->text(), "12.346");
    EXPECT_EQ(Control<QLineEdit>("VerticalOutEdit")->text(), "0.5");
    EXPECT_EQ(Control<QLineEdit>("OWidthEdit")->text(), "100");
}

TEST_F(TTarvelFormTest, AnInvalidTarvelIniIsIgnoredWithoutAWord) {
    directory.Write("Tarvel.ini", "40 10 0 3 0 1");
    Create();
    EXPECT_EQ(constructionStderr, "");
    EXPECT_FALSE(form->IniLoaded());
    EXPECT_EQ(Control<QLineEdit>("HorizontalOutEdit")->text(), "30");
    EXPECT_EQ(Control<QComboBox>("NumOfScreenComboBox")->currentIndex(), -1);
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(TTarvelFormTest, AnsweringNoToTheExitQuestionChangesNothing) {
    directory.Write("Tarvel.ini", "40 10 64 3 0 1");
    CreateShown();
    boxes.Answer(false);
    Item("Exit1")->trigger();
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].Kind, MessageKind::YesNo);
    EXPECT_EQ(boxes.Calls()[0].Caption, "Prendel - Tarvel :Confirm Exit");
    EXPECT_EQ(boxes.Calls()[0].Text, "Are you sure you want to exit this application?");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(directory.Read("Tarvel.ini"), "40 10 64 3 0 1");
}

TEST_F(TTarvelFormTest, AnsweringYesRewritesTarvelIniAndHidesTheWindow) {
    directory.Write("Tarvel.ini", "40 10 64 3 0 1");
    CreateShown();
    boxes.Answer(true);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    // As the first calculation left the page: 38.333 wide, 3 projectors.
    EXPECT_EQ(directory.Read("Tarvel.ini"), "38.333000 10.000000 64 2 0 1");
    EXPECT_FALSE(form->Port().IsOpen());
}

TEST_F(TTarvelFormTest, ASizeThatIsNotANumberLeavesTarvelIniAsItWas) {
    directory.Write("Tarvel.ini", "40 10 64 3 0 1");
    CreateShown();
    Control<QLineEdit>("VerticalOutEdit")->setText("ten");
    boxes.Answer(true);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(directory.Read("Tarvel.ini"), "40 10 64 3 0 1");

    form.reset();
    boxes.Clear();
    Create();
    Control<QLineEdit>("OWidthEdit")->setText("");
    boxes.Answer(true);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(directory.Read("Tarvel.ini"), "40 10 64 3 0 1");
}

TEST_F(TTarvelFormTest, AnotherStartBringsTheWindowToTheFront) {
    CreateShown();
    QWidget other;
    ASSERT_TRUE(test::ShowActive(other));
    form->showMinimized();
    form->BringToFront();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_FALSE(form->isMinimized());
    other.close();
}

TEST_F(TTarvelFormTest, TheHelpMenuOpensOneConnectionHelpWindow) {
    CreateShown();
    Item("HelpwithTarvelSerialconnection1")->trigger();
    Item("HelpwithTarvelSerialconnection1")->trigger();
    EXPECT_EQ(form->findChildren<TConnectionHelpForm*>().size(), 1);
    TConnectionHelpForm& help = form->ConnectionHelpForm();
    EXPECT_TRUE(help.isVisible());
    help.close();
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(form->findChildren<TConnectionHelpForm*>().size(), 1) << "closing only hides it";
    Item("HelpwithTarvelSerialconnection1")->trigger();
    EXPECT_TRUE(help.isVisible());
    help.close();
}

TEST_F(TTarvelFormTest, AboutShowsTheVersionInAModalBox) {
    CreateShown();
    QTimer::singleShot(50, [this] {
        EXPECT_EQ(QApplication::activeModalWidget(), &form->AboutBox());
        form->AboutBox().accept();
    });
    Item("About1")->trigger();
    EXPECT_EQ(form->AboutBox().windowTitle(), "About Tarvel");
    EXPECT_FALSE(form->AboutBox().isVisible());
}

} // namespace
} // namespace tarvel
