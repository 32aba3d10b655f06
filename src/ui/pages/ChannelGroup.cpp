#include "ui/pages/ChannelGroup.h"

#include "config/NumberFormat.h"
#include "device/CommandEncoders.h"
#include "ui/BusyGuard.h"
#include "ui/FieldEdit.h"
#include "ui/NumericField.h"
#include "ui/TTarvelForm.h"
#include "ui/UpdatingControlsGuard.h"
#include "ui/pages/ProjectorSetupPage.h"
#include "ui/pages/UnitSends.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace tarvel {

namespace {

// The pattern codes are the list indexes.
const char* const TestPatternItems[] = {
    "Off",
    "Alignment Position",
    "1 Pixel On / 1 Pixel Off",
    "2 Pixel On / 2 Pixel Off",
    "Horizontal Bars",
    "Black",
    "Grey - 25%",
    "Grey - 50%",
    "Grey - 75%",
    "White",
    "Horizontal Ramp",
};
constexpr int TestPatternLines = 11;

// Control names of one edge; %1 is the channel.
struct FeatherNames {
    const char* Box;
    const char* Gamma;
    const char* Width;
    const char* Offset;
};
constexpr FeatherNames LeftFeather{"LEdgeFeathering%1CheckBox", "LGamma%1", "LGammaWidth%1",
                                   "LGammaOffset%1"};
constexpr FeatherNames RightFeather{"REdgeFeathering%1CheckBox", "RGamma%1", "RGammaWidth%1",
                                    "RGammaOffset%1"};
// Channel 1's right edge and channel 8's left edge have names without the side letter (only
// their widths and offsets keep it on channel 8).
constexpr FeatherNames FirstRightFeather{"EdgeFeathering%1CheckBox", "Gamma%1", "GammaWidth%1",
                                         "GammaOffset%1"};
constexpr FeatherNames LastLeftFeather{"EdgeFeathering%1CheckBox", "Gamma%1", "LGammaWidth%1",
                                       "LGammaOffset%1"};

struct HaloNames {
    const char* Width;
    const char* Offset;
};
constexpr HaloNames LeftHalo{"LHaloWidth%1", "LHaloOffset%1"};
constexpr HaloNames RightHalo{"RHaloWidth%1", "RHaloOffset%1"};
constexpr HaloNames OnlyHalo{"HaloWidth%1", "HaloOffset%1"}; // channel 1 right, channel 8 left

constexpr int FirstChannel = 1;
constexpr int LastChannel = ScreenCount;

bool HasFeatherEdge(int channel, EdgeSide side) {
    return side == EdgeSide::Left || channel < LastChannel;
}

bool HasHaloEdge(int channel, EdgeSide side) {
    return side == EdgeSide::Left ? channel > FirstChannel : channel < LastChannel;
}

const FeatherNames& FeatherNamesOf(int channel, EdgeSide side) {
    if (side == EdgeSide::Left) {
        return channel == LastChannel ? LastLeftFeather : LeftFeather;
    }
    return channel == FirstChannel ? FirstRightFeather : RightFeather;
}

const HaloNames& HaloNamesOf(int channel, EdgeSide side) {
    if (channel == FirstChannel || channel == LastChannel) {
        return OnlyHalo;
    }
    return side == EdgeSide::Left ? LeftHalo : RightHalo;
}

QString Named(const char* pattern, int channel) {
    return QString::fromLatin1(pattern).arg(channel);
}

QString SideLabel(const char* stem, EdgeSide side) {
    return QString::fromLatin1(stem) +
           (side == EdgeSide::Left ? QStringLiteral("(L)") : QStringLiteral("(R)"));
}

constexpr std::size_t SideIndex(EdgeSide side) {
    return side == EdgeSide::Left ? 0 : 1;
}

constexpr EdgeSide Sides[] = {EdgeSide::Left, EdgeSide::Right};

const QString ValueOutOfBounds = QStringLiteral("Error! Value out of bounds! ");
const QString GammaRange = QStringLiteral("(1.0 - 5.0)");
const QString GammaInvalid = QStringLiteral("' is not a valid Edge Feathering Gamma value.");

// Geometry inside the group.
constexpr int LabelX = 8;
constexpr int FieldX = 80;
constexpr int EditWidth = 41;
constexpr int RowHeight = 21;
constexpr int EdgeColumnWidth = 140; // left edge column, then the right one
constexpr int EdgeLabelWidth = 66;

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int width) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, RowHeight);
    return label;
}

} // namespace

ChannelGroup::ChannelGroup(int channel, const UiContext& context,
                           std::function<double()> maxOverlap, QWidget* parent)
    : QGroupBox(QStringLiteral("Screen %1 Controls").arg(channel), parent), channel_(channel),
      unitChannel_(ScreenToUnitChannel(channel)), context_(context) {
    setObjectName(QStringLiteral("Screen%1GroupBox").arg(channel));
    resize(Width, Height);
    BuildTestPattern();
    BuildBlackLevel();
    BuildEdgeFeathering(maxOverlap);
    BuildHalo();
}

ChannelGroup::~ChannelGroup() = default;

NumericField* ChannelGroup::NewField(NumericFieldRules spec, const UiContext& context,
                                     QWidget* parent) {
    const QString name = spec.Stem + QStringLiteral("Field");
    auto* field = new NumericField(std::move(spec), context, parent);
    field->setObjectName(name);
    return field;
}

void ChannelGroup::BuildTestPattern() {
    MakeLabel(this, QStringLiteral("Test Pattern"), LabelX, 20, FieldX - LabelX);
    testPattern_ = new QComboBox(this);
    testPattern_->setObjectName(QStringLiteral("TestPattern%1ComboBox").arg(channel_));
    for (const char* item : TestPatternItems) {
        testPattern_->addItem(QString::fromLatin1(item));
    }
    testPattern_->setMaxVisibleItems(TestPatternLines);
    testPattern_->setGeometry(FieldX, 20, 170, RowHeight);

    testGrid_ = new QCheckBox(QStringLiteral("Test Grid"), this);
    testGrid_->setObjectName(QStringLiteral("TestGrid%1CheckBox").arg(channel_));
    testGrid_->setGeometry(LabelX, 46, 90, RowHeight);
    outputRaster_ = new QCheckBox(QStringLiteral("Output Raster Box"), this);
    outputRaster_->setObjectName(QStringLiteral("OutputRaster%1CheckBox").arg(channel_));
    outputRaster_->setGeometry(FieldX + 20, 46, 150, RowHeight);

    // A fill that changes them runs the choice too (it then only clears the task groups).
    connect(testPattern_, &QComboBox::currentIndexChanged, this, &ChannelGroup::TestPatternChange);
    connect(testGrid_, &QCheckBox::toggled, this, &ChannelGroup::TestPatternChange);
    connect(outputRaster_, &QCheckBox::toggled, this, &ChannelGroup::TestPatternChange);
}

void ChannelGroup::BuildBlackLevel() {
    blackLabel_ = MakeLabel(this, QStringLiteral("Black Level "), LabelX, 72, FieldX - LabelX);
    blackLabel_->setObjectName(QStringLiteral("BlackLabel%1").arg(channel_));
    black_ = NewField(
        NumericFieldRules{
            .Stem = QStringLiteral("Black%1").arg(channel_),
            .Lower = 0,
            .Upper = 255,
            .RangeText = QStringLiteral("(0 - 255)"),
            .MaxLength = channel_ == FirstChannel ? 5 : 0,
            .BoundsMessage = ValueOutOfBounds,
            .BoundsMessageWithRange = true,
            .InvalidNumberEnding = QStringLiteral("' is not a valid Black Level."),
            .Restore = [this] { FillBlackLevel(); },
            .Send = [this](std::span<const double> v) { SendBlackLevel(static_cast<int>(v[0])); },
            .EnterTarget =
                [this] {
                    // The halo width of the channel: its left edge, on channel 1 the right one.
                    const HaloEdge& edge = halo_[channel_ == FirstChannel ? 1 : 0];
                    return FocusableOrCommit(black_, edge.Width->Edit());
                },
        },
        context_, this);
    black_->Place(FieldX, 72, EditWidth);
    // The service view enables them.
    blackLabel_->setEnabled(false);
    black_->SetEnabled(false);
}

void ChannelGroup::BuildEdgeFeathering(const std::function<double()>& maxOverlap) {
    edgeFeatherGroup_ = new QGroupBox(QStringLiteral("Edge Feathering (Advanced)"), this);
    edgeFeatherGroup_->setObjectName(QStringLiteral("EdgeFeather%1GroupBox").arg(channel_));
    edgeFeatherGroup_->setGeometry(LabelX, 98, 288, 146);
    edgeAdvGroup_ = new QGroupBox(edgeFeatherGroup_);
    edgeAdvGroup_->setObjectName(QStringLiteral("EdgeAdv%1GroupBox").arg(channel_));
    edgeAdvGroup_->setGeometry(4, 68, 280, 74);

    for (const EdgeSide side : Sides) {
        if (!HasFeatherEdge(channel_, side)) {
            continue;
        }
        const FeatherNames& names = FeatherNamesOf(channel_, side);
        FeatherEdge& edge = feather_[SideIndex(side)];
        edge.Side = side;
        const int column = static_cast<int>(SideIndex(side)) * EdgeColumnWidth;

        edge.Enable = new QCheckBox(SideLabel("Enable ", side), edgeFeatherGroup_);
        edge.Enable->setObjectName(Named(names.Box, channel_));
        edge.Enable->setGeometry(10 + column, 18, 100, RowHeight);
        edge.GammaLabel =
            MakeLabel(edgeFeatherGroup_, SideLabel("Gamma", side), 10 + column, 42, EdgeLabelWidth);
        edge.Gamma =
            NewField(NumericFieldRules{
                         .Stem = Named(names.Gamma, channel_),
                         .Kind = NumericKind::Real,
                         .Lower = 1.0,
                         .Upper = 5.0,
                         .RangeText = GammaRange,
                         .DefaultText = QStringLiteral("2.2"),
                         .BoundsMessage = ValueOutOfBounds,
                         .BoundsMessageWithRange = true,
                         .InvalidNumberEnding = GammaInvalid,
                         .Send =
                             [this, &edge](std::span<const double> v) {
                                 SendEdgeFeather(edge, v[0], std::nullopt);
                             },
                         .EnterTarget =
                             [this, side] {
                                 // From channel 1's left gamma to its right gamma; else the list.
                                 NumericField* from = feather_[SideIndex(side)].Gamma;
                                 if (channel_ == FirstChannel && side == EdgeSide::Left) {
                                     return FocusableOrCommit(from, feather_[1].Gamma->Edit());
                                 }
                                 return FocusableOrCommit(from, testPattern_);
                             },
                     },
                     context_, edgeFeatherGroup_);
        edge.Gamma->Place(10 + column + EdgeLabelWidth + 2, 42, EditWidth);
        // Ticking or unticking the box sends the edge with its new state.
        connect(edge.Enable, &QCheckBox::clicked, edge.Gamma, &NumericField::CommitField);

        const bool first = channel_ == FirstChannel;
        edge.WidthLabel =
            MakeLabel(edgeAdvGroup_, SideLabel("Width", side), 6 + column, 16, EdgeLabelWidth);
        edge.Width = NewField(
            NumericFieldRules{
                .Stem = Named(names.Width, channel_),
                .Lower = 64,
                .Upper = maxOverlap,
                .MaxLength = first ? 4 : 3,
                .BoundsMessage = QStringLiteral("Error! Gamma width out of bounds. "),
                .InvalidNumberEnding = QStringLiteral("' is not a valid width value."),
                .EnterTarget =
                    [this, side] {
                        const FeatherEdge& e = feather_[SideIndex(side)];
                        return FocusableOrCommit(e.Width, e.Offset->Edit());
                    },
            },
            context_, edgeAdvGroup_);
        edge.Width->Place(6 + column + EdgeLabelWidth + 2, 16, EditWidth);
        edge.OffsetLabel =
            MakeLabel(edgeAdvGroup_, SideLabel("Offset", side), 6 + column, 44, EdgeLabelWidth);
        edge.Offset = NewField(
            NumericFieldRules{
                .Stem = Named(names.Offset, channel_),
                .Lower = 0,
                .Upper = 511,
                .RangeText = QStringLiteral("(0 - 511)"),
                .MaxLength = first ? 3 : 4,
                .BoundsMessage = QStringLiteral("Error! Offset out of bounds. "),
                .BoundsMessageWithRange = true,
                .InvalidNumberEnding = QStringLiteral("' is not a valid offset value."),
                .EnterTarget =
                    [this, side] {
                        const FeatherEdge& e = feather_[SideIndex(side)];
                        if (side == EdgeSide::Left) {
                            if (QWidget* next = EnterTargetAfterLeftOffset()) {
                                return FocusableOrCommit(e.Offset, next);
                            }
                        }
                        return FocusableOrCommit(e.Offset, testPattern_);
                    },
            },
            context_, edgeAdvGroup_);
        edge.Offset->Place(6 + column + EdgeLabelWidth + 2, 44, EditWidth);
        NumericField::MakePair(*edge.Width, *edge.Offset, [this, &edge](std::span<const double> v) {
            SendEdgeFeather(edge, std::nullopt, std::array{v[0], v[1]});
        });
    }
    // The service view shows it.
    edgeAdvGroup_->hide();
}

void ChannelGroup::BuildHalo() {
    // Never shown; its fields are still filled and sent with the whole configuration.
    haloGroup_ = new QGroupBox(QStringLiteral("Halo Removal"), this);
    haloGroup_->setObjectName(QStringLiteral("Halo%1GroupBox").arg(channel_));
    haloGroup_->setGeometry(LabelX, 98, 288, 74);
    for (const EdgeSide side : Sides) {
        if (!HasHaloEdge(channel_, side)) {
            continue;
        }
        const HaloNames& names = HaloNamesOf(channel_, side);
        HaloEdge& edge = halo_[SideIndex(side)];
        edge.Side = side;
        const int column = static_cast<int>(SideIndex(side)) * EdgeColumnWidth;
        edge.WidthLabel =
            MakeLabel(haloGroup_, SideLabel("Width", side), 6 + column, 18, EdgeLabelWidth);
        edge.Width = NewField(
            NumericFieldRules{
                .Stem = Named(names.Width, channel_),
                .Lower = 0,
                .Upper = 64,
                .RangeText = QStringLiteral("(0 - 64)"),
                .MaxLength = 3,
                .BoundsMessage = QStringLiteral("Error! Halo width out of bounds. "),
                .BoundsMessageWithRange = true,
                .InvalidNumberEnding = QStringLiteral("' is not a valid Halo width value."),
                .EnterTarget =
                    [this, side] {
                        const HaloEdge& e = halo_[SideIndex(side)];
                        return FocusableOrCommit(e.Width, e.Offset->Edit());
                    },
            },
            context_, haloGroup_);
        edge.Width->Place(6 + column + EdgeLabelWidth + 2, 18, EditWidth);
        edge.OffsetLabel =
            MakeLabel(haloGroup_, SideLabel("Offset", side), 6 + column, 44, EdgeLabelWidth);
        edge.Offset = NewField(
            NumericFieldRules{
                .Stem = Named(names.Offset, channel_),
                .Lower = 0,
                .Upper = 255,
                .RangeText = QStringLiteral("(0 - 255)"),
                .MaxLength = 4,
                .BoundsMessage = QStringLiteral("Error! Halo offset out of bounds. "),
                .BoundsMessageWithRange = true,
                .InvalidNumberEnding = QStringLiteral("' is not a valid Halo offset value."),
                .EnterTarget =
                    [this, side] {
                        const HaloEdge& e = halo_[SideIndex(side)];
                        return FocusableOrCommit(e.Offset, e.Width->Edit());
                    },
            },
            context_, haloGroup_);
        edge.Offset->Place(6 + column + EdgeLabelWidth + 2, 44, EditWidth);
        NumericField::MakePair(*edge.Width, *edge.Offset, [this, side](std::span<const double> v) {
            SendHalo(side, static_cast<int>(v[0]), static_cast<int>(v[1]));
        });
    }
    haloGroup_->hide();
}

QWidget* ChannelGroup::FocusableOrCommit(NumericField* from, QWidget* target) {
    if (target != nullptr && target->isVisible() && target->isEnabled()) {
        return target;
    }
    // A hidden control cannot take the focus: the value still takes effect.
    from->CommitField();
    return nullptr;
}

QWidget* ChannelGroup::EnterTargetAfterLeftOffset() const {
    const FeatherEdge& right = feather_[1];
    if (right.Width != nullptr && right.Width->Edit()->isVisible()) {
        return right.Width->Edit();
    }
    return nullptr;
}

QString ChannelGroup::ScreenName() const {
    return QStringLiteral("Screen %1").arg(channel_);
}

void ChannelGroup::Fill() {
    FillTestPattern();
    FillBlackLevel();
    const OutputSettings& output = context_.Model.Channels.Output(unitChannel_);
    const auto integer = [](std::int32_t value) { return QString::number(value); };
    const auto gamma = [](float value) { return QString::fromStdString(FormatSingle(value)); };
    for (const EdgeSide side : Sides) {
        const bool left = side == EdgeSide::Left;
        if (const HaloEdge& edge = halo_[SideIndex(side)]; edge.Width != nullptr) {
            edge.Width->SetText(integer(left ? output.LeftHaloWidth : output.RightHaloWidth));
            edge.Offset->SetText(integer(left ? output.LeftHaloOffset : output.RightHaloOffset));
        }
        if (const FeatherEdge& edge = feather_[SideIndex(side)]; edge.Gamma != nullptr) {
            edge.Gamma->SetText(gamma(left ? output.LeftGamma : output.RightGamma));
            edge.Enable->setChecked((left ? output.LeftFeatherOn : output.RightFeatherOn) != 0);
            edge.Width->SetText(integer(left ? output.LeftGammaWidth : output.RightGammaWidth));
            edge.Offset->SetText(integer(left ? output.LeftGammaOffset : output.RightGammaOffset));
        }
    }
}

void ChannelGroup::FillTestPattern() {
    const OutputSettings& output = context_.Model.Channels.Output(unitChannel_);
    testPattern_->setCurrentIndex(output.TestPattern < TestPatternLines ? output.TestPattern : -1);
    testGrid_->setChecked(output.TestGrid != 0);
    outputRaster_->setChecked(output.OutputRaster != 0);
}

void ChannelGroup::FillBlackLevel() {
    black_->SetText(QString::number(context_.Model.Channels.Output(unitChannel_).BlackLevel));
}

void ChannelGroup::SetAdvancedShown(bool shown) {
    edgeFeatherGroup_->setVisible(shown);
}

void ChannelGroup::SetRightEdgeShown(bool shown) {
    const FeatherEdge& edge = feather_[1];
    if (edge.Enable != nullptr) {
        edge.Enable->setVisible(shown);
        edge.GammaLabel->setVisible(shown);
        edge.Gamma->SetVisible(shown);
    }
    if (const HaloEdge& halo = halo_[1]; halo.Width != nullptr) {
        halo.WidthLabel->setVisible(shown);
        halo.Width->SetVisible(shown);
        halo.OffsetLabel->setVisible(shown);
        halo.Offset->SetVisible(shown);
    }
}

void ChannelGroup::SetServiceView(bool on) {
    edgeAdvGroup_->setVisible(on);
    blackLabel_->setEnabled(on);
    black_->SetEnabled(on);
}

void ChannelGroup::TestPatternChange() {
    BusyGuard busy(context_.State);
    if (!busy) {
        return;
    }
    if (context_.Form != nullptr) {
        UpdatingControlsGuard updating(context_.State);
        context_.Form->ProjectorSetup().ClearTaskGroups();
    }
    const int pattern = testPattern_->currentIndex();
    CommandEncoders* encoders = Encoders(context_);
    // An index outside the list (a code the unit reported but the list lacks) is not sent.
    if (!context_.MayCommit() || encoders == nullptr || pattern < 0) {
        return;
    }
    encoders->SendTestPattern(unitChannel_.Unit, unitChannel_.Channel, pattern,
                              outputRaster_->isChecked() ? 1 : 0, testGrid_->isChecked() ? 1 : 0);
}

ControlCommand ChannelGroup::TestPatternFromControls() const {
    const int pattern = testPattern_->currentIndex();
    if (pattern < 0) {
        return ControlCommand::Refused();
    }
    return ControlCommand::Of(Command::TestPattern(unitChannel_.Channel, pattern,
                                                   outputRaster_->isChecked() ? 1 : 0,
                                                   testGrid_->isChecked() ? 1 : 0));
}

ControlCommand ChannelGroup::BlackLevelFromControls() const {
    const std::optional<double> level = black_->Value();
    const NumericFieldRules& spec = black_->Spec();
    // The record holds a byte: a level beyond it would reach the unit as another value.
    if (!level || *level < spec.Lower.Value() || *level > spec.Upper.Value()) {
        return ControlCommand::Refused();
    }
    return ControlCommand::Of(Command::BlackLevel(unitChannel_.Channel, TruncateToInt(*level)));
}

ControlCommand ChannelGroup::HaloFromControls(EdgeSide side) const {
    const HaloEdge& edge = halo_[SideIndex(side)];
    if (edge.Width == nullptr) {
        return {};
    }
    const std::optional<double> width = edge.Width->Value();
    const std::optional<double> offset = edge.Offset->Value();
    if (!width || !offset) {
        return ControlCommand::Refused();
    }
    return ControlCommand::Of(
        Command::Halo(unitChannel_.Channel, side, TruncateToInt(*width), TruncateToInt(*offset)));
}

ControlCommand ChannelGroup::EdgeFeatherFromControls(EdgeSide side) const {
    const FeatherEdge& edge = feather_[SideIndex(side)];
    if (edge.Gamma == nullptr) {
        return {};
    }
    const NumericFieldRules& gammaSpec = edge.Gamma->Spec();
    const std::optional<double> gamma = edge.Gamma->Value();
    const std::optional<double> width = edge.Width->Value();
    const std::optional<double> offset = edge.Offset->Value();
    // A gamma the unit refuses would be resent for ever.
    if (!gamma || !width || !offset || *gamma < gammaSpec.Lower.Value() ||
        *gamma > gammaSpec.Upper.Value()) {
        return ControlCommand::Refused();
    }
    return ControlCommand::Of(Command::EdgeFeather(
        unitChannel_.Channel, side, edge.Enable->isChecked() ? 1 : 0, static_cast<float>(*gamma),
        TruncateToInt(*width), TruncateToInt(*offset)));
}

void ChannelGroup::SendBlackLevel(int level) {
    if (CommandEncoders* encoders = Encoders(context_)) {
        encoders->SendBlackLevel(unitChannel_.Unit, unitChannel_.Channel, level);
    }
}

void ChannelGroup::SendHalo(EdgeSide side, int width, int offset) {
    if (CommandEncoders* encoders = Encoders(context_)) {
        encoders->SendHalo(unitChannel_.Unit, unitChannel_.Channel, side, width, offset);
    }
}

std::optional<double> ChannelGroup::ReadOtherField(const NumericField& field, const QString& label,
                                                   bool checkBounds) {
    const NumericFieldRules& spec = field.Spec();
    const QString closing = QStringLiteral(" %1 %2 must hold ").arg(ScreenName(), label);
    const std::optional<double> value = field.Value();
    QString message;
    if (!value) {
        message = QStringLiteral("Error! '") + field.Text() + spec.InvalidNumberEnding + closing +
                  QStringLiteral("a number before this edge can be sent.");
    } else if (checkBounds && (*value < spec.Lower.Value() || *value > spec.Upper.Value())) {
        message = spec.BoundsMessage + spec.RangeText + closing +
                  QStringLiteral("a value in range before this edge can be sent.");
    } else {
        return value;
    }
    context_.ShowMessage(message);
    // Where the user can mend it, the focus goes there (and leaving it checks it again).
    if (field.Edit()->isVisible() && field.Edit()->isEnabled()) {
        field.Edit()->TakeFocusBack();
    }
    return std::nullopt;
}

void ChannelGroup::SendEdgeFeather(const FeatherEdge& edge, std::optional<double> gamma,
                                   std::optional<std::array<double, 2>> widthOffset) {
    // A gamma the unit refuses would be resent for ever, so the other gamma is checked too.
    if (!gamma) {
        gamma = ReadOtherField(*edge.Gamma, SideLabel("Gamma", edge.Side), true);
        if (!gamma) {
            return;
        }
    }
    if (!widthOffset) {
        const std::optional<double> width =
            ReadOtherField(*edge.Width, SideLabel("Width", edge.Side), false);
        if (!width) {
            return;
        }
        const std::optional<double> offset =
            ReadOtherField(*edge.Offset, SideLabel("Offset", edge.Side), false);
        if (!offset) {
            return;
        }
        widthOffset = std::array{*width, *offset};
    }
    if (CommandEncoders* encoders = Encoders(context_)) {
        encoders->SendEdgeFeather(unitChannel_.Unit, unitChannel_.Channel, edge.Side,
                                  edge.Enable->isChecked() ? 1 : 0, static_cast<float>(*gamma),
                                  static_cast<int>((*widthOffset)[0]),
                                  static_cast<int>((*widthOffset)[1]));
    }
}

} // namespace tarvel
