#include "sim/LineOutput.h"

#include <gtest/gtest.h>

using namespace tarvel;

TEST(LineOutput, PacedBytesLeaveNoFasterThanTenBitsEachAtTheLinesRate) {
    constexpr std::int64_t ByteAt9600 = 1041667; // ns, 10 / 9600 s rounded up
    LineOutput out;
    out.Add("ab", 0, 0); // unpaced: all due at once
    EXPECT_EQ(out.Writable(0), 2u);
    out.Consume(2);
    EXPECT_TRUE(out.Empty());
    EXPECT_EQ(out.NextDueNs(), -1);

    const std::int64_t ready = 5000000;
    out.Add("xyz", ready, 9600);
    EXPECT_EQ(out.Writable(ready + ByteAt9600 - 1), 0u);
    EXPECT_EQ(out.NextDueNs(), ready + ByteAt9600);
    EXPECT_EQ(out.Writable(ready + ByteAt9600), 1u);
    // Ready while the wire still carries the bytes before: it follows them.
    out.Add("!", ready, 9600);
    EXPECT_EQ(out.Writable(ready + 4 * ByteAt9600 - 1), 3u);
    EXPECT_EQ(out.Writable(ready + 4 * ByteAt9600), 4u);
    out.Consume(1);
    EXPECT_EQ(out.Bytes(), "yz!");
    EXPECT_EQ(out.NextDueNs(), ready + 2 * ByteAt9600);
    out.Consume(3);

    // An idle wire saves up no time for later bytes.
    const std::int64_t later = ready + 1000000000;
    out.Add("q", later, 57600);
    EXPECT_EQ(out.NextDueNs(), later + 173612);
}
