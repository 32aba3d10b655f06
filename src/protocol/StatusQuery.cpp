#include "StatusQuery.h"

#include "TextFormat.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvel {

namespace {

struct QuerySpec {
    std::string_view ControllerForm;
    std::string_view DirectForm;
    int MinReplyLength;
};

constexpr std::array<QuerySpec, 4> Queries{{
    {"NZV\r", "NZV\r", 2},
    {"ZVQUERY *%dSYINFOZV!\r", "SYINFOZV\r", 8},
    {"ZVQUERY *%dIINFOZV %1d!\r", "IINFOZV %1d\r", 70},
    {"ZVQUERY *%dOINFOZV %1d!\r", "OINFOZV %1d\r", 62},
}};

const QuerySpec& SpecOf(StatusQuery query) {
    return Queries[static_cast<std::size_t>(query)];
}

} // namespace

std::string QueryText(StatusQuery query, ConnectionMode mode, int address, int channel) {
    const QuerySpec& spec = SpecOf(query);
    if (mode == ConnectionMode::Controller) {
        const std::array<FormatArg, 2> args{static_cast<std::int32_t>(address),
                                            static_cast<std::int32_t>(channel)};
        return FormatText(spec.ControllerForm, args);
    }
    const std::array<FormatArg, 1> args{static_cast<std::int32_t>(channel)};
    return FormatText(spec.DirectForm, args);
}

int QueryMinReplyLength(StatusQuery query) {
    return SpecOf(query).MinReplyLength;
}

} // namespace tarvel
