// Message boxes shown while the progress window is up, offscreen and on X11 under a real
// window manager (Xvfb and openbox, started by the test itself).

#include "WindowTestSupport.h"

#include "platform/MessageBoxes.h"
#include "ui/TInfoForm.h"
#include "ui/TTarvelForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace tarvel {
namespace {

constexpr int SettleMs = 400; // a window manager's frame and placement of a new window
constexpr int GridStep = 6;   // finer than any control of the box

const QString LostText = QStringLiteral(
    "Error! The connection on serial port COM 1 (/dev/ttyUSB0) was lost. The port has been "
    "closed. Please check the RS-232 cable, then go to 'Serial Port->Search for "
    "Zelvar(s)->Search' to connect again.");

// What was seen of the box while it was up.
struct BoxSeen {
    int Looks = 0;
    bool OverProgress = true;         // the two windows overlap: stacking decides
    bool InsideScreen = true;         // the whole box with its frame
    bool TransientForProgress = true; // the relation that keeps a window above another
    QStringList Covered;              // the first points of the box where another window is on top
    bool Clicked = false;
};

// Inspects the modal box once it has settled, then presses its OK button as a user would.
class BoxInspector {
public:
    BoxInspector(QWidget& progress, BoxSeen& seen) : progress_(progress), seen_(seen) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(50);
    }

private:
    void Tick() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->windowHandle() == nullptr || !box->windowHandle()->isExposed()) {
            return;
        }
        if (!since_.isValid()) {
            since_.start();
        }
        if (since_.elapsed() < SettleMs) {
            return;
        }
        if (!raised_) {
            Inspect(*box, QStringLiteral("shown"));
            // A click on the progress window's title bar raises it, as this does.
            progress_.raise();
            raised_ = true;
            since_.start();
            return;
        }
        timer_.stop();
        Inspect(*box, QStringLiteral("progress window raised"));
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        seen_.Clicked = true;
    }

    void Inspect(QMessageBox& box, const QString& when) {
        ++seen_.Looks;
        const QRect client(box.mapToGlobal(QPoint(0, 0)), box.size());
        seen_.OverProgress = seen_.OverProgress && progress_.frameGeometry().intersects(client);
        seen_.InsideScreen =
            seen_.InsideScreen && box.screen()->geometry().contains(box.frameGeometry());
        bool transient = false;
        for (const QWindow* w = box.windowHandle(); w != nullptr; w = w->transientParent()) {
            transient = transient || w->transientParent() == progress_.windowHandle();
        }
        seen_.TransientForProgress = seen_.TransientForProgress && transient;
        QAbstractButton* ok = box.button(QMessageBox::Ok);
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            // The X server's own answer: which window a click at each point reaches.
            // Every point of the box on a fine grid, its text and its button.
            const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            QList<QPoint> points{label->mapToGlobal(label->rect().center()),
                                 ok->mapToGlobal(ok->rect().center())};
            for (int y = client.top() + 1; y < client.bottom(); y += GridStep) {
                for (int x = client.left() + 1; x < client.right(); x += GridStep) {
                    points << QPoint(x, y);
                }
            }
            for (const QPoint& point : points) {
                const QWindow* top = QGuiApplication::topLevelAt(point);
                if (top != box.windowHandle() && seen_.Covered.size() < 5) {
                    seen_.Covered << QStringLiteral("%1: (%2,%3) %4")
                                         .arg(when)
                                         .arg(point.x())
                                         .arg(point.y())
                                         .arg(top != nullptr ? top->title() : QStringLiteral("-"));
                }
            }
        }
    }

    QWidget& progress_;
    BoxSeen& seen_;
    QTimer timer_;
    QElapsedTimer since_;
    bool raised_ = false;
};

// The case of the lost line during Auto Color Balance: the progress window is up when the
// link's box comes. The box is the real one, owned by the main window as every box is.
TEST(ProgressWindowBoxTest, ABoxShownMeanwhileIsWhollyVisibleAboveIt) {
    test::WorkingDirectory directory;
    TTarvelForm::Options options; // real message boxes
    options.Connected = [] { return false; };
    options.CloseWaitMs = 0;
    auto form = std::make_unique<TTarvelForm>(std::move(options));
    {
        test::ModalBoxCloser closer; // the start-up question (No) and its hint
        form->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->StartupDone(); }, 10000));
    }
    TInfoForm& progress = form->InfoForm();
    progress.ShowProgress(QStringLiteral("Auto Color Balance in progress. Please wait...."));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));

    BoxSeen seen;
    {
        BoxInspector inspector(progress, seen);
        QTimer guard; // a box nobody could press would hang the test
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                box->close();
            }
        });
        guard.start(15000);
        form->Messages().Information(LostText, QStringLiteral("Prendel - Tarvel :Error"));
    }
    progress.HideProgress();
    form->hide(); // closed without the exit question

    ASSERT_EQ(seen.Looks, 2);
    ASSERT_TRUE(seen.OverProgress) << "the box does not overlap the progress window";
    EXPECT_TRUE(seen.InsideScreen);
    EXPECT_TRUE(seen.TransientForProgress) << "the box may be stacked under the progress window";
    EXPECT_TRUE(seen.Covered.isEmpty()) << "covered at " << seen.Covered.join(", ").toStdString();
    EXPECT_TRUE(seen.Clicked);
}

// The same under Xvfb with openbox, which keeps an always-on-top window above ordinary ones.
TEST(ProgressWindowBoxTest, ABoxShownMeanwhileIsWhollyVisibleAboveItUnderAWindowManager) {
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (xvfbRun.isEmpty() || openbox.isEmpty()) {
        GTEST_SKIP() << "needs xvfb-run (xvfb) and openbox; scripts/install-deps.sh installs them";
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(xvfbRun,
                {QStringLiteral("-a"), QStringLiteral("-s"),
                 QStringLiteral("-screen 0 1280x1024x24 -nolisten tcp"),
                 QCoreApplication::applicationFilePath(), QStringLiteral("--under-openbox"),
                 QStringLiteral("--gtest_filter=ProgressWindowBoxTest."
                                "ABoxShownMeanwhileIsWhollyVisibleAboveIt")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("platform xcb, window manager up")))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

} // namespace
} // namespace tarvel
