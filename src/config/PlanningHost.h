#pragma once

#include <string_view>

namespace tarvel {

// Which field gets the focus after a planning message.
enum class PlanningFocus {
    None,
    HorizontalOut,     // HorizontalOutEdit
    VerticalOut,       // VerticalOutEdit
    LensMagnification, // LensMagEdit
    Overlap, // the Planning page's overlap field if that page is active, else the Display one
};

// What PlanningCalculator needs from the window and the link. Each call happens at the point
// of the handler where the window would act, so the host can show a message box at once and
// the calculation goes on after it returns.
class PlanningHost {
public:
    virtual ~PlanningHost() = default;

    // A message box with `text`, then the focus to `focus`. The host keeps it as MessageText.
    virtual void ShowMessage(std::string_view text, PlanningFocus focus) = 0;
    // The status bar line.
    virtual void ShowStatus(std::string_view text) = 0;

    // Calculate's refresh from the units (only when Connected): unit count, then each unit's
    // status, with the host's own messages. False ends Calculate before anything is computed.
    virtual bool RefreshFromUnits() = 0;
    // Calculate has passed its checks: enable the lists, the Display Setup sub-pages and the
    // basic feathering controls, show "Reset Zelvar(s)".
    virtual void EnableCalculatedControls() = 0;

    // The overlap limit's inputs, read afresh each time (a refresh may change them).
    virtual bool ReadValid() const = 0;
    virtual int MeasuredInputWidth() const = 0;

    // The link's CheckUnitCountForMode (true when not Connected). It tests the planned total,
    // Values.ProjectorCount as the handler has left it, and the count list's selection; the
    // host reads both from the calculator at the moment of the call.
    virtual bool CheckUnitCountForMode() = 0;
    // The projector count and display alignment commands, to unit 1 and, when UnitCount is 2,
    // to unit 2. The host sends only while Connected and UpdatingControls is clear.
    virtual void SendProjectorCount(int count) = 0;
    virtual void SendDisplayAlignment(int alignmentIndex, int overlapWidth) = 0;
    // An accepted projector count: show the controls that need more than one projector and
    // rebuild the channel views for `count` channels.
    virtual void ShowProjectorCount(int count) = 0;
};

} // namespace tarvel
