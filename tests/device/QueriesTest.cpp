// The status queries and the read of a whole unit, against zelvar-sim and against a unit the
// test plays when it needs values the simulator does not report.

#include "LinkRig.h"
#include "PtyDevice.h"
#include "support/SimState.h"

#include "device/UnitQueries.h"

#include <array>
#include <cstring>

namespace tarvel::test {
namespace {

using Lines = std::vector<std::string>;

const QString ReadErrorCaption = QStringLiteral("Prendel - Tarvel :Error reading from Zelvar(s)");
const QString FormatWarning =
    QStringLiteral("Warning: Current Output Format and Input Format does not match (no valid "
                   "input video?). Tarvel may not function properly.");
const QString NoUnitAnswerText =
    QStringLiteral("Error! Controller did not get response from Zelvar(s). Please check "
                   "connections and Zelvar(s) Serial Mode settings.");

TEST(QueriesTest, TwoUnitsBehindAControllerFillTheModelWithExactlyTheirState) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--addresses", "5,7"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    EXPECT_EQ(rig.Link.Queries().QueryUnitCount(rig.Model), 2);
    EXPECT_EQ(rig.Model.System.ControllerUnitCount, 2);
    EXPECT_EQ(rig.Model.System.UnitId, (std::array<std::int32_t, 2>{5, 7}));
    EXPECT_EQ(rig.Link.UnitAddressText(1), "5");
    EXPECT_EQ(rig.Link.UnitAddressText(2), "7");
    EXPECT_EQ(rig.View.AddressTexts, (std::array<QString, 2>{"5", "7"}));
    EXPECT_EQ(rig.View.AddressVisible, (std::array<bool, 2>{true, true}));

    EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 1), 1);
    EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 2), 1);

    Lines expected = {"debug 0", "NZV"};
    for (const char* address : {"5", "7"}) {
        const std::string unit = std::string("*") + address;
        expected.push_back(unit + "SYINFOZV!");
        for (const char* query : {"IINFOZV", "OINFOZV"}) {
            for (int channel = 1; channel <= 4; ++channel) {
                expected.push_back(unit + query + " " + std::to_string(channel) + "!");
            }
        }
    }
    EXPECT_EQ(sim.Log(), expected);

    // The new output layout carries the gamma widths, not the halo fields: those keep the
    // model's values.
    ChannelSettings state = test::ReadSimState(sim.StatePath());
    for (auto& block : state.Outputs) {
        for (OutputSettings& record : block) {
            record.LeftHaloWidth = record.LeftHaloOffset = 0;
            record.RightHaloWidth = record.RightHaloOffset = 0;
        }
    }
    for (int unit = 1; unit <= 2; ++unit) {
        for (int channel = 1; channel <= 4; ++channel) {
            SCOPED_TRACE(testing::Message() << "unit " << unit << " channel " << channel);
            EXPECT_TRUE(rig.Model.Channels.Input(unit, channel) == state.Input(unit, channel));
            EXPECT_TRUE(rig.Model.Channels.Output(unit, channel) == state.Output(unit, channel));
        }
    }
    EXPECT_EQ(rig.Model.Channels.Input(2, 3).HPositionLimit, 720);
    EXPECT_EQ(rig.Model.Channels.UnitOutput(2).TotalProjectors, 6);
    EXPECT_EQ(rig.Model.Channels.UnitOutput(2).ProjectorGroup, 1);
    EXPECT_EQ(rig.Model.Channels.Output(1, 1).FeatherCurve, 'S');
    EXPECT_EQ(rig.Model.System.OutputReplyKind, 'B');
    const UnitInfo info{'Z', 'V', '1', '.', '0', '8', 0, 0};
    EXPECT_EQ(rig.Model.System.UnitInfos[0], info);
    EXPECT_EQ(rig.Model.System.UnitInfos[1], info);

    EXPECT_TRUE(rig.Model.System.ReadValid);
    EXPECT_EQ(rig.Model.System.UnitOutputResH, 1280);
    EXPECT_EQ(rig.Model.System.UnitOutputResV, 1024);
    EXPECT_EQ(rig.View.VersionText, "1.08");
    EXPECT_TRUE(rig.View.Boxes.Calls().empty()) << "format 3 with 1280 active pixels: no warning";
    const QStringList oneRead = {"show:Tarvel querying Zelvar(s). Please wait....",
                                 "dots:",
                                 "dots:.",
                                 "dots:..",
                                 "dots:...",
                                 "dots:....",
                                 "hide"};
    EXPECT_EQ(rig.View.Progress, oneRead + oneRead);
}

TEST(QueriesTest, DecliningAnUnreadableChannelStopsTheReadWithItsCode) {
    {
        // Commands: debug 0, SYINFOZV, IINFOZV 1, 2, 3 (fails), ...
        Sim sim;
        ASSERT_TRUE(sim.Start({"--mode", "controller", "--error-every", "5,4"}));
        PortsOverride ports({sim.Path()});
        LinkRig rig;
        ASSERT_TRUE(ConnectController(rig));

        rig.View.Boxes.Answer(false);
        EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 1), -4);
        ASSERT_EQ(rig.View.Boxes.Calls().size(), 2u);
        EXPECT_EQ(rig.View.Boxes.Calls()[0].Text, NoUnitAnswerText);
        EXPECT_EQ(rig.View.Boxes.Calls()[1].Kind, MessageKind::YesNo);
        EXPECT_EQ(rig.View.Boxes.Calls()[1].Caption, ReadErrorCaption);
        EXPECT_EQ(rig.View.Boxes.Calls()[1].Text,
                  "Tarvel unable to read Input Status on Screen 3. Do you still wish to "
                  "continue? Click Yes to continue (NOTE: Tarvel settings on Screen 3 will be "
                  "invalid)");
        EXPECT_EQ(sim.Log(),
                  Lines({"debug 0", "*1SYINFOZV!", "*1IINFOZV 1!", "*1IINFOZV 2!", "*1IINFOZV 3!"}))
            << "no output status read";
        EXPECT_EQ(rig.View.Progress, QStringList({"show:Tarvel querying Zelvar(s). Please wait....",
                                                  "dots:", "dots:.", "dots:..", "hide"}));
        EXPECT_FALSE(rig.Model.System.ReadValid);
        EXPECT_EQ(rig.Model.Channels.Input(1, 3), InputSettings{}) << "left as it was";

        // Yes goes on; this time channel 4 fails (command 10).
        rig.View.Boxes.Clear();
        rig.View.Boxes.Answer(true);
        EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 1), 1);
        EXPECT_EQ(rig.View.Boxes.Texts(),
                  QStringList({NoUnitAnswerText,
                               "Tarvel unable to read Input Status on Screen 4. Do you still "
                               "wish to continue? Click Yes to continue (NOTE: Tarvel settings "
                               "on Screen 4 will be invalid)"}));
        EXPECT_TRUE(rig.Model.System.ReadValid);
    }
    // Commands: debug 0, SYINFOZV, IINFOZV 1..4, OINFOZV 1, 2 (fails).
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--error-every", "8,4"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));
    rig.View.Boxes.Answer(false);
    EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 1), -7);
    EXPECT_EQ(rig.View.Boxes.Texts().last(),
              "Tarvel unable to read Output Status on Screen 2. Do you still wish to continue? "
              "Click Yes to continue (NOTE: Tarvel settings on Screen 2 will be invalid)");
    EXPECT_EQ(rig.View.Progress.last(), "hide");
}

// A direct unit played by the test, reporting a chosen output format and active width.
class PlayedUnit {
public:
    PlayedUnit(std::uint8_t format, std::int32_t hActive) {
        device_.OnLine([this, format, hActive](const QByteArray& line) {
            if (line.isEmpty()) {
                device_.Write("\r\n#");
            } else if (line == "SYINFOZV") {
                device_.Write(QByteArray("\x01\x08ZV2.00\0\0\r\n#", 13));
            } else if (line.startsWith("IINFOZV ")) {
                QByteArray block(2 + 78, '\0');
                block[0] = 0x01;
                block[1] = 'N';
                block[2] = 1; // video loaded
                block[3] = 1; // locked
                PutBE32(block, 2 + 28, hActive);
                PutBE32(block, 2 + 70, -1);
                PutBE32(block, 2 + 74, -1);
                device_.Write(block + "\r\n#");
            } else if (line.startsWith("OINFOZV ")) {
                QByteArray block(2 + 66, '\0');
                block[0] = 0x01;
                block[1] = 'B';
                block[2] = static_cast<char>(format);
                device_.Write(block + "\r\n#");
            }
        });
    }
    bool Ok() const { return device_.Ok(); }
    QString Path() const { return device_.Path(); }

private:
    static void PutBE32(QByteArray& bytes, int at, std::int32_t value) {
        const auto v = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
        }
    }

    PtyDevice device_;
};

TEST(QueriesTest, TheFormatWarningComparesUnit1Channel1WithItsOutputFormat) {
    struct Case {
        std::uint8_t Format;
        std::int32_t HActive;
        bool Warns;
        std::int32_t ResH, ResV;
    };
    const Case cases[] = {
        {1, 800, false, 800, 600},   {1, 1024, true, 800, 600}, {0, 640, false, 640, 480},
        {2, 1024, false, 1024, 768}, {3, 0, true, 1280, 1024},  {4, 0, false, 1000, 700},
        {5, 1234, false, 1000, 700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << int(c.Format) << ", " << c.HActive);
        PlayedUnit unit(c.Format, c.HActive);
        ASSERT_TRUE(unit.Ok());
        PortsOverride ports({unit.Path()});
        LinkRig rig;
        rig.Model.System.UnitOutputResH = 1000;
        rig.Model.System.UnitOutputResV = 700;
        ASSERT_TRUE(ConnectDirect(rig));

        EXPECT_EQ(rig.Link.Queries().QueryUnit(rig.Model, 1), 1);
        EXPECT_EQ(rig.View.Boxes.Texts(), c.Warns ? QStringList({FormatWarning}) : QStringList());
        EXPECT_EQ(rig.Model.System.UnitOutputResH, c.ResH);
        EXPECT_EQ(rig.Model.System.UnitOutputResV, c.ResV);
        EXPECT_EQ(rig.View.VersionText, "2.00");
        EXPECT_EQ(rig.Model.Channels.Input(1, 2).HPositionLimit, -1);
    }
}

// A controller played by the test, answering the unit count query as told.
TEST(QueriesTest, UnitCountRepliesWithoutUnitsOrWithoutDigitsGiveZero) {
    QByteArray answer;
    PtyDevice device;
    ASSERT_TRUE(device.Ok());
    device.OnLine([&](const QByteArray& line) {
        if (line.isEmpty() || line == "debug 0") {
            device.Write(line + "\r\nLR>");
        } else if (line == "NZV") {
            device.Write("NZV\r\n" + answer + "\r\nLR>");
        }
    });
    PortsOverride ports({device.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectController(rig));

    answer = "ZV: 2 5 7";
    EXPECT_EQ(rig.Link.Queries().QueryUnitCount(rig.Model), 2);
    EXPECT_EQ(rig.View.AddressVisible, (std::array<bool, 2>{true, true}));

    answer = "0 0 0";
    EXPECT_EQ(rig.Link.Queries().QueryUnitCount(rig.Model), 0);
    EXPECT_EQ(rig.View.Boxes.Texts(),
              QStringList({"No Zelvar(s) connected to Controllers. Check cables and try again."}));
    EXPECT_EQ(rig.View.AddressVisible, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(rig.Link.UnitAddressText(2), "7") << "the last addresses stay";
    EXPECT_EQ(rig.Link.UnitAddress(2), 7);

    answer = "no units here";
    rig.View.StatusTexts.clear();
    EXPECT_EQ(rig.Link.Queries().QueryUnitCount(rig.Model), 0);
    EXPECT_EQ(rig.View.StatusTexts,
              QStringList({"Error detecting # of Zelvar(s) from Controller"}));

    answer = "2 9"; // a second unit without its address
    rig.View.StatusTexts.clear();
    EXPECT_EQ(rig.Link.Queries().QueryUnitCount(rig.Model), 0);
    EXPECT_EQ(rig.Link.UnitAddressText(1), "5") << "no address taken from it";
    EXPECT_EQ(rig.View.StatusTexts,
              QStringList({"Error detecting # of Zelvar(s) from Controller"}));
    EXPECT_EQ(rig.View.Boxes.Calls().size(), 1u);
}

} // namespace
} // namespace tarvel::test
