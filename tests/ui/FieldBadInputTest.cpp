// Every numeric field of the main window, found from the window itself, given the same set of
// bad texts through the keyboard focus, with the window connected to two simulated units: the
// exact message, where the focus is afterwards, what the field shows, that a refused text sends
// nothing and changes nothing in the model, and that the bounds themselves are sent. Then the
// arrows: still at and beyond the bounds, and a text that is no number reported as the field's
// table says.

#include "PageRig.h"

#include "ui/FieldEdit.h"
#include "ui/NumericField.h"
#include "ui/SpinButtons.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace tarvel {
namespace {

using test::PageRig;

// A value the field takes, and the commands it must send (controller form, as the units log
// them).
struct Accepted {
    QString Typed;
    QStringList Sent;
};

// One row per field, written from the pages' field tables.
struct FieldRow {
    QString Edit{}; // objectName of the edit
    QString Page{}; // objectName of the page it lives on
    bool Real = false;
    QString BelowLower{}; // one step beyond each bound: refused
    QString AboveUpper{};
    QString BoundsMessage{};
    QString InvalidEnding{}; // "Error! '" + text + this
    // What the field shows after a bounds error; empty: it keeps the rejected text.
    QString Restored{};
    // An empty text commits nothing and says nothing.
    bool EmptyCommitsNothing = false;
    // An arrow on a text that is no number shows the field's own message (and focuses the
    // edit), else the standard conversion message.
    bool StepOwnMessage = false;
    // What the up arrow on an empty text sends (it starts from 16).
    QStringList EmptyUpSent{};
    // The bounds themselves, lower first, upper last (and, for reals, a value with more
    // decimals than are shown).
    std::vector<Accepted> Accepts{};
};

const QString Display = QStringLiteral("DisplaySetupTabSheet");
const QString Source = QStringLiteral("SourceSetupTabSheet");
const QString Seam = QStringLiteral("SeamRemovalTabSheet");

const QString GammaBounds = QStringLiteral("Error! Value out of bounds! (1.0 - 5.0)");
const QString GammaInvalid = QStringLiteral("' is not a valid Edge Feathering Gamma value.");
const QString ThresholdBounds =
    QStringLiteral("Error! Bridge Threshold value out of bounds! (0 - 255)");
const QString ThresholdInvalid = QStringLiteral("' is not a valid Bridge Threshold value.");
const QString ColourBounds = QStringLiteral("Error! Value out of bounds! (75 - 125)");
const QString ColourSignedBounds = QStringLiteral("Error! Value out of bounds! (-25 - +25)");
const QString Thirty = QStringLiteral("123456789012345678901234567890");

// The limit of the gamma widths, as the plan leaves it (half of 1280-pixel projectors).
constexpr int MaxOverlap = 640;
// The Source Setup and Seam Removal pages show this channel: unit 2, unit channel 2.
constexpr int ShownChannel = 6;

int UnitOf(int channel) {
    return channel <= 4 ? 1 : 2;
}
int UnitChannelOf(int channel) {
    return channel <= 4 ? channel : channel - 4;
}
// "*2BLKGN 3 " for channel 7: the controller form's head of a per-channel command.
QString Head(const char* keyword, int channel) {
    return QStringLiteral("*%1%2 %3 ")
        .arg(UnitOf(channel))
        .arg(QLatin1String(keyword))
        .arg(UnitChannelOf(channel));
}

// The model every field starts from. Edge values: left edges on, gamma 2.2, width 100, offset
// 10, halo 5/50; right edges off, gamma 3.5, width 200, offset 20, halo 6/60.
ChannelSettings Pristine() {
    ChannelSettings channels;
    for (int c = 1; c <= 8; ++c) {
        OutputSettings& out = channels.Output(UnitOf(c), UnitChannelOf(c));
        out.BlackLevel = static_cast<std::uint8_t>(100 + c);
        out.LeftGamma = 2.2f;
        out.LeftFeatherOn = 1;
        out.LeftGammaWidth = 100;
        out.LeftGammaOffset = 10;
        out.LeftHaloWidth = 5;
        out.LeftHaloOffset = 50;
        out.RightGamma = 3.5f;
        out.RightFeatherOn = 0;
        out.RightGammaWidth = 200;
        out.RightGammaOffset = 20;
        out.RightHaloWidth = 6;
        out.RightHaloOffset = 60;
        out.SeamGain = {1, 2, 3, 4, 5, 6, 7, 8};
    }
    for (int unit = 1; unit <= 2; ++unit) {
        OutputSettings& whole = channels.UnitOutput(unit);
        whole.ControlMode = 1; // advanced: every edge's own fields show
        whole.BasicGamma = 3.3f;
        whole.BasicFeatherOn = 1;
        whole.BridgeThreshold = 77;
    }
    channels.Output(2, 2).SeamGain = {11, 22, 33, 44, 55, 66, 77, 88};
    InputSettings& in = channels.Input(2, 2);
    in.VideoLoaded = 1;
    in.VideoLocked = 1;
    in.HPositionCentre = 300; // H limits 172 .. 428
    in.HPositionLimit = 1000;
    in.HPosition = 300;
    in.VPositionCentre = 40; // V limits 24 .. 56
    in.VPositionLimit = 100;
    in.VPosition = 40;
    in.Phase = 3;
    in.OverallContrast = 100;
    in.OverallBrightness = 101.5f;
    in.RedContrast = 1.5f;
    in.RedBrightness = -2.5f;
    in.GreenContrast = 3.25f;
    in.GreenBrightness = -4;
    in.BlueContrast = 5.5f;
    in.BlueBrightness = -6.5f;
    return channels;
}

void AddDisplayRows(std::vector<FieldRow>& rows) {
    for (int c = 1; c <= 8; ++c) {
        const QString blk = Head("BLKGN", c);
        rows.push_back({.Edit = QStringLiteral("Black%1Edit").arg(c),
                        .Page = Display,
                        .BelowLower = "-1",
                        .AboveUpper = "256",
                        .BoundsMessage = "Error! Value out of bounds! (0 - 255)",
                        .InvalidEnding = "' is not a valid Black Level.",
                        .Restored = QString::number(100 + c),
                        .Accepts = {{"0", {blk + "0!"}}, {"255", {blk + "255!"}}}});
    }

    // Halo edges: channel 1 right only, channel 8 left only, both on 2..7. Left 5/50, right 6/60.
    struct Halo {
        QString Width, Offset;
        int Channel;
        bool Left;
    };
    std::vector<Halo> halos = {{"HaloWidth1", "HaloOffset1", 1, false}};
    for (int c = 2; c <= 7; ++c) {
        halos.push_back({QStringLiteral("LHaloWidth%1").arg(c),
                         QStringLiteral("LHaloOffset%1").arg(c), c, true});
        halos.push_back({QStringLiteral("RHaloWidth%1").arg(c),
                         QStringLiteral("RHaloOffset%1").arg(c), c, false});
    }
    halos.push_back({"HaloWidth8", "HaloOffset8", 8, true});
    for (const Halo& h : halos) {
        const QString head = Head("HALO", h.Channel) + (h.Left ? "L " : "R ");
        const QString width = h.Left ? "5" : "6";
        const QString offset = h.Left ? "50" : "60";
        rows.push_back({.Edit = h.Width + "Edit",
                        .Page = Display,
                        .BelowLower = "-1",
                        .AboveUpper = "65",
                        .BoundsMessage = "Error! Halo width out of bounds. (0 - 64)",
                        .InvalidEnding = "' is not a valid Halo width value.",
                        .Accepts = {{"0", {head + "0 " + offset + "!"}},
                                    {"64", {head + "64 " + offset + "!"}}}});
        rows.push_back(
            {.Edit = h.Offset + "Edit",
             .Page = Display,
             .BelowLower = "-1",
             .AboveUpper = "256",
             .BoundsMessage = "Error! Halo offset out of bounds. (0 - 255)",
             .InvalidEnding = "' is not a valid Halo offset value.",
             .Accepts = {{"0", {head + width + " 0!"}}, {"255", {head + width + " 255!"}}}});
    }

    // Feathered edges: both on channel 1, left only on channel 8. Left: on, 2.2, 100, 10;
    // right: off, 3.5, 200, 20. The gamma goes out as "%4.1f".
    struct Edge {
        QString Gamma, Width, Offset;
        int Channel;
        bool Left;
    };
    std::vector<Edge> edges = {{"LGamma1", "LGammaWidth1", "LGammaOffset1", 1, true},
                               {"Gamma1", "GammaWidth1", "GammaOffset1", 1, false}};
    for (int c = 2; c <= 7; ++c) {
        edges.push_back({QStringLiteral("LGamma%1").arg(c), QStringLiteral("LGammaWidth%1").arg(c),
                         QStringLiteral("LGammaOffset%1").arg(c), c, true});
        edges.push_back({QStringLiteral("RGamma%1").arg(c), QStringLiteral("RGammaWidth%1").arg(c),
                         QStringLiteral("RGammaOffset%1").arg(c), c, false});
    }
    edges.push_back({"Gamma8", "LGammaWidth8", "LGammaOffset8", 8, true});
    for (const Edge& e : edges) {
        const QString head = Head("PEFT", e.Channel) + (e.Left ? "L 1 " : "R 0 ");
        const QString gamma = e.Left ? " 2.2" : " 3.5";
        const QString widthOffset = e.Left ? " 100 10!" : " 200 20!";
        const QString width = e.Left ? " 100" : " 200";
        const QString offset = e.Left ? " 10!" : " 20!";
        rows.push_back({.Edit = e.Gamma + "Edit",
                        .Page = Display,
                        .Real = true,
                        .BelowLower = "0.9",
                        .AboveUpper = "5.1",
                        .BoundsMessage = GammaBounds,
                        .InvalidEnding = GammaInvalid,
                        .Accepts = {{"1.0", {head + " 1.0" + widthOffset}},
                                    {"2.26", {head + " 2.3" + widthOffset}},
                                    {"5.0", {head + " 5.0" + widthOffset}}}});
        rows.push_back({.Edit = e.Width + "Edit",
                        .Page = Display,
                        .BelowLower = "63",
                        .AboveUpper = "641",
                        .BoundsMessage = "Error! Gamma width out of bounds. ",
                        .InvalidEnding = "' is not a valid width value.",
                        .Accepts = {{"64", {head + gamma + " 64" + offset}},
                                    {"640", {head + gamma + " 640" + offset}}}});
        rows.push_back({.Edit = e.Offset + "Edit",
                        .Page = Display,
                        .BelowLower = "-1",
                        .AboveUpper = "512",
                        .BoundsMessage = "Error! Offset out of bounds. (0 - 511)",
                        .InvalidEnding = "' is not a valid offset value.",
                        .Accepts = {{"0", {head + gamma + width + " 0!"}},
                                    {"511", {head + gamma + width + " 511!"}}}});
    }

    rows.push_back({.Edit = "BasicGammaEdit",
                    .Page = Display,
                    .Real = true,
                    .BelowLower = "0.9",
                    .AboveUpper = "5.1",
                    .BoundsMessage = GammaBounds,
                    .InvalidEnding = GammaInvalid,
                    .Restored = "3.3",
                    .Accepts = {{"1.0", {"*1EFTB 1  1.0!", "*2EFTB 1  1.0!"}},
                                {"1.04", {"*1EFTB 1  1.0!", "*2EFTB 1  1.0!"}},
                                {"5.0", {"*1EFTB 1  5.0!", "*2EFTB 1  5.0!"}}}});
    // The twin of the Seam Removal page's threshold: checked and sent by that field, and after
    // a refusal it shows what that field shows.
    rows.push_back({.Edit = "DisplaySetupBridgeThresholdEdit",
                    .Page = Display,
                    .BelowLower = "-1",
                    .AboveUpper = "256",
                    .BoundsMessage = ThresholdBounds,
                    .InvalidEnding = ThresholdInvalid,
                    .Restored = "77",
                    .EmptyCommitsNothing = true,
                    .EmptyUpSent = {"*1BRTHRS 17!", "*2BRTHRS 17!"},
                    .Accepts = {{"0", {"*1BRTHRS 0!", "*2BRTHRS 0!"}},
                                {"255", {"*1BRTHRS 255!", "*2BRTHRS 255!"}}}});
}

void AddSourceRows(std::vector<FieldRow>& rows) {
    rows.push_back(
        {.Edit = "HPositionEdit",
         .Page = Source,
         .BelowLower = "171",
         .AboveUpper = "429",
         .BoundsMessage = "Error! H Position value out of bounds! (172 - 428)",
         .InvalidEnding = "' is not a valid H Position Value.",
         .Restored = "300",
         .StepOwnMessage = true,
         .Accepts = {{"172", {"*2IRSPZV 2 M H 172!"}}, {"428", {"*2IRSPZV 2 M H 428!"}}}});
    rows.push_back({.Edit = "VPositionEdit",
                    .Page = Source,
                    .BelowLower = "23",
                    .AboveUpper = "57",
                    .BoundsMessage = "Error! V Position value out of bounds! ",
                    .InvalidEnding = "' is not a valid V Position Value.",
                    .Restored = "40",
                    .StepOwnMessage = true,
                    .Accepts = {{"24", {"*2IRSPZV 2 M V 24!"}}, {"56", {"*2IRSPZV 2 M V 56!"}}}});
    rows.push_back({.Edit = "PhaseEdit",
                    .Page = Source,
                    .BelowLower = "-17",
                    .AboveUpper = "16",
                    .BoundsMessage = "Error! Phase Offset value out of bounds! (-16 - +15)",
                    .InvalidEnding = "' is not a valid Phase Value.",
                    .Restored = "3",
                    .StepOwnMessage = true,
                    .Accepts = {{"-16", {"*2ICPHOZV 2 M -16!"}}, {"15", {"*2ICPHOZV 2 M 15!"}}}});
    struct Colour {
        const char* Stem;
        const char* Command;
        char Letter;
        bool Overall;
        const char* Ending;
        const char* Restored;
    };
    const Colour colours[] = {
        {"LeftOContrast", "ICNTZV", 'C', true, "' is not a valid Contrast Level.", "100"},
        {"LeftOBrightness", "IBRTZV", 'C', true, "' is not a valid Brightness Level.", "101.5"},
        {"LeftRContrast", "ICNTZV", 'R', false, "' is not a valid Contrast Level.", "1.5"},
        {"LeftRBrightness", "IBRTZV", 'R', false, "' is not a valid Brightness Level.", "-2.5"},
        {"LeftGContrast", "ICNTZV", 'G', false, "' is not a valid Contrast Level.", "3.25"},
        {"LeftGBrightness", "IBRTZV", 'G', false, "' is not a valid Brightness Level.", "-4"},
        {"LeftBContrast", "ICNTZV", 'B', false, "' is not a valid Contrast Level.", "5.5"},
        {"LeftBBrightness", "IBRTZV", 'B', false, "' is not a valid Brightness Level.", "-6.5"},
    };
    for (const Colour& c : colours) {
        const QString head = QStringLiteral("*2%1 2 %2 ").arg(c.Command).arg(c.Letter);
        if (c.Overall) {
            rows.push_back({.Edit = QString::fromLatin1(c.Stem) + "Edit",
                            .Page = Source,
                            .Real = true,
                            .BelowLower = "74.9",
                            .AboveUpper = "125.1",
                            .BoundsMessage = ColourBounds,
                            .InvalidEnding = c.Ending,
                            .Restored = c.Restored,
                            .Accepts = {{"75", {head + "75.0!"}},
                                        {"100.26", {head + "100.3!"}},
                                        {"125", {head + "125.0!"}}}});
        } else {
            rows.push_back({.Edit = QString::fromLatin1(c.Stem) + "Edit",
                            .Page = Source,
                            .Real = true,
                            .BelowLower = "-25.1",
                            .AboveUpper = "25.1",
                            .BoundsMessage = ColourSignedBounds,
                            .InvalidEnding = c.Ending,
                            .Restored = c.Restored,
                            .Accepts = {{"-25", {head + "-25.0!"}},
                                        {"1.26", {head + " 1.3!"}},
                                        {"25", {head + "25.0!"}}}});
        }
    }
}

void AddSeamRows(std::vector<FieldRow>& rows) {
    const QStringList gains = {"11", "22", "33", "44", "55", "66", "77", "88"};
    for (int k = 0; k < 8; ++k) {
        QStringList low = gains;
        low[k] = "0";
        QStringList high = gains;
        high[k] = "255";
        rows.push_back({.Edit = QStringLiteral("SeamGain%1Edit").arg(k + 1),
                        .Page = Seam,
                        .BelowLower = "-1",
                        .AboveUpper = "256",
                        .BoundsMessage = "Error! Seam Position value out of bounds! (0 - 255)",
                        .InvalidEnding = "' is not a valid Seam Gain Value.",
                        .Restored = gains[k],
                        .Accepts = {{"0", {"*2MANSEAM 2 -4 " + low.join(' ') + "!"}},
                                    {"255", {"*2MANSEAM 2 -4 " + high.join(' ') + "!"}}}});
    }
    rows.push_back({.Edit = "BridgeThresholdEdit",
                    .Page = Seam,
                    .BelowLower = "-1",
                    .AboveUpper = "256",
                    .BoundsMessage = ThresholdBounds,
                    .InvalidEnding = ThresholdInvalid,
                    .Restored = "77",
                    .EmptyCommitsNothing = true,
                    .EmptyUpSent = {"*1BRTHRS 17!", "*2BRTHRS 17!"},
                    .Accepts = {{"0", {"*1BRTHRS 0!", "*2BRTHRS 0!"}},
                                {"255", {"*1BRTHRS 255!", "*2BRTHRS 255!"}}}});
}

std::vector<FieldRow> AllRows() {
    std::vector<FieldRow> rows;
    AddDisplayRows(rows);
    AddSourceRows(rows);
    AddSeamRows(rows);
    return rows;
}

class FieldBadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "2"}));
        rig.Form->SetServiceView(true); // black levels enabled, widths and offsets shown
        rig.Form->DisplaySetup().ShowChannels(8);
        rig.Form->DisplaySetup().SetMaxOverlap(MaxOverlap);
        Model().Channels = Pristine();
        FillAll();
        rig.Form->SourceSetup().SelectChannel(ShownChannel);
        rig.Form->SeamRemoval().SelectChannel(ShownChannel);
        rig.Boxes.Clear();
        rig.Mark();
    }

    SettingsModel& Model() { return rig.Form->Model(); }
    void FillAll() {
        rig.Form->DisplaySetup().FillDisplayPage();
        rig.Form->SourceSetup().FillSourcePage();
        rig.Form->SeamRemoval().FillSeamPage();
    }
    // The other control the focus goes to: the main page control's tabs.
    QWidget* Other() const { return rig.Form->PageControl()->tabBar(); }

    // Makes the page and sub-page holding the edit the current ones. Returns false when the
    // edit is still out of sight (a group the program never shows).
    bool Bring(QWidget* edit) {
        for (QWidget* w = edit; w != nullptr; w = w->parentWidget()) {
            auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
            auto* tabs =
                stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
            if (tabs != nullptr && tabs->currentWidget() != w) {
                tabs->setCurrentWidget(w);
            }
        }
        QTest::qWait(1);
        return edit->isVisible() && edit->isEnabled();
    }
    // Shows the hidden groups around the edit, so the keyboard reaches it; returns them.
    static std::vector<QWidget*> Uncover(QWidget* edit) {
        std::vector<QWidget*> shown;
        for (QWidget* w = edit; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
            if (w->isHidden()) {
                w->show();
                shown.push_back(w);
            }
        }
        return shown;
    }

    void Walk(const FieldRow& row, NumericField& field);

    PageRig rig;
};

// Each text is put in as the program would (the typing limit would cut the long number), and
// the edit is left for Other(), which commits it.
void FieldBadInputTest::Walk(const FieldRow& row, NumericField& field) {
    QLineEdit* edit = field.Edit();
    const QString original = edit->text();
    const ChannelSettings before = Model().Channels;

    struct Refused {
        QString Text;
        bool Bounds; // the bounds message, else the invalid-number message
    };
    std::vector<Refused> refused = {
        {"abc", false},         {"", false},
        {"-", false},           {"+", false},
        {"nan", false},         {"inf", false},
        {Thirty, row.Real}, // an integer that size is not an integer; a real is too large
        {row.BelowLower, true}, {row.AboveUpper, true},
    };
    if (row.Real) {
        refused.push_back({row.AboveUpper.left(row.AboveUpper.size() - 1) + "04", true});
    } else {
        refused.push_back({"12.5", false});
    }

    for (const Refused& r : refused) {
        SCOPED_TRACE("text '" + r.Text.toStdString() + "'");
        rig.Boxes.Clear();
        rig.Mark();
        rig.Type(edit, "");
        edit->setText(r.Text);
        rig.Leave(Other());
        if (r.Text.isEmpty() && row.EmptyCommitsNothing) {
            EXPECT_EQ(rig.Boxes.Texts(), QStringList());
            EXPECT_EQ(QApplication::focusWidget(), Other());
            EXPECT_EQ(edit->text(), "");
        } else {
            const QString message = r.Bounds
                                        ? row.BoundsMessage
                                        : QStringLiteral("Error! '") + r.Text + row.InvalidEnding;
            EXPECT_EQ(rig.Boxes.Texts(), QStringList{message});
            EXPECT_EQ(QApplication::focusWidget(), edit);
            EXPECT_EQ(edit->text(), r.Bounds && !row.Restored.isEmpty() ? row.Restored : r.Text);
        }
        EXPECT_EQ(rig.Sent(), QStringList());
        EXPECT_TRUE(Model().Channels == before);
    }

    for (const Accepted& a : row.Accepts) {
        SCOPED_TRACE("text '" + a.Typed.toStdString() + "'");
        rig.Boxes.Clear();
        rig.Mark();
        rig.Type(edit, "");
        edit->setText(a.Typed);
        rig.Leave(Other());
        EXPECT_EQ(rig.Boxes.Texts(), QStringList());
        EXPECT_EQ(QApplication::focusWidget(), Other());
        EXPECT_EQ(rig.Sent(), a.Sent);
    }
    ASSERT_EQ(QApplication::focusWidget(), Other());

    // The arrows, the focus elsewhere. At a bound, or beyond it, an arrow towards it or away
    // from the bounds does nothing.
    const QString lower = row.Accepts.front().Typed;
    const QString upper = row.Accepts.back().Typed;
    const auto click = [&](const QString& text, bool up) {
        rig.Boxes.Clear();
        rig.Mark();
        edit->setText(text);
        SpinButtons* spin = field.Spin();
        QTest::mouseClick(up ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
        QTest::qWait(1);
    };
    const std::pair<QString, bool> stays[] = {
        {upper, true}, {lower, false}, {row.AboveUpper, false}, {row.BelowLower, true}};
    for (const auto& [text, up] : stays) {
        SCOPED_TRACE("arrow on '" + text.toStdString() + "'");
        click(text, up);
        EXPECT_EQ(rig.Boxes.Texts(), QStringList());
        EXPECT_EQ(edit->text(), text);
        EXPECT_EQ(rig.Sent(), QStringList());
        EXPECT_EQ(QApplication::focusWidget(), Other());
    }
    if (!row.EmptyUpSent.isEmpty()) {
        SCOPED_TRACE("arrow on an empty text");
        click("", true);
        EXPECT_EQ(rig.Boxes.Texts(), QStringList());
        EXPECT_EQ(edit->text(), "17");
        EXPECT_EQ(rig.Sent(), row.EmptyUpSent);
    }
    {
        SCOPED_TRACE("arrow on 'abc'");
        click("abc", true);
        const QString standard = row.Real ? "'abc' is not a valid floating point value"
                                          : "'abc' is not a valid integer value";
        EXPECT_EQ(rig.Boxes.Texts(),
                  QStringList{row.StepOwnMessage ? "Error! 'abc" + row.InvalidEnding : standard});
        EXPECT_EQ(edit->text(), "abc");
        EXPECT_EQ(rig.Sent(), QStringList());
        EXPECT_EQ(QApplication::focusWidget(), row.StepOwnMessage ? edit : Other());
        EXPECT_EQ(rig.Form->State().Busy, 0);
    }
    edit->setText(original);
}

TEST_F(FieldBadInputTest, EveryFieldRefusesBadTextsAndSendsItsBounds) {
    std::map<QString, const FieldRow*> table;
    const std::vector<FieldRow> rows = AllRows();
    for (const FieldRow& row : rows) {
        table[row.Edit] = &row;
    }
    ASSERT_EQ(table.size(), rows.size()) << "a field twice in the table";

    // The fields as the window holds them, page by page.
    std::map<QString, int> perPage;
    std::vector<std::pair<NumericField*, QString>> fields;
    for (int i = 0; i < rig.Form->PageControl()->count(); ++i) {
        QWidget* page = rig.Form->PageControl()->widget(i);
        for (NumericField* field : page->findChildren<NumericField*>()) {
            fields.emplace_back(field, page->objectName());
            ++perPage[page->objectName()];
        }
    }
    EXPECT_EQ(perPage,
              (std::map<QString, int>{{Display, 8 + 28 + 45 + 2}, {Source, 11}, {Seam, 9}}));
    ASSERT_EQ(fields.size(), 103u);

    QStringList uncovered;
    std::set<QString> visited;
    for (const auto& [field, page] : fields) {
        const QString name = field->Edit()->objectName();
        SCOPED_TRACE(name.toStdString());
        const auto row = table.find(name);
        ASSERT_NE(row, table.end()) << "a field the table does not know";
        EXPECT_EQ(row->second->Page, page);
        QLineEdit* edit = field->Edit();
        std::vector<QWidget*> shown;
        if (!Bring(edit)) {
            uncovered << name;
            shown = Uncover(edit);
            ASSERT_TRUE(edit->isVisible() && edit->isEnabled());
        }
        Walk(*row->second, *field);
        visited.insert(name);
        for (QWidget* w : shown) {
            w->hide();
        }

        // The next field starts from the same model and texts.
        Model().Channels = Pristine();
        FillAll();
        ASSERT_EQ(rig.Form->State().Busy, 0);
        ASSERT_FALSE(rig.Form->State().UpdatingControls);
    }
    EXPECT_EQ(visited.size(), rows.size()) << "a field of the table is missing from the window";

    // Out of sight: the halo fields (never shown) and the basic gamma (advanced mode).
    QStringList hidden = {"BasicGammaEdit"};
    for (const FieldRow& row : rows) {
        if (row.Edit.contains("Halo")) {
            hidden << row.Edit;
        }
    }
    uncovered.sort();
    hidden.sort();
    EXPECT_EQ(uncovered, hidden);
}

} // namespace
} // namespace tarvel
