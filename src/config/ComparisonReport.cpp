#include "config/ComparisonReport.h"

#include "model/ChannelSettings.h"

#include <utility>

namespace tarvel {

namespace {

constexpr const char* LineEnd = "\r\n";

// A field as CSV: quoted, with doubled quotes, when it holds a separator, a quote or a line
// break.
std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

void AddLine(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += Field(fields[i]);
    }
    out += LineEnd;
}

} // namespace

std::string DifferencePlace(const SettingDifference& difference) {
    if (difference.Screen == 0) {
        return "Unit " + std::to_string(difference.Unit);
    }
    return "Screen " + std::to_string(difference.Screen);
}

std::string DifferenceSetting(const SettingDifference& difference) {
    if (difference.Row == nullptr) {
        return {};
    }
    std::string name(difference.Row->Label);
    if (!difference.Row->Unit.empty()) {
        name += " (" + std::string(difference.Row->Unit) + ")";
    }
    return name;
}

int DifferencePlaceOrder(const SettingDifference& difference) {
    const int unitStart = (difference.Unit - 1) * (ChannelsPerUnit + 1);
    if (difference.Screen == 0) {
        return unitStart;
    }
    return unitStart + ScreenToUnitChannel(difference.Screen).Channel;
}

std::string ComparisonCsv(const ComparisonHeader& header,
                          const std::vector<SettingDifference>& differences) {
    std::vector<std::string> first{"Tarvel comparison with Zelvar(s)", "Date: " + header.Date,
                                   "Port: " + header.Port, "Mode: " + header.Mode};
    for (const ComparedUnit& unit : header.Units) {
        std::string text = "Unit " + std::to_string(unit.Unit) + ":";
        if (unit.Address > 0) {
            text += " address " + std::to_string(unit.Address);
        }
        text += " version " + (unit.Version.empty() ? std::string("unknown") : unit.Version);
        first.push_back(std::move(text));
    }
    first.push_back("File: " + (header.File.empty() ? std::string("none") : header.File));

    std::string out;
    AddLine(out, first);
    AddLine(out, {"Screen", "Setting", "Tarvel", "Zelvar(s)"});
    for (const SettingDifference& difference : differences) {
        AddLine(out, {DifferencePlace(difference), DifferenceSetting(difference), difference.ValueA,
                      difference.ValueB});
    }
    return out;
}

} // namespace tarvel
