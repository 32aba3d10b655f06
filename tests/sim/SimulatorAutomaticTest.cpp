// Automatic operations keep a unit busy; the debug console answers until "debug 0".

#include "SimRig.h"

#include <gtest/gtest.h>

using namespace tarvel;
using namespace tarvel::testing;

TEST(SimulatorAutomatic, ControllerUnitIsUnreachableWhileBusyThenReportsNewValues) {
    SimOptions options = ControllerOptions();
    options.AutoMs = 100;
    SimRig rig(options);
    EXPECT_EQ(rig.Input(5, 2)["RedContrast"], 0);

    EXPECT_TRUE(rig.Send(Frame("*5RGBADJ!")).ends_with("\r\nOK\r\nLR>"));
    // Unit 1 drives projectors 1-4 of the six: 4 x 100 ms.
    rig.Wait(399);
    EXPECT_TRUE(rig.Send(Frame("*5 !")).ends_with("\r\n!ERR 4\r\nLR>"));
    EXPECT_TRUE(rig.Send(Frame("*5SYSAVE!")).ends_with("\r\n!ERR 4\r\nLR>"));
    EXPECT_TRUE(rig.Send("ZVQUERY *5IINFOZV 1!\r").ends_with("\r\n!ERR 4\r\nLR>"));
    EXPECT_TRUE(rig.Send(Frame("*7 !")).ends_with("\r\nOK\r\nLR>")); // the other unit is free
    EXPECT_EQ(rig.Send("\r"), "\r\nLR>");                            // and the controller too
    rig.Wait(1);
    EXPECT_TRUE(rig.Send(Frame("*5 !")).ends_with("\r\nOK\r\nLR>"));
    Fields two = rig.Input(5, 2);
    EXPECT_EQ(two["RedContrast"], 10);
    EXPECT_EQ(two["GreenContrast"], -5);
    EXPECT_EQ(two["BlueBrightness"], 10);
    EXPECT_EQ(rig.Input(7, 2)["RedContrast"], 0);

    // Unit 2 drives projectors 5 and 6: 2 x 100 ms.
    EXPECT_TRUE(rig.Send(Frame("*7AUTOPOS!")).ends_with("OK\r\nLR>"));
    rig.Wait(199);
    EXPECT_TRUE(rig.Send(Frame("*7 !")).ends_with("!ERR 4\r\nLR>"));
    rig.Wait(1);
    EXPECT_TRUE(rig.Send(Frame("*7 !")).ends_with("OK\r\nLR>"));
    Fields pos = rig.Input(7, 3);
    EXPECT_EQ(pos["HPosition"], 360);
    EXPECT_EQ(pos["VPosition"], 41);
}

TEST(SimulatorAutomatic, DirectUnitPromptsOnlyWhenTheOperationEnds) {
    SimOptions options; // one unit, three projectors
    options.AutoMs = 100;
    options.NoVideoScreens = {4};
    SimRig rig(options);
    const SimOutput start = rig.SendRaw("APHASE\r\r");
    ASSERT_EQ(start.Chunks.size(), 2u);
    EXPECT_EQ(start.Chunks[0], (SimChunk{rig.Now, "APHASE\r\n"}));
    EXPECT_EQ(start.Chunks[1], (SimChunk{rig.Now + 300, "OK\r\n#"}));

    rig.Wait(150);
    EXPECT_TRUE(rig.SendRaw("\r").Chunks.empty());       // busy: no prompt
    EXPECT_TRUE(rig.SendRaw("DDBL 1\r").Chunks.empty()); // nor any command
    rig.Wait(150);
    EXPECT_EQ(rig.Send("\r"), "\r\n#");
    EXPECT_EQ(rig.Output(0, 1)["DataDoubling"], 0); // ignored while busy
    EXPECT_EQ(rig.Input(0, 1)["Phase"], 19);
    EXPECT_EQ(rig.Input(0, 3)["Phase"], 25);
    EXPECT_EQ(rig.Input(0, 4)["Phase"], 16); // no signal, nothing to adjust
}

TEST(SimulatorAutomatic, AProjectorCountChangesTheDuration) {
    SimOptions options;
    options.AutoMs = 50;
    SimRig rig(options);
    rig.Send("PRJ 0 1\r");
    const SimOutput start = rig.SendRaw("RGBADJ\r\r");
    ASSERT_EQ(start.Chunks.size(), 2u);
    EXPECT_EQ(start.Chunks[1].AtMs, rig.Now + 50);
}

TEST(SimulatorAutomatic, ControllerDebugConsoleAnswersUntilDebugZero) {
    SimOptions options = ControllerOptions();
    options.DebugConsole = true;
    SimRig rig(options);
    EXPECT_EQ(rig.Send("\r"), "\r\nLR>");
    EXPECT_EQ(rig.Send("NZV\r"), "NZV\r\n2 5 7\r\nLR>");
    EXPECT_EQ(rig.Send(Frame("*5DDBL 1!")), "PASS *5DDBL 1!E7\r\n?\r\nDEBUG\r\nLR>");
    EXPECT_EQ(rig.Send("ZVQUERY *7SYINFOZV!\r"), "ZVQUERY *7SYINFOZV!\r\n?\r\nDEBUG\r\nLR>");
    EXPECT_EQ(rig.Send(Frame("*9DDBL 1!")).substr(18), "!ERR 4\r\nLR>"); // no unit there
    EXPECT_EQ(rig.Send("debug 0\r"), "debug 0\r\nOK\r\nLR>");
    EXPECT_EQ(rig.Send(Frame("*5DDBL 1!")), "PASS *5DDBL 1!E7\r\nOK\r\nLR>");
    EXPECT_EQ(rig.Output(5, 1)["DataDoubling"], 1);
    EXPECT_EQ(rig.Output(7, 1)["DataDoubling"], 0);
}

TEST(SimulatorAutomatic, DirectDebugConsoleGivesNoUnitPrompt) {
    SimOptions options;
    options.DebugConsole = true;
    SimRig rig(options);
    EXPECT_EQ(rig.Send("\r"), "\r\ndbg: ");
    EXPECT_EQ(rig.Send("DDBL 1\r"), "DDBL 1\r\n?\r\nDEBUG\r\ndbg: ");
    EXPECT_EQ(rig.Send("debug 0\r"), "debug 0\r\nOK\r\n#");
    EXPECT_EQ(rig.Send("DDBL 1\r"), "DDBL 1\r\nOK\r\n#");
    EXPECT_EQ(rig.Send("debug 1\r"), "debug 1\r\nOK\r\ndbg: ");
}
