#pragma once

#include <string>

namespace tarvel {

// The simulator's end of a pseudo-terminal. Both ends are raw from the start and the far end
// is held open, so a client may close and reopen it without hanging the line up; the far end's
// settings (the rate a client chose) are read through it.
class PtyLine {
public:
    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // Opens the line at startBaud and, if linkPath is not empty, links that path to it.
    bool Open(int startBaud, const std::string& linkPath, std::string& error);
    const std::string& Path() const { return SlavePath; }
    int Fd() const { return MasterFd; } // -1 once closed
    // The rate the line is set to now; 0 for a rate that is none of the usual ones.
    int Baud() const;
    // Whether the client has read everything written so far.
    bool AllRead() const;
    // Removes the link and closes both ends: the client's reads fail as on a pulled cable.
    void Close();

private:
    int MasterFd = -1;
    int SlaveFd = -1;
    std::string SlavePath;
    std::string LinkPath; // empty unless a link was made
};

} // namespace tarvel
