// The window's two files with bad contents. Configuration files of wrong sizes and of random
// 1720-byte contents opened through the File menu, with the window connected to two simulated
// units: a wrong size gives the size message and changes neither the model nor any page, any
// 1720 bytes fill the pages, and no setting reaches the units either way. A failed save leaves the
// previous file. Tarvel.ini of random contents: the window starts, and the file it writes at
// exit is well formed (or left as it was).

#include "PageRig.h"
#include "support/TestTiming.h"

#include "config/ConfigurationFile.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/SeamRemovalPage.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tarvel {
namespace {

using test::PageRig;

const QString SizeMessage = QStringLiteral("Error! File corrupted. File size invalid.");
const QString OpenedMessage =
    QStringLiteral("File open successful. Tarvel updated with settings from file.");
const QString CreateMessage =
    QStringLiteral("Error! Unable to create Configuration file. Check if disk is write-protected");

QByteArray RandomBytes(std::mt19937& random, int size) {
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray bytes(size, '\0');
    for (char& b : bytes) {
        b = static_cast<char>(byte(random));
    }
    return bytes;
}

QByteArray ImageOf(const ChannelSettings& channels) {
    const auto image = MakeConfigurationImage(channels);
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

// Every edit's text and every list's index, by name: what the pages show.
QStringList Shown(const QWidget& form) {
    QStringList shown;
    for (const QLineEdit* edit : form.findChildren<QLineEdit*>()) {
        shown << edit->objectName() + "=" + edit->text();
    }
    for (const QComboBox* list : form.findChildren<QComboBox*>()) {
        shown << list->objectName() + "#" + QString::number(list->currentIndex());
    }
    return shown;
}

class FileBadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "2"}));
        // A known model shown on every page.
        ChannelSettings& channels = rig.Form->Model().Channels;
        for (int c = 1; c <= 4; ++c) {
            channels.Output(1, c).BlackLevel = static_cast<std::uint8_t>(10 + c);
            channels.Output(2, c).BlackLevel = static_cast<std::uint8_t>(20 + c);
        }
        channels.Output(1, 1).SeamGain = {1, 2, 3, 4, 5, 6, 7, 8};
        rig.Form->DisplaySetup().FillDisplayPage();
        rig.Form->SeamRemoval().FillSeamPage();
        rig.Boxes.Clear();
        rig.Mark();
    }

    // "Open Configuration File" with the file chosen in the dialog.
    void Open(const QString& name) {
        rig.Boxes.Clear();
        rig.Dialogs.Choose(rig.Directory.FilePath(name));
        rig.Form->MenuAction("OpenConfigurationFile1")->trigger();
    }

    PageRig rig;
};

TEST_F(FileBadInputTest, WrongSizesShowTheSizeMessageAndChangeNothing) {
    const ChannelSettings model = rig.Form->Model().Channels;
    const SystemSettings system = rig.Form->Model().System;
    const QStringList shown = Shown(*rig.Form);
    std::mt19937 random(4096);
    std::vector<int> sizes = {0, 1, 84, 1719, 1721, 3440, 4096};
    for (int i = 0; i < 8; ++i) {
        sizes.push_back(static_cast<int>(random() % 4097));
    }
    for (const int size : sizes) {
        if (size == 1720) {
            continue;
        }
        SCOPED_TRACE(size);
        rig.Directory.Write("wrong.zvc", RandomBytes(random, size));
        Open("wrong.zvc");
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{SizeMessage});
        EXPECT_TRUE(rig.Form->Model().Channels == model);
        EXPECT_FALSE(rig.Form->Model().System.FileValid);
        EXPECT_EQ(rig.Form->Model().System.UnitCount, system.UnitCount);
        EXPECT_EQ(Shown(*rig.Form), shown);
    }
    EXPECT_EQ(rig.Sent(), QStringList());
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_FALSE(rig.Form->State().UpdatingControls);
}

TEST_F(FileBadInputTest, AnyContentOfTheFileSizeFillsThePagesAndSendsNoSetting) {
    std::mt19937 random(1720);
    // What the fill may say besides the success: the file's plan against the Planning page's,
    // and the overlap field's bounds (its exit handler runs on the file's overlap width).
    const QStringList overlapMessages = {
        "Error! Overlap Width value out of bounds! Minimum width: 64",
        "Error! Overlap Width value out of bounds!",
    };
    const QRegularExpression warning(QStringLiteral(
        "^Warning\\. (Number of Projectors|Input Material Alignment|Number of "
        "Projectors and Input Material Alignment) information read from Zelvar\\(s\\) "
        "does not match current values in the Planning page\\. \\rPlanning page "
        "values will be overwritten$"));
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        QByteArray bytes = RandomBytes(random, 1720);
        if (i % 4 == 1) {
            std::fill(bytes.begin() + 840, bytes.end(), '\xFF'); // outputs all -1, NaN gammas
        } else if (i % 4 == 2) {
            std::fill(bytes.begin(), bytes.begin() + 840, '\0'); // zero inputs
        }
        rig.Directory.Write("random.zvc", bytes);
        Open("random.zvc");
        const QStringList texts = rig.Boxes.Texts();
        ASSERT_FALSE(texts.isEmpty());
        EXPECT_EQ(texts.back(), OpenedMessage);
        for (int k = 0; k + 1 < texts.size(); ++k) {
            EXPECT_TRUE(warning.match(texts[k]).hasMatch() || overlapMessages.contains(texts[k]))
                << texts[k].toStdString();
        }
        EXPECT_EQ(ImageOf(rig.Form->Model().Channels), bytes) << "the model is the file";
        EXPECT_TRUE(rig.Form->Model().System.FileValid);
        EXPECT_EQ(rig.Form->Model().System.UnitCount, 2);
        // The black levels on the Display Setup page are the file's.
        const auto* black1 = rig.Control<QLineEdit>("Black1Edit");
        EXPECT_EQ(black1->text(), QString::number(static_cast<std::uint8_t>(bytes[928 + 68])));
        const auto* black8 = rig.Control<QLineEdit>("Black8Edit");
        EXPECT_EQ(black8->text(), QString::number(static_cast<std::uint8_t>(bytes[1632 + 68])));
        EXPECT_EQ(rig.Form->State().Busy, 0);
        EXPECT_FALSE(rig.Form->State().UpdatingControls);
    }
    // Only the unit count query, where the file plans more than four projectors; no setting.
    QStringList sent = rig.Sent();
    sent.removeAll("NZV");
    EXPECT_EQ(sent, QStringList());

    // The window is still whole: a plain file opens and shows.
    ChannelSettings plain;
    plain.Output(1, 1).BlackLevel = 42;
    rig.Directory.Write("plain.zvc", ImageOf(plain));
    Open("plain.zvc");
    EXPECT_EQ(rig.Boxes.Texts().back(), OpenedMessage);
    EXPECT_EQ(rig.Control<QLineEdit>("Black1Edit")->text(), "42");
}

TEST_F(FileBadInputTest, AFailedSaveShowsTheMessageAndLeavesThePreviousFile) {
    std::mt19937 random(9);
    const QByteArray previous = RandomBytes(random, 1720);
    rig.Directory.Write("wall.zvc", previous);
    for (const char* name : {"missing/wall.zvc", "wall.zvc/wall.zvc"}) {
        SCOPED_TRACE(name);
        rig.Boxes.Clear();
        rig.Dialogs.Choose(rig.Directory.FilePath(name));
        rig.Form->MenuAction("SaveConfigurationtoFile1")->trigger();
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{CreateMessage});
        EXPECT_EQ(rig.Directory.Read("wall.zvc"), previous);
    }
    EXPECT_EQ(QDir(rig.Directory.FilePath("."))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"wall.zvc"});

    // Saving over it replaces it whole.
    rig.Boxes.Clear();
    rig.Dialogs.Choose(rig.Directory.FilePath("wall.zvc"));
    rig.Form->MenuAction("SaveConfigurationtoFile1")->trigger();
    EXPECT_EQ(rig.Boxes.Texts(), QStringList());
    EXPECT_EQ(rig.Directory.Read("wall.zvc"), ImageOf(rig.Form->Model().Channels));
    EXPECT_EQ(rig.Sent(), QStringList());
}

// --- Tarvel.ini ------------------------------------------------------------------------------

// "%lf %lf %d %d %d %d" without a line end.
const QRegularExpression
    IniLine(QStringLiteral("^-?\\d+\\.\\d{6} -?\\d+\\.\\d{6} -?\\d+ -?\\d+ -?\\d+ -?\\d+$"));

QByteArray RandomIni(std::mt19937& random, int kind) {
    std::uniform_real_distribution<double> size(-10, 1e4);
    const auto number = [&](int low, int high) {
        return QByteArray::number(
            low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1)));
    };
    switch (kind) {
    case 0: // random bytes
        return RandomBytes(random, static_cast<int>(random() % 300));
    case 1: // key=value lines
        return "Horizontal=30\r\nVertical=10\r\nOverlap=" + number(-5, 900) + "\r\n";
    case 2: { // six values, some out of range, some huge
        QByteArray text = QByteArray::number(size(random), 'f', 3) + " " +
                          QByteArray::number(size(random), 'g', 12) + " " + number(-5, 2000) + " " +
                          number(-1, 8) + " " + number(-1, 2) + " " + number(-1, 6);
        if (random() % 4 == 0) {
            text.replace(0, text.indexOf(' '), "1" + QByteArray(250, '0'));
        }
        return text;
    }
    case 3: { // a good file cut off
        const QByteArray good = "40.000000 10.000000 64 3 0 1";
        return good.left(static_cast<int>(random() % good.size()));
    }
    default: // a huge line
        return "30 10 64 0 1 2" + QByteArray(static_cast<int>(random() % 100000), ' ') +
               (random() % 2 ? "7" : "");
    }
}

TEST(IniBadInputTest, TheWindowStartsOnAnyTarvelIniAndWritesAWellFormedOne) {
    std::mt19937 random(1108);
    int loaded = 0;
    int written = 0;
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        const QByteArray text = RandomIni(random, i % 5);
        test::WorkingDirectory directory;
        directory.Write("Tarvel.ini", text);
        ScriptedMessageBoxes boxes;
        TTarvelForm::Options options;
        options.Timing = test::TestTiming();
        options.Messages = &boxes;
        options.Connected = [] { return false; };
        options.CloseWaitMs = 0;
        auto form = std::make_unique<TTarvelForm>(std::move(options));
        loaded += form->IniLoaded() ? 1 : 0;
        if (!form->IniLoaded()) {
            // Ignored as a whole: the design values stay.
            EXPECT_EQ(form->findChild<QLineEdit*>("HorizontalOutEdit")->text(), "30");
            EXPECT_EQ(form->findChild<QLineEdit*>("VerticalOutEdit")->text(), "10");
            EXPECT_EQ(form->findChild<QLineEdit*>("OWidthEdit")->text(), "64");
            EXPECT_EQ(form->findChild<QComboBox*>("NumOfScreenComboBox")->currentIndex(), -1);
        }
        boxes.Answer(false); // no search
        ASSERT_TRUE(test::ShowActive(*form));
        QTest::qWait(5);
        boxes.Answer(true); // exit
        ASSERT_TRUE(form->close());
        const QByteArray after = directory.Read("Tarvel.ini");
        if (after != text) {
            ++written;
            EXPECT_TRUE(IniLine.match(QString::fromLatin1(after)).hasMatch())
                << after.left(400).toStdString();
        }
        form.reset();
    }
    EXPECT_GT(written, 30);
    EXPECT_GT(loaded, 0);
}

} // namespace
} // namespace tarvel
