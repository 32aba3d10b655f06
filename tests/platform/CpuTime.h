#pragma once

#include <sys/resource.h>

namespace tarvel::test {

// Processor time used by this process so far, user and system, in milliseconds.
inline double CpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

} // namespace tarvel::test
