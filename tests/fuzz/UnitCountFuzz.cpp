// The unit count parser over any reply text.
#include "FuzzTarget.h"

#include "protocol/StatusParsers.h"

#include <cstdlib>
#include <vector>

using namespace tarvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> reply(data, data + size);
    const auto count = ParseUnitCount(reply);
    if (count.NumbersRead < 0 || count.NumbersRead > 3)
        std::abort();
    if (count.Valid() && !count.DigitFound)
        std::abort();
    return 0;
}
