#pragma once

#include "ConnectionMode.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarvel {

enum class ReplyVerdict {
    Idle,            // no collection started
    Collecting,      // the reply has not settled yet
    Accepted,        // the prompt ended the reply
    Refused,         // controller: "?\r\nCTR"
    DebugConsole,    // controller: a unit answered from its debug console ("?\r\nDEB")
    NoUnitAnswer,    // controller: "!ERR" code 4, the unit did not answer the controller
    ControllerError, // controller: "!ERR" with another code
    Overflow,        // no verdict within the buffer's capacity
    TimedOut,        // the caller's reply timer ran out first
};

// Decides from the bytes that come back whether a command's reply is complete, refused or
// failed. One collection per send: Start() it before writing, Feed() it every data event.
// Pure: it never waits and shows nothing; the caller acts on the verdict.
// The verdict depends only on the bytes, not on how they are split into events: a controller
// pattern cut by an event boundary is examined again when the rest arrives. Only the reply
// text depends on the split, since the last byte of the accepting event becomes its end.
// A status reply's binary block (0x01 and its kind byte within the first 30 bytes, then as
// many data bytes as the kind says) is skipped whole: a value that happens to read "LR>" or
// "\r\n#" must not end the reply in the middle of the data.
class ReplyRecogniser {
public:
    static constexpr std::size_t Capacity = 250;

    // A prompt at an index below minReplyLength does not end the reply.
    void Start(ConnectionMode mode, int minReplyLength, char promptCharacter);

    // Takes the bytes of one data event and returns the verdict so far. Does nothing unless
    // collecting (check IsCollecting() first to leave the bytes unread); otherwise takes every
    // byte. Bytes beyond the capacity are not stored: without a verdict by then, Overflow.
    ReplyVerdict Feed(std::span<const std::uint8_t> bytes);
    ReplyVerdict Feed(std::string_view bytes);

    // The reply timer ran out: collecting stops with what has arrived.
    void TimeOut();

    ReplyVerdict Verdict() const { return verdict_; }
    bool IsCollecting() const { return verdict_ == ReplyVerdict::Collecting; }
    // Any settled verdict other than Accepted, and a time-out.
    bool ReplyFailed() const;
    // The controller refused the command or reported an error other than code 4: resend.
    bool ControllerRejected() const;
    bool DebugModeSeen() const { return verdict_ == ReplyVerdict::DebugConsole; }

    // What the parsers read. Accepted: the bytes before the one replaced by NUL (the last
    // byte of the accepting event). Otherwise: every byte stored so far.
    std::span<const std::uint8_t> ReplyBytes() const;
    // The reply bytes up to the first NUL.
    std::string_view ReplyText() const;
    // Nothing arrived, or the reply text starts with NUL.
    bool ReplyEmpty() const;

private:
    enum class Match { None, NeedMore, Refused, DebugConsole, NoUnitAnswer, ControllerError };

    bool EndsReply(std::size_t p) const;
    Match MatchPattern(std::size_t p) const;

    std::array<std::uint8_t, Capacity> buffer_{};
    std::size_t stored_ = 0;
    std::size_t position_ = 0; // next byte to examine
    std::size_t blockEnd_ = 0; // end of a status reply's binary block, 0 before one is seen
    std::size_t replyLength_ = 0;
    std::size_t minReplyLength_ = 0;
    ConnectionMode mode_ = ConnectionMode::Direct;
    std::uint8_t prompt_ = '#';
    ReplyVerdict verdict_ = ReplyVerdict::Idle;
};

} // namespace tarvel
