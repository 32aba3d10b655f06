#pragma once

#include <cerrno>
#include <cstring>
#include <string>

namespace tarvel {

// "what: the system's reason", for the call that has just failed and set errno.
inline std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

} // namespace tarvel
