#include "LineOutput.h"

#include <algorithm>

namespace tarvel {

namespace {

constexpr std::int64_t BitsPerByte = 10; // start bit, 8 data bits, stop bit
constexpr std::int64_t NsPerSecond = 1000000000;

} // namespace

void LineOutput::Add(const std::string& bytes, std::int64_t readyNs, int baud) {
    if (baud <= 0) {
        // Due at once; still after anything paced ahead of them.
        const std::int64_t due = DueNs.empty() ? readyNs : std::max(readyNs, DueNs.back());
        DueNs.insert(DueNs.end(), bytes.size(), due);
    } else {
        // Rounded up: never faster than the wire.
        const std::int64_t byteNs = (BitsPerByte * NsPerSecond + baud - 1) / baud;
        std::int64_t at = std::max(readyNs, WireFreeNs);
        if (!DueNs.empty())
            at = std::max(at, DueNs.back());
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            at += byteNs;
            DueNs.push_back(at);
        }
        WireFreeNs = at;
    }
    Waiting += bytes;
}

std::size_t LineOutput::Writable(std::int64_t nowNs) const {
    // Due times never decrease.
    const auto firstLate = std::upper_bound(DueNs.begin(), DueNs.end(), nowNs);
    return static_cast<std::size_t>(firstLate - DueNs.begin());
}

std::int64_t LineOutput::NextDueNs() const {
    return DueNs.empty() ? -1 : DueNs.front();
}

void LineOutput::Consume(std::size_t count) {
    count = std::min(count, Waiting.size());
    Waiting.erase(0, count);
    DueNs.erase(DueNs.begin(), DueNs.begin() + static_cast<std::ptrdiff_t>(count));
}

void LineOutput::Clear() {
    Waiting.clear();
    DueNs.clear();
}

} // namespace tarvel
