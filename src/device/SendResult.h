#pragma once

namespace tarvel {

// How a send through the link ended.
//
// Any result but Done means: stop the operation now. In particular a caller must not touch the
// link, the model or the view after NotSent without checking that they still exist, since the
// link also answers NotSent when it was destroyed during the wait.
enum class SendResult {
    Done,      // sent and settled (for a query: a reply was collected or failed; see its flags)
    NotSent,   // port closed, not connected, another exchange waiting, link shut down or gone
    Stopped,   // the user gave up on the command in the time-out box
    PortLost,  // the port failed under the program; the user has been told
    Abandoned, // the user gave up on a unit that stopped answering: the port is closed
    Cancelled, // the user cancelled the operation under way; the link stays usable
};

// How a status query ended.
enum class QueryResult {
    Ok,      // the reply was parsed into the model
    Failed,  // no usable reply; the model record is unchanged
    Aborted, // the link went away (closed, lost, shut down): stop, touch nothing more
};

} // namespace tarvel
