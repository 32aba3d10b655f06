#include "BenchLink.h"

#include <QByteArray>

#include <cstdlib>
#include <sys/resource.h>

namespace tarvel::bench {

void NullView::ExitApplication(int code) {
    std::exit(code);
}

BenchLink::BenchLink(const std::string& device) {
    qputenv("TARVEL_PORTS", QByteArray::fromStdString(device));
}

double CpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

} // namespace tarvel::bench
