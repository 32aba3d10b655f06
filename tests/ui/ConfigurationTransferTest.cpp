// The whole configuration moved at once, in the window on the real link against zelvar-sim:
// "Read from Zelvar(s) ...", "Send Current Settings to Zelvar(s)" and the configuration file.
// A send of everything costs real settle delays, so each big scenario runs once.

#include "PageRig.h"

#include "config/ConfigurationFile.h"
#include "platform/SettingsFiles.h"
#include "ui/ConfigurationTransfer.h"
#include "ui/TTarvelForm.h"
#include "ui/pages/DisplaySetupPage.h"
#include "ui/pages/PlanningPage.h"
#include "ui/pages/SeamRemovalPage.h"
#include "ui/pages/SourceSetupPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

namespace tarvel {
namespace {

// Calls back on every event of one type that reaches the watched object.
class EventCounter : public QObject {
public:
    EventCounter(QEvent::Type type, std::function<void()> seen)
        : type_(type), seen_(std::move(seen)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) {
            seen_();
        }
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> seen_;
};

using test::PageRig;

const QString NumberWarning =
    "Warning. Number of Projectors information read from Zelvar(s) does not match current "
    "values in the Planning page. \rPlanning page values will be overwritten";
const QString AlignmentWarning =
    "Warning. Input Material Alignment information read from Zelvar(s) does not match current "
    "values in the Planning page. \rPlanning page values will be overwritten";
const QString OpenedText = "File open successful. Tarvel updated with settings from file.";
const QString InvalidText = "Error! Unable to send parameters to Zelvar(s). Invalid value "
                            "exist in one of the settings.";
const QString StoppedText =
    "Sending stopped. Only part of the current settings was sent to Zelvar(s).";
const QString NoUnitAnswerText = "Error! Controller did not get response from Zelvar(s). Please "
                                 "check connections and Zelvar(s) Serial Mode settings.";

template <typename... Args> QString F(const char* format, Args... args) {
    return QString::asprintf(format, args...);
}

QStringList Times(int count, const QString& line) {
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        lines << line;
    }
    return lines;
}

// The read of one unit: system information, then input and output status of channels 1..4.
QStringList UnitRead(const char* prefix, const char* suffix) {
    QStringList lines{F("%sSYINFOZV%s", prefix, suffix)};
    for (const char* query : {"IINFOZV", "OINFOZV"}) {
        for (int channel = 1; channel <= 4; ++channel) {
            lines << F("%s%s %d%s", prefix, query, channel, suffix);
        }
    }
    return lines;
}

void Trigger(PageRig& rig, const char* item) {
    rig.Form->MenuAction(QString::fromLatin1(item))->trigger();
}

ConfigurationImage Image(const ChannelSettings& channels) {
    return MakeConfigurationImage(channels);
}

// ----- The expected commands, written with the units' own formats -----

// The position, phase and colour commands of a locked channel.
QStringList InputSends(const char* prefix, const char* suffix, int unit, int channel,
                       const InputSettings& in) {
    const QString p = QString::fromLatin1(prefix);
    const QString s = QString::fromLatin1(suffix);
    const auto a = [&](const QString& body) { return p + body + s; };
    Q_UNUSED(unit);
    return {
        a(F("IRSPZV %d M H %d", channel, in.HPosition)),
        a(F("IRSPZV %d M V %d", channel, in.VPosition)),
        a(F("ICPHOZV %d M %d", channel, in.Phase)),
        a(F("ICNTZV %d C %4.1f", channel, double(in.OverallContrast))),
        a(F("IBRTZV %d C %4.1f", channel, double(in.OverallBrightness))),
        a(F("ICNTZV %d R %4.1f", channel, double(in.RedContrast))),
        a(F("IBRTZV %d R %4.1f", channel, double(in.RedBrightness))),
        a(F("ICNTZV %d G %4.1f", channel, double(in.GreenContrast))),
        a(F("IBRTZV %d G %4.1f", channel, double(in.GreenBrightness))),
        a(F("ICNTZV %d B %4.1f", channel, double(in.BlueContrast))),
        a(F("IBRTZV %d B %4.1f", channel, double(in.BlueBrightness))),
    };
}

// The output commands of one unit's four channels (unit 1: screens 1-4; unit 2: 5-8).
QStringList OutputSends(const char* prefix, const char* suffix, int unit,
                        const ChannelSettings& channels) {
    const QString p = QString::fromLatin1(prefix);
    const QString s = QString::fromLatin1(suffix);
    const auto a = [&](const QString& body) { return p + body + s; };
    const auto out = [&](int channel) -> const OutputSettings& {
        return channels.Output(unit, channel);
    };
    const auto screen = [unit](int channel) { return (unit - 1) * 4 + channel; };
    QStringList lines;
    for (int c = 1; c <= 4; ++c) {
        lines << a(
            F("OTPMZV %d %d %d %d", c, out(c).TestPattern, out(c).OutputRaster, out(c).TestGrid));
    }
    for (int c = 1; c <= 4; ++c) {
        lines << a(F("BLKGN %d %d", c, out(c).BlackLevel));
    }
    for (int c = 1; c <= 4; ++c) {
        if (screen(c) != 1) {
            lines << a(F("HALO %d L %d %d", c, out(c).LeftHaloWidth, out(c).LeftHaloOffset));
        }
    }
    for (int c = 1; c <= 4; ++c) {
        if (screen(c) != 8) {
            lines << a(F("HALO %d R %d %d", c, out(c).RightHaloWidth, out(c).RightHaloOffset));
        }
    }
    for (int c = 1; c <= 4; ++c) {
        if (screen(c) != 8) {
            lines << a(F("PEFT %d R %d %4.1f %d %d", c, out(c).RightFeatherOn,
                         double(out(c).RightGamma), out(c).RightGammaWidth,
                         out(c).RightGammaOffset));
        }
    }
    for (int c = 1; c <= 4; ++c) {
        if (screen(c) != 1) {
            lines << a(F("PEFT %d L %d %4.1f %d %d", c, out(c).LeftFeatherOn,
                         double(out(c).LeftGamma), out(c).LeftGammaWidth, out(c).LeftGammaOffset));
        }
    }
    return lines;
}

// The eight seam gain commits of a locked channel: MANSEAM with all eight gains, eight times.
QStringList SeamSends(const char* prefix, const char* suffix, int channel,
                      const OutputSettings& out) {
    QString line = QString::fromLatin1(prefix) + F("MANSEAM %d -4", channel);
    for (const std::uint8_t gain : out.SeamGain) {
        line += F(" %d", gain);
    }
    return Times(8, line + QString::fromLatin1(suffix));
}

// ----- What the pages show -----

// Every named edit, list, box and label under the widget, by objectName, as text.
std::map<QString, QString> Values(const QWidget& root) {
    std::map<QString, QString> values;
    for (const QObject* child : root.findChildren<QObject*>()) {
        const QString name = child->objectName();
        if (name.isEmpty()) {
            continue;
        }
        if (const auto* edit = qobject_cast<const QLineEdit*>(child)) {
            values[name] = edit->text();
        } else if (const auto* list = qobject_cast<const QComboBox*>(child)) {
            values[name] = QString::number(list->currentIndex()) + ":" + list->currentText();
        } else if (const auto* box = qobject_cast<const QAbstractButton*>(child)) {
            if (box->isCheckable()) {
                values[name] = box->isChecked() ? "checked" : "clear";
            }
        } else if (const auto* label = qobject_cast<const QLabel*>(child)) {
            values[name] = label->text();
        }
    }
    return values;
}

// The pages' values: Planning, Display Setup, the unit information panel for each screen,
// and the Source Setup and Seam Removal pages for each channel up to `channels`.
std::map<QString, QString> PageValues(TTarvelForm& form, int channels) {
    std::map<QString, QString> all;
    const auto add = [&all](const QString& prefix, const QWidget& page) {
        for (const auto& [name, value] : Values(page)) {
            all[prefix + name] = value;
        }
    };
    add("Planning/", form.Planning());
    add("Display/", form.DisplaySetup());
    auto* screens = form.findChild<QComboBox*>("ScreenInfoComboBox");
    for (int screen = 0; screen < 4; ++screen) {
        screens->setCurrentIndex(screen);
        emit screens->activated(screen);
        add(F("Info%d/", screen + 1), *form.findChild<QWidget*>("InfoGroupBox"));
    }
    for (int channel = 1; channel <= channels; ++channel) {
        form.SourceSetup().SelectChannel(channel);
        add(F("Source%d/", channel), form.SourceSetup());
        form.SeamRemoval().SelectChannel(channel);
        add(F("Seam%d/", channel), form.SeamRemoval());
    }
    // Not part of a configuration: the units' firmware and how many the controller saw.
    for (int screen = 1; screen <= 4; ++screen) {
        all.erase(F("Info%d/Version1Label", screen));
        all.erase(F("Info%d/NumOfZelvarDetectedLabel", screen));
    }
    return all;
}

// A configuration unlike the simulator's factory state in every field that a command carries.
void Reconfigure(ChannelSettings& channels) {
    for (int screen = 1; screen <= 8; ++screen) {
        const UnitChannel uc = ScreenToUnitChannel(screen);
        InputSettings& in = channels.Input(uc);
        in.HPosition = 350 + screen;
        in.VPosition = 30 + screen;
        in.Phase = screen - 8;
        in.OverallContrast = static_cast<float>(90 + screen);
        in.OverallBrightness = static_cast<float>(110 - screen);
        in.RedContrast = 0.5f * static_cast<float>(screen);
        in.RedBrightness = -0.5f * static_cast<float>(screen);
        in.GreenContrast = 1.5f;
        in.GreenBrightness = -1.5f;
        in.BlueContrast = static_cast<float>(2 + screen);
        in.BlueBrightness = static_cast<float>(-2 - screen);
        OutputSettings& out = channels.Output(uc);
        out.TestPattern = static_cast<std::uint8_t>(screen % 3);
        out.OutputRaster = static_cast<std::uint8_t>(screen % 2);
        out.TestGrid = static_cast<std::uint8_t>((screen + 1) % 2);
        out.BlackLevel = static_cast<std::uint8_t>(20 + screen);
        out.LeftHaloWidth = 10 + screen;
        out.LeftHaloOffset = screen;
        out.RightHaloWidth = 20 + screen;
        out.RightHaloOffset = 2 * screen;
        out.LeftGamma = 2.5f;
        out.RightGamma = 3.0f;
        out.LeftFeatherOn = static_cast<std::int16_t>(screen % 2);
        out.RightFeatherOn = static_cast<std::int16_t>(1 - screen % 2);
        out.LeftGammaWidth = 100 + screen;
        out.LeftGammaOffset = screen;
        out.RightGammaWidth = 110 + screen;
        out.RightGammaOffset = screen + 1;
        for (std::size_t k = 0; k < out.SeamGain.size(); ++k) {
            out.SeamGain[k] = static_cast<std::uint8_t>(100 + 8 * screen + static_cast<int>(k));
        }
    }
    for (int unit = 1; unit <= 2; ++unit) {
        OutputSettings& wide = channels.UnitOutput(unit);
        wide.ControlMode = 1;
        wide.BasicGamma = 2.5f;
        wide.BasicFeatherOn = 0;
        wide.ImageAlignment = 1;
        wide.DisplayOverlap = 250;
        wide.TotalProjectors = 6;
    }
}

// ----- Read, send, file: one unit, directly -----

TEST(ConfigurationTransferTest, OneUnitDirectlyReadSendAndFile) {
    PageRig rig;
    ASSERT_TRUE(rig.Connect({"--mode", "direct", "--no-video", "2"}));
    TTarvelForm& form = *rig.Form;
    EXPECT_TRUE(form.MenuAction("ReadfromZelvars1")->isEnabled());
    EXPECT_TRUE(form.MenuAction("SendCurrentSettingstoZelvars1")->isEnabled());

    {
        SCOPED_TRACE("a direct read: one unit, without asking a controller");
        form.Model().System.UnitCount = 2;
        Trigger(rig, "ReadfromZelvars1");
        EXPECT_EQ(rig.Sent(), UnitRead("", ""));
        EXPECT_EQ(form.Model().System.UnitCount, 1);
        EXPECT_TRUE(form.Model().System.ReadValid);
        EXPECT_EQ(rig.Control<QLabel>("NumOfZelvarDetectedLabel")->text(), "1");
        // The unit reports 3 projectors, left justified; the first calculation planned 3,
        // centred.
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{AlignmentWarning});
        EXPECT_EQ(rig.Control<QComboBox>("ImageAlignComboBox")->currentText(), "Left Justified");
        EXPECT_EQ(form.StatusText(), "");
        EXPECT_EQ(form.State().Busy, 0);
        EXPECT_FALSE(form.State().UpdatingControls);

        // The unit information panel shows screen 1, and another screen when chosen.
        const auto label = [&](const char* name) { return rig.Control<QLabel>(name)->text(); };
        EXPECT_EQ(label("HActiveLabel"), "1280");
        EXPECT_EQ(label("VideoLockedLabel"), "True");
        EXPECT_EQ(label("SyncSelLabel"), "AUTO");
        EXPECT_EQ(label("HVOutLabel"), "1280x1024");
        EXPECT_EQ(label("OutFRateLabel"), "@ 59.94Hz");
        EXPECT_EQ(label("TotalProjectorsLabel"), "3");
        EXPECT_EQ(label("BasicEFTGammaLabel"), "2.2");
        auto* screens = rig.Control<QComboBox>("ScreenInfoComboBox");
        screens->setCurrentIndex(1);
        emit screens->activated(1);
        EXPECT_EQ(label("VideoLockedLabel"), "False");
        EXPECT_EQ(label("HActiveLabel"), "0");
    }

    const ChannelSettings read = form.Model().Channels;
    {
        SCOPED_TRACE("send everything: 3 projectors, channel 2 without video lock");
        rig.Mark();
        rig.Boxes.Clear();
        Trigger(rig, "SendCurrentSettingstoZelvars1");
        EXPECT_TRUE(rig.Boxes.Calls().empty()) << rig.Boxes.Texts().join('|').toStdString();

        QStringList expected{"PRJ 0 3", "DISP 0 256"};
        expected << InputSends("", "", 1, 1, read.Input(1, 1));
        expected << InputSends("", "", 1, 3, read.Input(1, 3));
        expected << OutputSends("", "", 1, read);
        expected << "DDBL 0"
                 << "EFTB 1  2.2"
                 << "ZVCTRL 0"
                 << "OINFOZV 1"
                 << "OINFOZV 2"
                 << "OINFOZV 3"
                 << "OINFOZV 4";
        expected << SeamSends("", "", 1, read.Output(1, 1));
        expected << SeamSends("", "", 3, read.Output(1, 3));
        EXPECT_EQ(rig.Sent(), expected);
        // The literal texts of the first channel, as the unit reads them.
        EXPECT_EQ(expected.mid(2, 5),
                  (QStringList{"IRSPZV 1 M H 352", "IRSPZV 1 M V 38", "ICPHOZV 1 M 16",
                               "ICNTZV 1 C 100.0", "IBRTZV 1 C 100.0"}));
        EXPECT_EQ(expected[7], "ICNTZV 1 R  0.0");
        EXPECT_TRUE(expected.contains("PEFT 2 L 1  2.2 256 0"));

        EXPECT_EQ(form.State().Busy, 0);
        EXPECT_EQ(form.StatusText(), "");
        EXPECT_EQ(form.SourceSetup().SelectedChannel(), 3) << "the last channel sent";
        EXPECT_TRUE(form.PageControl()->isEnabled());
    }

    const QString path = rig.Directory.FilePath("wall.zvc");
    {
        SCOPED_TRACE("save, then open: nothing is sent");
        rig.Dialogs.Choose(path);
        Trigger(rig, "SaveConfigurationtoFile1");
        EXPECT_TRUE(rig.Boxes.Calls().empty());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const ConfigurationImage image = Image(form.Model().Channels);
        EXPECT_EQ(bytes, QByteArray(reinterpret_cast<const char*>(image.data()),
                                    static_cast<int>(image.size())));

        rig.Mark();
        rig.Dialogs.Choose(path);
        Trigger(rig, "OpenConfigurationFile1");
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{OpenedText});
        EXPECT_TRUE(form.Model().System.FileValid);
        EXPECT_TRUE(rig.Sent().isEmpty()) << rig.Sent().join('|').toStdString();
        EXPECT_EQ(form.Model().System.UnitCount, 1) << "the file holds no unit count";
        rig.Boxes.Clear();

        // Cancel in either dialog does nothing.
        Trigger(rig, "OpenConfigurationFile1");
        Trigger(rig, "SaveConfigurationtoFile1");
        EXPECT_EQ(rig.Dialogs.Shown, (QStringList{"save", "open", "open", "save"}));
        EXPECT_TRUE(rig.Boxes.Calls().empty());
    }
    {
        SCOPED_TRACE("a black level that is not a number stops the send at its command");
        auto* black = rig.Edit("Black3Edit");
        black->setText("abc");
        rig.Mark();
        Trigger(rig, "SendCurrentSettingstoZelvars1");
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{InvalidText});
        // Black levels go out unconfirmed: the unit may read them a moment after the message.
        EXPECT_TRUE(QTest::qWaitFor([&] { return rig.Sent().contains("BLKGN 2 16"); }, 2000));
        QTest::qWait(50);
        const QStringList sent = rig.Sent();
        ASSERT_FALSE(sent.isEmpty());
        EXPECT_EQ(sent.last(), "BLKGN 2 16") << "the commands before it stay sent";
        EXPECT_EQ(sent.count("BLKGN 1 16"), 1);
        EXPECT_EQ(form.State().Busy, 0);
        black->setText("16");
        rig.Boxes.Clear();
    }
    {
        SCOPED_TRACE("disconnected: the menu items are off");
        Trigger(rig, "DisconnectSerialCo1");
        EXPECT_FALSE(form.MenuAction("ReadfromZelvars1")->isEnabled());
        EXPECT_FALSE(form.MenuAction("SendCurrentSettingstoZelvars1")->isEnabled());
        rig.Mark();
        form.SendCurrentSettingstoZelvars1Click(); // even when called: nothing goes out
        EXPECT_TRUE(rig.Sent().isEmpty());
        EXPECT_TRUE(rig.Boxes.Calls().empty());
    }
}

// ----- Two units behind the controller: read, send, save and open elsewhere -----

TEST(ConfigurationTransferTest, TwoUnitsReadSendEverythingAndTheFileRestoresEveryPage) {
    PageRig rig;
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "2"}));
    TTarvelForm& form = *rig.Form;

    {
        SCOPED_TRACE("units with 6 projectors while the page shows 4");
        IniSettings four;
        four.HorizontalOutSize = 30;
        four.VerticalOutSize = 10;
        four.OverlapWidth = 256;
        four.ProjectorCountIndex = 3;
        four.AlignmentIndex = 0;
        four.ResolutionIndex = 3;
        form.Planning().ApplyIniSettings(four);
        ASSERT_EQ(rig.Control<QComboBox>("NumOfScreenComboBox")->currentText(), "4 Projectors");

        Trigger(rig, "ReadfromZelvars1");
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{NumberWarning});
        EXPECT_EQ(rig.Control<QComboBox>("NumOfScreenComboBox")->currentText(), "6 Projectors");
        EXPECT_EQ(form.Planning().Calculator().Values.ProjectorCount, 6);
        // Both units completely, then the unit check that six projectors make.
        QStringList expected{"NZV"};
        expected << UnitRead("*1", "!") << UnitRead("*2", "!") << "NZV";
        EXPECT_EQ(rig.Sent(), expected);
        EXPECT_EQ(form.Model().System.UnitCount, 2);
        EXPECT_EQ(rig.Control<QLabel>("NumOfZelvarDetectedLabel")->text(), "2");
        ChannelSettings state = rig.SimState();
        for (auto& block : state.Outputs) {
            for (OutputSettings& record : block) { // not in the output status
                record.LeftHaloWidth = record.LeftHaloOffset = 0;
                record.RightHaloWidth = record.RightHaloOffset = 0;
            }
        }
        EXPECT_EQ(Image(form.Model().Channels), Image(state));
    }

    // The configuration to send comes from a file.
    ChannelSettings configuration = form.Model().Channels;
    Reconfigure(configuration);
    const QString sourcePath = rig.Directory.FilePath("changed.zvc");
    ASSERT_TRUE(SaveConfigurationFile(sourcePath, configuration).Ok);
    rig.Boxes.Clear();
    rig.Dialogs.Choose(sourcePath);
    Trigger(rig, "OpenConfigurationFile1");
    ASSERT_EQ(rig.Boxes.Texts(), (QStringList{AlignmentWarning, OpenedText}));
    ASSERT_EQ(rig.Edit("OWidthEdit")->text(), "250");
    ASSERT_TRUE(rig.Control<QCheckBox>("AdvanceModeCheckBox")->isChecked());

    {
        SCOPED_TRACE("send everything: inputs and seams of channels 1-4 and 5-6");
        rig.Mark();
        rig.Boxes.Clear();
        Trigger(rig, "SendCurrentSettingstoZelvars1");
        EXPECT_TRUE(rig.Boxes.Calls().empty()) << rig.Boxes.Texts().join('|').toStdString();

        const ChannelSettings& c = configuration;
        QStringList expected{"*1PRJ 0 6!", "*2PRJ 1 6!", "*1DISP 1 250!", "*2DISP 1 250!"};
        for (int screen = 1; screen <= 6; ++screen) {
            const UnitChannel uc = ScreenToUnitChannel(screen);
            expected << InputSends(uc.Unit == 1 ? "*1" : "*2", "!", uc.Unit, uc.Channel,
                                   c.Input(uc));
        }
        expected << OutputSends("*1", "!", 1, c);
        expected << "*1DDBL 0!"
                 << "*2DDBL 0!"
                 << "*1EFTB 0  2.5!"
                 << "*2EFTB 0  2.5!";
        for (const char* unit : {"*1", "*2"}) {
            expected << QString::fromLatin1(unit) + "ZVCTRL 1!";
            for (int channel = 1; channel <= 4; ++channel) {
                expected << F("%sOINFOZV %d!", unit, channel);
            }
        }
        expected << OutputSends("*2", "!", 2, c);
        for (int screen = 1; screen <= 6; ++screen) {
            const UnitChannel uc = ScreenToUnitChannel(screen);
            expected << SeamSends(uc.Unit == 1 ? "*1" : "*2", "!", uc.Channel, c.Output(uc));
        }
        EXPECT_EQ(rig.Sent(), expected);
        EXPECT_EQ(form.State().Busy, 0);
        EXPECT_EQ(form.StatusText(), "");
    }
    {
        SCOPED_TRACE("the units hold the model in every field the commands carry");
        const ChannelSettings state = rig.SimState();
        const ChannelSettings& model = form.Model().Channels;
        for (int screen = 1; screen <= 8; ++screen) {
            SCOPED_TRACE(testing::Message() << "screen " << screen);
            const UnitChannel uc = ScreenToUnitChannel(screen);
            const InputSettings& in = model.Input(uc);
            const InputSettings& held = state.Input(uc);
            if (screen <= 6) {
                EXPECT_EQ(held.HPosition, in.HPosition);
                EXPECT_EQ(held.VPosition, in.VPosition);
                EXPECT_EQ(held.Phase, in.Phase);
                EXPECT_EQ(held.OverallContrast, in.OverallContrast);
                EXPECT_EQ(held.OverallBrightness, in.OverallBrightness);
                EXPECT_EQ(held.RedContrast, in.RedContrast);
                EXPECT_EQ(held.RedBrightness, in.RedBrightness);
                EXPECT_EQ(held.GreenContrast, in.GreenContrast);
                EXPECT_EQ(held.GreenBrightness, in.GreenBrightness);
                EXPECT_EQ(held.BlueContrast, in.BlueContrast);
                EXPECT_EQ(held.BlueBrightness, in.BlueBrightness);
                EXPECT_EQ(held.HPosition, configuration.Input(uc).HPosition);
            } else {
                EXPECT_EQ(held.HPosition, 352) << "beyond the projector count: not sent";
                EXPECT_EQ(held.OverallContrast, 100.0f);
            }
            const OutputSettings& out = model.Output(uc);
            const OutputSettings& unit = state.Output(uc);
            // The configuration's values, unit 2's included (sent after the control mode's
            // read-back).
            EXPECT_EQ(out.BlackLevel, configuration.Output(uc).BlackLevel);
            EXPECT_EQ(unit.TestPattern, out.TestPattern);
            EXPECT_EQ(unit.OutputRaster, out.OutputRaster);
            EXPECT_EQ(unit.TestGrid, out.TestGrid);
            EXPECT_EQ(unit.BlackLevel, out.BlackLevel);
            if (screen != 1) {
                EXPECT_EQ(unit.LeftHaloWidth, out.LeftHaloWidth);
                EXPECT_EQ(unit.LeftHaloOffset, out.LeftHaloOffset);
                EXPECT_EQ(unit.LeftGamma, out.LeftGamma);
                EXPECT_EQ(unit.LeftFeatherOn, out.LeftFeatherOn);
                EXPECT_EQ(unit.LeftGammaWidth, out.LeftGammaWidth);
                EXPECT_EQ(unit.LeftGammaOffset, out.LeftGammaOffset);
                EXPECT_EQ(unit.LeftGammaWidth, configuration.Output(uc).LeftGammaWidth);
            }
            if (screen != 8) {
                EXPECT_EQ(unit.RightHaloWidth, out.RightHaloWidth);
                EXPECT_EQ(unit.RightHaloOffset, out.RightHaloOffset);
                EXPECT_EQ(unit.RightGamma, out.RightGamma);
                EXPECT_EQ(unit.RightFeatherOn, out.RightFeatherOn);
                EXPECT_EQ(unit.RightGammaWidth, out.RightGammaWidth);
                EXPECT_EQ(unit.RightGammaOffset, out.RightGammaOffset);
            }
            if (screen <= 6) {
                EXPECT_EQ(unit.SeamGain, out.SeamGain);
                EXPECT_EQ(unit.SeamMode, out.SeamMode);
                EXPECT_EQ(unit.SeamGain, configuration.Output(uc).SeamGain);
            } else {
                EXPECT_EQ(unit.SeamGain[0], 128) << "beyond the projector count: not sent";
            }
        }
        for (int unit = 1; unit <= 2; ++unit) {
            SCOPED_TRACE(testing::Message() << "unit " << unit);
            const OutputSettings& wide = model.UnitOutput(unit);
            const OutputSettings& held = state.UnitOutput(unit);
            EXPECT_EQ(held.ProjectorGroup, wide.ProjectorGroup);
            EXPECT_EQ(held.TotalProjectors, wide.TotalProjectors);
            EXPECT_EQ(held.ImageAlignment, wide.ImageAlignment);
            EXPECT_EQ(held.DisplayOverlap, wide.DisplayOverlap);
            EXPECT_EQ(held.DataDoubling, wide.DataDoubling);
            EXPECT_EQ(held.BasicGamma, wide.BasicGamma);
            EXPECT_EQ(held.BasicFeatherOn, wide.BasicFeatherOn);
            EXPECT_EQ(held.ControlMode, wide.ControlMode);
            EXPECT_EQ(held.ControlMode, 1);
            EXPECT_EQ(held.DisplayOverlap, 250);
        }
    }

    // Save what the window shows now; a fresh window opens it and shows the same.
    const QString path = rig.Directory.FilePath("saved.zvc");
    rig.Dialogs.Choose(path);
    Trigger(rig, "SaveConfigurationtoFile1");
    ASSERT_TRUE(rig.Boxes.Calls().empty());
    const std::map<QString, QString> shown = PageValues(form, 6);
    const ChannelSettings saved = form.Model().Channels;

    {
        SCOPED_TRACE("a fresh window opens the file");
        PageRig fresh;
        ASSERT_TRUE(fresh.ShowWindow());
        const std::map<QString, QString> before = PageValues(*fresh.Form, 6);
        const ConfigurationImage empty = Image(fresh.Form->Model().Channels);

        // One byte short: refused, nothing changes.
        const QString shortPath = fresh.Directory.FilePath("short.zvc");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        fresh.Directory.Write("short.zvc", file.readAll().left(1719));
        fresh.Dialogs.Choose(shortPath);
        fresh.Form->MenuAction("OpenConfigurationFile1")->trigger();
        EXPECT_EQ(fresh.Boxes.Texts(), QStringList{"Error! File corrupted. File size invalid."});
        EXPECT_EQ(Image(fresh.Form->Model().Channels), empty);
        EXPECT_FALSE(fresh.Form->Model().System.FileValid);
        EXPECT_EQ(PageValues(*fresh.Form, 6), before);
        fresh.Boxes.Clear();

        fresh.Dialogs.Choose(path);
        fresh.Form->MenuAction("OpenConfigurationFile1")->trigger();
        EXPECT_EQ(fresh.Boxes.Texts(), (QStringList{NumberWarning, OpenedText}));
        EXPECT_EQ(Image(fresh.Form->Model().Channels), Image(saved));
        const std::map<QString, QString> opened = PageValues(*fresh.Form, 6);
        EXPECT_EQ(opened.size(), shown.size());
        for (const auto& [name, value] : shown) {
            const auto found = opened.find(name);
            ASSERT_NE(found, opened.end()) << name.toStdString();
            EXPECT_EQ(found->second, value) << name.toStdString();
        }
        EXPECT_GT(shown.size(), 400u);
        EXPECT_EQ(shown.at("Display/Black6Edit"), "26");
        EXPECT_EQ(shown.at("Seam5/SeamGain1Edit"), "140");
        EXPECT_EQ(shown.at("Source6/LeftRContrastEdit"), "3");
        EXPECT_EQ(shown.at("Info2/BlackLvlAdjCompLabel"), "22");
    }
}

// Names and folders in any script, whatever the program's locale; a failing operation on such
// a name shows its own message, never an internal one.
TEST(ConfigurationTransferTest, NamesInAnyScriptSaveAndOpen) {
    PageRig rig;
    ASSERT_TRUE(rig.ShowWindow());
    TTarvelForm& form = *rig.Form;
    form.hide(); // no Planning page warnings
    ASSERT_TRUE(QDir(rig.Directory.FilePath(".")).mkdir(QStringLiteral("B\u00FCro")));
    ChannelSettings& channels = form.Model().Channels;
    for (int unit = 1; unit <= 2; ++unit) { // a wall the Planning page takes without a word
        channels.UnitOutput(unit).TotalProjectors = 6;
        channels.UnitOutput(unit).DisplayOverlap = 200;
        channels.UnitOutput(unit).ImageAlignment = 1;
    }
    channels.Input(1, 2).Phase = 17;
    channels.Output(2, 3).BlackLevel = 200;
    const ChannelSettings saved = channels;
    for (const QString& name :
         {QStringLiteral("caf\u00E9.zvc"), QStringLiteral("B\u00FCro/Projekt 2.zvc"),
          QStringLiteral("\u00DCn\u00EF c\u00F6d\u00E9 \u2713 file.zvc")}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = rig.Directory.FilePath(name);
        rig.Boxes.Clear();
        rig.Dialogs.Choose(path);
        Trigger(rig, "SaveConfigurationtoFile1");
        EXPECT_EQ(rig.Boxes.Texts(), QStringList());
        EXPECT_EQ(QFileInfo(path).size(), 1720);

        channels = ChannelSettings{};
        rig.Dialogs.Choose(path);
        Trigger(rig, "OpenConfigurationFile1");
        EXPECT_EQ(rig.Boxes.Texts(), QStringList{OpenedText});
        EXPECT_EQ(Image(channels), Image(saved));
    }

    rig.Boxes.Clear();
    rig.Dialogs.Choose(rig.Directory.FilePath(QStringLiteral("B\u00FCro/fehlt \u2713.zvc")));
    Trigger(rig, "OpenConfigurationFile1");
    rig.Dialogs.Choose(rig.Directory.FilePath(QStringLiteral("Ordner \u2713/caf\u00E9.zvc")));
    Trigger(rig, "SaveConfigurationtoFile1");
    EXPECT_EQ(rig.Boxes.Texts(),
              (QStringList{"Error! Unable to open Configuration file. Check if file exist?",
                           "Error! Unable to create Configuration file. Check if disk is "
                           "write-protected"}));
}

// ----- The user gives up on a command -----

TEST(ConfigurationTransferTest, AStoppedCommandEndsTheSendWithOneMessage) {
    // Command 17 is the first colour command: debug 0, NZV, the read of the unit (9 queries),
    // then PRJ, DISP, H and V position and phase of channel 1.
    PageRig rig;
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "1", "--error-every", "17,4"}));
    ASSERT_TRUE(rig.ReadUnits());
    rig.Boxes.Answer(false); // Cancel: do not try again
    Trigger(rig, "SendCurrentSettingstoZelvars1");
    EXPECT_EQ(rig.Boxes.Texts(), (QStringList{NoUnitAnswerText, StoppedText}));
    const QStringList sent = rig.Sent();
    ASSERT_EQ(sent.size(), 6) << sent.join('|').toStdString();
    EXPECT_EQ(sent.last(), "*1ICNTZV 1 C 100.0!");
    EXPECT_EQ(rig.Form->State().Busy, 0);
    EXPECT_TRUE(rig.Form->PageControl()->isEnabled());
    EXPECT_TRUE(rig.Form->Connected());
}

TEST(ConfigurationTransferTest, ThePagesAreDisabledOnceForTheWholeSend) {
    PageRig rig;
    ASSERT_TRUE(rig.Connect({"--mode", "controller", "--units", "2"}));
    ASSERT_TRUE(rig.ReadUnits());
    QTabWidget* pages = rig.Form->PageControl();
    int changes = 0;
    EventCounter counter(QEvent::EnabledChange, [&] { ++changes; });
    pages->installEventFilter(&counter);
    Trigger(rig, "SendCurrentSettingstoZelvars1");
    pages->removeEventFilter(&counter);
    EXPECT_TRUE(rig.Boxes.Texts().isEmpty()) << rig.Boxes.Texts().join('|').toStdString();
    EXPECT_GT(rig.Sent().size(), 100);
    EXPECT_EQ(changes, 2) << "once off, once on again";
    EXPECT_TRUE(pages->isEnabled());
    EXPECT_EQ(rig.Form->State().Busy, 0);
}

// ----- The configuration file without a link -----

TEST(ConfigurationTransferTest, TheUnitsWinOnThePlanningPageWithAWarningOnlyWhileVisible) {
    PageRig rig;
    ASSERT_TRUE(rig.ShowWindow());
    TTarvelForm& form = *rig.Form;
    ChannelSettings six;
    for (int unit = 1; unit <= 2; ++unit) {
        six.UnitOutput(unit).TotalProjectors = 6;
        six.UnitOutput(unit).DisplayOverlap = 200;
        six.UnitOutput(unit).ImageAlignment = 1; // as the first calculation: centred
    }
    const QString path = rig.Directory.FilePath("six.zvc");
    ASSERT_TRUE(SaveConfigurationFile(path, six).Ok);

    form.hide();
    rig.Dialogs.Choose(path);
    form.OpenConfigurationFile1Click();
    EXPECT_EQ(rig.Boxes.Texts(), QStringList{OpenedText}) << "no warning while hidden";
    EXPECT_EQ(rig.Control<QComboBox>("NumOfScreenComboBox")->currentText(), "6 Projectors");
    EXPECT_EQ(rig.Edit("OWidthPlanningEdit")->text(), "200");

    // Shown again with 3 projectors planned: the warning, then the units' 6.
    ASSERT_TRUE(test::ShowActive(form));
    auto* count = rig.Control<QComboBox>("NumOfScreenComboBox");
    count->setCurrentIndex(2);
    emit count->activated(2);
    ASSERT_EQ(count->currentText(), "3 Projectors");
    rig.Boxes.Clear();
    rig.Dialogs.Choose(path);
    form.OpenConfigurationFile1Click();
    EXPECT_EQ(rig.Boxes.Texts(), (QStringList{NumberWarning, OpenedText}));
    EXPECT_EQ(count->currentText(), "6 Projectors");

    // Messages of the file functions.
    rig.Boxes.Clear();
    rig.Dialogs.Choose(rig.Directory.FilePath("missing.zvc"));
    form.OpenConfigurationFile1Click();
    rig.Dialogs.Choose(rig.Directory.FilePath("no-such-folder/x.zvc"));
    form.SaveConfigurationtoFile1Click();
    EXPECT_EQ(rig.Boxes.Texts(),
              (QStringList{"Error! Unable to open Configuration file. Check if file exist?",
                           "Error! Unable to create Configuration file. Check if disk is "
                           "write-protected"}));
}

} // namespace
} // namespace tarvel
