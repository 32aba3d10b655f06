#pragma once

#include "StatusDecoder.h"
#include "sim/Simulator.h"

#include <cstdio>
#include <string>

namespace tarvel::testing {

// The tests' own framing: "PASS " command, two upper-case hex digits of the byte sum, "\r\r".
inline std::string Frame(const std::string& command) {
    unsigned sum = 0;
    for (char c : command)
        sum += static_cast<unsigned char>(c);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum % 256);
    return "PASS " + command + digits + "\r\r";
}

// A simulator with a clock: Send feeds bytes at Now and returns every byte of the reply,
// whatever its times.
struct SimRig {
    explicit SimRig(const SimOptions& options)
        : Sim(options), Controller(options.Mode == SimLinkMode::Controller) {}

    SimOutput SendRaw(std::string_view bytes) { return Sim.Receive(bytes, Now, Baud); }
    std::string Send(std::string_view bytes) {
        std::string all;
        for (const SimChunk& chunk : SendRaw(bytes).Chunks)
            all += chunk.Bytes;
        return all;
    }
    void Wait(std::int64_t ms) { Now += ms; }

    // A unit's status read back through the wire, in either mode.
    std::string QueryText(int address, const std::string& query) {
        if (Controller)
            return "ZVQUERY *" + std::to_string(address) + query + "!\r";
        return query + "\r";
    }
    Fields Output(int address, int channel) {
        Fields f;
        DecodeOutputStatus(Send(QueryText(address, "OINFOZV " + std::to_string(channel))), f);
        return f;
    }
    Fields Input(int address, int channel) {
        Fields f;
        DecodeInputStatus(Send(QueryText(address, "IINFOZV " + std::to_string(channel))), f);
        return f;
    }

    Simulator Sim;
    bool Controller = false;
    std::int64_t Now = 1000;
    int Baud = Simulator::NoLineSpeed; // the line's rate, as the terminal's settings give it
};

inline SimOptions ControllerOptions(int units = 2) {
    SimOptions o;
    o.Mode = SimLinkMode::Controller;
    o.Units = units;
    o.Addresses = {5, 7};
    return o;
}

} // namespace tarvel::testing
