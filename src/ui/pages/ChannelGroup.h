#pragma once

#include "protocol/Command.h"
#include "ui/NumericFieldRules.h"
#include "ui/UiContext.h"
#include "ui/pages/UnitSends.h"

#include <QGroupBox>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace tarvel {

class NumericField;

// One projector channel's group on the Display Setup page ("Screen N Controls", objectName
// ScreenNGroupBox): its test pattern list and boxes, the black level, the edge feathering of
// its edges with their service-view widths and offsets, and the halo removal of its edges.
// All eight groups are built by this one class from the channel number; the edge names follow
// the channel's place on the wall (channel 1 has a right halo edge only, channel 8 left edges
// only).
//
// Every value goes to the channel's unit and unit channel (channels 5-8 are unit 2).
class ChannelGroup : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int Width = 304;
    static constexpr int Height = 250;

    // maxOverlap: the gamma widths' upper bound, read at each check.
    ChannelGroup(int channel, const UiContext& context, std::function<double()> maxOverlap,
                 QWidget* parent = nullptr);
    ~ChannelGroup() override;

    // A NumericField named Stem + "Field", so the field itself can be found by name.
    static NumericField* NewField(NumericFieldRules spec, const UiContext& context,
                                  QWidget* parent);

    int Channel() const { return channel_; }
    QComboBox* TestPatternList() const { return testPattern_; }

    // The controls from the model (callers hold UpdatingControls).
    void Fill();
    void FillTestPattern();
    void FillBlackLevel();

    // The whole-configuration send: the command each setting's controls describe as they
    // stand, converted without a message (the caller reports an invalid value once).
    ControlCommand TestPatternFromControls() const;
    ControlCommand BlackLevelFromControls() const;
    ControlCommand HaloFromControls(EdgeSide side) const;
    ControlCommand EdgeFeatherFromControls(EdgeSide side) const;

    // "Edge Feathering (Advanced)": shown in advanced mode.
    void SetAdvancedShown(bool shown);
    // The right edge's enable box, gamma and halo controls (channels 2-7 follow the projector
    // count; channel 1's right edge always stays).
    void SetRightEdgeShown(bool shown);
    // The service view: the widths and offsets shown, the black level enabled.
    void SetServiceView(bool on);

private:
    struct FeatherEdge {
        EdgeSide Side = EdgeSide::Left;
        QCheckBox* Enable = nullptr;
        QLabel* GammaLabel = nullptr;
        NumericField* Gamma = nullptr;
        QLabel* WidthLabel = nullptr;
        NumericField* Width = nullptr;
        QLabel* OffsetLabel = nullptr;
        NumericField* Offset = nullptr;
    };
    struct HaloEdge {
        EdgeSide Side = EdgeSide::Left;
        QLabel* WidthLabel = nullptr;
        NumericField* Width = nullptr;
        QLabel* OffsetLabel = nullptr;
        NumericField* Offset = nullptr;
    };

    void BuildTestPattern();
    void BuildBlackLevel();
    void BuildEdgeFeathering(const std::function<double()>& maxOverlap);
    void BuildHalo();

    // The per-channel test pattern choice: the task groups of the Projector Setup page lose
    // their selection, and the channel's pattern goes to its unit.
    void TestPatternChange();
    void SendBlackLevel(int level);
    void SendHalo(EdgeSide side, int width, int offset);
    // PEFT for one edge from its four controls as they stand. The values the commit has just
    // checked are given; the other fields are read here and must hold numbers (and the gamma
    // a value the unit takes), else the user is told which field and nothing is sent.
    void SendEdgeFeather(const FeatherEdge& edge, std::optional<double> gamma,
                         std::optional<std::array<double, 2>> widthOffset);
    std::optional<double> ReadOtherField(const NumericField& field, const QString& label,
                                         bool checkBounds);

    // Enter moves on only to a control that can take the focus; otherwise (the halo fields
    // never show, the widths only in the service view) `from` is committed where it stands.
    QWidget* FocusableOrCommit(NumericField* from, QWidget* target);
    QWidget* EnterTargetAfterLeftOffset() const;
    QString ScreenName() const;

    int channel_;
    UnitChannel unitChannel_;
    const UiContext& context_;

    QComboBox* testPattern_ = nullptr;
    QCheckBox* testGrid_ = nullptr;
    QCheckBox* outputRaster_ = nullptr;
    QLabel* blackLabel_ = nullptr;
    NumericField* black_ = nullptr;
    QGroupBox* edgeFeatherGroup_ = nullptr;
    QGroupBox* edgeAdvGroup_ = nullptr;
    QGroupBox* haloGroup_ = nullptr;
    // Index 0 the left edge, 1 the right edge; an edge the channel lacks has null controls.
    std::array<FeatherEdge, 2> feather_{};
    std::array<HaloEdge, 2> halo_{};
};

} // namespace tarvel
