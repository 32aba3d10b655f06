#pragma once

#include "device/LinkUser.h"

#include <QStringList>

#include <functional>

namespace tarvel {

// Answers the link's questions by a fixed policy, for a program without a window: a command
// that fails is sent again at most Retries times (0: fail at once), and a read does not go on
// past a channel it could not read unless the policy says so. Every message goes to the sink
// and is kept.
class PolicyLinkUser : public LinkUser {
public:
    struct Policy {
        int Retries = 0;
        bool ReadPastUnreadableChannels = false;
        bool ContinueWithUnitOneOnly = false;
    };
    using Sink = std::function<void(const QString& text)>;

    explicit PolicyLinkUser(Policy policy, Sink sink = {})
        : policy_(policy), sink_(std::move(sink)) {}

    bool Ask(const LinkQuestion& question) override {
        asked_ << question.Text;
        switch (question.Kind) {
        case LinkQuestionKind::ResendAfterTimeout:
        case LinkQuestionKind::ResendAfterNoUnitAnswer:
        case LinkQuestionKind::RetryComPort:
            return question.Attempt <= policy_.Retries;
        case LinkQuestionKind::ContinueAfterUnreadableStatus:
            return policy_.ReadPastUnreadableChannels;
        case LinkQuestionKind::ContinueWithUnitOneOnly:
            return policy_.ContinueWithUnitOneOnly;
        }
        return false;
    }
    void Tell(const QString& text, const QString& /*caption*/) override {
        told_ << text;
        if (sink_) {
            sink_(text);
        }
    }

    // Every message told and every question asked, in order.
    const QStringList& Told() const { return told_; }
    const QStringList& Asked() const { return asked_; }

private:
    Policy policy_;
    Sink sink_;
    QStringList told_;
    QStringList asked_;
};

} // namespace tarvel
