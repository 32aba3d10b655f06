#include "cli/CliLinkObserver.h"

#include "cli/Console.h"

namespace tarvel {

void CliLinkObserver::ProgressShown(const QString& /*text*/) {
    // The link shows its progress window once for each unit it reads.
    text_ = QStringLiteral("Reading unit %1").arg(++unitsShown_);
    console_.Progress(text_);
}

void CliLinkObserver::ProgressDots(const QString& dots) {
    console_.Progress(dots.isEmpty() ? text_ : text_ + QLatin1Char(' ') + dots, false);
}

void CliLinkObserver::ProgressHidden() {
    console_.EndProgress();
}

} // namespace tarvel
