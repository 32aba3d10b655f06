#include "SimCommandLine.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

namespace tarvel {

namespace {

bool ToInt(std::string_view text, int low, int high, int& value) {
    int parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

// "A,B" as two integers.
bool ToPair(std::string_view text, int lowA, int highA, int lowB, int highB, int& a, int& b) {
    const std::size_t comma = text.find(',');
    return comma != std::string_view::npos && ToInt(text.substr(0, comma), lowA, highA, a) &&
           ToInt(text.substr(comma + 1), lowB, highB, b);
}

constexpr int Big = 1000000000;

struct OptionRow {
    std::string_view Name;
    std::string_view ValueName; // empty: a switch
    std::string_view Help;
    std::function<bool(SimOptions&, std::string_view)> Apply;
};

const std::vector<OptionRow>& OptionTable() {
    static const std::vector<OptionRow> rows = {
        {"--mode", "direct|controller", "one unit on the line ('#'), or the controller ('>')",
         [](SimOptions& o, std::string_view v) {
             if (v != "direct" && v != "controller")
                 return false;
             o.Mode = v == "direct" ? SimLinkMode::Direct : SimLinkMode::Controller;
             return true;
         }},
        {"--units", "1|2", "units behind the controller (direct: 1)",
         [](SimOptions& o, std::string_view v) { return ToInt(v, 1, 2, o.Units); }},
        {"--addresses", "A[,B]", "RS-485 addresses 1..32 of unit 1 and 2 (1,2)",
         [](SimOptions& o, std::string_view v) {
             if (v.find(',') == std::string_view::npos)
                 return ToInt(v, 1, 32, o.Addresses[0]);
             return ToPair(v, 1, 32, 1, 32, o.Addresses[0], o.Addresses[1]) &&
                    o.Addresses[0] != o.Addresses[1];
         }},
        {"--link", "PATH", "make PATH a symbolic link to the line (removed at exit)",
         [](SimOptions& o, std::string_view v) { return !(o.LinkPath = v).empty(); }},
        {"--log", "FILE", "write every command received to FILE, one a line",
         [](SimOptions& o, std::string_view v) { return !(o.LogPath = v).empty(); }},
        {"--state", "FILE", "keep FILE holding the units' 1720-byte record image",
         [](SimOptions& o, std::string_view v) { return !(o.StatePath = v).empty(); }},
        {"--load", "FILE", "start the units from FILE, a 1720-byte record image",
         [](SimOptions& o, std::string_view v) { return !(o.LoadPath = v).empty(); }},
        {"--tcp", "PORT", "also serve the line raw on 127.0.0.1:PORT (0: a free port)",
         [](SimOptions& o, std::string_view v) { return ToInt(v, 0, 65535, o.TcpPort); }},
        {"--no-pty", "", "serve on TCP only, no pseudo-terminal (needs --tcp)",
         [](SimOptions& o, std::string_view) { return o.NoPty = true; }},
        {"--any-speed", "", "answer at any line rate (else noise unless 38400/57600)",
         [](SimOptions& o, std::string_view) { return o.AnySpeed = true; }},
        {"--pace", "", "write replies no faster than the line rate (10 bits a byte)",
         [](SimOptions& o, std::string_view) { return o.Pace = true; }},
        {"--input-layout", "F|N", "input status reply: 'N' 78 data bytes, 'F' 70",
         [](SimOptions& o, std::string_view v) {
             if (v != "F" && v != "N")
                 return false;
             o.InputLayout = v[0];
             return true;
         }},
        {"--output-layout", "B|@", "output status reply: 'B' 66 data bytes, '@' 64",
         [](SimOptions& o, std::string_view v) {
             if (v != "B" && v != "@")
                 return false;
             o.OutputLayout = v[0];
             return true;
         }},
        {"--no-video", "SCREEN", "no input video on screen 1..8 (repeatable)",
         [](SimOptions& o, std::string_view v) {
             int screen = 0;
             if (!ToInt(v, 1, 8, screen))
                 return false;
             o.NoVideoScreens.push_back(screen);
             return true;
         }},
        {"--echo-bytes", "", "echo each byte as it arrives, not the line with the reply",
         [](SimOptions& o, std::string_view) { return o.EchoBytes = true; }},
        {"--split", "N,MS", "write replies in pieces of N bytes, MS ms apart",
         [](SimOptions& o, std::string_view v) {
             return ToPair(v, 1, Big, 0, Big, o.SplitBytes, o.SplitMs);
         }},
        {"--auto-ms", "MS", "automatic operations take MS per projector (200)",
         [](SimOptions& o, std::string_view v) { return ToInt(v, 0, Big, o.AutoMs); }},
        {"--drop-every", "N", "carry out every Nth command but send no reply",
         [](SimOptions& o, std::string_view v) { return ToInt(v, 1, Big, o.DropEvery); }},
        {"--delay-ms", "M", "send every reply to a command M ms late",
         [](SimOptions& o, std::string_view v) { return ToInt(v, 0, Big, o.DelayMs); }},
        {"--refuse-every", "N", "controller: refuse every Nth command with \"?\\r\\nCTR\"",
         [](SimOptions& o, std::string_view v) { return ToInt(v, 1, Big, o.RefuseEvery); }},
        {"--error-every", "N,CODE", "controller: answer every Nth command \"!ERR CODE\"",
         [](SimOptions& o, std::string_view v) {
             const std::size_t comma = v.find(',');
             if (comma == std::string_view::npos || comma + 2 != v.size() || v[comma + 1] <= ' ' ||
                 v[comma + 1] > '~')
                 return false;
             o.ErrorCode = v[comma + 1];
             return ToInt(v.substr(0, comma), 1, Big, o.ErrorEvery);
         }},
        {"--debug-console", "", "units start in their debug console (left by \"debug 0\")",
         [](SimOptions& o, std::string_view) { return o.DebugConsole = true; }},
        {"--silent-after", "N", "answer nothing at all after N commands",
         [](SimOptions& o, std::string_view v) { return ToInt(v, 0, Big, o.SilentAfter); }},
        {"--hangup-after", "N", "close the line after the reply to the Nth command",
         [](SimOptions& o, std::string_view v) { return ToInt(v, 1, Big, o.HangupAfter); }},
    };
    return rows;
}

} // namespace

SimCommandLineResult ParseSimCommandLine(const std::vector<std::string>& args, SimOptions& options,
                                         std::string& error) {
    SimOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h")
            return SimCommandLineResult::Help;
        std::string_view value;
        bool inlineValue = false;
        if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            inlineValue = true;
        }
        const auto& table = OptionTable();
        const auto row = std::find_if(table.begin(), table.end(),
                                      [&](const OptionRow& r) { return r.Name == arg; });
        if (row == table.end()) {
            error = "unknown option " + std::string(arg);
            return SimCommandLineResult::Error;
        }
        if (!row->ValueName.empty() && !inlineValue) {
            if (i + 1 >= args.size()) {
                error = std::string(arg) + " needs a value";
                return SimCommandLineResult::Error;
            }
            value = args[++i];
        } else if (!!row->ValueName.empty() && inlineValue) {
            error = std::string(arg) + " takes no value";
            return SimCommandLineResult::Error;
        }
        if (!row->Apply(parsed, value)) {
            error = "bad value for " + std::string(arg) + ": " + std::string(value);
            return SimCommandLineResult::Error;
        }
    }
    const bool direct = parsed.Mode == SimLinkMode::Direct;
    if (direct && parsed.Units > 1) {
        error = "--mode direct has one unit on the line";
        return SimCommandLineResult::Error;
    }
    if (direct && (parsed.RefuseEvery > 0 || parsed.ErrorEvery > 0)) {
        error = "--refuse-every and --error-every are controller answers (--mode controller)";
        return SimCommandLineResult::Error;
    }
    if (parsed.NoPty && parsed.TcpPort < 0) {
        error = "--no-pty leaves nothing to serve on without --tcp";
        return SimCommandLineResult::Error;
    }
    if (parsed.NoPty && !parsed.LinkPath.empty()) {
        error = "--link needs the pseudo-terminal (no --no-pty)";
        return SimCommandLineResult::Error;
    }
    for (int screen : parsed.NoVideoScreens) {
        if (screen > 4 * parsed.Units) {
            error = "--no-video " + std::to_string(screen) + ": no such screen with " +
                    std::to_string(parsed.Units) + " unit(s)";
            return SimCommandLineResult::Error;
        }
    }
    options = parsed;
    return SimCommandLineResult::Run;
}

std::string SimUsageText() {
    std::string text =
        "Usage: zelvar-sim [options]\n"
        "Plays one or two Zelvar units, directly or behind a Prendel controller, on a\n"
        "pseudo-terminal and/or a loopback TCP port. Prints the terminal's path on the\n"
        "first line (and, with --tcp, \"127.0.0.1:PORT\" on the next; with --no-pty on the\n"
        "first) and runs until SIGTERM or SIGINT. The wire behaviour is described in\n"
        "docs/protocol.md.\n\n"
        "Options:\n"
        "  --help                    this text\n";
    for (const OptionRow& row : OptionTable()) {
        std::string left = "  " + std::string(row.Name);
        if (!row.ValueName.empty())
            left += " " + std::string(row.ValueName);
        left.resize(std::max<std::size_t>(left.size() + 1, 28), ' ');
        text += left + std::string(row.Help) + "\n";
    }
    text += "\nThe every-N counters count commands: every complete non-empty line received\n"
            "(frame, query, NZV, debug, direct command), the first one being 1. A bare \"\\r\"\n"
            "is a probe and is not counted.\n"
            "\nThe units answer only at their own rate on the terminal: 38400 baud direct,\n"
            "57600 through the controller. At any other rate every byte is answered by one\n"
            "byte of noise (the byte with its top bit set) and nothing is carried out or\n"
            "logged. TCP has no rate; --pace there keeps to the mode's own rate.\n";
    return text;
}

} // namespace tarvel
