#include "cli/CliLinkUser.h"

#include "cli/Console.h"

namespace tarvel {

CliLinkUser::CliLinkUser(int retries, Console& console)
    : PolicyLinkUser({.Retries = retries,
                      .ReadPastUnreadableChannels = false,
                      // Two units planned, one reached directly: the tool goes on with unit 1,
                      // as the window's user who answers Yes.
                      .ContinueWithUnitOneOnly = true}),
      console_(console), retries_(retries) {}

bool CliLinkUser::Ask(const LinkQuestion& question) {
    const bool yes = PolicyLinkUser::Ask(question);
    last_ = question.Text;
    switch (question.Kind) {
    case LinkQuestionKind::ResendAfterTimeout:
    case LinkQuestionKind::ResendAfterNoUnitAnswer:
    case LinkQuestionKind::RetryComPort:
        console_.Note(
            question.Text +
            (yes ? QStringLiteral(" [trying again, %1 of %2]").arg(question.Attempt).arg(retries_)
                 : QStringLiteral(" [giving up after %1 %2]")
                       .arg(retries_)
                       .arg(retries_ == 1 ? QStringLiteral("retry") : QStringLiteral("retries"))));
        break;
    case LinkQuestionKind::ContinueAfterUnreadableStatus:
    case LinkQuestionKind::ContinueWithUnitOneOnly:
        console_.Note(question.Text + (yes ? QStringLiteral(" [yes]") : QStringLiteral(" [no]")));
        break;
    }
    return yes;
}

void CliLinkUser::Tell(const QString& text, const QString& caption) {
    PolicyLinkUser::Tell(text, caption);
    last_ = text;
    console_.Note(text);
}

} // namespace tarvel
