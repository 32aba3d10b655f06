#pragma once

#include <optional>
#include <string>
#include <string_view>

// Tarvel.ini: the last planning inputs, one line of six values written as with
// "%lf %lf %d %d %d %d" ("30.000000 10.000000 64 0 1 2"), no line end. Both directions use a
// point as decimal separator whatever the process locale. Reading and writing the file:
// platform/SettingsFiles.h.
namespace tarvel {

struct IniSettings {
    double HorizontalOutSize = 0; // HorizontalOutEdit
    double VerticalOutSize = 0;   // VerticalOutEdit
    int OverlapWidth = 0;         // OWidthEdit
    int ProjectorCountIndex = 0;  // NumOfScreenComboBox, 0..7
    int AlignmentIndex = 0;       // ImageAlignComboBox, 0..1
    int ResolutionIndex = 0;      // ProjectorResComboBox, 0..5

    friend bool operator==(const IniSettings&, const IniSettings&) = default;
};

inline constexpr std::string_view IniFileName = "Tarvel.ini";
// Written to the standard error stream when the file can't be read or written.
inline constexpr std::string_view IniCannotOpenMessage = "Cannot open output file.";

// Accepted only when the text holds exactly six values and all are valid: both sizes and the
// overlap above 0, every index inside its list (-1 and indexes past the end are refused). Any
// white space separates values; white space after the sixth (a line end) is allowed, but a
// seventh value or any other trailing text refuses the whole file, as does a value that is
// not wholly a number ("64.5" as the overlap, "30abc", "nan", "inf").
std::optional<IniSettings> ParseIniSettings(std::string_view text);

// The six values with single blanks between them and no line end.
std::string FormatIniSettings(const IniSettings& settings);

enum class IniReadStatus {
    Loaded,     // Settings holds the file's values
    CannotOpen, // missing or unreadable: the caller writes IniCannotOpenMessage to stderr
    Invalid,    // read but refused as a whole: no message
};

struct IniReadResult {
    IniReadStatus Status = IniReadStatus::CannotOpen;
    IniSettings Settings;
};

} // namespace tarvel
