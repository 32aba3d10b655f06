// Cancel in the progress window of the long operations, in the window on the real link against
// zelvar-sim: one message, Busy clear, the link usable for the next read. With
// TARVEL_PAGE_SCREENSHOTS set to a folder the progress window with its Cancel button is saved
// there as PNG.

#include "PageRig.h"

#include "ui/ComparisonDialog.h"
#include "ui/ConfigurationTransfer.h"
#include "ui/TInfoForm.h"
#include "ui/UnitsComparison.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/SourceSetupPage.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace tarvel {
namespace {

using test::PageRig;

const LinkTiming Quarter = test::TestTiming();

const QString BalanceCancelled = "Auto Color Balance cancelled. Tarvel stopped waiting; the "
                                 "Zelvar(s) may still finish it on their own.";

// Clicks Cancel in the progress window afterMs after the bytes for which `when` holds went
// out, and notes what the window showed then (saved as `Picture` with TARVEL_PAGE_SCREENSHOTS).
struct CancelOnWrite {
    CancelOnWrite(PageRig& rig, std::function<bool(const QByteArray&)> when, int afterMs,
                  QString picture = {})
        : Picture(std::move(picture)) {
        QObject::connect(&rig.Form->Port(), &SerialPort::Written, &Context,
                         [&rig, when, afterMs, this](const QByteArray& bytes) {
                             if (!Clicked && when(bytes)) {
                                 Clicked = true;
                                 QTimer::singleShot(afterMs, &Context,
                                                    [&rig, this] { Click(rig); });
                             }
                         });
    }

    void Click(PageRig& rig) {
        TInfoForm& info = rig.Form->InfoForm();
        Shown = info.isVisible() && info.CancelButton()->isVisible();
        Text = info.Text();
        const QString folder = qEnvironmentVariable("TARVEL_PAGE_SCREENSHOTS");
        if (Shown && !folder.isEmpty() && !Picture.isEmpty()) {
            EXPECT_TRUE(QDir().mkpath(folder));
            EXPECT_TRUE(info.grab().save(QDir(folder).filePath(Picture)));
        }
        QTest::mouseClick(info.CancelButton(), Qt::LeftButton);
        EXPECT_FALSE(info.CancelButton()->isEnabled()) << "one cancel";
    }

    QObject Context; // the watch ends with this object
    QString Picture;
    bool Clicked = false;
    bool Shown = false;
    QString Text;
};

// A direct unit balances for 0.9 s (three projectors) and reads nothing meanwhile. Cancel ends the
// wait for its prompt at once; the read that follows waits for the unit and takes what the balance
// made.
TEST(OperationCancelTest, CancelDuringAutoColourBalanceThenTheReadWorks) {
    PageRig rig(Quarter);
    ASSERT_TRUE(rig.Connect({"--mode", "direct", "--auto-ms", "300"}));
    ASSERT_TRUE(rig.ReadUnits());
    rig.ShowPage(rig.Form->SourceSetup());
    rig.Mark();
    CancelOnWrite cancel(
        rig, [](const QByteArray& bytes) { return bytes.contains("RGBADJ"); }, 100,
        "progress-window-cancel.png");
    rig.Boxes.Answer(true);
    rig.Boxes.Answer(true);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(rig.Control<QPushButton>("AutoColorBalanceButton"), Qt::LeftButton);

    EXPECT_LT(clock.elapsed(), 600) << "ended before the unit was done";
    EXPECT_TRUE(cancel.Shown) << "the progress window with its Cancel button";
    EXPECT_EQ(cancel.Text, "Auto Color Balance in progress. Please wait....");
    ASSERT_EQ(rig.Boxes.Texts().size(), 3u);
    EXPECT_EQ(rig.Boxes.Texts().back(), BalanceCancelled);
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_FALSE(rig.Form->InfoForm().isVisible());
    EXPECT_TRUE(rig.Form->PageControl()->isEnabled());
    EXPECT_TRUE(rig.Form->Connected());
    EXPECT_EQ(rig.Link().ExchangeJournal().Entries().back().Verdict, ExchangeVerdict::Interrupted);
    EXPECT_EQ(rig.Sent(),
              QStringList({"IINFOZV 1", "IINFOZV 2", "IINFOZV 3", "IINFOZV 4", "RGBADJ"}));

    rig.Boxes.Clear();
    rig.Mark();
    rig.Form->MenuAction("ReadfromZelvars1")->trigger();
    for (const QString& text : rig.Boxes.Texts()) {
        // The fill may warn about the Planning page; nothing about the link.
        EXPECT_FALSE(text.contains("rror")) << text.toStdString();
    }
    EXPECT_EQ(rig.Sent().first(), "SYINFOZV");
    EXPECT_EQ(rig.Sent().size(), 9);
    EXPECT_EQ(rig.Edit("LeftRContrastEdit")->text(), "1.5") << "the balance's result, read";
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

// Through the controller, every reply 100 ms late: Cancel while the third command waits for
// its reply. The message says how far the send got; the late reply is not taken for the
// read's.
TEST(OperationCancelTest, CancelDuringTheWholeSendThenTheReadWorks) {
    PageRig rig(Quarter);
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--delay-ms", "100"}));
    ASSERT_TRUE(rig.ReadUnits());
    rig.Mark();
    int commands = 0;
    CancelOnWrite clicker(
        rig, [&](const QByteArray& bytes) { return bytes.startsWith("PASS ") && ++commands == 3; },
        0);
    rig.Form->MenuAction("SendCurrentSettingstoZelvars1")->trigger();

    EXPECT_TRUE(clicker.Shown);
    EXPECT_EQ(clicker.Text, "Sending settings to Zelvar(s). Please wait....");
    ASSERT_EQ(rig.Boxes.Texts().size(), 1u) << rig.Boxes.Texts().join(" | ").toStdString();
    const QRegularExpressionMatch match =
        QRegularExpression("^Sending cancelled after 2 of (\\d+) commands\\. The Zelvar\\(s\\) "
                           "hold only part of the current settings\\.$")
            .match(rig.Boxes.Texts().front());
    ASSERT_TRUE(match.hasMatch()) << rig.Boxes.Texts().front().toStdString();
    EXPECT_GT(match.captured(1).toInt(), 50);
    // The simulator logs a command once it has read it: the cancelled one may be on its way.
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.Sent().size() >= 3; }, 2000));
    EXPECT_EQ(rig.Sent().size(), 3) << "nothing after the cancelled command";
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_FALSE(rig.Form->InfoForm().isVisible());
    EXPECT_TRUE(rig.Form->PageControl()->isEnabled());

    rig.Boxes.Clear();
    rig.Mark();
    rig.Form->Model().System.ReadValid = false;
    rig.Form->MenuAction("ReadfromZelvars1")->trigger();
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty()) << rig.Boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(rig.Sent().first(), "NZV");
    EXPECT_TRUE(rig.Form->Model().System.ReadValid);
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

// "Compare with Zelvar(s) ..." reads and sends as the other operations do, with the progress
// window's Cancel: a cancelled read opens no dialog and leaves the window as it was; a
// cancelled "Send Tarvel's values" is not followed by a read nobody asked for, and what the
// table shows of the units can then no longer be taken.
TEST(OperationCancelTest, CancelDuringTheComparisonsReadAndItsSend) {
    PageRig rig(Quarter);
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "1", "--delay-ms", "100"}));
    ASSERT_TRUE(rig.ReadUnits());
    TTarvelForm& form = *rig.Form;
    form.Model().Channels.Output(1, 2).LeftGamma = 3.5f;
    form.Model().Channels.Output(1, 3).BlackLevel = 40;
    {
        UpdatingControlsGuard updating(form.State());
        form.Transfer().FillPagesFromModel();
    }
    rig.Boxes.Clear();
    const SettingsModel before = form.Model();
    QList<QByteArray> written;
    QObject::connect(&form.Port(), &SerialPort::Written, &form,
                     [&written](const QByteArray& bytes) { written << bytes; });
    {
        SCOPED_TRACE("the read, cancelled while the unit is queried");
        CancelOnWrite clicker(
            rig, [](const QByteArray& bytes) { return bytes.contains("SYINFOZV"); }, 0);
        form.MenuAction("ComparewithZelvars1")->trigger();
        EXPECT_TRUE(clicker.Shown);
        EXPECT_EQ(clicker.Text, "Tarvel querying Zelvar(s). Please wait....");
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{"Reading cancelled after 0 of 1 Zelvar(s). The "
                                                 "settings shown are those from before."});
        EXPECT_EQ(form.Comparison().Dialog(), nullptr);
        EXPECT_TRUE(form.Model().Channels == before.Channels);
        EXPECT_EQ(form.State().Busy, 0);
        EXPECT_FALSE(form.InfoForm().isVisible());
    }
    rig.Boxes.Clear();
    form.MenuAction("ComparewithZelvars1")->trigger();
    ComparisonDialog* dialog = form.Comparison().Dialog();
    ASSERT_NE(dialog, nullptr) << rig.Boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(dialog->ShownRows().size(), 2u);
    {
        SCOPED_TRACE("the send of the two differences, cancelled at its first command");
        written.clear();
        CancelOnWrite clicker(
            rig, [](const QByteArray&) { return true; }, 0);
        dialog->findChild<QPushButton*>("SendTarvelValuesButton")->click();
        EXPECT_TRUE(clicker.Shown);
        EXPECT_EQ(rig.Boxes.Texts(),
                  QStringList{"Sending cancelled after 0 of 2 commands. The Zelvar(s) hold only "
                              "part of the current settings."});
        // The first command alone (its pieces: PASS, the command, the checksum, the ends).
        const QByteArray line = written.join();
        EXPECT_TRUE(line.startsWith("PASS *1BLKGN 3 40!")) << line.toStdString();
        EXPECT_EQ(line.count('!'), 1) << "no read after it: " << line.toStdString();
        ASSERT_EQ(form.Comparison().Dialog(), dialog);
        EXPECT_TRUE(dialog->findChild<QPushButton*>("SendTarvelValuesButton")->isEnabled());
        EXPECT_FALSE(dialog->findChild<QPushButton*>("TakeUnitsValuesButton")->isEnabled());
        EXPECT_EQ(form.State().Busy, 0);
    }
    dialog->reject();
}

} // namespace
} // namespace tarvel
