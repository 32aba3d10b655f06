#pragma once

#include "protocol/Command.h"
#include "ui/pages/UnitSends.h"

#include <QPointer>

namespace tarvel {

class TTarvelForm;

// One run of "Send Current Settings to Zelvar(s)": the whole configuration shown on the pages,
// command by command, in the units' order:
//
//  1. projector count (PRJ) and image layout (DISP) to each unit in use;
//  2. input position, phase and colour of every locked channel up to the projector count, each
//     selected on the Source Setup page's Channel Select first;
//  3. unit 1's outputs (test pattern, black level, halo, edge feathering of channels 1-4);
//  4. data doubling, basic feathering and control mode to each unit in use; the control mode
//     reads the unit's outputs back and refills the Display Setup page. What that read-back
//     brings for settings still to be sent (unit 2's outputs, the seam gains) is replaced by
//     the configuration's own values again, so those go out as the pages showed them;
//  5. unit 2's outputs (channels 5-8);
//  6. the seam gains of every locked channel up to the projector count, selected on the Seam
//     Removal page's Channel Select.
//
// The caller holds Busy and has checked the link. The run never shows a message: End says how
// it ended, and the caller tells the user once.
class ConfigurationSend {
public:
    enum class End {
        Done,
        Invalid, // a control held no usable value; commands already sent stay sent
        Stopped, // the user gave up on a send, the port was lost or the link was closed
        Gone,    // the window is closing: touch nothing more
    };

    explicit ConfigurationSend(TTarvelForm& form);

    End Run();

private:
    // False once the run must end; end_ then says how.
    bool Go(ControlSend result);
    bool Go(SendResult result);
    bool StillGoing();

    bool SendLayout(int projectors, int units);
    bool SendInputs(int firstChannel, int lastChannel);
    bool SendOutputs(int unit);
    bool SendUnitModes(int units);
    bool SendSeamGains(int firstChannel, int lastChannel);
    bool ChannelLocked(int channel) const;

    QPointer<TTarvelForm> form_;
    End end_ = End::Done;
};

} // namespace tarvel
