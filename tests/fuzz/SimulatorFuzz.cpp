// The simulator's command reading over any bytes, in both modes: no crash, and its replies are
// scheduled in time order.
#include "FuzzTarget.h"

#include "sim/Simulator.h"

#include <cstdlib>
#include <string_view>

using namespace tarvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    SimOptions options;
    options.Mode = (data[0] & 1) ? SimLinkMode::Controller : SimLinkMode::Direct;
    options.Units = options.Mode == SimLinkMode::Controller && (data[0] & 2) ? 2 : 1;
    options.EchoBytes = (data[0] & 4) != 0;
    options.DebugConsole = (data[0] & 8) != 0;
    options.AutoMs = 5;
    Simulator simulator(options);

    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::int64_t now = 0;
    std::int64_t last = 0;
    // Cut the input at each carriage return, a few milliseconds apart, as a line would arrive.
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\r', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        for (const auto& chunk : simulator.Receive(bytes.substr(start, end - start), now).Chunks) {
            if (chunk.AtMs < last)
                std::abort();
            last = chunk.AtMs;
        }
        if (simulator.StateImage().size() != 1720)
            std::abort();
        start = end;
        now += 7;
    }
    return 0;
}
