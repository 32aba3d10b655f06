#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace tarvel {

// The bytes waiting to go out on one line. Unpaced, every byte may be written at once; paced,
// a byte may be written only once the wire could have carried it (10 bits a byte at the
// line's rate, one byte after the other), so the reader sees the wire's own timing.
class LineOutput {
public:
    // bytes became ready at readyNs; baud 0 means unpaced.
    void Add(const std::string& bytes, std::int64_t readyNs, int baud);
    // How many of the first bytes may be written at nowNs.
    std::size_t Writable(std::int64_t nowNs) const;
    // When the next byte may be written; -1 if nothing waits.
    std::int64_t NextDueNs() const;
    const std::string& Bytes() const { return Waiting; }
    void Consume(std::size_t count);
    bool Empty() const { return Waiting.empty(); }
    void Clear();

private:
    std::string Waiting;
    std::deque<std::int64_t> DueNs; // one per byte of Waiting
    std::int64_t WireFreeNs = 0;    // the wire carries the bytes queued so far until then
};

} // namespace tarvel
