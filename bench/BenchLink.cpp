#include "BenchLink.h"

#include <QByteArray>

#include <sys/resource.h>

namespace tarvel::bench {

BenchLink::BenchLink(const std::string& device, LinkTiming timing)
    : Link(Port, Model, User, timing) {
    qputenv("TARVEL_PORTS", QByteArray::fromStdString(device));
}

double CpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

} // namespace tarvel::bench
