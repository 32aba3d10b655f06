#include "IniSettings.h"

#include "NumberFormat.h"
#include "PlanningLists.h"

#include <charconv>
#include <vector>

namespace tarvel {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::vector<std::string_view> SplitOnWhiteSpace(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        const auto start = at;
        while (at < text.size() && !IsSpace(text[at]))
            ++at;
        if (at > start)
            tokens.push_back(text.substr(start, at - start));
    }
    return tokens;
}

bool InList(int index, std::size_t listSize) {
    return index >= 0 && static_cast<std::size_t>(index) < listSize;
}

void AppendFixed6(std::string& out, double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

} // namespace

std::optional<IniSettings> ParseIniSettings(std::string_view text) {
    const auto tokens = SplitOnWhiteSpace(text);
    if (tokens.size() != 6)
        return std::nullopt;
    const auto horizontal = ParseDouble(tokens[0]);
    const auto vertical = ParseDouble(tokens[1]);
    std::optional<int> ints[4];
    for (std::size_t i = 0; i < 4; ++i)
        ints[i] = ParseInt(tokens[i + 2]);
    if (!horizontal || !vertical || !ints[0] || !ints[1] || !ints[2] || !ints[3])
        return std::nullopt;

    const IniSettings settings{*horizontal, *vertical, *ints[0], *ints[1], *ints[2], *ints[3]};
    if (settings.HorizontalOutSize <= 0 || settings.VerticalOutSize <= 0 ||
        settings.OverlapWidth <= 0 ||
        !InList(settings.ProjectorCountIndex, ProjectorCountItems.size()) ||
        !InList(settings.AlignmentIndex, AlignmentItems.size()) ||
        !InList(settings.ResolutionIndex, ProjectorResolutions.size()))
        return std::nullopt;
    return settings;
}

std::string FormatIniSettings(const IniSettings& settings) {
    std::string out;
    AppendFixed6(out, settings.HorizontalOutSize);
    out += ' ';
    AppendFixed6(out, settings.VerticalOutSize);
    for (int value : {settings.OverlapWidth, settings.ProjectorCountIndex, settings.AlignmentIndex,
                      settings.ResolutionIndex}) {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out += ' ';
        out.append(buffer, result.ptr);
    }
    return out;
}

} // namespace tarvel
