#include "platform/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(ScriptedMessageBoxesTest, AnswersFromTheScriptAndRecordsEveryBox) {
    ScriptedMessageBoxes boxes;
    MessageBoxes& ui = boxes;
    boxes.Answer(true);
    boxes.Answer(false);

    ui.Information("Zelvar(s) not detected.");
    EXPECT_TRUE(ui.YesNo("Are you sure you want to exit this application?",
                         "Prendel - Tarvel :Confirm Exit"));
    EXPECT_FALSE(ui.OkCancel("Click OK to retry.", "COM Port error"));

    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(boxes.Calls()[0].Kind, MessageKind::Information);
    EXPECT_EQ(boxes.Calls()[0].Caption, "Prendel - Tarvel");
    EXPECT_EQ(boxes.Calls()[0].Text, "Zelvar(s) not detected.");
    EXPECT_EQ(boxes.Calls()[1].Kind, MessageKind::YesNo);
    EXPECT_EQ(boxes.Calls()[1].Caption, "Prendel - Tarvel :Confirm Exit");
    EXPECT_TRUE(boxes.Calls()[1].Answer);
    EXPECT_EQ(boxes.Calls()[2].Kind, MessageKind::OkCancel);
    EXPECT_EQ(boxes.Calls()[2].Caption, "COM Port error");
    EXPECT_FALSE(boxes.Calls()[2].Answer);
    EXPECT_EQ(boxes.Texts(), QStringList({"Zelvar(s) not detected.",
                                          "Are you sure you want to exit this application?",
                                          "Click OK to retry."}));
    EXPECT_FALSE(boxes.HadUnscriptedQuestion());
    EXPECT_EQ(boxes.PendingAnswers(), 0);
}

TEST(ScriptedMessageBoxesTest, AnUnscriptedQuestionIsFlaggedAndAnsweredWithTheDefault) {
    ScriptedMessageBoxes boxes;
    MessageBoxes& ui = boxes;
    EXPECT_FALSE(ui.YesNo("Do you wish to query the Zelvar's settings?"));
    EXPECT_TRUE(boxes.HadUnscriptedQuestion());
    EXPECT_TRUE(boxes.Calls().back().Unscripted);

    boxes.SetDefaultAnswer(true);
    EXPECT_TRUE(ui.OkCancel("Retry?"));

    boxes.Clear();
    EXPECT_FALSE(boxes.HadUnscriptedQuestion());
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST(ScriptedMessageBoxesTest, TheShowHookSeesEachBoxBeforeItIsAnswered) {
    ScriptedMessageBoxes boxes;
    MessageBoxes& ui = boxes;
    QStringList seen;
    boxes.OnShow([&](const ScriptedMessageBoxes::Call& call) { seen << call.Caption; });
    boxes.Answer(true);
    ui.YesNo("text", "first");
    ui.Information("text", "second");
    EXPECT_EQ(seen, QStringList({"first", "second"}));
}

} // namespace
} // namespace tarvel
