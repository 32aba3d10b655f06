#include "ui/CancellableProgress.h"

#include "ui/TInfoForm.h"
#include "ui/TTarvelForm.h"
#include "ui/UiContext.h"

namespace tarvel {

CancellableProgress::CancellableProgress(const UiContext& context, const QString& text)
    : link_(context.Link) {
    if (link_) {
        operation_.emplace(*link_);
    }
    if (context.Form != nullptr) {
        window_ = &context.Form->InfoForm();
        window_->ShowProgress(text, link_ != nullptr);
    }
}

CancellableProgress::~CancellableProgress() {
    Hide();
}

bool CancellableProgress::Cancelled() const {
    return link_ && link_->CancelRequested();
}

void CancellableProgress::SetDots(const QString& dots) {
    if (window_ && window_->isVisible()) {
        window_->SetProgressDots(dots);
    }
}

void CancellableProgress::Hide() {
    if (window_) {
        window_->HideProgress();
    }
}

QString CancellableProgress::AutomaticCancelledText(const QString& operation) {
    return QStringLiteral("%1 cancelled. Tarvel stopped waiting; the Zelvar(s) may still finish "
                          "it on their own.")
        .arg(operation);
}

} // namespace tarvel
