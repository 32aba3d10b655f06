#pragma once

#include <QString>

namespace tarvel {

// Where tarvel-cli writes: results on standard output; progress, notes and the one-line
// failure on standard error. On a terminal the progress is one line rewritten in place;
// otherwise it is plain lines, fewer of them (the milestones), so a log stays readable.
class Console {
public:
    enum class Verbosity {
        Quiet,   // results and the failure line only
        Normal,  // and progress and notes
        Verbose, // and every exchange on the line as it happens
    };

    Console(Verbosity verbosity, bool stderrIsTerminal);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    static bool StandardErrorIsTerminal();

    Verbosity Level() const { return verbosity_; }

    // Standard output, as given.
    void Out(const QString& text);
    // A line on standard error, "tarvel-cli: " first; not when quiet.
    void Note(const QString& text);
    // The failure: one line on standard error, always.
    void Error(const QString& text);
    // One exchange on the line; only when verbose.
    void Exchange(const QString& text);
    // What the program is doing now. A terminal shows every update in place; plain output only
    // the milestones.
    void Progress(const QString& text, bool milestone = true);
    void EndProgress();

private:
    void Line(const QString& text);
    void ClearProgress();

    Verbosity verbosity_;
    bool terminal_;
    bool progressShown_ = false;
    QString lastPlain_;
};

} // namespace tarvel
