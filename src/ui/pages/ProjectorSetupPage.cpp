#include "ui/pages/ProjectorSetupPage.h"

#include "device/CommandEncoders.h"
#include "model/ChannelSettings.h"
#include "ui/BusyGuard.h"
#include "ui/PanelFontFit.h"
#include "ui/TTarvelForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/UnitSends.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvel {

namespace {

constexpr int MaxItems = 7;

// Where the raster and grid values of a choice come from.
enum class BoxRule {
    Never,      // 0
    ExtraBox,   // the state of the group's extra box
    WhenChosen, // 1 for every item but "Off"
};

struct TaskGroupRow {
    const char* GroupName;
    const char* RadioName;
    std::array<const char*, MaxItems> Items; // up to the first null
    int Columns;
    std::array<int, MaxItems> Codes; // the pattern code of each item
    BoxRule Raster;
    BoxRule Grid;
    const char* ExtraName; // null: no extra box
    const char* ExtraCaption;
    const char* Heading;
    std::array<const char*, 2> Lines; // up to the first null
    int Height;
};

const TaskGroupRow TaskGroups[ProjectorSetupPage::TaskGroupCount] = {
    {"ProjPhaseGroupBox",
     "ProjTest1RadioGroup",
     {"Off", "Resolution 1 Pixel ON/ 1 Pixel OFF", "Resolution 2 Pixel ON/ 2 Pixel OFF"},
     1,
     {0, 2, 3},
     BoxRule::ExtraBox,
     BoxRule::Never,
     "ProjTest1RasterCheckBox",
     "Output Raster Box",
     "Projector Phase Adjust:",
     {"- Select one of the available Resolution test patterns.",
      "- For each projector, adjusts input sample clock phase to achieve one-to-one sampling of "
      "the test pattern."},
     124},
    {"ProjInputSizeGroupBox",
     "ProjTest2RadioGroup",
     {"Off", "Black with Raster Box", "Gray Scale with Raster Box"},
     1,
     {0, 5, 4},
     BoxRule::WhenChosen,
     BoxRule::Never,
     nullptr,
     nullptr,
     "Projector Input Size Adjust:",
     {"- Select the Black Test Pattern With Raster Box",
      "- The Raster Box is a one-pixel outline of the of active display raster being input to "
      "the projector.  For each projector, adjust Input Horizontal and Vertical Position until "
      "the Raster Box test pattern is aligned "
      "with the projector's output display raster."},
     112},
    {"DisplayImageGroupBox",
     "ProjTest3RadioGroup",
     {"Off", "Image Overlap Alignment with Raster Box"},
     1,
     {0, 1},
     BoxRule::WhenChosen,
     BoxRule::ExtraBox,
     "ProjTest3GridCheckBox",
     "Output Test Grid",
     "Display Image Alignment:",
     {"Select the Projector Overlap Alignment Test Pattern.  The Overlap Alignment Test pattern "
      "displays a broken vertical line on each side of the image.  The position of the line has "
      "been calculated based on the required amount of image overlap. ",
      "Projectors will be correctly overlapped when the two broken Alignment lines from adjacent "
      "projectors combine to create a single solid vertical line."},
     124},
    {"ProjColorGroupBox",
     "ProjTest4RadioGroup",
     {"Off", "Black", "Gray - 25%", "Gray - 50%", "Gray - 75%", "White", "H Bars"},
     3,
     {0, 5, 6, 7, 8, 9, 4},
     BoxRule::Never,
     BoxRule::Never,
     nullptr,
     nullptr,
     "Projector Color Balance Adjustment:",
     {"- Select available test patterns, as required.  For each projector, adjust color "
      "balance, as required, to match all projectors."},
     112},
};

const QString Note = QStringLiteral(
    "Note:  Please see projector documentation for correct projector adjustment instructions. ");

// Geometry: the groups on the left, their instructions beside them.
constexpr int GroupX = 8;
constexpr int GroupWidth = 400;
constexpr int PanelX = GroupX + GroupWidth + 10;
constexpr int PanelWidth = 474;
constexpr int FirstGroupY = 34;
constexpr int GroupGap = 8;
constexpr int ItemHeight = 21;

int BoxValue(BoxRule rule, const QCheckBox* extra, int index) {
    switch (rule) {
    case BoxRule::ExtraBox:
        return extra != nullptr && extra->isChecked() ? 1 : 0;
    case BoxRule::WhenChosen:
        return index > 0 ? 1 : 0;
    case BoxRule::Never:
        break;
    }
    return 0;
}

QWidget* MakeInstructions(QWidget* parent, const TaskGroupRow& row, int number, int y) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("ProjInstruction%1Panel").arg(number));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(PanelX, y + 6, PanelWidth, row.Height - 6);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    auto* heading = new QLabel(QString::fromLatin1(row.Heading), panel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    for (const char* line : row.Lines) {
        if (line == nullptr) {
            break;
        }
        auto* label = new QLabel(QString::fromLatin1(line), panel);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    PanelFontFit::Apply(*panel);
    return panel;
}

} // namespace

ProjectorSetupPage::ProjectorSetupPage(const UiContext& context, QWidget* parent)
    : TabPage("ProjAlignTabSheet", context, parent) {
    auto* note = new QLabel(Note, this);
    note->setObjectName(QStringLiteral("ProjNoteLabel"));
    note->setGeometry(GroupX, 8, 880, ItemHeight);

    int y = FirstGroupY;
    for (int k = 1; k <= TaskGroupCount; ++k) {
        const TaskGroupRow& row = TaskGroups[k - 1];
        TaskGroup& group = groups_[static_cast<std::size_t>(k - 1)];

        auto* box = new QGroupBox(this);
        box->setObjectName(QString::fromLatin1(row.GroupName));
        box->setGeometry(GroupX, y, GroupWidth, row.Height);
        auto* radio = new QGroupBox(QStringLiteral("Test Patterns"), box);
        radio->setObjectName(QString::fromLatin1(row.RadioName));
        const int extraHeight = row.ExtraName != nullptr ? ItemHeight + 6 : 0;
        radio->setGeometry(8, 6, GroupWidth - 16, row.Height - 12 - extraHeight);

        group.Items = new QButtonGroup(radio);
        const int columnWidth = (GroupWidth - 32) / row.Columns;
        for (int item = 0; item < MaxItems && row.Items[static_cast<std::size_t>(item)]; ++item) {
            auto* button = new QRadioButton(
                QString::fromLatin1(row.Items[static_cast<std::size_t>(item)]), radio);
            button->setObjectName(QStringLiteral("%1Item%2").arg(radio->objectName()).arg(item));
            button->setGeometry(10 + (item % row.Columns) * columnWidth,
                                20 + (item / row.Columns) * ItemHeight, columnWidth - 4,
                                ItemHeight);
            group.Items->addButton(button, item);
        }
        connect(group.Items, &QButtonGroup::idClicked, this, [this, k] { TaskGroupClick(k); });
        if (row.ExtraName != nullptr) {
            group.Extra = new QCheckBox(QString::fromLatin1(row.ExtraCaption), box);
            group.Extra->setObjectName(QString::fromLatin1(row.ExtraName));
            group.Extra->setGeometry(18, row.Height - extraHeight - 2, 200, ItemHeight);
            connect(group.Extra, &QCheckBox::clicked, this, [this, k] { TaskGroupClick(k); });
        }
        MakeInstructions(this, row, k, y);
        y += row.Height + GroupGap;
    }
}

ProjectorSetupPage::~ProjectorSetupPage() = default;

void ProjectorSetupPage::SelectNone(int index) {
    QButtonGroup* items = groups_[static_cast<std::size_t>(index)].Items;
    // An exclusive group cannot uncheck its last button.
    items->setExclusive(false);
    if (QAbstractButton* checked = items->checkedButton()) {
        checked->setChecked(false);
    }
    items->setExclusive(true);
}

void ProjectorSetupPage::ClearTaskGroups() {
    UpdatingControlsGuard updating(Context().State);
    for (int index = 0; index < TaskGroupCount; ++index) {
        SelectNone(index);
    }
}

void ProjectorSetupPage::TaskGroupClick(int k) {
    if (k < 1 || k > TaskGroupCount || Context().State.UpdatingControls) {
        return;
    }
    BusyGuard busy(Context().State);
    if (!busy) {
        return;
    }
    const TaskGroupRow& row = TaskGroups[k - 1];
    TaskGroup& group = groups_[static_cast<std::size_t>(k - 1)];
    int index = group.Items->checkedId();
    if (index < 0) {
        // The extra box was clicked before any pattern: "Off" with the box.
        if (group.Extra == nullptr) {
            return;
        }
        UpdatingControlsGuard updating(Context().State);
        group.Items->button(0)->setChecked(true);
        index = 0;
    }
    const int code = row.Codes[static_cast<std::size_t>(index)];
    const int raster = BoxValue(row.Raster, group.Extra, index);
    const int grid = BoxValue(row.Grid, group.Extra, index);

    // Stored for every channel of each unit in use, sent while the link is up (otherwise only
    // the model and the per-channel controls change).
    const QPointer<ProjectorSetupPage> self(this);
    const int units = Context().Model.System.UnitCount > 1 ? 2 : 1;
    for (int unit = 1; unit <= units; ++unit) {
        SendResult sent = SendResult::NotSent;
        if (CommandEncoders* encoders = Encoders(Context())) {
            sent = encoders->SendTestPattern(unit, AllChannels, code, raster, grid);
        }
        if (!self) {
            return;
        }
        if (TTarvelForm* form = Context().Form) {
            UpdatingControlsGuard updating(Context().State);
            for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
                form->DisplaySetup().FillTestPattern(UnitChannelToScreen(unit, channel));
            }
        }
        if (StopsOperation(sent)) {
            break;
        }
    }

    UpdatingControlsGuard updating(Context().State);
    for (int other = 0; other < TaskGroupCount; ++other) {
        if (other == k - 1) {
            continue;
        }
        SelectNone(other);
        if (QCheckBox* extra = groups_[static_cast<std::size_t>(other)].Extra) {
            extra->setChecked(false);
        }
    }
}

} // namespace tarvel
