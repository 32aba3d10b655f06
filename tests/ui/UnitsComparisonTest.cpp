// "Compare with Zelvar(s) ...", offline editing and the unsaved-changes question, in the window
// on the real link against zelvar-sim.

#include "PageRig.h"
#include "support/SimState.h"

#include "config/ConfigurationFile.h"
#include "platform/SettingsFiles.h"
#include "ui/ComparisonDialog.h"
#include "ui/TTarvelForm.h"
#include "ui/UnitsComparison.h"
#include "ui/UnsavedChanges.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

namespace tarvel {
namespace {

using test::PageRig;

const QString ExitQuestion = "Are you sure you want to exit this application?";
const QString OpenedText = "File open successful. Tarvel updated with settings from file.";

void Trigger(PageRig& rig, const char* item) {
    rig.Form->MenuAction(QString::fromLatin1(item))->trigger();
}

// The read of both units behind the controller, as the comparison makes it.
QStringList TwoUnitRead() {
    QStringList lines{"NZV"};
    for (const char* unit : {"*1", "*2"}) {
        lines << QStringLiteral("%1SYINFOZV!").arg(unit);
        for (const char* query : {"IINFOZV", "OINFOZV"}) {
            for (int channel = 1; channel <= 4; ++channel) {
                lines << QStringLiteral("%1%2 %3!").arg(unit, query).arg(channel);
            }
        }
    }
    return lines;
}

std::vector<QStringList> Rows(std::initializer_list<QStringList> rows) {
    return std::vector<QStringList>(rows);
}

// The three settings, on two pages, in which the file differs from the units.
void ChangeThree(ChannelSettings& channels, float gamma, float red, int black) {
    channels.Output(1, 2).LeftGamma = gamma;  // screen 2, Display Setup
    channels.Input(1, 3).RedContrast = red;   // screen 3, Source Setup
    channels.Output(2, 2).BlackLevel = black; // screen 6, Display Setup
}

TEST(UnitsComparisonTest, ThreeDifferencesAreShownSentAloneThenTheUnitsValuesAreTaken) {
    PageRig rig;
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "2"}));
    TTarvelForm& form = *rig.Form;
    EXPECT_TRUE(form.MenuAction("ComparewithZelvars1")->isEnabled());
    Trigger(rig, "ReadfromZelvars1");
    rig.Boxes.Clear(); // the Planning page's warnings
    EXPECT_FALSE(form.isWindowModified()) << "a read leaves nothing unsaved";
    EXPECT_EQ(form.windowTitle(), "Prendel - Tarvel");

    // The units as read (gamma 2.2, red contrast 0, black level 16), and a file that differs.
    const QString unitsPath = rig.Directory.FilePath("units.zvc");
    const QString wallPath = rig.Directory.FilePath("wall.zvc");
    ASSERT_TRUE(SaveConfigurationFile(unitsPath, form.Model().Channels).Ok);
    ChannelSettings wall = form.Model().Channels;
    ChangeThree(wall, 3.5f, 5.0f, 40);
    ASSERT_TRUE(SaveConfigurationFile(wallPath, wall).Ok);
    rig.Dialogs.Choose(wallPath);
    Trigger(rig, "OpenConfigurationFile1");
    ASSERT_EQ(rig.Boxes.Texts(), QStringList{OpenedText});
    EXPECT_EQ(form.windowTitle(), "wall.zvc[*] - Prendel - Tarvel");
    EXPECT_EQ(form.windowFilePath(), wallPath);
    EXPECT_FALSE(form.isWindowModified());
    rig.Boxes.Clear();
    rig.Mark();

    const SettingsModel before = form.Model();
    Trigger(rig, "ComparewithZelvars1");
    ComparisonDialog* dialog = form.Comparison().Dialog();
    ASSERT_NE(dialog, nullptr);
    {
        SCOPED_TRACE("exactly the three settings, with both values; the window untouched");
        EXPECT_EQ(rig.Sent(), TwoUnitRead());
        EXPECT_TRUE(rig.Boxes.Calls().empty()) << rig.Boxes.Texts().join('|').toStdString();
        EXPECT_EQ(form.State().Busy, 0);
        EXPECT_TRUE(form.Model().Channels == before.Channels);
        EXPECT_EQ(rig.Edit("LGamma2Edit")->text(), "3.5");
        EXPECT_EQ(dialog->windowTitle(), "Prendel - Tarvel :Compare with Zelvar(s)");
        EXPECT_EQ(dialog->SummaryText(), "3 settings differ between Tarvel and the Zelvar(s).");
        EXPECT_EQ(dialog->ShownRows(), Rows({{"Screen 2", "Gamma(L)", "3.5", "2.2"},
                                             {"Screen 3", "Red Contrast", "5.0", "0.0"},
                                             {"Screen 6", "Black Level", "40", "16"}}));
    }
    {
        SCOPED_TRACE("sorted by any column, filtered by screen, used from the keyboard");
        dialog->Table()->sortByColumn(ComparisonDialog::SettingColumn, Qt::AscendingOrder);
        EXPECT_EQ(dialog->ShownRows(), Rows({{"Screen 6", "Black Level", "40", "16"},
                                             {"Screen 2", "Gamma(L)", "3.5", "2.2"},
                                             {"Screen 3", "Red Contrast", "5.0", "0.0"}}));
        dialog->Table()->sortByColumn(ComparisonDialog::PlaceColumn, Qt::DescendingOrder);
        EXPECT_EQ(dialog->ShownRows()[0][0], "Screen 6");
        QComboBox* screens = dialog->ScreenFilter();
        ASSERT_EQ(screens->count(), 4);
        EXPECT_EQ(screens->itemText(0), "All screens");
        screens->setCurrentIndex(screens->findText("Screen 3"));
        EXPECT_EQ(dialog->ShownRows(), Rows({{"Screen 3", "Red Contrast", "5.0", "0.0"}}));
        screens->setCurrentIndex(0);
        EXPECT_EQ(dialog->ShownRows().size(), 3u);

        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        static_cast<void>(
            QTest::qWaitFor([&] { return QApplication::focusWidget() != nullptr; }, 1000));
        EXPECT_EQ(QApplication::focusWidget(), dialog->Table())
            << (QApplication::focusWidget()
                    ? QApplication::focusWidget()->objectName().toStdString()
                    : std::string("none"));
        EXPECT_LE(dialog->frameGeometry().width(), 1280);
        EXPECT_LE(dialog->frameGeometry().height(), 800);
    }
    {
        SCOPED_TRACE("the report: the header line, then the table as CSV");
        const QString report = rig.Directory.FilePath("report.csv");
        rig.Dialogs.Choose(report);
        dialog->findChild<QPushButton*>("SaveReportButton")->click();
        QFile file(report);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
        ASSERT_EQ(lines.size(), 6) << lines.join('|').toStdString();
        EXPECT_TRUE(
            QRegularExpression(
                "^Tarvel comparison with Zelvar\\(s\\),Date: \\d{4}-\\d\\d-\\d\\dT[\\d:]{8},"
                "Port: COM 1 \\(.+\\),Mode: Controller,Unit 1: address 1 version [^,]*,"
                "Unit 2: address 2 version [^,]*,File: .*wall\\.zvc$")
                .match(lines[0])
                .hasMatch())
            << lines[0].toStdString();
        EXPECT_EQ(lines.mid(1),
                  (QStringList{"Screen,Setting,Tarvel,Zelvar(s)", "Screen 2,Gamma(L),3.5,2.2",
                               "Screen 3,Red Contrast,5.0,0.0", "Screen 6,Black Level,40,16", ""}));
    }
    {
        SCOPED_TRACE("Escape closes it and changes nothing");
        QTest::keyClick(dialog->Table(), Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.Comparison().Dialog() == nullptr; }, 2000));
        EXPECT_TRUE(form.Model().Channels == before.Channels);
        EXPECT_TRUE(rig.Boxes.Calls().empty());
    }
    {
        SCOPED_TRACE("Tarvel's values: only their three commands, then the same again");
        Trigger(rig, "ComparewithZelvars1");
        dialog = form.Comparison().Dialog();
        ASSERT_NE(dialog, nullptr);
        rig.Mark();
        dialog->findChild<QPushButton*>("SendTarvelValuesButton")->click();
        QStringList expected{"*1ICNTZV 3 R  5.0!", "*1PEFT 2 L 1  3.5 256 0!", "*2BLKGN 2 40!"};
        expected << TwoUnitRead();
        EXPECT_EQ(rig.Sent(), expected);
        EXPECT_TRUE(rig.Boxes.Calls().empty()) << rig.Boxes.Texts().join('|').toStdString();
        EXPECT_EQ(dialog->SummaryText(), "The Zelvar(s) hold exactly what Tarvel shows.");
        EXPECT_TRUE(dialog->ShownRows().empty());
        EXPECT_FALSE(dialog->findChild<QPushButton*>("SendTarvelValuesButton")->isEnabled());
        EXPECT_FALSE(dialog->findChild<QPushButton*>("TakeUnitsValuesButton")->isEnabled());
        const ChannelSettings units = rig.SimState();
        EXPECT_EQ(units.Output(1, 2).LeftGamma, 3.5f);
        EXPECT_EQ(units.Input(1, 3).RedContrast, 5.0f);
        EXPECT_EQ(units.Output(2, 2).BlackLevel, 40);
        EXPECT_EQ(form.State().Busy, 0);
        EXPECT_FALSE(form.isWindowModified()) << "the window still holds what the file holds";
        dialog->findChild<QPushButton*>("CloseButton")->click();
    }
    {
        SCOPED_TRACE("the units' values: every page shows them, no setting is sent");
        rig.Dialogs.Choose(unitsPath);
        Trigger(rig, "OpenConfigurationFile1");
        EXPECT_EQ(rig.Edit("LGamma2Edit")->text(), "2.2");
        rig.Boxes.Clear();
        Trigger(rig, "ComparewithZelvars1");
        dialog = form.Comparison().Dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->ShownRows(), Rows({{"Screen 2", "Gamma(L)", "2.2", "3.5"},
                                             {"Screen 3", "Red Contrast", "0.0", "5.0"},
                                             {"Screen 6", "Black Level", "16", "40"}}));
        rig.Mark();
        dialog->findChild<QPushButton*>("TakeUnitsValuesButton")->click();
        QTest::qWait(1);
        // No setting goes out: only the unit check of the Planning page's fill, as after a read
        // of six projectors.
        EXPECT_EQ(rig.Sent(), QStringList{"NZV"});
        EXPECT_TRUE(rig.Boxes.Calls().empty()) << rig.Boxes.Texts().join('|').toStdString();
        EXPECT_EQ(form.Comparison().Dialog(), nullptr);
        EXPECT_EQ(rig.Edit("LGamma2Edit")->text(), "3.5");
        EXPECT_EQ(rig.Edit("Black6Edit")->text(), "40");
        form.SourceSetup().SelectChannel(3);
        EXPECT_EQ(rig.Edit("LeftRContrastEdit")->text(), "5");
        EXPECT_EQ(form.Model().Channels.Output(1, 2).LeftGamma, 3.5f);
        EXPECT_EQ(form.Model().Channels.Input(1, 3).RedContrast, 5.0f);
        EXPECT_EQ(form.Model().Channels.Output(2, 2).BlackLevel, 40);
        EXPECT_FALSE(form.isWindowModified()) << "taken as a read takes them";
        EXPECT_EQ(form.windowTitle(), "Prendel - Tarvel");
    }
    {
        SCOPED_TRACE("nothing unsaved: the exit asks only its own question");
        rig.Boxes.Clear();
        rig.Boxes.Answer(true);
        EXPECT_TRUE(form.close());
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{ExitQuestion});
    }
}

// Output offsets in the 1720-byte image: unit 1 inputs, unit 2 inputs, unit 1 outputs, unit 2
// outputs; five records a block, 84 bytes an input record and 88 an output record.
int Out(int unit, int channel, int field) {
    return 840 + (unit - 1) * 440 + channel * 88 + field;
}
constexpr int LeftGammaAt = 20;
constexpr int BlackLevelAt = 68;
constexpr int TestPatternAt = 69;

TEST(UnitsComparisonTest, OfflineEditsReachTheFileAndThroughItTheUnits) {
    // The units, as they start: the file to edit is made from their state.
    PageRig units;
    ASSERT_TRUE(units.Connect({"--mode", "controller", "--units", "2"}));
    PageRig offline;
    ASSERT_TRUE(offline.ShowWindow());
    TTarvelForm& form = *offline.Form;
    const QString basePath = offline.Directory.FilePath("base.zvc");
    const QString editedPath = offline.Directory.FilePath("edited.zvc");
    ChannelSettings base = units.SimState();
    base.UnitOutput(1).ControlMode = 1; // the advanced view shows each edge's gamma
    ASSERT_TRUE(SaveConfigurationFile(basePath, base).Ok);
    offline.Dialogs.Choose(basePath);
    Trigger(offline, "OpenConfigurationFile1");
    ASSERT_EQ(offline.Boxes.Texts().last(), OpenedText);
    offline.Boxes.Clear();
    EXPECT_FALSE(form.isWindowModified());

    {
        SCOPED_TRACE("no unit connected: a gamma, a black level and a test pattern");
        form.SetServiceView(true); // the black levels
        offline.ShowPage(form.DisplaySetup());
        offline.TypeAndLeave(offline.Edit("LGamma2Edit"), "3.4", offline.Edit("Black2Edit"));
        offline.Control<QTabWidget>("ScreenPageControl")->setCurrentIndex(1);
        offline.TypeAndLeave(offline.Edit("Black6Edit"), "40", offline.Edit("Black5Edit"));
        offline.Control<QComboBox>("TestPattern3ComboBox")->setCurrentIndex(9); // "White"
        EXPECT_TRUE(offline.Boxes.Calls().empty()) << offline.Boxes.Texts().join('|').toStdString();
        EXPECT_EQ(form.Model().Channels.Output(1, 2).LeftGamma, 3.4f);
        EXPECT_EQ(form.Model().Channels.Output(2, 2).BlackLevel, 40);
        EXPECT_EQ(form.Model().Channels.Output(1, 3).TestPattern, 9);
        EXPECT_TRUE(form.isWindowModified());
        EXPECT_EQ(form.windowTitle(), "base.zvc[*] - Prendel - Tarvel");
    }
    {
        SCOPED_TRACE("unsaved: Cancel keeps the window and Tarvel.ini as they are");
        offline.Boxes.Answer(true);
        offline.Boxes.AnswerSave(SaveChoice::Cancel);
        EXPECT_FALSE(form.close());
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(offline.Boxes.Texts(), (QStringList{ExitQuestion, UnsavedChanges::QuestionText}));
        ASSERT_EQ(offline.Boxes.Calls().size(), 2u);
        EXPECT_EQ(offline.Boxes.Calls()[1].Kind, MessageKind::SaveDiscardCancel);
        EXPECT_EQ(offline.Boxes.Calls()[1].Caption, "Prendel - Tarvel :Unsaved Changes");
        bool written = true;
        offline.Directory.Read("Tarvel.ini", &written);
        EXPECT_FALSE(written);
        offline.Boxes.Clear();
    }
    {
        SCOPED_TRACE("saved: the three values at their offsets; nothing left unsaved");
        offline.Dialogs.Choose(editedPath);
        Trigger(offline, "SaveConfigurationtoFile1");
        QFile file(editedPath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_EQ(bytes.size(), 1720);
        float gamma = 0;
        std::memcpy(&gamma, bytes.constData() + Out(1, 2, LeftGammaAt), sizeof gamma);
        EXPECT_EQ(gamma, 3.4f);
        EXPECT_EQ(bytes.at(Out(2, 2, BlackLevelAt)), 40);
        EXPECT_EQ(bytes.at(Out(1, 3, TestPatternAt)), 9);
        EXPECT_FALSE(form.isWindowModified());
        EXPECT_EQ(form.windowTitle(), "edited.zvc[*] - Prendel - Tarvel");

        offline.Boxes.Answer(true);
        EXPECT_TRUE(form.close());
        EXPECT_EQ(offline.Boxes.Texts(), QStringList{ExitQuestion}) << "no question after a save";
        bool written = false;
        offline.Directory.Read("Tarvel.ini", &written);
        EXPECT_TRUE(written);
    }
    {
        SCOPED_TRACE("again with the units: open it, send it, the units hold the three values");
        ASSERT_TRUE(test::Reactivate(*units.Form));
        units.Dialogs.Choose(editedPath);
        Trigger(units, "OpenConfigurationFile1");
        units.Boxes.Clear();
        Trigger(units, "SendCurrentSettingstoZelvars1");
        EXPECT_TRUE(units.Boxes.Calls().empty()) << units.Boxes.Texts().join('|').toStdString();
        const ChannelSettings held = units.SimState();
        EXPECT_EQ(held.Output(1, 2).LeftGamma, 3.4f);
        EXPECT_EQ(held.Output(2, 2).BlackLevel, 40);
        EXPECT_EQ(held.Output(1, 3).TestPattern, 9);
    }
    {
        SCOPED_TRACE("changed by the send, then read: nothing unsaved");
        // The send gave unit 1's advanced mode to unit 2, which the file does not hold.
        EXPECT_TRUE(units.Form->isWindowModified());
        EXPECT_EQ(units.Form->Model().Channels.UnitOutput(2).ControlMode, 1);
        Trigger(units, "ReadfromZelvars1");
        EXPECT_FALSE(units.Form->isWindowModified());
        EXPECT_EQ(units.Form->windowTitle(), "Prendel - Tarvel");
        units.Boxes.Clear();
        units.Boxes.Answer(true);
        EXPECT_TRUE(units.Form->close());
        EXPECT_EQ(units.Boxes.Texts(), QStringList{ExitQuestion}) << "no question after a read";
    }
}

} // namespace
} // namespace tarvel
