// The controls allocate nothing once initialised: this program counts every
// call of the global operator new while a scope is being watched.
#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "controls/CButtonClass.h"
#include "controls/CGuardedButton.h"
#include "controls/CGuardedCover.h"
#include "controls/CKnobClass.h"
#include "controls/CLever.h"
#include "controls/CLightClass.h"
#include "controls/CPanelDisplay.h"
#include "controls/CRotaryKnobClass.h"
#include "controls/CSwitchClass.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

TEST(Controls, NothingIsAllocatedAfterInitialise) {
    testsupport::TempDir dir;
    const std::string folder = dir.Path().string();
    ctl::WriteSlots(dir.Path(), "\\Buttons\\A", CButtonClass::kLegendSlotNames, 8, 10, 10);
    ctl::WriteSlots(dir.Path(), "\\Guards\\G", CGuardedButton::kSlotNames, 8, 3, 3);
    ctl::WriteSlots(dir.Path(), "\\Guards\\C", CGuardedCover::kSlotNames, 2, 10, 10);
    ctl::WriteSlots(dir.Path(), "\\Knobs\\K", CKnobClass::kPositionNames, 8, 30, 30);
    const char* const switches[3] = {"U.bmp", "M.bmp", "D.bmp"};
    ctl::WriteSlots(dir.Path(), "\\Switches\\", switches, 3, 10, 30);
    ctl::WriteSlots(dir.Path(), "\\RotaryKnobs\\", switches, 3, 20, 20);
    ctl::WriteSlots(dir.Path(), "\\Levers\\", switches, 3, 20, 30);
    ctl::WritePicture(dir.Path(), "\\Lights\\L\\On.bmp", 8, 8, ctl::SlotColour(0));
    ctl::WritePicture(dir.Path(), "\\Lights\\L\\Off.bmp", 8, 8, ctl::SlotColour(1));
    ctl::EnsureGlyphTable();

    ButtonSettings bs;
    bs.folder = folder.c_str();
    bs.controlFolder = "Buttons\\A";
    CButtonClass button;
    ASSERT_TRUE(button.Initialise(bs));

    GuardSettings gs;
    gs.folder = folder.c_str();
    gs.controlFolder = "Guards\\G";
    gs.button = bs;
    CGuardedButton guard;
    ASSERT_TRUE(guard.Initialise(gs));

    CoverSettings cs;
    cs.folder = folder.c_str();
    cs.controlFolder = "Guards\\C";
    CGuardedCover cover;
    ASSERT_TRUE(cover.Initialise(cs));

    KnobSettings ks;
    for (auto& p : ks.present)
        p = 1;
    ks.folder = folder.c_str();
    ks.controlFolder = "Knobs\\K";
    CKnobClass knob;
    ASSERT_TRUE(knob.Initialise(ks));

    SwitchSettings ss;
    ss.folder = folder.c_str();
    ss.switchType = 5;
    for (int i = 0; i < 3; ++i)
        ss.pictures[i] = switches[i];
    CSwitchClass sw;
    ASSERT_TRUE(sw.Initialise(ss));

    RotaryKnobSettings rs;
    rs.folder = folder.c_str();
    for (int i = 0; i < 3; ++i)
        rs.pictures[i] = switches[i];
    rs.maximum = 359;
    CRotaryKnobClass rotary;
    ASSERT_TRUE(rotary.Initialise(rs));

    LeverSettings ls;
    ls.folder = folder.c_str();
    for (int i = 0; i < 3; ++i) {
        ls.detents[i] = {1, switches[i], 0.0, 100.0, 33.0 * i, 33.0 * (i + 1)};
    }
    CLever lever;
    ASSERT_TRUE(lever.Initialise(ls));

    LightSettings lt;
    lt.folder = folder.c_str();
    lt.controlFolder = "Lights\\L";
    CLightClass light;
    ASSERT_TRUE(light.Initialise(lt));

    PanelDisplaySettings ds;
    ds.cellCount = 4;
    ds.folder = ctl::GlyphFolder().c_str();
    CPanelDisplay display;
    ASSERT_TRUE(display.Initialise(ds));

    CDC dc(100, 100, ctl::kBackground);
    const int codes[] = {0, 1, 1, 1, 0, 2, 2, 0, 3, 3, 4, 0, 1, 0, 5, 0};
    const char* const texts[] = {"12.5", "0800", "ODB-", "  1"};
    char flags[2];

    // The counter itself works.
    testsupport::StartCountingAllocations();
    std::string probe(100, 'x');
    ASSERT_EQ(testsupport::StopCountingAllocations(), 1);
    EXPECT_EQ(probe.size(), 100u);

    testsupport::StartCountingAllocations();
    for (int cycle = 0; cycle < 200; ++cycle) {
        MouseEvent e;
        e.code = codes[cycle % 16];
        ctl::MouseAt(cycle % 40, (cycle * 7) % 40);
        button.Update(&e, cycle & 1, cycle & 2, cycle & 4);
        button.SetPressed(cycle & 8);
        guard.Update(&e, true, false, false);
        cover.HandleMouse(&e);
        knob.HandleMouse(&e);
        sw.HandleMouse(&e);
        sw.WritePositionFlags(flags);
        sw.SetPositionFromFlags(flags);
        rotary.HandleMouseWrapped(&e);
        rotary.GetTurnDelta(&e);
        bool pulled = false, pushed = false;
        rotary.HandlePushPull(&e, pulled, pushed);
        lever.HandleMouse(&e);
        light.SetLightPowered(cycle & 1, cycle & 2, false);
        display.SetDisplay(texts[cycle % 4], &dc);
        display.SetDisplayPadded(texts[(cycle + 1) % 4], &dc);
        display.SetDisplayNumber("9", &dc, 7);  // a wrong cell, every time
        if (cycle % 10 == 0)
            display.ForgetCachedCharacters();

        button.Draw(&dc);
        guard.Draw(&dc);
        cover.Draw(&dc);
        knob.Draw(&dc);
        sw.Draw(&dc);
        rotary.DrawRotaryKnob(&dc);
        lever.Draw(&dc);
        light.DrawIfVisible(true, &dc);
    }
    EXPECT_EQ(testsupport::StopCountingAllocations(), 0);
}
