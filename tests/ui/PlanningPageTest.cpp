// The Planning page in the real main window, without units: the first calculation, the
// page's controls and texts, the overlap fields on both pages, and the two pictures checked on
// their stored marks and on the pixels they paint.

#include "WindowTestSupport.h"
#include "support/TestTiming.h"

#include "platform/ScriptedMessageBoxes.h"
#include "ui/FieldEdit.h"
#include "ui/ProjPlaceImage.h"
#include "ui/ProjectorImage.h"
#include "ui/SpinButtons.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/PlanningPage.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace tarvel {
namespace {

const QColor Silver(192, 192, 192);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Teal(0, 128, 128);

class PlanningPageTest : public ::testing::Test {
protected:
    // A shown window; the start-up question is answered No.
    void Start(const QByteArray& ini = {}) {
        if (!ini.isEmpty()) {
            directory.Write("Tarvel.ini", ini);
        }
        ::testing::internal::CaptureStderr();
        TTarvelForm::Options options;
        options.Timing = test::TestTiming();
        options.Messages = &boxes;
        options.CloseWaitMs = 0;
        form = std::make_unique<TTarvelForm>(std::move(options));
        ::testing::internal::GetCapturedStderr();
        boxes.Answer(false);
        ASSERT_TRUE(test::ShowActive(*form));
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->StartupDone(); }, 2000));
        boxes.Clear();
    }
    void TearDown() override {
        if (form) {
            form->hide();
        }
    }

    template <typename T = QWidget> T* Control(const char* name) const {
        T* control = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Text(const char* name) const {
        if (auto* edit = form->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            return edit->text();
        }
        if (auto* list = form->findChild<QComboBox*>(QString::fromLatin1(name))) {
            return list->currentText();
        }
        return Control<QLabel>(name)->text();
    }
    // Types into the field (its focus taken as after a failed commit, so the field left
    // commits nothing) and leaves it for `to`.
    void Enter(const char* name, const QString& text, QWidget* to) {
        auto* edit = Control<FieldEdit>(name);
        edit->TakeFocusBack();
        QTest::keyClicks(edit, text);
        to->setFocus(Qt::TabFocusReason);
    }
    void Choose(const char* list, int index) {
        auto* box = Control<QComboBox>(list);
        box->setCurrentIndex(index);
        emit box->activated(index); // as a pick of the user's
    }
    // A click on an arrow, also on a page that is not showing.
    void Arrow(const char* spin, bool up) {
        auto* buttons = Control<SpinButtons>(spin);
        (up ? buttons->UpButton() : buttons->DownButton())->click();
    }
    // Moves the focus to another control of the window, which commits the field left.
    void Leave() { form->PageControl()->tabBar()->setFocus(Qt::TabFocusReason); }
    void Calculate() { QTest::mouseClick(Control<QPushButton>("CalcOutButton"), Qt::LeftButton); }
    QString FocusName() const {
        return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName()
                                                      : QString();
    }
    QWidget* Other() const { return Control<QWidget>("LensMagEdit"); }
    PlanningPage& Page() const { return form->Planning(); }
    QImage Picture(const char* name) const { return Control<QWidget>(name)->grab().toImage(); }

    test::WorkingDirectory directory;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TTarvelForm> form;
};

TEST_F(PlanningPageTest, TheFirstStartWithoutTarvelIniShowsTheWorkedExample) {
    Start();
    EXPECT_EQ(Text("HorizontalOutEdit"), "30");
    EXPECT_EQ(Text("VerticalOutEdit"), "10");
    EXPECT_EQ(Text("ProjectorResComboBox"), "1280x1024");
    EXPECT_EQ(Text("ImageAlignComboBox"), "Centered");
    EXPECT_EQ(Text("NumOfScreenComboBox"), "3 Projectors");
    EXPECT_EQ(Text("OWidthPlanningEdit"), "384");
    EXPECT_EQ(Text("OWidthEdit"), "384");
    EXPECT_EQ(Text("ImageSizeHLabel"), "3072");
    EXPECT_EQ(Text("ImageSizeVLabel"), "1024");
    EXPECT_EQ(Text("OutAspectRatioLabel"), "3");
    EXPECT_EQ(Text("NumOfZelvarsLabel"), "1");
    EXPECT_EQ(Text("ProjectedWidthLabel"), "10");
    EXPECT_EQ(Text("LensThrowLabel"), "N/A");
    EXPECT_EQ(Page().Calculator().Controls.MaxOverlap, 640);
    EXPECT_EQ(form->StatusText(), "NOTE: Current settings require 1 Zelvar.");
    EXPECT_TRUE(Control<QComboBox>("NumOfScreenComboBox")->isEnabled());
    EXPECT_TRUE(Control<QComboBox>("ImageAlignComboBox")->isEnabled());
    EXPECT_FALSE(Control<QLabel>("ResolutionNoteLabel")->isVisible());
    EXPECT_EQ(Control<QPlainTextEdit>("ImageContentMemo")->toPlainText(),
              " - Single Graphic Source:    3 : 1 Aspect Ratio Image Required\n" +
                  QString(38, ' ') + "(Center or Left Justified)\n" +
                  " - 3 Head Graphic Source (1280 x 1024 resolution): 3072 x 1024 Image Size "
                  "Required\n" +
                  QString(38, ' ') + "(Center or Left Justified)");
    // Centred: the image positions start half the total overlap in.
    EXPECT_EQ(Text("Proj1StartLabel"), "384");
    EXPECT_EQ(Text("Proj3EndLabel"), "3456");
    EXPECT_EQ(Text("Proj4StartLabel"), "N/A");
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(PlanningPageTest, StoredSettingsAreCalculatedOnceMore) {
    Start("40 10 64 3 0 1");
    EXPECT_EQ(Text("ProjectorResComboBox"), "1024x768");
    EXPECT_EQ(Text("ImageAlignComboBox"), "Left Justified");
    EXPECT_EQ(Text("NumOfScreenComboBox"), "3 Projectors");
    EXPECT_EQ(Text("OWidthPlanningEdit"), "64");
    EXPECT_EQ(Text("OWidthEdit"), "64");
    EXPECT_EQ(Text("ImageSizeHLabel"), "2944");
    EXPECT_EQ(Text("ImageSizeVLabel"), "768");
    EXPECT_EQ(Text("OutAspectRatioLabel"), "3.83");
    EXPECT_EQ(Text("HorizontalOutEdit"), "38.333");
    EXPECT_EQ(Text("VerticalOutEdit"), "10");
    EXPECT_EQ(Text("NumOfZelvarsLabel"), "1");
}

TEST_F(PlanningPageTest, TheLayoutHoldsTheInstructionsPicturesAndGroupsInTheirPlaces) {
    Start();
    const char* const lines[] = {
        "- If Zelvar(s) are connected to the PC/laptop, click on the \"Serial Port->Search for "
        "Zelvar(s)->Search\" menu and establish connection to the Zelvar(s).",
        "- If connection with Zelvar(s) has been established and changes done to Zelvar(s) via "
        "front panel, click on the \"Serial Port->Read from Zelvar(s)\" to update the Tarvel.",
        "",
        "1) Enter the Horizontal size and Vertical size of the output screen in the given edit "
        "boxes. ",
        "2) Select the Projectors Native Resolution from the drop down box. ",
        "When done, click the \"Calculate\" button. Tarvel will calculate the output aspect "
        "ratio, number of projectors, projector overlap, and input image size requirements.",
        "NOTE: Manually selecting number of projectors required will alter Image Size, Output "
        "Aspect Ratio requirements",
        "            If number of projectors exceed 4, a second Zelvar unit is required.",
    };
    auto* instructions = Control<QListWidget>("InstructionListBox");
    ASSERT_EQ(instructions->count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(instructions->item(i)->text(), lines[i]) << "line " << i + 1;
        EXPECT_FALSE(instructions->item(i)->flags().testFlag(Qt::ItemIsSelectable));
    }

    const auto place = [this](const char* name) {
        QWidget* widget = Control<QWidget>(name);
        return QRect(widget->mapTo(&Page(), QPoint(0, 0)), widget->size());
    };
    EXPECT_EQ(place("InstructionListBox"), QRect(0, 0, 905, 113));
    EXPECT_EQ(place("ProjectorImage"), QRect(0, 113, 905, 110));
    EXPECT_EQ(place("ColorLegendGroupBox"), QRect(216, 223, 457, 37));
    EXPECT_EQ(place("CalcGroupBox"), QRect(0, 267, 905, 126));
    EXPECT_EQ(place("ImageContentGroupBox"), QRect(0, 392, 417, 145));
    EXPECT_EQ(place("ProjectorPlacementGroupBox"), QRect(424, 392, 481, 145));
    EXPECT_EQ(Control<QWidget>("ProjPlaceImage")->size(), QSize(477, 128));
    EXPECT_EQ(Control<QGroupBox>("CalcGroupBox")->title(),
              "Calculate Aspect Ratio, Number of Screens, Data Overlap, and Input Image Size");

    const QColor legend[] = {Yellow,
                             Red,
                             Blue,
                             QColor(0, 255, 0),
                             QColor(255, 0, 255),
                             QColor(0, 255, 255),
                             QColor(128, 0, 128),
                             Teal};
    for (int k = 1; k <= 8; ++k) {
        auto* label = Control<QLabel>(QStringLiteral("Projector%1Label").arg(k).toLatin1());
        EXPECT_EQ(label->text(), QStringLiteral("Projector %1").arg(k));
        EXPECT_EQ(label->palette().color(QPalette::Window), legend[k - 1]) << k;
    }
    for (const char* name : {"HorizontalOutEdit", "VerticalOutEdit", "LensMagEdit",
                             "OWidthPlanningEdit", "OWidthPlanningUpDown", "OWidthUpDown"}) {
        Control<QWidget>(name);
    }
    EXPECT_EQ(Control<QPushButton>("CalcOutButton")->text(), "Calculate");
}

TEST_F(PlanningPageTest, TheBoxesOverlapAsTheOverlapFieldSays) {
    Start(); // 3 projectors of 1280 pixels, centred
    Enter("OWidthPlanningEdit", "100", Other());
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Texts().join('|').toStdString();
    EXPECT_EQ(Text("OWidthEdit"), "100");
    EXPECT_EQ(Text("ImageSizeHLabel"), "3640");
    EXPECT_EQ(Text("OutAspectRatioLabel"), "3.55");
    EXPECT_EQ(Text("HorizontalOutEdit"), "35.547");
    EXPECT_TRUE(Control<QPlainTextEdit>("ImageContentMemo")->toPlainText().contains("3640 x 1024"))
        << "the report follows the image size";

    // s = int(-100 / (1280 / 110)) = -8
    const ProjectorRects& rects = Page().StoredProjectorRects();
    EXPECT_EQ(rects[0], (ProjectorRect{5, 5, 115, 99}));
    EXPECT_EQ(rects[1], (ProjectorRect{107, 5, 217, 99}));
    EXPECT_EQ(rects[2], (ProjectorRect{209, 5, 319, 99}));
    ASSERT_EQ(Control<ProjectorImage>("ProjectorImage")->Boxes().size(), 3u);

    const QImage image = Picture("ProjectorImage");
    ASSERT_EQ(image.size(), QSize(905, 110));
    EXPECT_EQ(image.pixelColor(0, 0), Silver);
    EXPECT_EQ(image.pixelColor(60, 50), Silver) << "frames only, no fill";
    EXPECT_EQ(image.pixelColor(5, 50), Yellow);
    EXPECT_EQ(image.pixelColor(114, 50), Yellow);
    EXPECT_EQ(image.pixelColor(60, 5), Yellow);
    EXPECT_EQ(image.pixelColor(60, 98), Yellow);
    EXPECT_EQ(image.pixelColor(60, 99), Silver) << "the bottom edge lies outside the frame";
    EXPECT_EQ(image.pixelColor(107, 50), Red);
    EXPECT_EQ(image.pixelColor(216, 50), Red);
    EXPECT_EQ(image.pixelColor(209, 50), Blue);
    EXPECT_EQ(image.pixelColor(318, 50), Blue);
    EXPECT_EQ(image.pixelColor(319, 50), Silver);

    // Fewer projectors: the dropped boxes are gone.
    Choose("NumOfScreenComboBox", 0);
    EXPECT_EQ(Control<ProjectorImage>("ProjectorImage")->Boxes().size(), 1u);
    const QImage one = Picture("ProjectorImage");
    EXPECT_EQ(one.pixelColor(209, 50), Silver);
    EXPECT_EQ(one.pixelColor(5, 50), Yellow);
}

TEST_F(PlanningPageTest, EightBoxesWithTheSmallestOverlap) {
    Start("100 10 64 7 0 2"); // 10240 pixels: exactly eight projectors, left justified
    EXPECT_EQ(Text("NumOfScreenComboBox"), "8 Projectors");
    EXPECT_EQ(Text("OWidthEdit"), "64");
    // s = int(-64 / (1280 / 110)) = -5
    EXPECT_EQ(Page().StoredProjectorRects()[7], (ProjectorRect{740, 5, 850, 99}));
    const QImage image = Picture("ProjectorImage");
    EXPECT_EQ(image.pixelColor(740, 50), Teal);
    EXPECT_EQ(image.pixelColor(849, 50), Teal);
    EXPECT_EQ(image.pixelColor(850, 50), Silver);
}

TEST_F(PlanningPageTest, OneProjectorHasOneDashedLineOnTheRuler) {
    Start();
    Control<QLineEdit>("HorizontalOutEdit")->setText("4");
    Control<QLineEdit>("VerticalOutEdit")->setText("3");
    Choose("ProjectorResComboBox", 1); // "1024x768"
    Calculate();
    EXPECT_EQ(Text("NumOfScreenComboBox"), "1 Projector");
    EXPECT_EQ(Text("OWidthPlanningEdit"), "0");
    EXPECT_EQ(Text("OWidthEdit"), "0");

    auto* ruler = Control<ProjPlaceImage>("ProjPlaceImage");
    ASSERT_EQ(ruler->Marks().size(), 1u);
    EXPECT_EQ(ruler->Marks()[0].X, 238);
    EXPECT_EQ(ruler->Marks()[0].Label, "Proj 1");
    EXPECT_EQ(ruler->Marks()[0].PositionText, "2");
    EXPECT_EQ(ruler->SizeText(), "4");
    EXPECT_EQ(Control<ProjectorImage>("ProjectorImage")->Boxes().size(), 1u);

    const QImage image = ruler->grab().toImage();
    ASSERT_EQ(image.size(), QSize(477, 128));
    EXPECT_EQ(image.pixelColor(100, 60), Silver);
    for (int x = 5; x <= 467; x += 50) {
        EXPECT_EQ(image.pixelColor(x, 20), Qt::black) << "ruler at " << x;
    }
    // The line at x 238 from the ruler down is dashed: black and silver alternate, and
    // nothing is drawn beside it.
    int black = 0;
    int silver = 0;
    for (int y = 21; y < 100; ++y) {
        const QColor colour = image.pixelColor(238, y);
        black += colour == Qt::black ? 1 : 0;
        silver += colour == Silver ? 1 : 0;
        EXPECT_EQ(image.pixelColor(237, y), Silver) << y;
        EXPECT_EQ(image.pixelColor(239, y), Silver) << y;
    }
    EXPECT_GT(black, 20);
    EXPECT_GT(silver, 5);
    EXPECT_EQ(black + silver, 79);
}

TEST_F(PlanningPageTest, TheOverlapFieldsCheckTheirBoundsAndPutTheValueBack) {
    Start();
    struct Case {
        const char* Field; // where it is typed
        const char* Page;  // the page shown meanwhile
        const char* Text;
        const char* Message;
        const char* Afterwards; // in both fields
    };
    const Case cases[] = {
        {"OWidthPlanningEdit", "PlanningTabSheet", "63",
         "Error! Overlap Width value out of bounds! Minimum width: 64", "384"},
        {"OWidthPlanningEdit", "PlanningTabSheet", "641",
         "Error! Overlap Width value out of bounds!", "384"},
        {"OWidthEdit", "DisplaySetupTabSheet", "63",
         "Error! Overlap Width value out of bounds! Minimum width: 64", "384"},
        {"OWidthEdit", "DisplaySetupTabSheet", "641", "Error! Overlap Width value out of bounds!",
         "384"},
        {"OWidthPlanningEdit", "PlanningTabSheet", "abc",
         "Error! 'abc' is not a valid Overlap Width.", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Field) + " " + c.Text);
        boxes.Clear();
        form->PageControl()->setCurrentWidget(Control<QWidget>(c.Page));
        auto* edit = Control<FieldEdit>(c.Field);
        edit->TakeFocusBack();
        edit->clear();
        QTest::keyClicks(edit, c.Text);
        Leave();
        EXPECT_EQ(boxes.Texts(), QStringList{c.Message});
        EXPECT_EQ(form->State().MessageText, c.Message);
        EXPECT_EQ(FocusName(), c.Field);
        EXPECT_EQ(Text("OWidthPlanningEdit"), c.Afterwards);
        EXPECT_EQ(Text("OWidthEdit"), c.Afterwards);
        EXPECT_EQ(Text("ImageSizeHLabel"), "3072");
        // Put right again for the next case.
        edit->TakeFocusBack();
        edit->setText("384");
        Leave();
    }

    // Once the units were read, the model's overlap comes back.
    form->Model().System.ReadValid = true;
    form->Model().Channels.UnitOutput(1).DisplayOverlap = 200;
    boxes.Clear();
    form->PageControl()->setCurrentWidget(&Page());
    Enter("OWidthPlanningEdit", "63", Other());
    EXPECT_EQ(Text("OWidthEdit"), "200");
    EXPECT_EQ(Text("OWidthPlanningEdit"), "200");
}

TEST_F(PlanningPageTest, TheOverlapArrowsStopAtTheBoundsOnBothPages) {
    Start(); // MaxOverlap 640
    struct Case {
        const char* Typed;
        const char* Spin;
        bool Up;
        const char* Afterwards;
    };
    const Case cases[] = {
        {"640", "OWidthPlanningUpDown", true, "640"}, // at the upper bound: nothing
        {"640", "OWidthPlanningUpDown", false, "639"},
        {"64", "OWidthUpDown", false, "64"}, // at the lower bound: nothing
        {"64", "OWidthUpDown", true, "65"},
        {"700", "OWidthPlanningUpDown", true, "700"}, // beyond: never pulled back
        {"700", "OWidthPlanningUpDown", false, "700"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Typed) + " " + c.Spin + (c.Up ? " up" : " down"));
        for (const char* field : {"OWidthPlanningEdit", "OWidthEdit"}) {
            Control<QLineEdit>(field)->setText(c.Typed);
        }
        Arrow(c.Spin, c.Up);
        EXPECT_EQ(Text("OWidthPlanningEdit"), c.Afterwards);
        EXPECT_EQ(Text("OWidthEdit"), c.Afterwards);
        EXPECT_EQ(form->State().Busy, 0);
    }
    EXPECT_TRUE(boxes.Calls().empty());
    // A step is a commit: the image follows 65 (3 x 1280 - 2 x 65).
    Control<QLineEdit>("OWidthPlanningEdit")->setText("64");
    Control<QLineEdit>("OWidthEdit")->setText("64");
    Arrow("OWidthUpDown", true);
    EXPECT_EQ(Text("ImageSizeHLabel"), "3710");

    // Letters: the standard conversion text, and the arrows still work afterwards.
    Control<QLineEdit>("OWidthPlanningEdit")->setText("abc");
    Arrow("OWidthPlanningUpDown", true);
    EXPECT_EQ(boxes.Texts(), QStringList{"'abc' is not a valid integer value"});
    EXPECT_EQ(form->State().Busy, 0);
    Control<QLineEdit>("OWidthPlanningEdit")->setText("100");
    Arrow("OWidthPlanningUpDown", true);
    EXPECT_EQ(Text("OWidthEdit"), "101");

    // Busy: a step is dropped.
    form->State().Busy = 1;
    Arrow("OWidthPlanningUpDown", true);
    EXPECT_EQ(Text("OWidthEdit"), "101");
    form->State().Busy = 0;
}

TEST_F(PlanningPageTest, EnterMovesTheFocusAlongTheFields) {
    Start();
    const struct {
        const char* From;
        const char* To;
    } moves[] = {
        {"HorizontalOutEdit", "VerticalOutEdit"},
        {"VerticalOutEdit", "CalcOutButton"},
        {"LensMagEdit", "HorizontalOutEdit"},
        {"OWidthPlanningEdit", "HorizontalOutEdit"},
    };
    for (const auto& move : moves) {
        Control<FieldEdit>(move.From)->TakeFocusBack();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(FocusName(), move.To) << move.From;
    }
    // Leaving by Enter commits: a lens magnification of 2 gives a throw of 2 x 10.
    Control<FieldEdit>("LensMagEdit")->TakeFocusBack();
    Control<QLineEdit>("LensMagEdit")->setText("2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Text("LensThrowLabel"), "20");
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(PlanningPageTest, BadInputsAreReportedAndTheFocusGoesToTheField) {
    Start();
    Control<QLineEdit>("HorizontalOutEdit")->setText("3O");
    Calculate();
    EXPECT_EQ(boxes.Texts(),
              QStringList{"Error! '3O' is not a valid Horizontal Output Screen Size value."});
    EXPECT_EQ(FocusName(), "HorizontalOutEdit");
    EXPECT_TRUE(Control<QPushButton>("CalcOutButton")->isEnabled());
    EXPECT_EQ(form->State().Busy, 0);
    EXPECT_EQ(Text("NumOfScreenComboBox"), "3 Projectors") << "nothing computed";

    boxes.Clear();
    Control<QLineEdit>("HorizontalOutEdit")->setText("30");
    Enter("LensMagEdit", "-1", Control<QWidget>("HorizontalOutEdit"));
    EXPECT_EQ(boxes.Texts(),
              QStringList{"Error! Lens Magnification value must be greater than 0."});
    EXPECT_EQ(FocusName(), "LensMagEdit");

    // Eight projectors while centred: refused, the last computed count comes back.
    boxes.Clear();
    Control<QLineEdit>("LensMagEdit")->setText("0");
    Choose("NumOfScreenComboBox", 7);
    EXPECT_EQ(boxes.Texts(),
              QStringList{"Error! Maximum number of projectors for center justified image is 7"});
    EXPECT_EQ(Text("NumOfScreenComboBox"), "3 Projectors");

    // The 50 Hz note shows for "1400x1050" only.
    Choose("ProjectorResComboBox", 5);
    EXPECT_TRUE(Control<QLabel>("ResolutionNoteLabel")->isVisible());
    EXPECT_EQ(Text("ResolutionNoteLabel"), "NOTE: Zelvar only supports  1400 x 1050 @ 50Hz");
    Choose("ProjectorResComboBox", 2);
    EXPECT_FALSE(Control<QLabel>("ResolutionNoteLabel")->isVisible());
}

TEST_F(PlanningPageTest, CalculateDoesNothingWhileBusy) {
    Start();
    Control<QLineEdit>("HorizontalOutEdit")->setText("70");
    form->State().Busy = 1;
    Calculate();
    EXPECT_EQ(Text("NumOfScreenComboBox"), "3 Projectors");
    form->State().Busy = 0;
    Calculate();
    EXPECT_EQ(Text("NumOfScreenComboBox"), "6 Projectors");
    EXPECT_EQ(Text("NumOfZelvarsLabel"), "2");
    EXPECT_EQ(form->StatusText(), "NOTE: Current settings require 2 Zelvars.");
}

} // namespace
} // namespace tarvel
