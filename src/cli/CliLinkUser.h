#pragma once

#include "device/PolicyLinkUser.h"

namespace tarvel {

class Console;

// The link's questions answered by the tool's policy (--retries), each one noted on standard
// error with its answer; the link's messages noted too. The last text keeps the reason of a
// failure for the one line the tool ends with.
class CliLinkUser : public PolicyLinkUser {
public:
    CliLinkUser(int retries, Console& console);

    bool Ask(const LinkQuestion& question) override;
    void Tell(const QString& text, const QString& caption) override;

    // The last question or message of the link (empty before the first).
    const QString& LastText() const { return last_; }
    void ClearLastText() { last_.clear(); }

private:
    Console& console_;
    int retries_;
    QString last_;
};

} // namespace tarvel
