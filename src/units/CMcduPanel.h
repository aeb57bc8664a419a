// CMcduPanel: one multipurpose control and display unit of the pedestal.
//
// The flight-management computer runs in the host; the panel turns key
// presses into requests in its key block, keeps the scratch pad that the
// trainee types into, runs the CLR key's handshake, latches the four
// annunciators from the host's request words, and draws the 14-line screen
// that the host composes in its page block (a title line, six data lines with
// a small label line above each, and the scratch-pad line).
//
// Keyboard: Update (one call per iteration with the current mouse event).
// Screen: the cockpit manager loads the row table and sets the display up
// after Initialise, then copies the page (RefreshPage) once per iteration
// while its MCDU refresh is on; Draw draws the keys, the lights and then the
// screen, each MCDU on alternate draws.
#pragma once

#include <cstdint>

#include "controls/CButtonClass.h"
#include "controls/CLightClass.h"
#include "controls/Kx_Remember.h"
#include "log/LogFileClass.h"
#include "panels/CBasePanel.h"
#include "platform/WinTypes.h"
#include "units/McduLayout.h"

class CBaseDisplay;
class KxBanner;

// What the display set-up is given.
struct McduDisplaySetup {
    double scale = mcdu::kScreenScale;
    CRect screen;  // on the cockpit picture
    CBaseDisplay* display = nullptr;
    KxBanner* banner = nullptr;  // may be null
};

class CMcduPanel : public CBasePanel {
  public:
    // Key groups, in the order of the key table.
    static constexpr int kLineKeys = 16;  // 12 line-select keys, then left, up, right, down
    static constexpr int kPageKeys = 13;
    static constexpr int kCharacterKeys = 41;
    static constexpr int kKeyCount = kLineKeys + kPageKeys + kCharacterKeys + 1;  // 71
    static constexpr int kFirstPageKey = kLineKeys;
    static constexpr int kFirstCharacterKey = kFirstPageKey + kPageKeys;
    static constexpr int kClrKey = kKeyCount - 1;
    static constexpr int kLightCount = 4;
    static constexpr int kMaxScratchPad = 25;
    static constexpr int kHoldDownAtConstruction = 22;

    // CLR states.
    static constexpr int kClrIdle = 0;
    static constexpr int kClrHolding = 2;
    static constexpr int kClrClearAll = 3;

    explicit CMcduPanel(int side = 0);

    // The manager's form: the side given at construction, scale 1.0.
    bool Initialise(const char* folder, int x, int y) override;
    bool Initialise(const char* folder, CPoint position, int index, double scale);
    void SetHoldDown(int n);
    void Update(MouseEvent* event) override;
    void Draw(CDC* dc) override;
    const CBaseCockpitControl* GetControl(int index) const override;

    // The screen.
    void SetRowTable(const int (&rows)[mcdu::kRows]);
    bool SetUpDisplay(const McduDisplaySetup& setup);
    void RefreshPage();
    void DrawScreen();

    // For the cockpit, the tools and the tests.
    int GetSide() const { return m_index; }
    const char* GetScratchPad() const { return m_scratchPad; }
    bool HasUserEntry() const { return m_userEntry; }
    bool IsMessageNotClr() const { return m_messageNotClr; }
    int GetClrState() const { return m_clrState; }
    int GetHoldDown() const { return m_holdDown; }
    bool IsLightOn(int i) const { return m_lightLatch[i]; }
    bool IsReady() const { return m_ready; }
    mcdu::Blocks GetBlocks() const { return m_blocks; }
    CButtonClass& Key(int i) { return m_keys[i]; }
    const CLightClass& Light(int i) const { return m_lights[i]; }
    const CRect& GetScreen() const { return m_screen; }
    struct Layout {
        int charWidth, topMargin, pitch, largeHeight, smallHeight, heightDifference, boxSize,
            scratchPadY;
    };
    const Layout& GetLayout() const { return m_layout; }
    CPoint GetCell(int row, int column) const { return m_cells[row][column]; }
    // The character a character key types (scan index 0..40).
    static char KeyCharacter(int scanIndex);
    // The code a page key sends (scan index 0..12).
    static int PageKeyCode(int scanIndex);

    // Chooses the blocks of the stored aircraft type code.
    bool QueryAircraftType() override;

  private:
    void UpdateLights();
    bool UpdateLineKeys(MouseEvent* event);
    void HandleLineSelect(int key);
    void LogLineSelect(int code);
    bool UpdatePageKeys(MouseEvent* event);
    bool UpdateCharacterKeys(MouseEvent* event);
    void HandleClr(MouseEvent* event);
    void ClrPressed(bool missedRelease);
    void ClrReleased();
    void AllLightsOff();
    void CopyScratchPadToKeyBlock();
    void TakeScratchPadMessage();
    void MissedScratchPad();
    bool DrawScratchPad();
    void DrawCharacter(int x, int y, char c, COLORREF colour, bool large);
    static COLORREF AttributeColour(std::uint8_t attribute);
    std::size_t PadLength() const;

    template <typename T>
    T ReadKey(std::uint32_t offset) const;
    template <typename T>
    void WriteKey(std::uint32_t offset, T value);
    template <typename T>
    T PageCopy(std::uint32_t offset) const;

    int m_index = 0;
    char m_folder[1024] = {};
    mcdu::Blocks m_blocks{};

    CButtonClass m_keys[kKeyCount];
    CLightClass m_lights[kLightCount];

    // Keyboard state.
    char m_scratchPad[kMaxScratchPad + 1] = {};
    bool m_userEntry = false;
    bool m_accepting = false;
    bool m_messageNotClr = false;
    std::int32_t m_messageColour = 0;
    int m_clrState = kClrIdle;
    int m_clrHold = 0;
    int m_holdDown = kHoldDownAtConstruction;
    bool m_clrPressed = false;
    bool m_characterRemoved = false;
    bool m_arrowSwap = true;
    bool m_lightLatch[kLightCount] = {};
    Kx_Remember m_lightRequest[kLightCount];
    Kx_Remember m_linePressed;
    Kx_Remember m_lastPageCode;
    Kx_Remember m_clrDown;
    bool m_lineLogArmed = true;
    int m_messagePulse = -1;
    int m_updateCounter = 0;
    LogFileClass m_log;

    // Screen state.
    std::uint8_t m_page[mcdu::kCopySize] = {};
    CBaseDisplay* m_display = nullptr;
    bool m_ready = false;
    CRect m_screen;
    CRect m_clear;
    Layout m_layout{};
    int m_rows[mcdu::kRows] = {};
    CPoint m_cells[mcdu::kRows][mcdu::kColumns + 1];
    int m_drawCounter = 0;
};
