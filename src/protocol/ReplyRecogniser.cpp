#include "ReplyRecogniser.h"

#include <algorithm>

namespace tarvel {

namespace {
constexpr std::string_view RefusedPattern = "?\r\nCTR";
constexpr std::string_view DebugPattern = "?\r\nDEB";
constexpr std::string_view ErrorPattern = "!ERR"; // then the separator and the code
constexpr std::size_t ErrorLength = ErrorPattern.size() + 2;

// A status reply's binary block starts within this many bytes: 0x01, a kind byte that is also
// the number of data bytes that follow, then the data.
constexpr std::size_t BlockStartWindow = 30;
constexpr std::uint8_t BlockStart = 0x01;

std::size_t BlockLength(std::uint8_t kind) {
    switch (kind) {
    case 0x08: // system information
    case 'F':  // input status, short and long layout
    case 'N':
    case 'B': // output status layouts
    case '@':
    case '>':
    case '?':
        return kind;
    default:
        return 0;
    }
}
} // namespace

void ReplyRecogniser::Start(ConnectionMode mode, int minReplyLength, char promptCharacter) {
    mode_ = mode;
    minReplyLength_ = minReplyLength > 0 ? static_cast<std::size_t>(minReplyLength) : 0;
    prompt_ = static_cast<std::uint8_t>(promptCharacter);
    stored_ = 0;
    position_ = 0;
    blockEnd_ = 0;
    replyLength_ = 0;
    buffer_.fill(0);
    verdict_ = ReplyVerdict::Collecting;
}

ReplyVerdict ReplyRecogniser::Feed(std::string_view bytes) {
    return Feed(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                              bytes.size()));
}

ReplyVerdict ReplyRecogniser::Feed(std::span<const std::uint8_t> bytes) {
    if (verdict_ != ReplyVerdict::Collecting || bytes.empty()) {
        return verdict_;
    }
    const std::size_t taken = std::min(bytes.size(), Capacity - stored_);
    std::copy_n(bytes.begin(), taken, buffer_.begin() + static_cast<std::ptrdiff_t>(stored_));
    stored_ += taken;

    while (position_ < stored_) {
        // Data bytes of a status block are values, never a prompt or a controller pattern,
        // however they happen to read.
        if (position_ < blockEnd_) {
            ++position_;
            continue;
        }
        if (position_ < BlockStartWindow && buffer_[position_] == BlockStart) {
            if (position_ + 1 == stored_) {
                break; // the kind byte is still to come
            }
            if (const std::size_t length = BlockLength(buffer_[position_ + 1])) {
                blockEnd_ = position_ + 2 + length;
                position_ += 2;
                continue;
            }
        }
        if (EndsReply(position_)) {
            // The last byte this event delivered becomes the terminator, whether or not it
            // is the prompt itself.
            replyLength_ = stored_ - 1;
            buffer_[replyLength_] = 0;
            position_ = 0;
            verdict_ = ReplyVerdict::Accepted;
            return verdict_;
        }
        if (mode_ == ConnectionMode::Controller) {
            const Match match = MatchPattern(position_);
            if (match == Match::NeedMore) {
                // A pattern may be split across events: look again at this byte when the
                // rest has arrived.
                break;
            }
            if (match != Match::None) {
                position_ = 0;
                verdict_ = match == Match::Refused        ? ReplyVerdict::Refused
                           : match == Match::DebugConsole ? ReplyVerdict::DebugConsole
                           : match == Match::NoUnitAnswer ? ReplyVerdict::NoUnitAnswer
                                                          : ReplyVerdict::ControllerError;
                return verdict_;
            }
        }
        ++position_;
    }
    if (taken < bytes.size()) {
        verdict_ = ReplyVerdict::Overflow;
    }
    return verdict_;
}

void ReplyRecogniser::TimeOut() {
    if (verdict_ == ReplyVerdict::Collecting) {
        verdict_ = ReplyVerdict::TimedOut;
    }
}

bool ReplyRecogniser::EndsReply(std::size_t p) const {
    if (buffer_[p] != prompt_ || p < minReplyLength_ || p < 2) {
        return false;
    }
    const char before2 = static_cast<char>(buffer_[p - 2]);
    const char before1 = static_cast<char>(buffer_[p - 1]);
    return mode_ == ConnectionMode::Controller ? before2 == 'L' && before1 == 'R'
                                               : before2 == '\r' && before1 == '\n';
}

ReplyRecogniser::Match ReplyRecogniser::MatchPattern(std::size_t p) const {
    const std::size_t available = stored_ - p;
    const auto prefixMatches = [&](std::string_view pattern) {
        const std::size_t n = std::min(available, pattern.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (buffer_[p + i] != static_cast<std::uint8_t>(pattern[i])) {
                return false;
            }
        }
        return true;
    };

    bool needMore = false;
    for (const auto& [pattern, match] : {std::pair{RefusedPattern, Match::Refused},
                                         std::pair{DebugPattern, Match::DebugConsole}}) {
        if (prefixMatches(pattern)) {
            if (available >= pattern.size()) {
                return match;
            }
            needMore = true;
        }
    }
    if (prefixMatches(ErrorPattern)) {
        if (available >= ErrorLength) {
            return buffer_[p + ErrorLength - 1] == '4' ? Match::NoUnitAnswer
                                                       : Match::ControllerError;
        }
        needMore = true;
    }
    return needMore ? Match::NeedMore : Match::None;
}

bool ReplyRecogniser::ReplyFailed() const {
    switch (verdict_) {
    case ReplyVerdict::Refused:
    case ReplyVerdict::DebugConsole:
    case ReplyVerdict::NoUnitAnswer:
    case ReplyVerdict::ControllerError:
    case ReplyVerdict::Overflow:
    case ReplyVerdict::TimedOut:
        return true;
    default:
        return false;
    }
}

bool ReplyRecogniser::ControllerRejected() const {
    return verdict_ == ReplyVerdict::Refused || verdict_ == ReplyVerdict::ControllerError;
}

std::span<const std::uint8_t> ReplyRecogniser::ReplyBytes() const {
    const std::size_t length = verdict_ == ReplyVerdict::Accepted ? replyLength_ : stored_;
    return {buffer_.data(), length};
}

std::string_view ReplyRecogniser::ReplyText() const {
    const auto bytes = ReplyBytes();
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return {reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::size_t>(end - bytes.begin())};
}

bool ReplyRecogniser::ReplyEmpty() const {
    const auto bytes = ReplyBytes();
    return bytes.empty() || bytes[0] == 0;
}

} // namespace tarvel
