// The MCDU: keys and their codes, the scratch pad, the CLR handshake, the
// annunciators, the host's message, the log lines, and the screen by pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PanelArt.h"
#include "controls/CPanelMouse.h"
#include "display/CBaseDisplay.h"
#include "log/LogFileClass.h"
#include "platform/CDC.h"
#include "support/TestSupport.h"
#include "units/CMcduPanel.h"

namespace {

// The A320 blocks of MCDU 0 and 1.
constexpr std::uint32_t kKeyBlock[2] = {130824, 130824 + 88};
constexpr std::uint32_t kPageBlock[2] = {126736, 126736 + 700};

constexpr CPoint kLsk[12] = {{14, 68},  {14, 91},  {14, 112},  {14, 136},  {14, 158},  {14, 179},
                             {278, 70}, {278, 91}, {278, 115}, {278, 137}, {278, 158}, {278, 179}};
constexpr CPoint kArrowUp{87, 307};
constexpr CPoint kArrowDown{87, 335};
constexpr CPoint kArrowLeft{47, 307};
constexpr CPoint kArrowRight{47, 335};
constexpr CPoint kClr{254, 450};
constexpr CPoint kOverfly{223, 450};

// Page keys: place and code.
struct PageKey {
    CPoint at;
    int code;
};
constexpr PageKey kPageKeys[13] = {
    {{47, 223}, 1},  {{87, 223}, 2},  {{130, 223}, 3}, {{170, 223}, 4}, {{210, 223}, 11},
    {{47, 251}, 5},  {{87, 251}, 7},  {{130, 251}, 8}, {{170, 251}, 6}, {{210, 251}, 0},
    {{250, 251}, 9}, {{47, 279}, 10}, {{87, 279}, 0},
};

// Every character key's place.
CPoint CharacterKey(char c) {
    const int columns[5] = {130, 161, 192, 223, 254};
    if (c >= 'A' && c <= 'Y')
        return {columns[(c - 'A') % 5], 305 + 29 * ((c - 'A') / 5)};
    const int digits[3] = {37, 67, 99};
    if (c >= '1' && c <= '9')
        return {digits[(c - '1') % 3], 370 + 30 * ((c - '1') / 3)};
    switch (c) {
        case 'Z':
            return {130, 450};
        case '-':
            return {161, 450};
        case '+':
            return {192, 450};
        case ';':
            return kOverfly;
        case '.':
            return {37, 460};
        case '0':
            return {67, 460};
        case '/':
            return {99, 460};
        default:
            return {-100, -100};
    }
}

class McduTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_art = new testsupport::TempDir;
        panelart::WriteMcduFolders(s_art->Path());
    }
    static void TearDownTestSuite() {
        delete s_art;
        s_art = nullptr;
    }

    void SetUp() override {
        segment.assign(Gensim_Shm::kSize, 0);
        CBasePanel::SetSharedMemory(segment.data());
        CPanelMouse::SetScroll(0, 0);
        LogFileClass::SetLoggingEnabled(true);
        log = std::make_unique<LogFileClass>((logDir / "mcdu.log").c_str());
        for (CMcduPanel* p : {&captain, &officer}) {
            p->SetAircraftType(13);
            ASSERT_TRUE(p->Initialise(s_art->Path().c_str(), 0, 0))
                << p->GetErrorText() << " " << p->Key(0).GetFailedName();
            p->SetHoldDown(6);
        }
    }
    void TearDown() override {
        log->Close();
        LogFileClass::SetLoggingEnabled(false);
        CBasePanel::SetSharedMemory(nullptr);
    }

    // The log so far (closes it; once per test).
    std::string Log() {
        log->Close();
        return testsupport::ReadFile(logDir / "mcdu.log");
    }

    void UpdateAt(CPoint at, int code, CMcduPanel& panel) {
        CPanelMouse::SetMousePoint(at.x + 5, at.y + 5);
        event.code = code;
        panel.Update(&event);
    }
    void Press(CPoint at) {
        m_last = at;
        UpdateAt(at, MouseEvent::kLeftPress, captain);
    }
    // A release where the pointer is (a key takes a release only under the
    // pointer, as a click releases on the key it pressed).
    void Release() { UpdateAt(m_last, MouseEvent::kNone, captain); }
    void Click(CPoint at) {
        Press(at);
        Release();
    }
    CPoint m_last{150, 10};
    void Type(const char* text) {
        for (const char* p = text; *p; ++p)
            Click(CharacterKey(*p));
    }

    std::uint8_t KeyByte(int offset, int side = 0) { return segment[kKeyBlock[side] + offset]; }
    std::int32_t KeyInt(int offset) {
        std::int32_t v;
        std::memcpy(&v, &segment[kKeyBlock[0] + offset], 4);
        return v;
    }
    std::string KeyPad() {
        return std::string(reinterpret_cast<const char*>(&segment[kKeyBlock[0] + 12]),
                           strnlen(reinterpret_cast<const char*>(&segment[kKeyBlock[0] + 12]), 25));
    }
    void PutPageInt(int offset, std::int32_t value, int side = 0) {
        std::memcpy(&segment[kPageBlock[side] + offset], &value, 4);
    }
    void PutMessage(const char* text, std::int32_t colour, int side = 0) {
        std::memset(&segment[kPageBlock[side] + 363], 0, 25);
        std::memcpy(&segment[kPageBlock[side] + 363], text, std::strlen(text));
        PutPageInt(388, colour, side);
    }

    static testsupport::TempDir* s_art;
    testsupport::TempDir logDir;
    std::unique_ptr<LogFileClass> log;
    std::vector<std::uint8_t> segment;
    MouseEvent event;
    CMcduPanel captain{0};
    CMcduPanel officer{1};
};

testsupport::TempDir* McduTest::s_art = nullptr;

// ----------------------------------------------------------- keyboard

TEST_F(McduTest, InitialisationFailuresAndBlocks) {
    EXPECT_EQ(captain.GetBlocks().key, 130824u);
    EXPECT_EQ(officer.GetBlocks().page, 126736u + 700u);
    EXPECT_NE(Log().find("Initialising Mcdu Panel Items"), std::string::npos);

    CMcduPanel a330(2);
    a330.SetAircraftType(8);
    ASSERT_TRUE(a330.Initialise(s_art->Path().c_str(), 0, 0));
    EXPECT_EQ(a330.GetBlocks().key, 76228u + 176u);
    EXPECT_EQ(a330.GetBlocks().page, 71952u + 1400u);

    CMcduPanel wrong(0);
    wrong.SetAircraftType(14);
    EXPECT_FALSE(wrong.Initialise(s_art->Path().c_str(), 0, 0));
    EXPECT_STREQ(wrong.GetErrorText(), "CMcduPanel::Initialise --> Incorrect aircraft fit");

    CBasePanel::SetSharedMemory(nullptr);
    CMcduPanel detached(0);
    detached.SetAircraftType(13);
    EXPECT_FALSE(detached.Initialise(s_art->Path().c_str(), 0, 0));
    EXPECT_STREQ(detached.GetErrorText(), "CMcduPanel::Initialise --> SharedMemory ptr not set");
    CBasePanel::SetSharedMemory(segment.data());

    CMcduPanel noArt(0);
    noArt.SetAircraftType(13);
    EXPECT_FALSE(noArt.Initialise("/nonexistent", 0, 0));

    // Hold-down: 0..100, raised to 4; other values ignored.
    CMcduPanel p;
    EXPECT_EQ(p.GetHoldDown(), 22);
    p.SetHoldDown(2);
    EXPECT_EQ(p.GetHoldDown(), 4);
    p.SetHoldDown(101);
    EXPECT_EQ(p.GetHoldDown(), 4);
    p.SetHoldDown(100);
    EXPECT_EQ(p.GetHoldDown(), 100);
    p.SetHoldDown(-1);
    EXPECT_EQ(p.GetHoldDown(), 100);
}

TEST_F(McduTest, EveryCharacterKeyTypesItsCharacterOncePerPress) {
    Release();  // the first update without a press makes the pad accept
    const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    Type(all.c_str());
    EXPECT_EQ(captain.GetScratchPad(), all);
    EXPECT_EQ(KeyPad(), all) << "25 characters fill the key block's field";
    Type("Z");
    EXPECT_EQ(captain.GetScratchPad(), all) << "the 26th character is ignored";

    // The rest of the keys, after emptying the pad with a line-select key.
    Click(kLsk[0]);
    Type("Z-+123456789.0/");
    EXPECT_STREQ(captain.GetScratchPad(), "Z-+123456789.0/");

    // Holding a key adds one character.
    Click(kLsk[0]);
    Press(CharacterKey('A'));
    for (int i = 0; i < 10; ++i)
        Press(CharacterKey('A'));
    Release();
    EXPECT_STREQ(captain.GetScratchPad(), "A");
    EXPECT_TRUE(captain.HasUserEntry());
}

TEST_F(McduTest, OverflyOnlyOnAnEmptyPad) {
    Release();
    Type(";");
    EXPECT_STREQ(captain.GetScratchPad(), ";");
    Click(kLsk[0]);
    Type("AB;");
    EXPECT_STREQ(captain.GetScratchPad(), "AB");
}

TEST_F(McduTest, LineSelectCopiesCodesLogsAndEmpties) {
    Release();
    Type("ABC");
    Press(kLsk[0]);
    EXPECT_EQ(KeyInt(4), 1);
    EXPECT_EQ(KeyPad(), "ABC");
    EXPECT_STREQ(captain.GetScratchPad(), "") << "emptied after the copy";
    EXPECT_FALSE(captain.HasUserEntry());
    Press(kLsk[0]);
    EXPECT_EQ(KeyInt(4), 1) << "held";
    Release();
    EXPECT_EQ(KeyInt(4), 0);

    // Right keys 7..12, arrows with the up/down swap.
    Press(kLsk[6]);
    EXPECT_EQ(KeyInt(4), 7);
    Release();
    Press(kLsk[11]);
    EXPECT_EQ(KeyInt(4), 12);
    Release();
    const std::pair<CPoint, int> arrows[] = {
        {kArrowUp, 14}, {kArrowDown, 13}, {kArrowLeft, 15}, {kArrowRight, 16}};
    for (auto [at, code] : arrows) {
        Press(at);
        EXPECT_EQ(KeyInt(4), code);
        Release();
    }
    // An arrow keeps the scratch pad.
    Type("XY");
    Click(kArrowUp);
    EXPECT_STREQ(captain.GetScratchPad(), "XY");

    // A host message other than "CLR" stays on a line-select press.
    PutMessage("NOT ALLOWED", 1);
    captain.RefreshPage();
    Click(kLsk[2]);
    EXPECT_STREQ(captain.GetScratchPad(), "NOT ALLOWED");

    const std::string log = Log();
    EXPECT_NE(log.find("LSK_L01 pressed With scratch pad entry : ABC\n"), std::string::npos);
    EXPECT_NE(log.find("LSK_R01 pressed\n"), std::string::npos);
    EXPECT_NE(log.find("LSK_R06 pressed\n"), std::string::npos);
    EXPECT_NE(log.find("ARROW_DN pressed\n"), std::string::npos);
    // The log names the code: the up key sends 14, logged as the down arrow.
    EXPECT_NE(log.find("ARROW_DN pressed With scratch pad entry : XY\n"), std::string::npos);
    EXPECT_NE(log.find("ARROW_L pressed\n"), std::string::npos);
    EXPECT_NE(log.find("LSK_L03 pressed With scratch pad entry : NOT ALLOWED\n"),
              std::string::npos);
    // One line per press, however long the key is held.
    std::size_t first = log.find("LSK_L01 pressed");
    EXPECT_EQ(log.find("LSK_L01 pressed", first + 1), std::string::npos);
}

TEST_F(McduTest, PageKeysSendTheirCodesWhileHeldAndLogChanges) {
    Release();
    for (const PageKey& key : kPageKeys) {
        Press(key.at);
        EXPECT_EQ(KeyInt(8), key.code);
        Release();
        EXPECT_EQ(KeyInt(8), 0);
    }
    Click(kPageKeys[10].at);  // MENU again after AIRPORT and a blank key
    Click(kPageKeys[10].at);  // twice in a row: logged once more only
    const std::string log = Log();
    for (const char* text :
         {"DIR Key pressed\n", "PROG Key pressed\n", "PERF Key pressed\n", "INIT Key pressed\n",
          "F-PLAN Key pressed\n", "S-PLAN Key pressed\n", "RADNAV Key pressed\n",
          "FUEL PRED Key pressed\n", "ARPT Key pressed\n", "DATA Key pressed\n"}) {
        EXPECT_NE(log.find(text), std::string::npos) << text;
    }
    std::size_t count = 0;
    for (std::size_t at = log.find("MENU Key pressed"); at != std::string::npos;
         at = log.find("MENU Key pressed", at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 2u);
}

TEST_F(McduTest, ClrRemovesOneThenEmptiesAfterTheHoldDown) {
    Release();
    Type("ABC");
    Press(kClr);
    EXPECT_STREQ(captain.GetScratchPad(), "AB");
    EXPECT_EQ(KeyPad(), "AB");
    EXPECT_EQ(KeyByte(0), 1) << "used locally";
    EXPECT_EQ(KeyByte(1), 0);
    for (int update = 2; update <= 8; ++update) {
        Press(kClr);
        EXPECT_STREQ(captain.GetScratchPad(), "AB") << "update " << update;
    }
    Press(kClr);  // the ninth pressed update
    EXPECT_STREQ(captain.GetScratchPad(), "");
    EXPECT_EQ(captain.GetClrState(), 0);
    Release();
    EXPECT_EQ(KeyByte(0), 0);
    EXPECT_EQ(captain.GetClrState(), 0);

    const std::string log = Log();
    EXPECT_NE(log.find("RemoveScratchPadCharacrter -->Spad is now AB"), std::string::npos);
    EXPECT_NE(log.find("Clr Pressed This Frame AB"), std::string::npos);
    EXPECT_NE(log.find("Clear Cancel Ack from MCDU"), std::string::npos);
    EXPECT_NE(log.find("Clear Being Released"), std::string::npos);
    EXPECT_EQ(log.find("Request a CLR cmd to MCDU"), std::string::npos);
}

TEST_F(McduTest, ClrOnAnEmptyPadRequestsUntilRelease) {
    Release();
    Press(kClr);
    EXPECT_EQ(KeyByte(1), 1);
    EXPECT_EQ(KeyByte(0), 0);
    Press(kClr);
    Press(kClr);
    EXPECT_EQ(KeyByte(1), 1);
    Release();
    EXPECT_EQ(KeyByte(1), 0);
    const std::string log = Log();
    std::size_t first = log.find("Request a CLR cmd to MCDU ");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("Request a CLR cmd to MCDU", first + 1), std::string::npos);
    // The update counter: updates 1 (release), 2 (first press).
    EXPECT_NE(log.find("----------------------- 2 Clear Being Pressed  Cntr = 0\n"),
              std::string::npos);
}

TEST_F(McduTest, HostMessagesAndTheTakenPulse) {
    Release();
    Type("AB");
    PutMessage("@", 0);
    captain.RefreshPage();
    EXPECT_STREQ(captain.GetScratchPad(), "") << "\"@\" clears the pad";
    EXPECT_EQ(segment[kPageBlock[0] + 363], 0) << "the message is taken";
    EXPECT_EQ(KeyByte(2), 1);
    for (int update = 1; update <= 5; ++update) {
        Release();
        EXPECT_EQ(KeyByte(2), 1) << "update " << update;
    }
    Release();
    EXPECT_EQ(KeyByte(2), 0);

    // A message: user entry, message colour, not "CLR".
    PutMessage("NOT IN DATABASE", 1);
    captain.RefreshPage();
    EXPECT_STREQ(captain.GetScratchPad(), "NOT IN DATABASE");
    EXPECT_TRUE(captain.IsMessageNotClr());
    PutMessage("clr", 0);
    captain.RefreshPage();
    EXPECT_FALSE(captain.IsMessageNotClr());

    // A message is taken once: the typing after it stays.
    PutMessage("X", 0);
    captain.RefreshPage();
    Type("Y");
    captain.RefreshPage();
    EXPECT_STREQ(captain.GetScratchPad(), "XY");

    // Remote hold: no copy, no keyboard.
    captain.SetRemoteHold(true);
    PutMessage("HELD", 0);
    captain.RefreshPage();
    Type("Z");
    EXPECT_STREQ(captain.GetScratchPad(), "XY");
    EXPECT_EQ(segment[kPageBlock[0] + 363], 'H');
}

TEST_F(McduTest, AnnunciatorsLatchAndClrSwitchesThemOff) {
    Release();
    PutPageInt(0, 3);
    Release();
    EXPECT_TRUE(captain.IsLightOn(0));
    EXPECT_TRUE(captain.IsLightOn(1));
    EXPECT_FALSE(captain.IsLightOn(2));
    EXPECT_TRUE(captain.Light(0).IsOn());
    PutPageInt(4, 2);
    Release();
    EXPECT_FALSE(captain.IsLightOn(2));
    EXPECT_TRUE(captain.IsLightOn(3));

    Click(kClr);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(captain.IsLightOn(i)) << i;
    Release();
    EXPECT_FALSE(captain.IsLightOn(0)) << "the request still set does not relight";
    PutPageInt(0, 0);
    Release();
    PutPageInt(0, 1);
    Release();
    EXPECT_TRUE(captain.IsLightOn(0));
    EXPECT_FALSE(captain.IsLightOn(1));

    const std::string log = Log();
    EXPECT_NE(log.find("##MCDU PANEL Top Left Light Requested On\n"), std::string::npos);
    EXPECT_NE(log.find("##MCDU PANEL Bottom Right Light Requested On\n"), std::string::npos);
    EXPECT_NE(log.find("##MCDU PANEL Top Left Light Requested Off\n"), std::string::npos);
    EXPECT_NE(log.find("##MCDU PANEL All lights Requested Off from CLR press\n"),
              std::string::npos);
}

// ------------------------------------------------------------- screen

// The screen rectangle on a panel at (0, 0) and its layout by the rules:
// width 228 - 2 = 226 -> 226 / 24 + 0.5 -> 9 pixels a character.
constexpr CRect kScreen{44, 28, 272, 222};
constexpr int kCharWidth = 9;
constexpr int kRows[6] = {76, 97, 119, 141, 163, 185};

class McduScreenTest : public McduTest {
  protected:
    void SetUp() override {
        McduTest::SetUp();
        display.SetDrawingSurface(&dc);
        reference.SetDrawingSurface(&refDc);
        for (CMcduPanel* p : {&captain, &officer}) {
            p->SetRowTable(kRows);
            ASSERT_TRUE(p->SetUpDisplay({0.4, kScreen, &display, nullptr}));
        }
        reference.SetFontScale(0.4);
        large = reference.GetTextExtent(193, "A").cy;
        small = reference.GetTextExtent(140, "A").cy;
        refDc.FillSolidRect(CRect(0, 0, 320, 260), kGreyFill);
        refDc.FillSolidRect(CRect(kScreen.left, kScreen.top, kScreen.right + 2, kScreen.bottom), 0);
    }

    void PutCell(std::uint32_t line, int column, char c, std::uint8_t attribute, int side = 0) {
        segment[kPageBlock[side] + line + 2 * column] = static_cast<std::uint8_t>(c);
        segment[kPageBlock[side] + line + 2 * column + 1] = attribute;
    }
    // Draws the captain's screen once on its turn (even draws).
    void DrawCaptain() {
        captain.RefreshPage();
        captain.DrawScreen();
        captain.DrawScreen();
    }
    int ScreenDifferences() {
        int n = 0;
        for (int y = 0; y < 260; ++y) {
            for (int x = kScreen.left; x < kScreen.right + 2; ++x)
                n += dc.GetPixel(x, y) != refDc.GetPixel(x, y);
        }
        return n;
    }
    int Lit(const CDC& d) {
        int n = 0;
        for (int y = kScreen.top; y < kScreen.bottom; ++y) {
            for (int x = kScreen.left; x < kScreen.right + 2; ++x)
                n += d.GetPixel(x, y) != 0;
        }
        return n;
    }

    static constexpr COLORREF kGreyFill = RGB(60, 60, 60);
    CDC dc{320, 260, kGreyFill};
    CDC refDc{320, 260, kGreyFill};
    CBaseDisplay display;
    CBaseDisplay reference;
    int large = 0;
    int small = 0;
};

TEST_F(McduScreenTest, LayoutFromTheScreenAndTheFonts) {
    const CMcduPanel::Layout& l = captain.GetLayout();
    EXPECT_EQ(l.charWidth, kCharWidth);
    EXPECT_EQ(l.topMargin, 35);  // 194 x 0.185
    EXPECT_EQ(l.pitch, 24);      // (194 - 35.89 - 22.31) / 6 + 2
    EXPECT_EQ(l.largeHeight, large);
    EXPECT_EQ(l.smallHeight, small);
    EXPECT_EQ(l.boxSize, large * 60 / 100);
    EXPECT_EQ(l.scratchPadY, 6 * 24 + 28 + 35);
    EXPECT_EQ(captain.GetCell(2, 3), CPoint(44 + 3 * 9, 119 - large / 2));
    EXPECT_NE(Log().find("FMC Charcter Large =" + std::to_string(large) +
                         ", small = " + std::to_string(small) + ", width = 18"),
              std::string::npos);
}

TEST_F(McduScreenTest, ZeroPageIsBlackAndCellsDrawByAttribute) {
    DrawCaptain();
    EXPECT_EQ(Lit(dc), 0) << "page-valid 0: black";

    segment[kPageBlock[0] + 361] = 1;
    PutCell(58, 0, 'W', 6);             // data line 1: large green
    PutCell(58 + 50, 2, 'W', 4);        // data line 2: small green, lower
    PutCell(8, 5, 'H', 16);             // title: large white at the top
    PutCell(392 + 50 * 3, 7, 'K', 24);  // label above line 4: small amber
    PutCell(58 + 50 * 4, 9, 'Q', 0);    // attribute 0: not drawn
    PutCell(58 + 50 * 5, 9, ' ', 6);    // a blank: not drawn
    DrawCaptain();

    const int diff = large - small;
    reference.DrawText(44, kRows[0] - large / 2, "W", 0x00FF00, true);
    reference.DrawText(44 + 2 * kCharWidth, kRows[1] - large / 2 + diff, "W", 0x00FF00, false);
    reference.DrawText(44 + 5 * kCharWidth, 28, "H", 0xFFFFFF, true);
    reference.DrawText(44 + 7 * kCharWidth, kRows[3] - large / 2 - small, "K", 0x2D8DFB, false);
    EXPECT_GT(Lit(refDc), 40);
    EXPECT_EQ(ScreenDifferences(), 0);
}

TEST_F(McduScreenTest, ScratchPadColoursAndTheMiss) {
    segment[kPageBlock[0] + 361] = 1;
    PutMessage("ABC", 3);  // cyan
    DrawCaptain();
    for (int i = 0; i < 3; ++i) {
        const char text[2] = {static_cast<char>('A' + i), 0};
        reference.DrawText(44 + i * kCharWidth, 6 * 24 + 28 + 35, text, 0xFFE682, true);
    }
    EXPECT_EQ(ScreenDifferences(), 0);

    // Colour 5: the pad cannot be drawn; the miss is logged and the next
    // draw is white.
    PutMessage("ABC", 5);
    DrawCaptain();
    EXPECT_FALSE(captain.IsMessageNotClr());
    DrawCaptain();
    refDc.FillSolidRect(CRect(kScreen.left, kScreen.top, kScreen.right + 2, kScreen.bottom), 0);
    for (int i = 0; i < 3; ++i) {
        const char text[2] = {static_cast<char>('A' + i), 0};
        reference.DrawText(44 + i * kCharWidth, 6 * 24 + 28 + 35, text, 0xFFFFFF, true);
    }
    EXPECT_EQ(ScreenDifferences(), 0);
    EXPECT_NE(Log().find("Clear Miss Write ABC Cntr = 0\n"), std::string::npos);
}

TEST_F(McduScreenTest, TheTwoMcdusDrawOnAlternateUpdates) {
    segment[kPageBlock[0] + 361] = 1;
    segment[kPageBlock[1] + 361] = 1;
    PutCell(58, 0, 'W', 6, 0);
    PutCell(58, 0, 'W', 6, 1);
    captain.RefreshPage();
    officer.RefreshPage();

    captain.DrawScreen();  // 1: not the captain's turn
    EXPECT_EQ(Lit(dc),
              Lit(refDc) + (kScreen.right + 2 - kScreen.left) * (kScreen.bottom - kScreen.top))
        << "nothing drawn: the grey stays";
    captain.DrawScreen();  // 2
    EXPECT_GT(Lit(dc), 0);
    EXPECT_LT(Lit(dc), 200);

    CDC other{320, 260, kGreyFill};
    display.SetDrawingSurface(&other);
    officer.DrawScreen();  // 1: the first officer's turn
    EXPECT_LT(Lit(other), 200);
    other.FillSolidRect(CRect(0, 0, 320, 260), kGreyFill);
    officer.DrawScreen();  // 2: not its turn
    EXPECT_EQ(other.GetPixel(kScreen.left + 100, kScreen.top + 100), kGreyFill);
}

TEST_F(McduScreenTest, SpecialCharactersDrawSymbols) {
    segment[kPageBlock[0] + 361] = 1;
    PutCell(58, 0, '[', 6);
    PutCell(58, 3, '0', 6);
    PutCell(58, 6, 'I', 6);
    segment[kPageBlock[0] + 360] = 1;  // scroll mark
    DrawCaptain();
    const int y = kRows[0] - large / 2;
    const int box = large * 60 / 100;
    reference.DrawBracket(CRect(44, y, 44 + box, y + box), 0xFAB478, false);
    reference.DrawSlashedZero(44 + 3 * kCharWidth, y, 0x00FF00, true);
    reference.DrawCentredI(44 + 6 * kCharWidth, y, 0x00FF00, true);
    reference.SetSymbolScale(0.4);
    reference.DrawUpDownArrows(44 + 23 * kCharWidth, 6 * 24 + 28 + 35, 0xFFFFFF);
    EXPECT_EQ(ScreenDifferences(), 0);
}

}  // namespace
