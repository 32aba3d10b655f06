#include "ui/pages/DisplaySetupPage.h"

#include "ui/FieldEdit.h"
#include "ui/SpinButtons.h"

namespace tarvel {

DisplaySetupPage::DisplaySetupPage(const UiContext& context, QWidget* parent)
    : TabPage("DisplaySetupTabSheet", context, parent), overlapEdit_(new FieldEdit(this)),
      overlapUpDown_(new SpinButtons(this)) {
    overlapEdit_->setObjectName(QStringLiteral("OWidthEdit"));
    overlapEdit_->setText(QStringLiteral("64"));
    overlapUpDown_->setObjectName(QStringLiteral("OWidthUpDown"));
    // A provisional place until the page layout is built.
    overlapEdit_->setGeometry(720, 300, 41, 21);
    overlapUpDown_->setGeometry(761, 300, SpinButtons::Width, 21);
    connect(overlapEdit_, &FieldEdit::Left, this, &DisplaySetupPage::OverlapLeft);
    connect(overlapEdit_, &FieldEdit::EnterPressed, this, &DisplaySetupPage::OverlapEnterPressed);
    connect(overlapUpDown_, &SpinButtons::Stepped, this, &DisplaySetupPage::OverlapStepped);
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
void DisplaySetupPage::FillOverlap() {
    overlapEdit_->setText(QString::number(Context().Model.Channels.UnitOutput(1).DisplayOverlap));
    // EnDataDoubleCheckBox joins with the "Data Doubling" group.
}
void DisplaySetupPage::ShowChannels(int) {}
void DisplaySetupPage::SetServiceView(bool) {}
QWidget* DisplaySetupPage::FirstTestPatternList() const {
    return nullptr;
}
void DisplaySetupPage::EnableCalculatedControls() {}

} // namespace tarvel
