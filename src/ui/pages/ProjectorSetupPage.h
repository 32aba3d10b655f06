#pragma once

#include "ui/pages/TabPage.h"

#include <array>

class QButtonGroup;
class QCheckBox;

namespace tarvel {

// Test patterns for all channels at once: four task groups (phase, input size, image
// alignment, colour), each offering the patterns that suit one adjustment. A choice goes to
// every channel of every unit in use and is written into the Display Setup page's per-channel
// controls; the other groups lose their selection. A per-channel choice there clears all four
// groups here.
class ProjectorSetupPage : public TabPage {
    Q_OBJECT

public:
    static constexpr int TaskGroupCount = 4;

    explicit ProjectorSetupPage(const UiContext& context, QWidget* parent = nullptr);
    ~ProjectorSetupPage() override;

    // All four radio groups without a selection; their boxes keep their state.
    void ClearTaskGroups();

public slots:
    // ProjTest1RadioGroupClick ... ProjTest4RadioGroupClick (group 1..4), also bound to the
    // group's extra box.
    void TaskGroupClick(int group);

private:
    struct TaskGroup {
        QButtonGroup* Items = nullptr;
        QCheckBox* Extra = nullptr; // null where the group has none
    };

    void SelectNone(int index);

    std::array<TaskGroup, TaskGroupCount> groups_{};
};

} // namespace tarvel
