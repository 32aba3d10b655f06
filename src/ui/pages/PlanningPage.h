#pragma once

#include "config/IniSettings.h"
#include "config/PlanningCalculator.h"
#include "config/PlanningGeometry.h"
#include "config/PlanningHost.h"
#include "ui/pages/TabPage.h"

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace tarvel {

class DisplaySetupPage;
class FieldEdit;
class PlainLineList;
class ProjPlaceImage;
class ProjectorImage;
class ReportMemo;
class SpinButtons;

// The planning inputs and results, the two layout pictures and the report.
//
// The arithmetic and the order of every handler's steps are the PlanningCalculator's; the page
// copies its controls (and the Display Setup page's overlap field, OWidthEdit, which the
// calculator reads as the overlap) into the calculator's Controls, runs the handler, and shows
// Controls again under UpdatingControls, redrawing both pictures from the values the handler
// left. Between handlers Controls and the widgets agree.
//
// As the calculator's PlanningHost the page shows its messages (focus to the field the message
// is about), sends the projector count and display alignment to the units in use, runs the
// link's unit check, and refreshes the units before a Calculate while connected.
class PlanningPage : public TabPage, private PlanningHost {
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
    void Calculate(); // exactly as a click on "Calculate"

    // The handlers, as the controls run them.
    void CalcOutButtonClick();
    void ProjectorResComboBoxChange();
    void NumOfScreenComboBoxChange();
    void ImageAlignComboBoxChange();
    void OWidthEditExit();
    void OWidthPlanningEditExit();
    void OWidthUpDownClick(bool up);         // the Display Setup page's arrows
    void OWidthPlanningUpDownClick(bool up); // this page's arrows
    void OWidthEditEnter();                  // Enter in the Display Setup overlap field
    void LensMagEditExit();
    void VerticalOutEditExit();

    // After a read of the units or a loaded file (callers hold UpdatingControls): a warning
    // when the units' projector count or alignment differ from the page (only while the main
    // window is visible), then the units win and the plan is recomputed from the read.
    void FillPlanningPage();

    // What the link's unit check reads: the planned total and the count list's selection, as
    // the handler under way has them.
    double PlannedProjectorCount() const;
    int SelectedProjectorCount() const;

    const PlanningCalculator& Calculator() const { return calc_; }
    const ProjectorRects& StoredProjectorRects() const { return rects_; }

private:
    // PlanningHost
    void ShowMessage(std::string_view text, PlanningFocus focus) override;
    void ShowStatus(std::string_view text) override;
    bool RefreshFromUnits() override;
    void EnableCalculatedControls() override;
    bool ReadValid() const override;
    int MeasuredInputWidth() const override;
    bool CheckUnitCountForMode() override;
    void SendProjectorCount(int count) override;
    void SendDisplayAlignment(int alignmentIndex, int overlapWidth) override;
    void ShowProjectorCount(int count) override;

    void BuildInstructions();
    void BuildLegend();
    void BuildCalculator();
    void BuildResults();
    void ConnectHandlers();

    DisplaySetupPage* Display() const;
    bool IsActivePage() const;
    // Widgets into the calculator's Controls, and back (under UpdatingControls, with a redraw).
    void ReadControls();
    void ShowControls();
    void Redraw();
    // A refused overlap: the model's overlap (and data doubling) back into the fields.
    void RestoreOverlap();
    void SpinOverlap(bool up, const QString& text);

    PlanningCalculator calc_;
    ProjectorRects rects_;
    QString lastShownOverlap_;

    PlainLineList* instructions_ = nullptr;
    ProjectorImage* projectorImage_ = nullptr;
    std::array<QLabel*, 8> legendLabels_{};
    FieldEdit* horizontalOutEdit_ = nullptr;
    FieldEdit* verticalOutEdit_ = nullptr;
    QPushButton* calcOutButton_ = nullptr;
    QComboBox* projectorResComboBox_ = nullptr;
    QComboBox* numOfScreenComboBox_ = nullptr;
    QComboBox* imageAlignComboBox_ = nullptr;
    QLabel* resolutionNoteLabel_ = nullptr;
    FieldEdit* overlapEdit_ = nullptr; // OWidthPlanningEdit
    SpinButtons* overlapUpDown_ = nullptr;
    QLabel* imageSizeHLabel_ = nullptr;
    QLabel* imageSizeVLabel_ = nullptr;
    QLabel* aspectRatioLabel_ = nullptr;
    QLabel* unitsRequiredLabel_ = nullptr;
    QLabel* projectedWidthLabel_ = nullptr;
    FieldEdit* lensMagEdit_ = nullptr;
    QLabel* lensThrowLabel_ = nullptr;
    ReportMemo* reportMemo_ = nullptr;
    ProjPlaceImage* projPlaceImage_ = nullptr;
};

} // namespace tarvel
