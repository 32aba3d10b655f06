#include "Simulator.h"

#include "CommandTable.h"
#include "StatusBlocks.h"
#include "model/RecordImage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <span>
#include <utility>

namespace tarvel {

namespace {

// The texts the units and the controller answer with; docs/protocol.md lists them.
constexpr std::string_view DirectPrompt = "#";
constexpr std::string_view ControllerPrompt = "LR>";
constexpr std::string_view DebugPrompt = "dbg: ";
constexpr std::string_view Accepted = "OK\r\n";
constexpr std::string_view NoAnswer = "!ERR 4\r\n";
constexpr std::string_view BadChecksum = "?\r\nCTR BAD CHECKSUM\r\n";
constexpr std::string_view ControllerBadCommand = "?\r\nCTR BAD COMMAND\r\n";
constexpr std::string_view ControllerRefusal = "?\r\nCTR REFUSED\r\n";
constexpr std::string_view DebugAnswer = "?\r\nDEBUG\r\n";
constexpr std::string_view DirectBadCommand = "?\r\nBAD COMMAND\r\n";
constexpr std::string_view FramePrefix = "PASS ";
constexpr std::string_view QueryPrefix = "ZVQUERY ";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string Checksum(std::string_view command) {
    unsigned sum = 0;
    for (char c : command)
        sum += static_cast<unsigned char>(c);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum & 0xFFu);
    return digits;
}

// A frame's command and checksum, if the checksum is two upper-case hex digits and right.
bool SplitFrame(std::string_view line, std::string_view& command) {
    if (!StartsWith(line, FramePrefix) || line.size() < FramePrefix.size() + 2)
        return false;
    const std::string_view rest = line.substr(FramePrefix.size());
    command = rest.substr(0, rest.size() - 2);
    return rest.substr(rest.size() - 2) == Checksum(command);
}

// "debug N": N = 0 leaves the debug console, anything else enters it.
bool DebugCommand(std::string_view line, bool& enter) {
    CommandArguments args;
    if (!MatchFormat("debug %d", line, args))
        return false;
    enter = args[0].Int != 0;
    return true;
}

// A status query in a form where 'Q' stands for the query ("Q" direct, "*%dQ!" in the
// controller's ZVQUERY): its kind 'S', 'I' or 'O', the channel 1..4 and the address.
bool StatusQuery(std::string_view text, std::string_view format, char& kind, int& channel,
                 int& address) {
    static constexpr std::string_view Kinds[] = {"SYINFOZV", "IINFOZV %1d", "OINFOZV %1d"};
    for (std::string_view query : Kinds) {
        CommandArguments args;
        std::string full(format);
        full.replace(full.find('Q'), 1, query);
        if (!MatchFormat(full, text, args))
            continue;
        const bool addressed = full[0] == '*';
        address = addressed ? args[0].Int : 0;
        kind = query[0];
        channel = kind == 'S' ? 1 : args.back().Int;
        return channel >= 1 && channel <= ChannelsPerUnit;
    }
    return false;
}

} // namespace

Simulator::Simulator(const SimOptions& options) : Options(options) {
    const int count = std::clamp(options.Units, 1, UnitCountMax);
    for (int unit = 1; unit <= count; ++unit) {
        Units.emplace_back(unit, options);
        Units.back().InDebugConsole = options.DebugConsole;
    }
    LastImage = StateImage();
}

static_assert(Simulator::StateImageSize == 2 * InputBlockSize + 2 * OutputBlockSize);

bool Simulator::LoadStateImage(std::span<const std::uint8_t> image) {
    if (image.size() != StateImageSize)
        return false;
    for (SimUnit& unit : Units) {
        const auto u = static_cast<std::size_t>(unit.Index() - 1);
        ChannelSettings::InputBlock inputs{};
        ChannelSettings::OutputBlock outputs{};
        ReadBlock(image.subspan(u * InputBlockSize).first<InputBlockSize>(), inputs);
        ReadBlock(image.subspan(2 * InputBlockSize + u * OutputBlockSize).first<OutputBlockSize>(),
                  outputs);
        unit.LoadBlocks(inputs, outputs);
    }
    LastImage = StateImage();
    return true;
}

std::vector<std::uint8_t> Simulator::StateImage() const {
    std::vector<std::uint8_t> image(2 * InputBlockSize + 2 * OutputBlockSize, 0);
    for (const SimUnit& unit : Units) {
        const auto u = static_cast<std::size_t>(unit.Index() - 1);
        WriteBlock(unit.InputBlock(), std::span<std::uint8_t, InputBlockSize>(
                                          image.data() + u * InputBlockSize, InputBlockSize));
        WriteBlock(unit.OutputBlock(),
                   std::span<std::uint8_t, OutputBlockSize>(
                       image.data() + 2 * InputBlockSize + u * OutputBlockSize, OutputBlockSize));
    }
    return image;
}

bool Simulator::Silent() const {
    return Options.SilentAfter >= 0 && CommandCount >= Options.SilentAfter;
}

std::int64_t Simulator::AutomaticMs(const SimUnit& unit) const {
    return static_cast<std::int64_t>(Options.AutoMs) * unit.OwnProjectors();
}

SimUnit* Simulator::UnitAt(int address) {
    for (std::size_t i = 0; i < Units.size(); ++i)
        if (Options.Addresses.at(i) == address)
            return &Units[i];
    return nullptr;
}

std::string Simulator::Echo(std::string_view line) const {
    if (Options.EchoBytes)
        return {};
    return std::string(line) + "\r\n";
}

void Simulator::Schedule(std::string_view bytes, std::int64_t earliestMs, SimOutput& out) {
    if (bytes.empty())
        return;
    std::int64_t at = std::max(earliestMs, ReplyFreeMs);
    const std::size_t piece =
        Options.SplitBytes > 0 ? static_cast<std::size_t>(Options.SplitBytes) : bytes.size();
    for (std::size_t from = 0; from < bytes.size(); from += piece) {
        if (from > 0)
            at += Options.SplitMs;
        out.Chunks.push_back({at, std::string(bytes.substr(from, piece))});
    }
    ReplyFreeMs = at;
}

bool Simulator::WrongSpeed(int lineBaud) const {
    return !Options.AnySpeed && lineBaud != NoLineSpeed && lineBaud != OwnBaud();
}

void Simulator::OnNoise(std::string_view bytes, std::int64_t nowMs, SimOutput& out) {
    // The unit hears garbage: whatever line it was reading is broken, and nothing in the
    // garbage is a command. What it sends back is read at the wrong rate too.
    Line.clear();
    SwallowReturn = false;
    if (LineClosed || Silent() || (!Controller() && Units[0].IsBusy(nowMs)))
        return;
    std::string noise(bytes);
    std::transform(noise.begin(), noise.end(), noise.begin(), Noise);
    Schedule(noise, nowMs, out);
}

SimOutput Simulator::Receive(std::string_view bytes, std::int64_t nowMs, int lineBaud) {
    SimOutput out;
    if (WrongSpeed(lineBaud)) {
        OnNoise(bytes, nowMs, out);
        return out;
    }
    for (char c : bytes) {
        if (LineClosed)
            break;
        if (c == '\n' || c == '\0')
            continue;
        const bool busyDirect = !Controller() && Units[0].IsBusy(nowMs);
        const bool echo = Options.EchoBytes && !Silent() && !busyDirect;
        if (c != '\r') {
            SwallowReturn = false;
            if (Line.size() <= MaxLineLength)
                Line.push_back(c);
            if (echo)
                out.Chunks.push_back({nowMs, std::string(1, c)});
            continue;
        }
        if (SwallowReturn && nowMs - LastReturnMs <= DoubleReturnMs) {
            SwallowReturn = false;
            continue;
        }
        if (echo)
            out.Chunks.push_back({nowMs, "\r\n"});
        OnReturn(nowMs, out);
    }
    const std::vector<std::uint8_t> image = StateImage();
    if (image != LastImage) {
        out.StateChanged = true;
        LastImage = image;
    }
    return out;
}

void Simulator::OnReturn(std::int64_t nowMs, SimOutput& out) {
    const std::string line = std::exchange(Line, {});
    SwallowReturn = !line.empty();
    LastReturnMs = nowMs;
    if (line.empty())
        OnProbe(nowMs, out);
    else
        OnCommand(line, nowMs, out);
}

void Simulator::OnProbe(std::int64_t nowMs, SimOutput& out) {
    if (Silent())
        return;
    const std::string echo = Echo("");
    if (Controller()) {
        Schedule(echo + std::string(ControllerPrompt), nowMs, out);
        return;
    }
    const SimUnit& unit = Units[0];
    if (unit.IsBusy(nowMs))
        return;
    Schedule(echo + std::string(unit.InDebugConsole ? DebugPrompt : DirectPrompt), nowMs, out);
}

std::string Simulator::LogText(const std::string& line) const {
    if (!Controller())
        return line;
    std::string_view command;
    if (SplitFrame(line, command))
        return std::string(command);
    if (StartsWith(line, QueryPrefix))
        return line.substr(QueryPrefix.size());
    return line;
}

void Simulator::OnCommand(const std::string& line, std::int64_t nowMs, SimOutput& out) {
    const int number = ++CommandCount;
    out.LogLines.push_back(LogText(line));
    const bool silent = Options.SilentAfter >= 0 && number > Options.SilentAfter;
    auto every = [number](int n) { return n > 0 && number % n == 0; };
    const bool dropped = every(Options.DropEvery);

    if (silent) {
        // A silent unit neither answers nor acts.
    } else if (!Controller()) {
        DirectCommand(line, nowMs, dropped, out);
    } else {
        std::string body;
        if (every(Options.ErrorEvery))
            body = std::string("!ERR ") + Options.ErrorCode + "\r\n";
        else if (every(Options.RefuseEvery))
            body = ControllerRefusal;
        else
            body = ControllerBody(line, nowMs);
        if (!dropped)
            Schedule(Echo(line) + body + std::string(ControllerPrompt), nowMs + Options.DelayMs,
                     out);
    }

    if (Options.HangupAfter >= 0 && number >= Options.HangupAfter) {
        LineClosed = true;
        out.HangUpAtMs = std::max(nowMs, ReplyFreeMs);
    }
}

void Simulator::DirectCommand(const std::string& line, std::int64_t nowMs, bool dropped,
                              SimOutput& out) {
    SimUnit& unit = Units[0];
    if (unit.IsBusy(nowMs))
        return; // a unit busy with an automatic operation reads nothing
    const std::int64_t replyAt = nowMs + Options.DelayMs;
    auto reply = [&](std::string_view body, std::string_view prompt) {
        if (!dropped)
            Schedule(Echo(line) + std::string(body) + std::string(prompt), replyAt, out);
    };
    bool enter = false;
    if (DebugCommand(line, enter)) {
        unit.InDebugConsole = enter;
        reply(Accepted, enter ? DebugPrompt : DirectPrompt);
        return;
    }
    if (unit.InDebugConsole) {
        reply(DebugAnswer, DebugPrompt);
        return;
    }
    char kind = 0;
    int channel = 0;
    int address = 0;
    if (line.size() <= MaxLineLength && StatusQuery(line, "Q", kind, channel, address)) {
        const std::string block =
            kind == 'S'   ? SystemInfoBlock(unit.Info())
            : kind == 'I' ? InputStatusBlock(unit.Input(channel), Options.InputLayout)
                          : OutputStatusBlock(unit.Output(channel), Options.OutputLayout);
        reply(block + "\r\n", DirectPrompt);
        return;
    }
    const CommandResult result =
        line.size() <= MaxLineLength ? ExecuteCommand(unit, line) : CommandResult::Invalid;
    if (result == CommandResult::Invalid) {
        reply(DirectBadCommand, DirectPrompt);
    } else if (result == CommandResult::Done) {
        reply(Accepted, DirectPrompt);
    } else {
        // The prompt comes only when the operation ends.
        const std::int64_t duration = AutomaticMs(unit);
        unit.BusyUntilMs = nowMs + duration;
        if (!dropped) {
            Schedule(Echo(line), replyAt, out);
            Schedule(std::string(Accepted) + std::string(DirectPrompt), replyAt + duration, out);
        }
    }
}

std::string Simulator::ControllerBody(const std::string& line, std::int64_t nowMs) {
    if (line.size() > MaxLineLength)
        return std::string(ControllerBadCommand);
    if (line == "NZV") {
        char text[40];
        const int count = UnitCount();
        std::snprintf(text, sizeof text, "%d %d %d\r\n", count, Options.Addresses[0],
                      count > 1 ? Options.Addresses[1] : 0);
        return text;
    }
    bool enter = false;
    if (DebugCommand(line, enter)) {
        for (SimUnit& unit : Units)
            unit.InDebugConsole = enter;
        return std::string(Accepted);
    }
    if (StartsWith(line, FramePrefix)) {
        std::string_view command;
        if (!SplitFrame(line, command))
            return std::string(BadChecksum);
        return ControllerFrameBody(command, nowMs);
    }
    if (StartsWith(line, QueryPrefix))
        return ControllerQueryBody(std::string_view(line).substr(QueryPrefix.size()), nowMs);
    return std::string(ControllerBadCommand);
}

std::string Simulator::ControllerFrameBody(std::string_view command, std::int64_t nowMs) {
    // "*" address, the unit's command (or " " for the poll), "!".
    if (command.size() < 3 || command.front() != '*' || command.back() != '!')
        return std::string(ControllerBadCommand);
    std::size_t digits = 1;
    while (digits < command.size() && std::isdigit(static_cast<unsigned char>(command[digits])))
        ++digits;
    CommandArguments address;
    if (!MatchFormat("*%d", command.substr(0, digits), address))
        return std::string(ControllerBadCommand);
    const std::string_view inner = command.substr(digits, command.size() - 1 - digits);
    const bool poll = inner == " ";
    if (!poll) {
        const CommandSpec* spec = FindCommand(inner);
        CommandArguments args;
        if (spec == nullptr ||
            !MatchFormat(spec->Arguments, inner.substr(spec->Keyword.size()), args))
            return std::string(ControllerBadCommand);
    }
    SimUnit* unit = UnitAt(address[0].Int);
    if (unit == nullptr || unit->IsBusy(nowMs))
        return std::string(NoAnswer);
    if (unit->InDebugConsole)
        return std::string(DebugAnswer);
    if (poll)
        return std::string(Accepted);
    const CommandResult result = ExecuteCommand(*unit, inner);
    if (result == CommandResult::Invalid)
        return std::string(ControllerBadCommand);
    if (result == CommandResult::Automatic)
        unit->BusyUntilMs = nowMs + AutomaticMs(*unit);
    return std::string(Accepted);
}

std::string Simulator::ControllerQueryBody(std::string_view query, std::int64_t nowMs) {
    char kind = 0;
    int channel = 0;
    int address = 0;
    if (!StatusQuery(query, "*%dQ!", kind, channel, address))
        return std::string(ControllerBadCommand);
    SimUnit* unit = UnitAt(address);
    if (unit == nullptr || unit->IsBusy(nowMs))
        return std::string(NoAnswer);
    if (unit->InDebugConsole)
        return std::string(DebugAnswer);
    const std::string block = kind == 'S' ? SystemInfoBlock(unit->Info())
                              : kind == 'I'
                                  ? InputStatusBlock(unit->Input(channel), Options.InputLayout)
                                  : OutputStatusBlock(unit->Output(channel), Options.OutputLayout);
    return block + "\r\n";
}

} // namespace tarvel
