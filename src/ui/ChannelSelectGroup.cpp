#include "ui/ChannelSelectGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace tarvel {

namespace {

constexpr int SideMargin = 8;
constexpr int TitleHeight = 16;
constexpr int ItemHeight = 17;

} // namespace

ChannelSelectGroup::ChannelSelectGroup(const QString& objectName, const QString& itemStem,
                                       QWidget* parent)
    : QGroupBox(QStringLiteral("Channel Select"), parent), buttons_(new QButtonGroup(this)) {
    setObjectName(objectName);
    for (int i = 0; i < ItemCount; ++i) {
        auto* item = new QRadioButton(QString::number(i + 1), this);
        item->setObjectName(itemStem + QString::number(i + 1) + QStringLiteral("RadioButton"));
        buttons_->addButton(item, i);
        items_[static_cast<std::size_t>(i)] = item;
    }
    items_[0]->setChecked(true);
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            emit Changed();
        }
    });
}

void ChannelSelectGroup::SetCount(int count) {
    count_ = std::clamp(count, 1, ItemCount);
    for (int i = 0; i < ItemCount; ++i) {
        items_[static_cast<std::size_t>(i)]->setVisible(i < count_);
    }
    const QSignalBlocker blocker(buttons_);
    items_[0]->setChecked(true);
}

int ChannelSelectGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void ChannelSelectGroup::SetItemIndex(int index) {
    if (index >= 0 && index < count_) { // a channel that is not listed cannot be chosen
        items_[static_cast<std::size_t>(index)]->setChecked(true);
    }
}

QRadioButton* ChannelSelectGroup::Item(int index) const {
    return index >= 0 && index < ItemCount ? items_[static_cast<std::size_t>(index)] : nullptr;
}

void ChannelSelectGroup::Place(int x, int y, int width, int height) {
    setGeometry(x, y, width, height);
    const int column = (width - 2 * SideMargin) / ItemCount;
    const int top = TitleHeight + (height - TitleHeight - ItemHeight) / 2;
    for (int i = 0; i < ItemCount; ++i) {
        items_[static_cast<std::size_t>(i)]->setGeometry(SideMargin + i * column, top, column,
                                                         ItemHeight);
    }
}

} // namespace tarvel
