#pragma once

#include "device/LinkObserver.h"

namespace tarvel {

class Console;

// What the link reports, as the tool's progress: the read of each unit with its dots.
class CliLinkObserver : public LinkObserver {
public:
    explicit CliLinkObserver(Console& console) : console_(console) {}

    // A read of the units begins: its units count from 1 again.
    void BeginRead() { unitsShown_ = 0; }

    void ProgressShown(const QString& text) override;
    void ProgressDots(const QString& dots) override;
    void ProgressHidden() override;

private:
    Console& console_;
    int unitsShown_ = 0;
    QString text_;
};

} // namespace tarvel
