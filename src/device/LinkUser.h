#pragma once

#include "platform/MessageBoxes.h"

#include <QString>

namespace tarvel {

// The questions the link puts to whoever runs it.
enum class LinkQuestionKind {
    ResendAfterTimeout,      // a framed command got no reply in time (OK: send again)
    ResendAfterNoUnitAnswer, // the controller got no answer from the unit (OK: send again)
    RetryComPort,            // the direct unit stopped answering (OK: probe again; Cancel: give up)
    ContinueAfterUnreadableStatus, // a channel's status could not be read (Yes: read on)
    ContinueWithUnitOneOnly,       // two units planned, one reached directly (Yes: go on)
};

struct LinkQuestion {
    LinkQuestionKind Kind;
    MessageKind Buttons; // YesNo or OkCancel, as the window asks it
    QString Text;
    QString Caption;
    // How many times this question has come up for the same command (1 the first time).
    int Attempt = 1;
};

// The person, or the policy, that answers the link's questions and reads its messages. The
// window answers with its message boxes; a program without a window with a policy of its own.
class LinkUser {
public:
    virtual ~LinkUser() = default;

    // True for OK or Yes.
    virtual bool Ask(const LinkQuestion& question) = 0;
    // A message the user must read (an information box in the window).
    virtual void Tell(const QString& text, const QString& caption) = 0;
};

// Answers through message boxes: the window's boxes, or a test's scripted ones.
class MessageBoxLinkUser : public LinkUser {
public:
    explicit MessageBoxLinkUser(MessageBoxes& boxes) : boxes_(boxes) {}

    bool Ask(const LinkQuestion& question) override {
        return question.Buttons == MessageKind::OkCancel
                   ? boxes_.OkCancel(question.Text, question.Caption)
                   : boxes_.YesNo(question.Text, question.Caption);
    }
    void Tell(const QString& text, const QString& caption) override {
        boxes_.Information(text, caption);
    }

private:
    MessageBoxes& boxes_;
};

} // namespace tarvel
