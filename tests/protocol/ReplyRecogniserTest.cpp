#include "protocol/ReplyRecogniser.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace tarvel;
using namespace std::string_literals;

namespace {

struct Outcome {
    ReplyVerdict Verdict;
    std::string Bytes; // ReplyBytes()
};

Outcome Collect(ConnectionMode mode, int minReplyLength, const std::vector<std::string>& events) {
    ReplyRecogniser r;
    r.Start(mode, minReplyLength, PromptCharacterFor(mode));
    for (const std::string& event : events) {
        r.Feed(event);
    }
    const auto bytes = r.ReplyBytes();
    return {r.Verdict(), std::string(bytes.begin(), bytes.end())};
}

// Every way of cutting the reply into events: whole, in two at every point, and byte by byte.
std::vector<std::vector<std::string>> EverySplit(const std::string& reply) {
    std::vector<std::vector<std::string>> splits{{reply}};
    for (std::size_t at = 1; at < reply.size(); ++at) {
        splits.push_back({reply.substr(0, at), reply.substr(at)});
    }
    std::vector<std::string> bytes;
    for (const char ch : reply) {
        bytes.emplace_back(1, ch);
    }
    splits.push_back(bytes);
    return splits;
}

// The verdict, and the reply text when it is accepted, are the same however the reply comes.
void ExpectForEverySplit(ConnectionMode mode, int minReplyLength, const std::string& reply,
                         ReplyVerdict verdict, const std::string& acceptedText = {}) {
    for (const auto& events : EverySplit(reply)) {
        SCOPED_TRACE(::testing::Message()
                     << events.size() << " events, first of " << events.front().size() << " bytes");
        const Outcome outcome = Collect(mode, minReplyLength, events);
        EXPECT_EQ(outcome.Verdict, verdict);
        if (verdict == ReplyVerdict::Accepted) {
            EXPECT_EQ(outcome.Bytes, acceptedText);
        }
    }
}

const std::string Echo = "PASS *1SYSAVE!57\r\n"; // 18 bytes
constexpr int FramedMin = 17;

} // namespace

TEST(ReplyRecogniser, ControllerReplyEndsWithLRAndThePrompt) {
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, Echo + "\r\nLR>",
                        ReplyVerdict::Accepted, Echo + "\r\nLR");
}

TEST(ReplyRecogniser, ControllerPromptBeforeTheMinimumLengthIsSkipped) {
    // "LR>" at index 2..4 is part of the echo region; the reply ends at the second one.
    const std::string reply = "LR>" + Echo + "LR>";
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, reply, ReplyVerdict::Accepted,
                        "LR>" + Echo + "LR");
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, "xxLR>", ReplyVerdict::Collecting);
}

TEST(ReplyRecogniser, PromptExactlyAtTheMinimumLengthEndsTheReply) {
    const std::string atMin = std::string(15, 'x') + "LR>"; // '>' at 17
    EXPECT_EQ(Collect(ConnectionMode::Controller, 17, {atMin}).Verdict, ReplyVerdict::Accepted);
    const std::string belowMin = std::string(14, 'x') + "LR>"; // '>' at 16
    EXPECT_EQ(Collect(ConnectionMode::Controller, 17, {belowMin}).Verdict,
              ReplyVerdict::Collecting);
}

TEST(ReplyRecogniser, ControllerPromptNeedsLAndRInThatOrder) {
    const std::string base = Echo + "0123";
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, base + "RL>",
                        ReplyVerdict::Collecting);
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, base + "R>",
                        ReplyVerdict::Collecting);
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, base + "\r\n>",
                        ReplyVerdict::Collecting);
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, base + "LR#",
                        ReplyVerdict::Collecting);
}

TEST(ReplyRecogniser, DirectPromptNeedsCarriageReturnAndLineFeed) {
    ExpectForEverySplit(ConnectionMode::Direct, 2, "NZV abc#", ReplyVerdict::Collecting);
    ExpectForEverySplit(ConnectionMode::Direct, 2, "abc\n\r#", ReplyVerdict::Collecting);
    ExpectForEverySplit(ConnectionMode::Direct, 2, "abcLR>", ReplyVerdict::Collecting);
    ExpectForEverySplit(ConnectionMode::Direct, 2, "abc#\r\n#", ReplyVerdict::Accepted, "abc#\r\n");
}

TEST(ReplyRecogniser, PromptFollowedByMoreBytesInItsEventStaysAndTheLastByteIsCut) {
    // One event: the prompt stays, the event's last byte becomes the terminator.
    Outcome one = Collect(ConnectionMode::Direct, 2, {"ab\r\n#yz"});
    EXPECT_EQ(one.Verdict, ReplyVerdict::Accepted);
    EXPECT_EQ(one.Bytes, "ab\r\n#y");

    // The prompt closes the first event: it is cut, and the rest is never read.
    Outcome two = Collect(ConnectionMode::Direct, 2, {"ab\r\n#", "yz"});
    EXPECT_EQ(two.Verdict, ReplyVerdict::Accepted);
    EXPECT_EQ(two.Bytes, "ab\r\n");

    Outcome three = Collect(ConnectionMode::Controller, 2, {"ab", "LR>z"});
    EXPECT_EQ(three.Verdict, ReplyVerdict::Accepted);
    EXPECT_EQ(three.Bytes, "abLR>");
}

TEST(ReplyRecogniser, ControllerRefusal) {
    const std::string reply = Echo + "?\r\nCTRL\r\nLR>";
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, reply, ReplyVerdict::Refused);
    ReplyRecogniser r;
    r.Start(ConnectionMode::Controller, FramedMin, '>');
    EXPECT_EQ(r.Feed(reply), ReplyVerdict::Refused);
    EXPECT_TRUE(r.ReplyFailed());
    EXPECT_TRUE(r.ControllerRejected());
    EXPECT_FALSE(r.DebugModeSeen());
}

TEST(ReplyRecogniser, DebugConsole) {
    const std::string reply = "?\r\nDEBUG>";
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, reply, ReplyVerdict::DebugConsole);
    ReplyRecogniser r;
    r.Start(ConnectionMode::Controller, FramedMin, '>');
    EXPECT_EQ(r.Feed(reply), ReplyVerdict::DebugConsole);
    EXPECT_TRUE(r.ReplyFailed());
    EXPECT_FALSE(r.ControllerRejected());
    EXPECT_TRUE(r.DebugModeSeen());
}

TEST(ReplyRecogniser, ControllerErrorCodes) {
    // Any byte between "!ERR" and the code.
    for (const std::string& sep : {" "s, ":"s, "4"s, "\0"s}) {
        SCOPED_TRACE(sep);
        ExpectForEverySplit(ConnectionMode::Controller, FramedMin, Echo + "!ERR" + sep + "4\r\n",
                            ReplyVerdict::NoUnitAnswer);
        ExpectForEverySplit(ConnectionMode::Controller, FramedMin, Echo + "!ERR" + sep + "2\r\n",
                            ReplyVerdict::ControllerError);
    }
    ReplyRecogniser r;
    r.Start(ConnectionMode::Controller, FramedMin, '>');
    EXPECT_EQ(r.Feed("!ERR 4"), ReplyVerdict::NoUnitAnswer);
    EXPECT_TRUE(r.ReplyFailed());
    EXPECT_FALSE(r.ControllerRejected());

    r.Start(ConnectionMode::Controller, FramedMin, '>');
    EXPECT_EQ(r.Feed("!ERR 7"), ReplyVerdict::ControllerError);
    EXPECT_TRUE(r.ReplyFailed());
    EXPECT_TRUE(r.ControllerRejected());
}

TEST(ReplyRecogniser, PatternsOnlyMatchInFullAndOnlyInControllerMode) {
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, Echo + "?\r\nCTX!ER!ERX 4LR>",
                        ReplyVerdict::Accepted, Echo + "?\r\nCTX!ER!ERX 4LR");
    // A near miss followed by the real pattern.
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, "!ER!ERR 4",
                        ReplyVerdict::NoUnitAnswer);
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, "??\r\nCTR", ReplyVerdict::Refused);
    // An unfinished pattern keeps the reply open.
    ExpectForEverySplit(ConnectionMode::Controller, FramedMin, "!ERR ", ReplyVerdict::Collecting);
    ExpectForEverySplit(ConnectionMode::Direct, 2, "?\r\nCTR\r\n!ERR 4\r\n#",
                        ReplyVerdict::Accepted, "?\r\nCTR\r\n!ERR 4\r\n");
}

TEST(ReplyRecogniser, BinaryRepliesKeepTheirNulBytes) {
    const std::string block = "\x01\x08"
                              "\0\0ZV1\0\0\0"s; // system information, 8 data bytes
    const std::string reply = "SYINFOZV\r\n" + block + "\r\n#";
    Outcome outcome = Collect(ConnectionMode::Direct, 8, {reply});
    EXPECT_EQ(outcome.Verdict, ReplyVerdict::Accepted);
    EXPECT_EQ(outcome.Bytes, "SYINFOZV\r\n" + block + "\r\n");

    ReplyRecogniser r;
    r.Start(ConnectionMode::Direct, 8, '#');
    r.Feed(reply);
    EXPECT_EQ(r.ReplyText(), "SYINFOZV\r\n\x01\x08");
    EXPECT_FALSE(r.ReplyEmpty());
}

// Seam gains 76, 82, 62 read "LR>"; an H total of 0x000D0A23 reads "\r\n#". Inside a status
// block they are data, and the reply ends only at the prompt after the block.
TEST(ReplyRecogniser, PromptLookalikesInsideAStatusBlockAreData) {
    std::string output(66, '\x07');
    output.replace(54, 3, "LR>");
    const std::string echo = "ZVQUERY *5OINFOZV 1!\r\n";
    const std::string controllerReply = echo +
                                        "\x01"
                                        "B" +
                                        output + "\r\nLR>";
    ExpectForEverySplit(ConnectionMode::Controller, 62, controllerReply, ReplyVerdict::Accepted,
                        echo +
                            "\x01"
                            "B" +
                            output + "\r\nLR");

    std::string input(78, '\x05');
    input.replace(8, 4, "\0\r\n#"s);
    input.replace(60, 4, "?\r\nC"s); // a refusal's start, as data, at the end of an event
    const std::string directReply = "IINFOZV 1\r\n\x01N" + input + "\r\n#";
    ExpectForEverySplit(ConnectionMode::Direct, 20, directReply, ReplyVerdict::Accepted,
                        "IINFOZV 1\r\n\x01N" + input + "\r\n");

    const std::string errorLookalike = echo +
                                       "\x01"
                                       "B" +
                                       std::string(40, '\0') + "!ERR 4" + std::string(20, '\0') +
                                       "\r\nLR>";
    ExpectForEverySplit(ConnectionMode::Controller, 62, errorLookalike, ReplyVerdict::Accepted,
                        errorLookalike.substr(0, errorLookalike.size() - 1));
}

// Only 0x01 with a status kind within the first 30 bytes starts a block; anywhere else the
// bytes are examined as usual.
TEST(ReplyRecogniser, OnlyAStatusHeaderNearTheStartOpensABlock) {
    EXPECT_EQ(Collect(ConnectionMode::Controller, 2,
                      {"\x01Z"
                       "LR>"})
                  .Verdict,
              ReplyVerdict::Accepted);
    const std::string late = std::string(30, '.') + "\x01"
                                                    "B"
                                                    "LR>";
    EXPECT_EQ(Collect(ConnectionMode::Controller, 2, {late}).Verdict, ReplyVerdict::Accepted);
}

TEST(ReplyRecogniser, NeverStoresMoreThanItsCapacity) {
    const std::string full(ReplyRecogniser::Capacity, 'x');
    // Exactly full without a verdict: still waiting.
    EXPECT_EQ(Collect(ConnectionMode::Direct, 2, {full}).Verdict, ReplyVerdict::Collecting);
    // One byte more, in the same event or the next: overflow.
    for (const auto& events : EverySplit(full + "y")) {
        const Outcome outcome = Collect(ConnectionMode::Direct, 2, events);
        EXPECT_EQ(outcome.Verdict, ReplyVerdict::Overflow);
        EXPECT_EQ(outcome.Bytes, full);
    }
    ReplyRecogniser r;
    r.Start(ConnectionMode::Controller, 2, '>');
    EXPECT_EQ(r.Feed(std::string(400, 'z')), ReplyVerdict::Overflow);
    EXPECT_TRUE(r.ReplyFailed());
    EXPECT_FALSE(r.ControllerRejected());
    EXPECT_EQ(r.ReplyBytes().size(), ReplyRecogniser::Capacity);
}

TEST(ReplyRecogniser, AReplyThatSettlesWithinTheCapacityIsNotAnOverflow) {
    // The prompt takes the last place; the event carries more than fits.
    const std::string reply = std::string(ReplyRecogniser::Capacity - 3, 'x') + "\r\n#";
    const Outcome exact = Collect(ConnectionMode::Direct, 2, {reply + "tail"});
    EXPECT_EQ(exact.Verdict, ReplyVerdict::Accepted);
    EXPECT_EQ(exact.Bytes, reply.substr(0, reply.size() - 1));

    // A refusal near the end, with more bytes than fit.
    const std::string refused = std::string(240, 'x') + "?\r\nCTR" + std::string(20, 'y');
    EXPECT_EQ(Collect(ConnectionMode::Controller, 2, {refused}).Verdict, ReplyVerdict::Refused);

    // An error report that would need bytes beyond the capacity cannot complete.
    const std::string cut = std::string(246, 'x') + "!ERR 4";
    for (const auto& events : EverySplit(cut)) {
        EXPECT_EQ(Collect(ConnectionMode::Controller, 2, events).Verdict, ReplyVerdict::Overflow);
    }
}

TEST(ReplyRecogniser, EachStartCollectsAfreshFromPositionZero) {
    ReplyRecogniser r;
    r.Start(ConnectionMode::Controller, FramedMin, '>');
    EXPECT_EQ(r.Feed(Echo + "!ERR 3"), ReplyVerdict::ControllerError);
    // Bytes after a verdict are not taken.
    EXPECT_EQ(r.Feed("LR>"), ReplyVerdict::ControllerError);

    r.Start(ConnectionMode::Controller, FramedMin, '>');
    EXPECT_TRUE(r.IsCollecting());
    EXPECT_TRUE(r.ReplyEmpty());
    EXPECT_FALSE(r.ReplyFailed());
    EXPECT_FALSE(r.ControllerRejected());
    EXPECT_EQ(r.Feed(Echo + "LR>"), ReplyVerdict::Accepted);
    EXPECT_EQ(r.ReplyText(), Echo + "LR");

    // A partial reply before a time-out does not carry into the next collection.
    r.Start(ConnectionMode::Direct, 2, '#');
    r.Feed("partial");
    r.TimeOut();
    r.Start(ConnectionMode::Direct, 2, '#');
    EXPECT_EQ(r.Feed("ok\r\n#"), ReplyVerdict::Accepted);
    EXPECT_EQ(r.ReplyText(), "ok\r\n");
}

TEST(ReplyRecogniser, TimeOutKeepsWhatArrivedAndStopsCollecting) {
    ReplyRecogniser r;
    EXPECT_EQ(r.Verdict(), ReplyVerdict::Idle);
    EXPECT_EQ(r.Feed("ignored\r\n#"), ReplyVerdict::Idle);

    r.Start(ConnectionMode::Controller, 62, '>');
    r.TimeOut();
    EXPECT_EQ(r.Verdict(), ReplyVerdict::TimedOut);
    EXPECT_TRUE(r.ReplyFailed());
    EXPECT_FALSE(r.ControllerRejected());
    EXPECT_TRUE(r.ReplyEmpty());

    r.Start(ConnectionMode::Controller, 62, '>');
    r.Feed("OINFO");
    r.TimeOut();
    EXPECT_FALSE(r.ReplyEmpty());
    EXPECT_EQ(r.ReplyText(), "OINFO");
    EXPECT_EQ(r.Feed("LR>"), ReplyVerdict::TimedOut);

    // A reply whose first byte is NUL counts as empty.
    r.Start(ConnectionMode::Controller, 62, '>');
    r.Feed("\0\x01"s);
    r.TimeOut();
    EXPECT_TRUE(r.ReplyEmpty());
}
