#include "ui/pages/PlanningPage.h"

#include "config/NumberFormat.h"
#include "config/PlanningLists.h"
#include "ui/FieldEdit.h"
#include "ui/KeyboardLengthLimit.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tarvel {

namespace {

constexpr int SizeLimit = 6; // characters of each output size
constexpr int IniSizeDigits = 5;

template <typename Items>
QComboBox* MakeList(QWidget* parent, const char* name, const Items& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const auto& item : items) {
        list->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    }
    list->setCurrentIndex(-1); // nothing chosen until Tarvel.ini or the start-up defaults
    return list;
}

FieldEdit* MakeSizeEdit(QWidget* parent, const char* name, const char* text) {
    auto* edit = new FieldEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setText(QString::fromLatin1(text));
    KeyboardLengthLimit::Apply(edit, SizeLimit);
    return edit;
}

// Selects an index without running the list's change handler, as a stored setting does.
void Select(QComboBox* list, int index) {
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(index);
}

} // namespace

PlanningPage::PlanningPage(const UiContext& context, QWidget* parent)
    : TabPage("PlanningTabSheet", context, parent),
      horizontalOutEdit_(MakeSizeEdit(this, "HorizontalOutEdit", "30")),
      verticalOutEdit_(MakeSizeEdit(this, "VerticalOutEdit", "10")),
      projectorResComboBox_(
          MakeList(this, "ProjectorResComboBox",
                   [] {
                       std::array<std::string_view, ProjectorResolutions.size()> items{};
                       for (std::size_t i = 0; i < items.size(); ++i) {
                           items[i] = ProjectorResolutions[i].Item;
                       }
                       return items;
                   }())),
      numOfScreenComboBox_(MakeList(this, "NumOfScreenComboBox", ProjectorCountItems)),
      imageAlignComboBox_(MakeList(this, "ImageAlignComboBox", AlignmentItems)) {
    // The first calculation enables these two.
    numOfScreenComboBox_->setEnabled(false);
    imageAlignComboBox_->setEnabled(false);

    // Provisional places inside the calculator group until the page layout is built.
    horizontalOutEdit_->setGeometry(16, 300, 49, 21);
    verticalOutEdit_->setGeometry(80, 300, 49, 21);
    projectorResComboBox_->setGeometry(160, 300, 105, 21);
    numOfScreenComboBox_->setGeometry(280, 300, 105, 21);
    imageAlignComboBox_->setGeometry(400, 300, 105, 21);
}

void PlanningPage::ApplyIniSettings(const IniSettings& settings) {
    horizontalOutEdit_->setText(
        QString::fromStdString(FormatGeneral(settings.HorizontalOutSize, IniSizeDigits)));
    verticalOutEdit_->setText(
        QString::fromStdString(FormatGeneral(settings.VerticalOutSize, IniSizeDigits)));
    Select(numOfScreenComboBox_, settings.ProjectorCountIndex);
    Select(imageAlignComboBox_, settings.AlignmentIndex);
    Select(projectorResComboBox_, settings.ResolutionIndex);
}

QString PlanningPage::HorizontalOutText() const {
    return horizontalOutEdit_->text();
}

QString PlanningPage::VerticalOutText() const {
    return verticalOutEdit_->text();
}

int PlanningPage::ProjectorCountIndex() const {
    return numOfScreenComboBox_->currentIndex();
}

int PlanningPage::AlignmentIndex() const {
    return imageAlignComboBox_->currentIndex();
}

int PlanningPage::ResolutionIndex() const {
    return projectorResComboBox_->currentIndex();
}

// The layout pictures, the planning calculator and the page's handlers come with the page
// layout; the form already calls these at the first showing.
void PlanningPage::SetUpProjectorRects() {}

void PlanningPage::ApplyStartupDefaults(bool iniLoaded) {
    Q_UNUSED(iniLoaded);
}

void PlanningPage::Calculate() {}

} // namespace tarvel
