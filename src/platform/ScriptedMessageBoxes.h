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
// queue. The Save/Discard/Cancel question takes its answers from a queue of its own; without
// one it is answered as the default answer says: Save for true, Discard for false.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Call {
        MessageKind Kind = MessageKind::Information;
        QString Caption;
        QString Text;
        bool Answer = true;
        SaveChoice Choice = SaveChoice::Cancel; // the Save/Discard/Cancel question's answer
        bool Unscripted = false;
    };

    // Queues the answer to the next question (true = Yes / OK).
    void Answer(bool answer) { answers_.push_back(answer); }
    // Queues the answer to the next Save/Discard/Cancel question.
    void AnswerSave(SaveChoice choice) { choices_.push_back(choice); }
    void SetDefaultAnswer(bool answer) { defaultAnswer_ = answer; }
    // Runs at every box, after it is recorded and before it is answered, as if the user
    // looked at it for a while (a test may let events run or change state here).
    void OnShow(std::function<void(const Call&)> hook) { onShow_ = std::move(hook); }

    const std::vector<Call>& Calls() const { return calls_; }
    QStringList Texts() const;
    bool HadUnscriptedQuestion() const;
    int PendingAnswers() const { return static_cast<int>(answers_.size() + choices_.size()); }
    void Clear();

private:
    bool Show(MessageKind kind, const QString& caption, const QString& text) override;
    SaveChoice AskSaveChoice(const QString& caption, const QString& text) override;
    void Record(const Call& call);

    std::deque<bool> answers_;
    std::deque<SaveChoice> choices_;
    std::vector<Call> calls_;
    bool defaultAnswer_ = false;
    std::function<void(const Call&)> onShow_;
};

} // namespace tarvel
