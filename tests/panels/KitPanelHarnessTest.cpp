// One harness over every catalogued kit panel: each panel is driven the way
// the trainee and the host drive it, and checked against the table below,
// which states each panel's numbers as the panel documentation gives them
// (block starts, the output field of every control, light bytes, lamp test,
// preset requests). A wrong entry in a panel's rows shows up as a click that
// changes the wrong byte, a light that stays dark, or a preset that does not
// hold.
#include <gtest/gtest.h>

#include <algorithm>

#include <memory>
#include <string>
#include <vector>

#include "KitPanelDriver.h"
#include "panels/CA320AirPanel.h"
#include "panels/CA320CargoHeat.h"
#include "panels/CA320CargoSmoke.h"
#include "panels/CA320_AiPanel.h"
#include "panels/CA320_Calls.h"
#include "panels/CA320_ElectricalPanel.h"
#include "panels/CA320_EvacPanel.h"
#include "panels/CA320_FirePanel.h"
#include "panels/CA320_FltCtlsLeft.h"
#include "panels/CA320_FltCtlsRight.h"
#include "panels/CA320_FuelPanel.h"
#include "panels/CA320_RcdrPanel.h"
#include "panels/CA330_EfisDmc.h"
#include "panels/CEmrPwrPanel.h"
#include "panels/CGpwsPanel.h"
#include "panels/CHydPanelPanel.h"
#include "panels/CManEngPanel.h"
#include "panels/COxygenPanel.h"
#include "panels/CParkBrakePanel.h"
#include "panels/CVentilationPanel.h"
#include "panels/PanelCatalog.h"

namespace {

using kitart::Driver;

constexpr int kNo = -1;

struct Field {
    int at;
    int width;        // bytes
    int oneAt = kNo;  // a switch published as 1 while at this position
};

struct Preset {
    int request;          // input byte, or kNo: SetAllOn only
    const char* buttons;  // per button: 'I' in, 'O' out, '.' kept
    const char* switches = "";
    bool allOn = true;    // SetAllOn applies it
    bool atOnce = false;  // SetAllOn writes the bytes at once
};

struct Expected {
    const char* name;
    int number;
    int side;
    std::unique_ptr<CKitPanel> (*make)();
    bool typeDependent;
    int out, in;               // A320 region
    int out330, in330;         // A330 region (type-dependent panels)
    std::vector<int> buttons;  // output byte per button
    std::vector<int> tops;     // top light byte per button (bottom = top + 1); kNo: none
    std::vector<Field> switches;
    std::vector<Field> knobs;
    int lamp;
    std::vector<Preset> presets;
    // Per button: '.' clickable, 'H' held in (publishes 1 whatever is
    // clicked), 'X' drawn and clickable only in the A330 layout.
    const char* buttonKinds = "";
    const char* knobKinds = "";
    bool followsRemoteHold = true;
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.name;
}

template <typename Panel>
std::unique_ptr<CKitPanel> Make() {
    return std::make_unique<Panel>();
}
template <int Side>
std::unique_ptr<CKitPanel> MakeEfisDmc() {
    return std::make_unique<CA330_EfisDmc>(Side);
}

std::vector<int> Run(int from, int count, int step = 1) {
    std::vector<int> v;
    for (int i = 0; i < count; ++i)
        v.push_back(from + step * i);
    return v;
}

const std::vector<Expected>& Table() {
    // clang-format off
    static const std::vector<Expected> table = {
        {"Electrical", 0, 0, Make<CA320_ElectricalPanel>, false, 129952, 129136, kNo, kNo,
         Run(3, 11), Run(8, 11, 2), {}, {}, 30,
         {{32, "IIIIIIIIIII", "", true, true}, {31, "OO...IIII.O", "", false}}},
        {"ParkBrake", 10, 0, Make<CParkBrakePanel>, true, 130552, kNo, 75957, kNo, {}, {},
         {{3, 1, 2}, {4, 1, 2}}, {}, kNo, {{kNo, "", "2."}}},
        {"Fuel", 12, 0, Make<CA320_FuelPanel>, false, 130155, 129372, kNo, kNo, Run(0, 8),
         Run(0, 8, 2), {}, {}, 20, {{22, "IIIIII.."}}},
        {"Air", 13, 0, Make<CA320AirPanel>, false, 130172, 129409, kNo, kNo, Run(3, 7),
         Run(0, 7, 2), {}, {{12, 4}, {16, 4}, {20, 4}, {24, 4}, {28, 4}}, 14,
         {{kNo, "IIIIOOI", "", true, true}}},
        {"Hydraulic", 14, 0, Make<CHydPanelPanel>, false, 130163, 129396, kNo, kNo,
         {3, 4, 5, 6, 7, 8}, {0, 2, 4, 6, 8, kNo}, {}, {}, 10, {{12, "IIII.."}}},
        {"Fire", 15, 0, Make<CA320_FirePanel>, false, 130115, 129318, kNo, kNo, Run(3, 11),
         Run(0, 11, 2), {}, {}, 22, {}},
        {"FltCtlsLeft", 17, 0, Make<CA320_FltCtlsLeft>, false, 130085, 129267, kNo, kNo,
         Run(3, 3), Run(0, 3, 2), {}, {}, 6, {{8, "III"}}},
        {"EmergencyPower", 28, 0, Make<CEmrPwrPanel>, true, 130078, 129256, 75553, 74741,
         Run(3, 4), {0, kNo, kNo, 6}, {}, {}, 8, {{10, "O..I"}}},
        {"Ventilation", 29, 0, Make<CVentilationPanel>, true, 130204, 129426, 75567, 74763,
         Run(3, 4), Run(0, 4, 2), {}, {}, 8, {{10, ".OOI"}}, "..X."},
        {"CargoSmoke", 30, 0, Make<CA320CargoSmoke>, false, 130228, 129450, kNo, kNo, Run(3, 5),
         Run(0, 5, 2), {}, {}, 10, {}},
        {"ManualEngineStart", 32, 0, Make<CManEngPanel>, true, 130148, 129358, 75574, 74784,
         Run(3, 4), Run(1, 4, 2), {}, {}, 9, {{11, "OO.."}}},
        {"FltCtlsRight", 33, 0, Make<CA320_FltCtlsRight>, false, 130091, 129276, kNo, kNo,
         Run(0, 4), Run(0, 4, 2), {}, {}, 8, {{10, "IIII"}}},
        {"CargoHeat", 34, 0, Make<CA320CargoHeat>, false, 130212, 129437, kNo, kNo, Run(3, 4),
         Run(2, 4, 2), {}, {{8, 4}, {12, 4}}, 10, {{12, "I.II"}}},
        {"Oxygen", 35, 0, Make<COxygenPanel>, true, 130101, 129296, 75604, 74807, Run(3, 4),
         {0, kNo, 4, 6}, {}, {}, 8, {}, "X.H."},
        // EFIS display control: the reset button's press inverts byte 3.
        {"EfisDmcLeft", 43, 0, MakeEfisDmc<0>, true, 130524, 129940, 75908, 75308, Run(3, 4),
         {kNo, kNo, kNo, 0}, {}, {{7, 1}}, kNo, {}, "", "X", false},
        {"EfisDmcRight", 44, 1, MakeEfisDmc<1>, true, 130532, 129942, 75916, 75310, Run(3, 4),
         {kNo, kNo, kNo, 0}, {}, {{7, 1}}, kNo, {}, "", "X", false},
        {"Gpws", 45, 0, Make<CGpwsPanel>, false, 130064, 129238, kNo, kNo, Run(3, 5),
         Run(0, 5, 2), {}, {}, 10, {{12, "IIOOO"}}},
        {"Calls", 46, 0, Make<CA320_Calls>, false, 130108, 129307, kNo, kNo, Run(3, 4),
         {0, kNo, kNo, kNo}, {}, {}, 8, {}},
        {"Evacuation", 47, 0, Make<CA320_EvacPanel>, false, 130072, 129251, kNo, kNo, {3, 5},
         {0, kNo}, {{4, 1, 0}}, {}, 2, {{4, "I."}}},
        {"Recorder", 48, 0, Make<CA320_RcdrPanel>, false, 130095, 129287, kNo, kNo, Run(3, 3),
         Run(0, 3, 2), {}, {}, 6, {{8, "III"}}},
        {"AntiIce", 49, 0, Make<CA320_AiPanel>, false, 130132, 129343, kNo, kNo, Run(3, 6),
         Run(0, 6, 2), {{9, 2}}, {{12, 4}}, 12, {}},
    };
    // clang-format on
    return table;
}

char KindOf(const char* kinds, std::size_t i) {
    return i < std::char_traits<char>::length(kinds) ? kinds[i] : '.';
}

// The bytes that differ between two segment images.
std::vector<int> Changed(const std::vector<std::uint8_t>& before,
                         const std::vector<std::uint8_t>& after) {
    std::vector<int> changed;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i])
            changed.push_back(static_cast<int>(i));
    return changed;
}

// Every changed byte lies in [at, at + width) of the output block, and at
// least one changed.
::testing::AssertionResult OnlyIn(const std::vector<int>& changed, int block, const Field& f) {
    if (changed.empty())
        return ::testing::AssertionFailure() << "nothing changed";
    for (int offset : changed) {
        if (offset < block + f.at || offset >= block + f.at + f.width)
            return ::testing::AssertionFailure()
                   << "byte " << offset << " (output +" << offset - block << ") changed";
    }
    return ::testing::AssertionSuccess();
}

CPoint SwitchPoint(const CRect& r, int type, int position) {
    const bool horizontal = type == 3 || type == 4 || type == 6;
    const int parts = (type == 2 || type == 4) ? 2 : 3;
    const int slot = parts == 2 ? (position == 0 ? 0 : 1) : position;
    const int along = (2 * slot + 1) * (horizontal ? r.Width() : r.Height()) / (2 * parts);
    return horizontal ? CPoint(r.left + along, (r.top + r.bottom) / 2)
                      : CPoint((r.left + r.right) / 2, r.top + along);
}

class KitPanelHarness : public ::testing::TestWithParam<Expected> {
  protected:
    void SetUp() override {
        panel = GetParam().make();
        driver = std::make_unique<Driver>(*panel);
        ASSERT_TRUE(driver->initialised) << panel->GetErrorText();
        if (auto* manual = dynamic_cast<CManEngPanel*>(panel.get()))
            manual->SetMode(CManEngPanel::kN1Mode);  // all four buttons in use
        driver->Idle();
    }
    void TearDown() override {
        driver.reset();
        panel.reset();
    }
    const kit::PanelDescription& Description() const { return panel->Description(); }
    CRect ButtonRect(std::size_t i) const { return panel->Buttons()[i].GetRect(); }
    void OpenCovers() {
        for (CGuardedCover& cover : panel->Covers())
            if (cover.IsClosed())
                driver->Click(Driver::Centre(cover.GetRect()), MouseEvent::kRightPress);
    }
    std::string ButtonPicture(std::size_t i, const char* legendIn, const char* legendOut,
                              const char* onIn, const char* onOut) const {
        const CButtonClass& b = panel->Buttons()[i];
        const char* slot = b.HasOnOffSet() ? (b.IsPressed() ? onIn : onOut)
                                           : (b.IsPressed() ? legendIn : legendOut);
        return std::string(Description().buttons[i].picture) + "\\" + slot + ".bmp";
    }

    std::unique_ptr<CKitPanel> panel;
    std::unique_ptr<Driver> driver;
};

TEST_P(KitPanelHarness, UsesItsBlocksAndChoosesTheRegionByAircraftType) {
    const Expected& e = GetParam();
    EXPECT_EQ(panel->OutBlock(), static_cast<std::uint32_t>(e.out));
    EXPECT_EQ(panel->InBlock(), e.in == kNo ? kit::kNone : static_cast<std::uint32_t>(e.in));
    EXPECT_EQ(Description().typeDependent, e.typeDependent);
    EXPECT_EQ(panel->Buttons().size(), e.buttons.size());
    EXPECT_EQ(panel->Switches().size(), e.switches.size());
    EXPECT_EQ(panel->Knobs().size(), e.knobs.size());

    auto a318 = e.make();
    Driver fit(*a318, 14);
    if (e.typeDependent) {
        EXPECT_FALSE(fit.initialised);
        EXPECT_EQ(std::string(a318->GetErrorText()),
                  std::string(Description().className) + "::Initialise --> Incorrect aircraft fit");
        auto a330 = e.make();
        Driver wide(*a330, 8);
        ASSERT_TRUE(wide.initialised) << a330->GetErrorText();
        EXPECT_EQ(a330->OutBlock(), static_cast<std::uint32_t>(e.out330));
        EXPECT_FALSE(a330->IsA320Layout());
    } else {
        EXPECT_TRUE(fit.initialised) << "an A320-only panel does not look at the type";
        EXPECT_EQ(a318->OutBlock(), static_cast<std::uint32_t>(e.out));
    }
    auto code10 = e.make();
    Driver a320(*code10, 10);
    ASSERT_TRUE(a320.initialised) << code10->GetErrorText();
    EXPECT_EQ(code10->OutBlock(), static_cast<std::uint32_t>(e.out));
    EXPECT_TRUE(code10->IsA320Layout());
}

TEST_P(KitPanelHarness, EachClickChangesOnlyItsOwnField) {
    const Expected& e = GetParam();
    // Opening a cover changes no byte: the button under it is still out.
    for (std::size_t c = 0; c < panel->Covers().size(); ++c) {
        const auto before = driver->segment;
        const CPoint at = Driver::Centre(panel->Covers()[c].GetRect());
        driver->Click(at, MouseEvent::kRightPress);
        driver->Idle();
        EXPECT_FALSE(panel->Covers()[c].IsClosed()) << "cover " << c;
        EXPECT_TRUE(Changed(before, driver->segment).empty()) << "cover " << c;
    }
    for (std::size_t i = 0; i < e.buttons.size(); ++i) {
        const CPoint at = Driver::Centre(ButtonRect(i));
        driver->Update(at, MouseEvent::kNone);
        const auto before = driver->segment;
        driver->Update(at, MouseEvent::kLeftPress);
        const auto changed = Changed(before, driver->segment);
        const char kind = KindOf(e.buttonKinds, i);
        if (kind == 'H' || kind == 'X') {
            EXPECT_TRUE(changed.empty()) << "button " << i << " takes no click here";
            if (kind == 'H') {
                EXPECT_EQ(driver->Out(e.buttons[i]), 1) << "held button " << i;
            }
        } else {
            EXPECT_TRUE(OnlyIn(changed, e.out, {e.buttons[i], 1})) << "button " << i;
        }
        driver->Update(at, MouseEvent::kNone);
        driver->Idle();
    }
    for (std::size_t s = 0; s < e.switches.size(); ++s) {
        CSwitchClass& sw = panel->Switches()[s];
        const int target = sw.GetPosition() == 0 ? 2 : 0;
        const auto before = driver->segment;
        driver->Click(SwitchPoint(sw.GetRect(), sw.GetSwitchType(), target));
        EXPECT_EQ(sw.GetPosition(), target) << "switch " << s;
        EXPECT_TRUE(OnlyIn(Changed(before, driver->segment), e.out, e.switches[s]))
            << "switch " << s;
    }
    for (std::size_t k = 0; k < e.knobs.size(); ++k) {
        CKnobClass& knob = panel->Knobs()[k];
        const int from = knob.GetKnobPosition();
        const int to = Description().knobs[k].present[0] - '0' == from
                           ? Description().knobs[k].present[1] - '0'
                           : Description().knobs[k].present[0] - '0';
        const CRect zone = knob.GetZone(to);
        const CRect r = knob.GetRect();
        const auto before = driver->segment;
        driver->Click(
            CPoint(r.left + (zone.left + zone.right) / 2, r.top + (zone.top + zone.bottom) / 2));
        if (KindOf(e.knobKinds, k) == 'X') {
            EXPECT_EQ(knob.GetKnobPosition(), from) << "knob " << k << " takes no click here";
            continue;
        }
        EXPECT_EQ(knob.GetKnobPosition(), to) << "knob " << k;
        EXPECT_TRUE(OnlyIn(Changed(before, driver->segment), e.out, e.knobs[k])) << "knob " << k;
    }
}

TEST_P(KitPanelHarness, LightBytesAndTheLampTestLightEveryLight) {
    const Expected& e = GetParam();
    OpenCovers();
    driver->Idle();
    auto shows = [&](std::size_t i, const char* in, const char* out, const char* onIn,
                     const char* onOut) {
        const std::string picture = ButtonPicture(i, in, out, onIn, onOut);
        return driver->Pixel(Driver::Centre(ButtonRect(i))) == kitart::Art().Colour(picture);
    };
    for (std::size_t i = 0; i < e.buttons.size(); ++i) {
        if (!kit::DrawnIn(Description().buttons[i].drawn, true))
            continue;
        EXPECT_TRUE(shows(i, "NoneIn", "NoneOut", "OffIn", "OffOut")) << "button " << i << " unlit";
        if (e.tops[i] == kNo)
            continue;
        driver->SetIn(e.tops[i], 1);
        driver->Idle();
        EXPECT_TRUE(shows(i, "TopIn", "TopOut", "OnIn", "OnOut")) << "top light of " << i;
        driver->SetIn(e.tops[i], 0);
        driver->SetIn(e.tops[i] + 1, 1);
        driver->Idle();
        EXPECT_TRUE(shows(i, "BotIn", "BotOut", "OffIn", "OffOut")) << "bottom light of " << i;
        driver->SetIn(e.tops[i] + 1, 0);
        driver->Idle();
    }
    if (e.lamp == kNo)
        return;
    driver->SetIn(e.lamp, 1);
    driver->Idle();
    for (std::size_t i = 0; i < e.buttons.size(); ++i) {
        if (kit::DrawnIn(Description().buttons[i].drawn, true)) {
            EXPECT_TRUE(shows(i, "BothIn", "BothOut", "OnIn", "OnOut"))
                << "lamp test, button " << i;
        }
    }
    for (std::size_t l = 0; l < panel->Lights().size(); ++l) {
        const std::string on = std::string(Description().lights[l].picture) + "\\On.bmp";
        EXPECT_EQ(driver->Pixel(Driver::Centre(panel->Lights()[l].GetRect())),
                  kitart::Art().Colour(on))
            << "lamp test, light " << l;
    }
}

TEST_P(KitPanelHarness, PresetsForceTheirStateAndWinOverClicks) {
    const Expected& e = GetParam();
    OpenCovers();
    auto check = [&](const Preset& preset, const char* when) {
        for (std::size_t i = 0; i < e.buttons.size(); ++i) {
            const char a = KindOf(preset.buttons, i);
            if (a == 'I' || a == 'O') {
                EXPECT_EQ(driver->Out(e.buttons[i]), a == 'I' ? 1 : 0) << when << ", button " << i;
            }
        }
        for (std::size_t s = 0; s < e.switches.size(); ++s) {
            const char a = KindOf(preset.switches, s);
            if (a >= '0' && a <= '2' && e.switches[s].oneAt != kNo) {
                EXPECT_EQ(driver->Out(e.switches[s].at), a - '0' == e.switches[s].oneAt ? 1 : 0)
                    << when << ", switch " << s;
            }
        }
    };
    for (const Preset& preset : e.presets) {
        if (preset.allOn) {
            // Every other state first, so that the preset has to move them.
            for (std::size_t i = 0; i < e.buttons.size(); ++i)
                panel->Buttons()[i].SetPressed(KindOf(preset.buttons, i) != 'I');
            for (CSwitchClass& sw : panel->Switches())
                sw.SetPosition(0);
            panel->SetAllOn();
            // Written at once, or at the next update (a momentary button
            // springs out again at the update after).
            if (!preset.atOnce)
                driver->Idle(1);
            check(preset, "SetAllOn");
        }
        if (preset.request == kNo)
            continue;
        driver->SetIn(preset.request, 1);
        for (std::size_t i = 0; i < e.buttons.size(); ++i) {
            const CPoint at = Driver::Centre(ButtonRect(i));
            for (int code : {MouseEvent::kNone, MouseEvent::kLeftPress, MouseEvent::kNone}) {
                driver->Update(at, code);
                check(preset, "request held, clicking");
            }
        }
        driver->SetIn(preset.request, 0);
    }
}

TEST_P(KitPanelHarness, RemoteHoldFollowsTheOutputBlock) {
    const Expected& e = GetParam();
    OpenCovers();
    panel->SetRemoteHold(true);
    for (int state : {1, 0}) {
        for (int at : e.buttons)
            driver->SetOut(at, static_cast<std::uint8_t>(state));
        for (const Field& f : e.switches) {
            if (f.oneAt != kNo) {
                driver->SetOut(f.at, static_cast<std::uint8_t>(state));
            } else {  // position flags: (1, 0) up, (0, 1) down
                driver->SetOut(f.at, static_cast<std::uint8_t>(state));
                driver->SetOut(f.at + 1, static_cast<std::uint8_t>(1 - state));
            }
        }
        for (const Field& f : e.knobs)
            driver->SetOut(f.at, static_cast<std::uint8_t>(state));  // positions 1, then 0
        const auto before = driver->segment;
        for (std::size_t i = 0; i < e.buttons.size(); ++i)
            driver->Click(Driver::Centre(ButtonRect(i)));
        driver->Idle(1);
        if (!e.followsRemoteHold) {
            EXPECT_FALSE(Changed(before, driver->segment).empty()) << "still takes clicks";
            return;
        }
        EXPECT_TRUE(Changed(before, driver->segment).empty()) << "clicks change nothing";
        for (std::size_t i = 0; i < e.buttons.size(); ++i)
            EXPECT_EQ(panel->Buttons()[i].IsPressed(), state == 1) << "button " << i;
        for (std::size_t s = 0; s < e.switches.size(); ++s) {
            const Field& f = e.switches[s];
            const int expected = f.oneAt == kNo ? (state == 1 ? 0 : 2)
                                 : state == 1   ? f.oneAt
                                                : (f.oneAt == 0 ? 2 : 0);
            EXPECT_EQ(panel->Switches()[s].GetPosition(), expected) << "switch " << s;
        }
        for (std::size_t k = 0; k < e.knobs.size(); ++k)
            EXPECT_EQ(panel->Knobs()[k].GetKnobPosition(), state) << "knob " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKitPanel, KitPanelHarness, ::testing::ValuesIn(Table()),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return std::string(info.param.name);
                         });

TEST(KitPanelCatalog, HoldsEveryPanelOfTheTableOnce) {
    std::vector<std::pair<int, int>> catalogued;
    for (const panels::CatalogEntry& entry : panels::KitCatalog())
        catalogued.emplace_back(entry.number, entry.side);
    // Panels whose rules go beyond the pattern (keypads, levers and trims,
    // radios) are driven by their own tests instead of this table.
    std::vector<std::pair<int, int>> tabled = {
        {2, 0},  {3, 0},  {6, 0},  {7, 0},  {11, 0}, {19, 0}, {21, 0}, {22, 1}, {24, 0}, {25, 0},
        {27, 0}, {31, 0}, {36, 0}, {37, 0}, {38, 1}, {39, 2}, {40, 0}, {41, 1}, {42, 2},
    };
    for (const Expected& e : Table()) {
        tabled.emplace_back(e.number, e.side);
        auto made = e.make();
        for (const panels::CatalogEntry& entry : panels::KitCatalog())
            if (entry.number == e.number && entry.side == e.side) {
                EXPECT_EQ(entry.desc, &made->Description()) << e.name;
            }
    }
    std::sort(catalogued.begin(), catalogued.end());
    std::sort(tabled.begin(), tabled.end());
    EXPECT_EQ(catalogued, tabled);
}

}  // namespace
