#include "PageRig.h"
#include "support/SimState.h"
#include "support/TestTiming.h"

#include "device/UnitQueries.h"
#include "ui/FieldEdit.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <sstream>

namespace tarvel::test {

PageRig::PageRig(LinkTiming timing) {
    TTarvelForm::Options options;
    options.Messages = &Boxes;
    options.Dialogs = &Dialogs;
    options.CloseWaitMs = 0;
    options.Timing = timing;
    ::testing::internal::CaptureStderr(); // the note about a missing Tarvel.ini
    Form = std::make_unique<TTarvelForm>(std::move(options));
    ::testing::internal::GetCapturedStderr();
}

PageRig::~PageRig() {
    Form->Link().Shutdown();
    Form->hide(); // closed without the exit question
    Form.reset();
    qunsetenv("TARVEL_PORTS");
    sim_.Stop();
    std::remove(log_.c_str());
    std::remove(state_.c_str());
}

::testing::AssertionResult PageRig::ShowWindow() {
    Boxes.Answer(false); // no search at start-up
    if (!ShowActive(*Form)) {
        return ::testing::AssertionFailure() << "the window did not become active";
    }
    QTest::qWait(10);
    if (Boxes.PendingAnswers() != 0) {
        return ::testing::AssertionFailure() << "the start-up question was not asked";
    }
    Boxes.Clear();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PageRig::Connect(std::vector<std::string> simOptions) {
    if (auto shown = ShowWindow(); !shown) {
        return shown;
    }
    bool controller = false;
    for (std::size_t i = 0; i + 1 < simOptions.size(); ++i) {
        controller = controller || (simOptions[i] == "--mode" && simOptions[i + 1] == "controller");
    }
    if (auto started = StartSimulator(std::move(simOptions)); !started) {
        return started;
    }
    if (controller) {
        Link().ConnectThroughController();
    } else {
        Link().ConnectDirectly(1.0, 1);
    }
    if (!Link().Connected()) {
        return ::testing::AssertionFailure()
               << "not connected; boxes: " << Boxes.Texts().join(" | ").toStdString();
    }
    Form->Model().System.UnitCount =
        controller ? Link().Queries().QueryUnitCount(Form->Model()) : 1;
    // Every channel of the units on the Channel Selects, as a projector count change lists them.
    const int channels = Form->Model().System.UnitCount * ChannelsPerUnit;
    Form->SourceSetup().SetChannelCount(channels);
    Form->SeamRemoval().SetChannelCount(channels);
    Boxes.Clear();
    Mark();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PageRig::StartSimulator(std::vector<std::string> simOptions) {
    simOptions.insert(simOptions.end(), {"--log", log_, "--state", state_});
    std::string error;
    if (!sim_.Start(simOptions, &error)) {
        return ::testing::AssertionFailure() << "zelvar-sim did not start: " << error;
    }
    qputenv("TARVEL_PORTS", QByteArray::fromStdString(sim_.PtyPath()));
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PageRig::ReadUnits(bool outputs) {
    const int units = Form->Model().System.UnitCount;
    for (int unit = 1; unit <= units; ++unit) {
        if (outputs) {
            if (const int result = Link().Queries().QueryUnit(Form->Model(), unit); result != 1) {
                return ::testing::AssertionFailure() << "unit " << unit << " read: " << result;
            }
            continue;
        }
        for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
            if (Link().Queries().QueryInputStatus(unit, channel) != QueryResult::Ok) {
                return ::testing::AssertionFailure() << "unit " << unit << " input " << channel;
            }
        }
    }
    Form->State().Busy = 0;
    Form->SetStatusText(QString()); // as the whole read leaves it
    Boxes.Clear();                  // the read's own warnings
    Mark();
    // The progress window came and went; a window manager would make this one active again.
    if (!Reactivate(*Form)) {
        return ::testing::AssertionFailure() << "the window did not become active again";
    }
    return ::testing::AssertionSuccess();
}

void PageRig::ShowPage(QWidget& page) {
    PageControl* pages = Form->PageControl();
    pages->SetPageShown(pages->indexOf(&page), true);
    if (pages->currentWidget() == &page) {
        Form->PhasePageControlChange();
    } else {
        pages->setCurrentWidget(&page);
    }
    QTest::qWait(1);
}

QStringList PageRig::Log() const {
    QStringList lines;
    std::istringstream in(SimProcess::ReadFile(log_));
    for (std::string line; std::getline(in, line);) {
        lines << QString::fromStdString(line);
    }
    return lines;
}

QStringList PageRig::Sent() const {
    return Log().mid(mark_);
}

ChannelSettings PageRig::SimState() const {
    return ReadSimState(state_);
}

void PageRig::Mark() {
    mark_ = static_cast<int>(Log().size());
}

void PageRig::Type(QLineEdit* edit, const QString& text) {
    // Into the edit without committing the field that had the focus.
    static_cast<FieldEdit*>(edit)->TakeFocusBack();
    QTest::keyClick(edit, Qt::Key_Delete);
    if (!text.isEmpty()) {
        QTest::keyClicks(edit, text);
    }
}

void PageRig::Leave(QWidget* to) {
    to->setFocus(Qt::MouseFocusReason);
    QTest::qWait(1);
}

void PageRig::TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* to) {
    Type(edit, text);
    Leave(to);
}

} // namespace tarvel::test
