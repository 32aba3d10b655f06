#pragma once

#include "platform/MessageBoxes.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace tarvel {

// MessageBoxes for tests: questions are answered from a queue, and every box is recorded with
// its kind, caption and text so a test can check the exact words.
//
// A question asked when the queue is empty is recorded with Unscripted set and answered with
// the default answer, false (No / Cancel) unless SetDefaultAnswer says otherwise;
// HadUnscriptedQuestion() lets a test fail on it. Information boxes take no answer from the
// queue.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Call {
        MessageKind Kind = MessageKind::Information;
        QString Caption;
        QString Text;
        bool Answer = true;
        bool Unscripted = false;
    };

    // Queues the answer to the next question (true = Yes / OK).
    void Answer(bool answer) { answers_.push_back(answer); }
    void SetDefaultAnswer(bool answer) { defaultAnswer_ = answer; }
    // Runs at every box, after it is recorded and before it is answered, as if the user
    // looked at it for a while (a test may let events run or change state here).
    void OnShow(std::function<void(const Call&)> hook) { onShow_ = std::move(hook); }

    const std::vector<Call>& Calls() const { return calls_; }
    QStringList Texts() const;
    bool HadUnscriptedQuestion() const;
    int PendingAnswers() const { return static_cast<int>(answers_.size()); }
    void Clear();

private:
    bool Show(MessageKind kind, const QString& caption, const QString& text) override;

    std::deque<bool> answers_;
    std::vector<Call> calls_;
    bool defaultAnswer_ = false;
    std::function<void(const Call&)> onShow_;
};

} // namespace tarvel
