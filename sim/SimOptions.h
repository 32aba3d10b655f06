#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvel {

enum class SimLinkMode { Direct, Controller };

// Everything that shapes the simulated units and the line. The file paths are used by the
// zelvar-sim program only; the state machine ignores them.
struct SimOptions {
    SimLinkMode Mode = SimLinkMode::Direct;
    int Units = 1;
    std::array<int, 2> Addresses{1, 2};
    char InputLayout = 'N';          // 'N' (78 data bytes, with limits) or 'F' (70)
    char OutputLayout = 'B';         // 'B' (66 data bytes, new layout) or '@' (64, old layout)
    std::vector<int> NoVideoScreens; // screens 1..8 without input video
    bool EchoBytes = false;          // echo each byte on arrival instead of the line
    int SplitBytes = 0;              // 0: replies in one piece
    int SplitMs = 0;
    int AutoMs = 200; // automatic operation time per projector of the unit

    // Faults. The every-N counters count commands (see docs/protocol.md); 0 = off.
    int DropEvery = 0;
    int DelayMs = 0;
    int RefuseEvery = 0;
    int ErrorEvery = 0;
    char ErrorCode = '4';
    bool DebugConsole = false;
    int SilentAfter = -1; // -1 = off
    int HangupAfter = -1; // -1 = off

    // The line: noise at any speed but the mode's own unless AnySpeed; replies at the wire's
    // own pace with Pace.
    bool AnySpeed = false;
    bool Pace = false;

    // Served on the pseudo-terminal unless NoPty, and on 127.0.0.1:TcpPort when TcpPort >= 0
    // (0: a free port).
    int TcpPort = -1;
    bool NoPty = false;

    std::string LinkPath;
    std::string LogPath;
    std::string StatePath;
    std::string LoadPath; // a 1720-byte record image to start the units from
};

} // namespace tarvel
