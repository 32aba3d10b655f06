#pragma once

#include "SimOptions.h"
#include "SimUnit.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Bytes to write to the line, and when.
struct SimChunk {
    std::int64_t AtMs = 0;
    std::string Bytes;
    friend bool operator==(const SimChunk&, const SimChunk&) = default;
};

struct SimOutput {
    // Write each chunk at its time; chunks of equal time in this order. Replies never overlap:
    // a reply starts after the last piece of the one before.
    std::vector<SimChunk> Chunks;
    std::vector<std::string> LogLines; // one per command received, as the unit saw it
    bool StateChanged = false;         // a command changed the units' records
    std::int64_t HangUpAtMs = -1;      // >= 0: close the line then, after the chunks
};

// The units and (in controller mode) the Prendel controller in front of them, as a pure state
// machine: bytes in, bytes out with the time to write them, no I/O. Time is the caller's
// clock in milliseconds; it must not go backwards. The wire behaviour is described in
// docs/protocol.md.
class Simulator {
public:
    // A carriage return this soon after the one that ended a command belongs to it ("\r\r").
    static constexpr std::int64_t DoubleReturnMs = 100;
    static constexpr std::size_t MaxLineLength = 250;
    // The rates the units and the controller speak; a line without a rate (a TCP connection)
    // is NoLineSpeed.
    static constexpr int DirectBaud = 38400;
    static constexpr int ControllerBaud = 57600;
    static constexpr int NoLineSpeed = -1;

    explicit Simulator(const SimOptions& options);

    // lineBaud is the rate the line is set to (0 for a hung-up or unknown rate). At a rate
    // other than the mode's own every byte is answered by one byte of noise and nothing else
    // happens, unless the options allow any speed.
    SimOutput Receive(std::string_view bytes, std::int64_t nowMs, int lineBaud = NoLineSpeed);

    int OwnBaud() const { return Controller() ? ControllerBaud : DirectBaud; }
    bool WrongSpeed(int lineBaud) const;
    // What a byte becomes on a line at the wrong rate: never a prompt, never text.
    static char Noise(char byte) {
        return static_cast<char>(static_cast<unsigned char>(byte) | 0x80);
    }

    // The records as the configuration file holds them: unit 1 inputs, unit 2 inputs, unit 1
    // outputs, unit 2 outputs, records 0..4 each (1720 bytes). A missing unit is all zero.
    std::vector<std::uint8_t> StateImage() const;
    static constexpr std::size_t StateImageSize = 1720;
    // Replaces the units' records with such an image; the blocks of a unit that is not
    // simulated are ignored. False, and nothing changed, if the size is wrong.
    bool LoadStateImage(std::span<const std::uint8_t> image);

    int UnitCount() const { return static_cast<int>(Units.size()); }
    SimUnit& Unit(int unit) { return Units.at(static_cast<std::size_t>(unit - 1)); }
    const SimUnit& Unit(int unit) const { return Units.at(static_cast<std::size_t>(unit - 1)); }
    int Commands() const { return CommandCount; }
    bool HungUp() const { return LineClosed; }

private:
    SimOptions Options;
    std::vector<SimUnit> Units;
    std::string Line;
    bool SwallowReturn = false;
    std::int64_t LastReturnMs = 0;
    int CommandCount = 0;
    bool LineClosed = false;
    std::int64_t ReplyFreeMs = 0;
    std::vector<std::uint8_t> LastImage;

    bool Silent() const;
    bool Controller() const { return Options.Mode == SimLinkMode::Controller; }
    std::int64_t AutomaticMs(const SimUnit& unit) const;
    SimUnit* UnitAt(int address);
    std::string Echo(std::string_view line) const;
    void OnNoise(std::string_view bytes, std::int64_t nowMs, SimOutput& out);
    void Schedule(std::string_view bytes, std::int64_t earliestMs, SimOutput& out);
    void OnReturn(std::int64_t nowMs, SimOutput& out);
    void OnProbe(std::int64_t nowMs, SimOutput& out);
    void OnCommand(const std::string& line, std::int64_t nowMs, SimOutput& out);
    std::string LogText(const std::string& line) const;
    // The reply body (the part between the echo and the prompt).
    std::string ControllerBody(const std::string& line, std::int64_t nowMs);
    std::string ControllerFrameBody(std::string_view command, std::int64_t nowMs);
    std::string ControllerQueryBody(std::string_view query, std::int64_t nowMs);
    void DirectCommand(const std::string& line, std::int64_t nowMs, bool dropped, SimOutput& out);
};

} // namespace tarvel
