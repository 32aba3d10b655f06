// The three binary status parsers over any reply: they never read past it (the sanitizers
// catch that) and a failed parse changes nothing.
#include "FuzzTarget.h"

#include "protocol/StatusParsers.h"

#include <cstdlib>
#include <vector>

using namespace tarvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size heap copy, so reading one byte past the reply is an error the address
    // sanitizer reports.
    const std::vector<std::uint8_t> reply(data, data + size);
    const std::span<const std::uint8_t> bytes(reply);

    UnitInfo info{};
    info.fill(0xAA);
    if (!ParseSystemInfo(bytes, info) && info != UnitInfo{0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA,
                                                           0xAA, 0xAA})
        std::abort();
    if (ParseSystemInfo(bytes, info) && info[7] != 0)
        std::abort();

    InputSettings input;
    input.Phase = 12345;
    const InputSettings inputBefore = input;
    if (!ParseInputStatus(bytes, input) && !(input == inputBefore))
        std::abort();

    OutputSettings output;
    output.SeamMode = -4;
    const OutputSettings outputBefore = output;
    char kind = 'x';
    if (!ParseOutputStatus(bytes, output, kind) && (!(output == outputBefore) || kind != 'x'))
        std::abort();
    return 0;
}
