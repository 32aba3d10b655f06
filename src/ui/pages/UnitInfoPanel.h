#pragma once

#include "model/ChannelSettings.h"

#include <QGroupBox>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;

namespace tarvel {

// The unit information panel of the Information page ("Zelvar Information", InfoGroupBox):
// unit 1's firmware version, the number of units detected, the screen list
// ScreenInfoComboBox ("Screen 1" ... "Screen 4") and the read-only values of the chosen
// screen's input and output records, each a label named after its value (HActiveLabel,
// BlackLvlAdjCompLabel). A value that has no text of its own (a sync selection code the list
// lacks) leaves its label as it was.
class UnitInfoPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit UnitInfoPanel(QWidget* parent = nullptr);

    void SetVersionText(const QString& text);       // Version1Label
    void SetUnitsDetectedText(const QString& text); // NumOfZelvarDetectedLabel
    void SelectScreen(int screen);                  // 1..4, without the change signal
    int SelectedScreen() const;

    // The values of unit 1, channel = the selected screen.
    void Fill(const ChannelSettings& channels);

signals:
    // The user chose a screen from the list.
    void ScreenChosen(int screen);

private:
    // One value: its caption, the label's objectName, and its text from the screen's records
    // (none: the label keeps its text).
    struct Row {
        const char* Caption;
        const char* Name;
        std::function<std::optional<QString>(const InputSettings&, const OutputSettings&)> Value;
    };
    // The rows' captions and values in the group; returns the group's width.
    int BuildRows(QWidget* group, const std::vector<Row>& rows, const QString& widestValue);

    QLabel* version1Label_;
    QLabel* unitsDetectedLabel_;
    QComboBox* screenList_;
    std::vector<Row> rows_;
    std::vector<QLabel*> valueLabels_;
};

} // namespace tarvel
