#pragma once

#include <QGroupBox>

#include <array>

class QButtonGroup;
class QRadioButton;

namespace tarvel {

// "Channel Select": the items "1".."8" as radio buttons in eight columns, of which the first
// Count() are shown. ItemIndex is 0-based like the radio group's index; -1 is no selection.
// The items are named ItemStem + "1".."8" ("SourceScreenSelect3RadioButton" is built from
// "SourceScreenSelect" and "RadioButton").
//
// Changed is emitted when the selection moves to another item, by the user or by
// SetItemIndex; the page decides whether a change made while it fills itself runs anything.
class ChannelSelectGroup : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int ItemCount = 8;

    ChannelSelectGroup(const QString& objectName, const QString& itemStem, QWidget* parent);

    int Count() const { return count_; }
    // Shows items 1..count (1..8) and selects the first without emitting Changed.
    void SetCount(int count);

    int ItemIndex() const;
    // Selects a shown item; any other index changes nothing.
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;

    // Lays the items out in eight equal columns.
    void Place(int x, int y, int width, int height);

signals:
    void Changed();

private:
    QButtonGroup* buttons_;
    std::array<QRadioButton*, ItemCount> items_{};
    int count_ = ItemCount;
};

} // namespace tarvel
