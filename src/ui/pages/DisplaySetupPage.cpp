#include "ui/pages/DisplaySetupPage.h"

#include "ui/FieldEdit.h"

namespace tarvel {

DisplaySetupPage::DisplaySetupPage(const UiContext& context, QWidget* parent)
    : TabPage("DisplaySetupTabSheet", context, parent), overlapEdit_(new FieldEdit(this)) {
    overlapEdit_->setObjectName(QStringLiteral("OWidthEdit"));
    overlapEdit_->setText(QStringLiteral("64"));
    // A provisional place until the page layout is built.
    overlapEdit_->setGeometry(720, 300, 41, 21);
}

QString DisplaySetupPage::OverlapText() const {
    return overlapEdit_->text();
}

void DisplaySetupPage::SetOverlapText(const QString& text) {
    overlapEdit_->setText(text);
}

// The basic group and the per-channel advanced groups come with the page layout.
void DisplaySetupPage::ApplyEdgeFeatheringMode() {}

} // namespace tarvel
