#pragma once

#include "config/IniSettings.h"
#include "ui/pages/TabPage.h"

class QComboBox;

namespace tarvel {

class FieldEdit;

// The planning inputs and results, the layout pictures and the report. For now it holds the
// controls whose values Tarvel.ini keeps.
class PlanningPage : public TabPage {
    Q_OBJECT

public:
    explicit PlanningPage(const UiContext& context, QWidget* parent = nullptr);

    // Tarvel.ini's values into the controls, before the first showing. The overlap goes to
    // the Display Setup page's field (the form does that).
    void ApplyIniSettings(const IniSettings& settings);

    QString HorizontalOutText() const;
    QString VerticalOutText() const;
    int ProjectorCountIndex() const;
    int AlignmentIndex() const;
    int ResolutionIndex() const;

    // The first showing, in this order (the form holds UpdatingControls around them).
    void SetUpProjectorRects();
    void ApplyStartupDefaults(bool iniLoaded);
    void Calculate();

private:
    FieldEdit* horizontalOutEdit_;
    FieldEdit* verticalOutEdit_;
    QComboBox* projectorResComboBox_;
    QComboBox* numOfScreenComboBox_;
    QComboBox* imageAlignComboBox_;
};

} // namespace tarvel
