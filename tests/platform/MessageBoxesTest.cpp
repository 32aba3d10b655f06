#include "platform/QtMessageBoxes.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/Waiter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

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

// Acts on the modal box once it is up, from the event loop that runs it.
void WhenBoxShows(const std::function<void(QMessageBox*)>& act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(box);
        }
    });
    poll->start(10);
}

TEST(QtMessageBoxesTest, ShowsTheTextExactlyAsPlainTextWithTheCaption) {
    QWidget window;
    window.show();
    QtMessageBoxes boxes(&window);
    MessageBoxes& ui = boxes;

    const QString text = "Error! '<b>2.5x</b>' is not a valid Edge Feathering Gamma value.";
    QString title;
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QWidget* parent = nullptr;
    WhenBoxShows([&](QMessageBox* box) {
        title = box->windowTitle();
        shown = box->text();
        format = box->textFormat();
        parent = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    });
    ui.Information(text);
    EXPECT_EQ(title, "Prendel - Tarvel");
    EXPECT_EQ(shown, text);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(parent, &window);
}

TEST(QtMessageBoxesTest, QuestionsReturnTheButtonAndEscapeMeansNoOrCancel) {
    QtMessageBoxes boxes;
    MessageBoxes& ui = boxes;

    WhenBoxShows([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(ui.YesNo("Exit?", "Prendel - Tarvel :Confirm Exit"));

    WhenBoxShows([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_FALSE(ui.YesNo("Exit?"));

    WhenBoxShows([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
    EXPECT_TRUE(ui.OkCancel("Retry?", "COM Port error"));

    QStringList buttons;
    WhenBoxShows([&](QMessageBox* box) {
        for (QAbstractButton* button : box->buttons()) {
            const auto which = box->standardButton(button);
            buttons << (which == QMessageBox::Ok       ? "Ok"
                        : which == QMessageBox::Cancel ? "Cancel"
                                                       : "other");
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_FALSE(ui.OkCancel("Retry?", "COM Port error"));
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"Cancel", "Ok"}));
}

} // namespace
} // namespace tarvel
