// Runs a fuzz target without libFuzzer: inputs from the files named on the command line, then
// a fixed number of generated ones (random bytes, and mutations of protocol-shaped seeds), from
// a fixed seed so a failure repeats.
#include "FuzzTarget.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

const std::vector<std::string>& Seeds() {
    static const std::vector<std::string> seeds = {
        std::string("\x00\x10PASS *1SYSAVE!57\r\r\r\nOK\r\nLR>", 29),
        "OINFOZV 1\r\n\x01"
        "B" +
            std::string(66, '\x02') + "\r\n#",
        "IINFOZV 2\r\n\x01N" + std::string(78, '\x7f') + "\r\n#",
        "SYINFOZV\r\n\x01\x08ZV1.08\0\0\r\n#",
        "NZV\r\n2 5 7\r\nLR>",
        "?\r\nCTR BAD CHECKSUM\r\nLR>",
        "?\r\nDEBUG\r\nLR>",
        "!ERR 4\r\nLR>",
        "*5BLKGN 2 128!\rZVQUERY *5OINFOZV 1!\rNZV\rdebug 0\rRGBADJ\r\r",
    };
    return seeds;
}

std::vector<std::uint8_t> Generate(std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> input;
    if (random() % 2 == 0) {
        input.resize(random() % 300);
        for (auto& b : input)
            b = static_cast<std::uint8_t>(byte(random));
        return input;
    }
    const auto& seed = Seeds()[random() % Seeds().size()];
    input.assign(seed.begin(), seed.end());
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits && !input.empty(); ++i) {
        const auto at = random() % input.size();
        switch (random() % 3) {
        case 0:
            input[at] = static_cast<std::uint8_t>(byte(random));
            break;
        case 1:
            input.erase(input.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        default:
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(at),
                         static_cast<std::uint8_t>(byte(random)));
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 20000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("-runs=", 0) == 0) {
            runs = std::atoi(arg.c_str() + 6);
            continue;
        }
        std::ifstream file(arg, std::ios::binary);
        const std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(file)), {});
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::mt19937 random(20261208);
    for (int i = 0; i < runs; ++i) {
        const auto input = Generate(random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    return 0;
}
