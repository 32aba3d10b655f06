#include "ui/pages/DisplaySetupPage.h"

#include "ui/FieldEdit.h"

namespace tarvel {

DisplaySetupPage::DisplaySetupPage(const UiContext& context, QWidget* parent)
    : TabPage("DisplaySetupTabSheet", context, parent), overlapEdit_(new FieldEdit(this)) {
    overlapEdit_->setObjectName(QStringLiteral("OWidthEdit"));
    overlapEdit_->setText(QStringLiteral("64"));
    // A provisional place until the page layout is built.
    overlapEdit_->setGeometry(720, 300, 41, 21);
    connect(overlapEdit_, &FieldEdit::Left, this, &DisplaySetupPage::OverlapLeft);
    connect(overlapEdit_, &FieldEdit::EnterPressed, this, &DisplaySetupPage::OverlapEnterPressed);
}

QString DisplaySetupPage::OverlapText() const {
    return overlapEdit_->text();
}

void DisplaySetupPage::SetOverlapText(const QString& text) {
    overlapEdit_->setText(text);
}

// The page's controls and fills come with the page layout.
void DisplaySetupPage::ApplyEdgeFeatheringMode() {}
void DisplaySetupPage::FillDisplayPage() {}
void DisplaySetupPage::FillTestPattern(int) {}
void DisplaySetupPage::FillBlackLevel(int) {}
void DisplaySetupPage::FillBasicFeather() {}
void DisplaySetupPage::FillOverlap() {}
void DisplaySetupPage::ShowChannels(int) {}
void DisplaySetupPage::SetServiceView(bool) {}

} // namespace tarvel
