#include "StatusParsers.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace tarvel {

namespace {

constexpr std::size_t UnitCountTailMax = 22;
constexpr std::size_t SystemInfoLength = 8;
constexpr std::size_t InputShortLength = 70;
constexpr std::size_t InputLongLength = 78;
constexpr std::size_t OutputOldLength = 64;
constexpr std::size_t OutputNewLength = 65;

// Big-endian data block of a status reply.
class Data {
public:
    explicit Data(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint8_t Byte(std::size_t k) const { return bytes_[k]; }
    std::int32_t BE32(std::size_t k) const {
        return static_cast<std::int32_t>(
            (std::uint32_t{bytes_[k]} << 24) | (std::uint32_t{bytes_[k + 1]} << 16) |
            (std::uint32_t{bytes_[k + 2]} << 8) | std::uint32_t{bytes_[k + 3]});
    }
    std::int16_t BE16(std::size_t k) const {
        return static_cast<std::int16_t>((bytes_[k] << 8) | bytes_[k + 1]);
    }
    // The device sends tenths as integers; the conversion goes through a single first.
    float Tenths(std::size_t k) const {
        const float s = static_cast<float>(BE32(k));
        return static_cast<float>(static_cast<double>(s) * 0.1);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

struct Start {
    std::size_t Data = 0; // index of D[0]
    std::uint8_t Kind = 0;
};

template <class Accepts>
std::optional<Start> FindStart(std::span<const std::uint8_t> reply, Accepts accepts) {
    const std::size_t last = std::min(ReplyStartWindow, reply.size());
    for (std::size_t p = 0; p < last && p + 1 < reply.size(); ++p) {
        if (reply[p] == 0x01 && accepts(reply[p + 1])) {
            return Start{p + 2, reply[p + 1]};
        }
    }
    return std::nullopt;
}

// The data block of `length` bytes at the start, if the reply holds all of it.
std::optional<Data> Block(std::span<const std::uint8_t> reply, const Start& start,
                          std::size_t length) {
    if (start.Data + length > reply.size()) {
        return std::nullopt;
    }
    return Data(reply.subspan(start.Data, length));
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%d": white space, an optional sign, digits. A number out of range is not read.
std::optional<std::int32_t> ReadInt(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsSpace(text[pos])) {
        ++pos;
    }
    std::size_t p = pos;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    const std::size_t digits = p;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9') {
        ++p;
    }
    if (p == digits) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data() + digits, text.data() + p, magnitude);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (ec != std::errc{} || end != text.data() + p ||
        value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    pos = p;
    return static_cast<std::int32_t>(value);
}

} // namespace

bool UnitCountReply::Valid() const {
    if (NumbersRead < 1) {
        return false;
    }
    const int addressesNamed = std::clamp(Count, 0, 2);
    return NumbersRead >= 1 + addressesNamed;
}

UnitCountReply ParseUnitCount(std::span<const std::uint8_t> reply) {
    UnitCountReply result;
    const std::size_t last = std::min(ReplyStartWindow, reply.size());
    std::size_t first = 0;
    while (first < last && !(reply[first] >= '0' && reply[first] <= '9')) {
        ++first;
    }
    if (first == last) {
        return result;
    }
    result.DigitFound = true;

    const auto rest = reply.subspan(first);
    const auto nul = std::find(rest.begin(), rest.end(), std::uint8_t{0});
    std::size_t length = static_cast<std::size_t>(nul - rest.begin());
    length = std::min(length, UnitCountTailMax);
    const std::string_view tail(reinterpret_cast<const char*>(rest.data()), length);

    std::size_t pos = 0;
    std::array<std::int32_t, 3> values{};
    for (auto& value : values) {
        const auto number = ReadInt(tail, pos);
        if (!number) {
            break;
        }
        value = *number;
        ++result.NumbersRead;
    }
    result.Count = values[0];
    result.Addresses = {values[1], values[2]};
    return result;
}

bool ParseSystemInfo(std::span<const std::uint8_t> reply, UnitInfo& info) {
    const auto start = FindStart(reply, [](std::uint8_t kind) { return kind == 0x08; });
    if (!start || start->Data + SystemInfoLength > reply.size()) {
        return false;
    }
    std::copy_n(reply.begin() + static_cast<std::ptrdiff_t>(start->Data), SystemInfoLength,
                info.begin());
    info[7] = 0;
    return true;
}

bool ParseInputStatus(std::span<const std::uint8_t> reply, InputSettings& record) {
    const auto start =
        FindStart(reply, [](std::uint8_t kind) { return kind == 'F' || kind == 'N'; });
    if (!start) {
        return false;
    }
    const bool withLimits = start->Kind == 'N';
    const auto d = Block(reply, *start, withLimits ? InputLongLength : InputShortLength);
    if (!d) {
        return false;
    }
    InputSettings& r = record;
    r.VideoLoaded = d->Byte(0);
    r.VideoLocked = d->Byte(1);
    r.Phase = d->BE32(2);
    r.InputAux1 = d->Byte(6);
    r.InputAux2 = d->Byte(7);
    r.HTotal = d->BE32(8);
    r.HPositionCentre = d->BE32(12);
    r.HPosition = d->BE32(16);
    r.VPositionCentre = d->BE32(20);
    r.VPosition = d->BE32(24);
    r.HActive = d->BE32(28);
    r.VActive = d->BE32(32);
    r.SyncSelect = d->Byte(36);
    r.InputTermination = d->Byte(37);
    r.OverallContrast = d->Tenths(38);
    r.OverallBrightness = d->Tenths(42);
    r.RedContrast = d->Tenths(46);
    r.RedBrightness = d->Tenths(50);
    r.GreenContrast = d->Tenths(54);
    r.GreenBrightness = d->Tenths(58);
    r.BlueContrast = d->Tenths(62);
    r.BlueBrightness = d->Tenths(66);
    r.HPositionLimit = withLimits ? d->BE32(70) : -1;
    r.VPositionLimit = withLimits ? d->BE32(74) : -1;
    return true;
}

bool ParseOutputStatus(std::span<const std::uint8_t> reply, OutputSettings& record,
                       char& outputReplyKind) {
    const auto start = FindStart(reply, [](std::uint8_t kind) {
        return kind == 'B' || kind == '@' || kind == '>' || kind == '?';
    });
    if (!start) {
        return false;
    }
    const bool newLayout = start->Kind >= 'B';
    const auto d = Block(reply, *start, newLayout ? OutputNewLength : OutputOldLength);
    if (!d) {
        return false;
    }
    outputReplyKind = static_cast<char>(start->Kind);
    OutputSettings& r = record;
    r.OutputFormat = d->Byte(0);
    r.OutputFrameRate = d->Byte(1);
    r.OutputSync = d->Byte(2);
    r.ControlMode = d->Byte(3);
    r.ProjectorGroup = d->Byte(4);
    r.TotalProjectors = d->Byte(5);
    r.DataDoubling = d->Byte(6);
    r.ImageAlignment = d->Byte(7);
    r.DisplayOverlap = d->BE32(8);
    r.BasicGamma = d->Tenths(12);
    r.BasicFeatherOn = d->BE16(16);
    r.LeftGamma = d->Tenths(18);
    r.LeftFeatherOn = d->BE16(22);
    r.RightGamma = d->Tenths(24);
    r.RightFeatherOn = d->BE16(28);
    if (newLayout) {
        r.LeftGammaWidth = d->BE32(30);
        r.LeftGammaOffset = d->BE32(34);
        r.RightGammaWidth = d->BE32(38);
        r.RightGammaOffset = d->BE32(42);
    } else {
        r.LeftHaloWidth = d->BE32(30);
        r.LeftHaloOffset = d->BE32(34);
        r.RightHaloWidth = d->BE32(38);
        r.RightHaloOffset = d->BE32(42);
    }
    r.BlackLevel = d->Byte(46);
    r.TestPattern = d->Byte(47);
    r.OutputRaster = d->Byte(48);
    r.TestGrid = d->Byte(49);
    r.SeamMode = d->BE32(50);
    for (std::size_t i = 0; i < r.SeamGain.size(); ++i) {
        r.SeamGain[i] = d->Byte(54 + i);
    }
    r.SeamBridge = d->Byte(62);
    r.FeatherCurve = d->Byte(63);
    r.BridgeThreshold = newLayout ? d->Byte(64) : 0;
    return true;
}

} // namespace tarvel
