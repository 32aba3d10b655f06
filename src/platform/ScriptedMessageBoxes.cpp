#include "platform/ScriptedMessageBoxes.h"

#include <algorithm>

namespace tarvel {

bool ScriptedMessageBoxes::Show(MessageKind kind, const QString& caption, const QString& text) {
    Call call;
    call.Kind = kind;
    call.Caption = caption;
    call.Text = text;
    if (kind != MessageKind::Information) {
        if (answers_.empty()) {
            call.Answer = defaultAnswer_;
            call.Unscripted = true;
        } else {
            call.Answer = answers_.front();
            answers_.pop_front();
        }
    }
    Record(call);
    return call.Answer;
}

SaveChoice ScriptedMessageBoxes::AskSaveChoice(const QString& caption, const QString& text) {
    Call call;
    call.Kind = MessageKind::SaveDiscardCancel;
    call.Caption = caption;
    call.Text = text;
    if (choices_.empty()) {
        call.Choice = defaultAnswer_ ? SaveChoice::Save : SaveChoice::Discard;
        call.Unscripted = true;
    } else {
        call.Choice = choices_.front();
        choices_.pop_front();
    }
    call.Answer = call.Choice == SaveChoice::Save;
    Record(call);
    return call.Choice;
}

void ScriptedMessageBoxes::Record(const Call& call) {
    calls_.push_back(call);
    if (onShow_) {
        onShow_(call);
    }
}

QStringList ScriptedMessageBoxes::Texts() const {
    QStringList texts;
    for (const Call& call : calls_) {
        texts << call.Text;
    }
    return texts;
}

bool ScriptedMessageBoxes::HadUnscriptedQuestion() const {
    return std::any_of(calls_.begin(), calls_.end(),
                       [](const Call& call) { return call.Unscripted; });
}

void ScriptedMessageBoxes::Clear() {
    answers_.clear();
    choices_.clear();
    calls_.clear();
}

} // namespace tarvel
