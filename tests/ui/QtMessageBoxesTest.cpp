#include "ui/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tarvel {
namespace {

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

    // Save, Discard and Cancel: each button its answer, Escape Cancel.
    WhenBoxShows([](QMessageBox* box) { box->button(QMessageBox::Save)->click(); });
    EXPECT_EQ(ui.SaveDiscardCancel("Save?"), SaveChoice::Save);
    WhenBoxShows([](QMessageBox* box) { box->button(QMessageBox::Discard)->click(); });
    EXPECT_EQ(ui.SaveDiscardCancel("Save?"), SaveChoice::Discard);
    QString title;
    int count = 0;
    WhenBoxShows([&](QMessageBox* box) {
        title = box->windowTitle();
        count = static_cast<int>(box->buttons().size());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(ui.SaveDiscardCancel("Save?", "Prendel - Tarvel :Unsaved Changes"),
              SaveChoice::Cancel);
    EXPECT_EQ(title, "Prendel - Tarvel :Unsaved Changes");
    EXPECT_EQ(count, 3);
}

} // namespace
} // namespace tarvel
