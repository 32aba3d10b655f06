#pragma once

#include "config/ConfigurationDiff.h"

#include <string>
#include <vector>

// The comparison of a configuration with the units, as a person reads it and as a report file.
namespace tarvel {

struct ComparedUnit {
    int Unit = 1;
    int Address = 0; // the RS-485 address; 0 on a direct line, where there is none
    std::string Version;
};

// What the report's first line says about the comparison.
struct ComparisonHeader {
    std::string Date; // when the units were read
    std::string Port;
    std::string Mode;
    std::vector<ComparedUnit> Units;
    std::string File; // the configuration file the window holds; empty: none
};

// "Unit 1" for a unit-wide setting, else "Screen 5".
std::string DifferencePlace(const SettingDifference& difference);
// The setting's label, with its unit where it has one: "Overlap Width (pixels)".
std::string DifferenceSetting(const SettingDifference& difference);
// Where a place sorts: unit 1's settings, screens 1-4, unit 2's settings, screens 5-8.
int DifferencePlaceOrder(const SettingDifference& difference);

// The report as CSV (RFC 4180, CRLF line ends): the header line, the column names, then one
// line per difference in the order given.
std::string ComparisonCsv(const ComparisonHeader& header,
                          const std::vector<SettingDifference>& differences);

} // namespace tarvel
