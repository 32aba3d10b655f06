#pragma once

#include "ScriptedFileDialogs.h"
#include "SimProcess.h"
#include "WindowTestSupport.h"
#include "support/TestTiming.h"

#include "device/DeviceLink.h"
#include "model/ChannelSettings.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/TTarvelForm.h"

#include <QLineEdit>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarvel::test {

// The main window (scripted boxes, in a fresh working directory) with its link on zelvar-sim.
// The simulator logs every command it receives.
class PageRig {
public:
    explicit PageRig(LinkTiming timing = TestTiming());
    ~PageRig();
    PageRig(const PageRig&) = delete;
    PageRig& operator=(const PageRig&) = delete;

    // Shows the window (the start-up question answered No) without a link.
    ::testing::AssertionResult ShowWindow();
    // Shows the window, starts the simulator with the options and connects through the
    // controller (when options say "--mode controller") or directly; the unit count is taken
    // from the controller. Afterwards the boxes and the log mark are cleared.
    ::testing::AssertionResult Connect(std::vector<std::string> simOptions);
    // Starts the simulator with the options (its log and state added) as COM 1, without
    // connecting: for a search of the test's own.
    ::testing::AssertionResult StartSimulator(std::vector<std::string> simOptions);
    // The simulator's line (COM 1).
    QString LinePath() const { return QString::fromStdString(sim_.PtyPath()); }
    // Reads every unit's system, input and output status into the model (only the input
    // status without `outputs`: the model then holds no projector count).
    ::testing::AssertionResult ReadUnits(bool outputs = true);
    // Makes the page the active one (the page switch rule runs).
    void ShowPage(QWidget& page);

    // Every command the simulator received since the last Mark(), one per line.
    QStringList Sent() const;
    void Mark();
    // The units' records as the simulator holds them now.
    ChannelSettings SimState() const;

    template <typename T> T* Control(const QString& name) const {
        T* control = Form->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QLineEdit* Edit(const QString& name) const { return Control<QLineEdit>(name); }

    // Types the text over the edit's text as the user would (the focus goes there without
    // committing the field it leaves), and moves the focus to `to`, which commits the edit.
    void Type(QLineEdit* edit, const QString& text);
    void Leave(QWidget* to);
    void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* to);

    DeviceLink& Link() const { return Form->Link(); }

    WorkingDirectory Directory;
    ScriptedMessageBoxes Boxes;
    ScriptedFileDialogs Dialogs;
    std::unique_ptr<TTarvelForm> Form;

private:
    QStringList Log() const;

    SimProcess sim_;
    std::string log_ = SimProcess::UniquePath("ui-page-log");
    std::string state_ = SimProcess::UniquePath("ui-page-state");
    int mark_ = 0;
};

} // namespace tarvel::test
