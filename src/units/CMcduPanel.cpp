#include "units/CMcduPanel.h"

#include <cstring>

#include "banner/KxBanner.h"
#include "display/CBaseDisplay.h"
#include "panels/PanelKit.h"
#include "platform/CDC.h"
#include "util/KxText.h"

namespace {

using panelkit::ButtonRow;

// Every key is momentary with the on/off picture set.
constexpr ButtonRow K(const char* picture, int x, int y) {
    return ButtonRow{picture, x, y, 1, 1};
}

// The 71 keys: line-select and arrow keys (identifiers 0..15), page keys and
// character keys in scan order, then CLR.
constexpr ButtonRow kKeyRows[CMcduPanel::kKeyCount] = {
    // Left line-select keys 1..6, right 1..6.
    K("Buttons\\Lsk", 14, 68),
    K("Buttons\\Lsk", 14, 91),
    K("Buttons\\Lsk", 14, 112),
    K("Buttons\\Lsk", 14, 136),
    K("Buttons\\Lsk", 14, 158),
    K("Buttons\\Lsk", 14, 179),
    K("Buttons\\Lsk", 278, 70),
    K("Buttons\\Lsk", 278, 91),
    K("Buttons\\Lsk", 278, 115),
    K("Buttons\\Lsk", 278, 137),
    K("Buttons\\Lsk", 278, 158),
    K("Buttons\\Lsk", 278, 179),
    // Arrows: left, up, right, down.
    K("Buttons\\McduLeft", 47, 307),
    K("Buttons\\McduUp", 87, 307),
    K("Buttons\\McduRight", 47, 335),
    K("Buttons\\McduDown", 87, 335),
    // Page keys.
    K("Buttons\\McduDir", 47, 223),
    K("Buttons\\McduProg", 87, 223),
    K("Buttons\\McduPerf", 130, 223),
    K("Buttons\\McduInit", 170, 223),
    K("Buttons\\McduData", 210, 223),
    K("Buttons\\McduFPlan", 47, 251),
    K("Buttons\\McduRadNav", 87, 251),
    K("Buttons\\McduFuel", 130, 251),
    K("Buttons\\McduSec", 170, 251),
    K("Buttons\\McduBlank", 210, 251),
    K("Buttons\\McduMenu", 250, 251),
    K("Buttons\\McduAprt", 47, 279),
    K("Buttons\\McduBlank", 87, 279),
    // Character keys.
    K("Buttons\\McduA", 130, 305),
    K("Buttons\\McduB", 161, 305),
    K("Buttons\\McduC", 192, 305),
    K("Buttons\\McduD", 223, 305),
    K("Buttons\\McduE", 254, 305),
    K("Buttons\\McduF", 130, 334),
    K("Buttons\\McduG", 161, 334),
    K("Buttons\\McduH", 192, 334),
    K("Buttons\\McduI", 223, 334),
    K("Buttons\\McduJ", 254, 334),
    K("Buttons\\McduK", 130, 363),
    K("Buttons\\McduL", 161, 363),
    K("Buttons\\McduM", 192, 363),
    K("Buttons\\McduN", 223, 363),
    K("Buttons\\McduO", 254, 363),
    K("Buttons\\McduP", 130, 392),
    K("Buttons\\McduQ", 161, 392),
    K("Buttons\\McduR", 192, 392),
    K("Buttons\\McduS", 223, 392),
    K("Buttons\\McduT", 254, 392),
    K("Buttons\\McduU", 130, 421),
    K("Buttons\\McduV", 161, 421),
    K("Buttons\\McduW", 192, 421),
    K("Buttons\\McduX", 223, 421),
    K("Buttons\\McduY", 254, 421),
    K("Buttons\\McduZ", 130, 450),
    K("Buttons\\McduMinus", 161, 450),
    K("Buttons\\McduPlus", 192, 450),
    K("Buttons\\McduOvfy", 223, 450),
    K("Buttons\\Mcdu1", 37, 370),
    K("Buttons\\Mcdu2", 67, 370),
    K("Buttons\\Mcdu3", 99, 370),
    K("Buttons\\Mcdu4", 37, 400),
    K("Buttons\\Mcdu5", 67, 400),
    K("Buttons\\Mcdu6", 99, 400),
    K("Buttons\\Mcdu7", 37, 430),
    K("Buttons\\Mcdu8", 67, 430),
    K("Buttons\\Mcdu9", 99, 430),
    K("Buttons\\McduPoint", 37, 460),
    K("Buttons\\Mcdu0", 67, 460),
    K("Buttons\\McduSlash", 99, 460),
    // CLR.
    K("Buttons\\McduClr", 254, 450),
};

constexpr int kPageCodes[CMcduPanel::kPageKeys] = {1, 2, 3, 4, 11, 5, 7, 8, 6, 0, 9, 10, 0};
constexpr char kCharacters[CMcduPanel::kCharacterKeys + 1] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ-+;123456789.0/";
constexpr char kOverfly = ';';

// Line-select groups: left keys, right keys, arrows.
struct KeyRange {
    int first;
    int count;
};
constexpr KeyRange kLineGroups[] = {{0, 6}, {6, 6}, {12, 4}};
constexpr int kArrowLeft = 12;
constexpr int kArrowUp = 13;
constexpr int kArrowRight = 14;
constexpr int kArrowDown = 15;

// The four annunciators: picture, place, which request word, which value.
struct LightRow {
    const char* picture;
    int x;
    int y;
    std::uint32_t requestWord;
    int own;  // 1 top, 2 bottom; 3 lights both
    const char* name;
};
constexpr LightRow kLightRows[CMcduPanel::kLightCount] = {
    {"Lights\\McduTopLeft", 15, 348, mcdu::kLeftLights, 1, "Top Left"},
    {"Lights\\McduBotLeft", 15, 388, mcdu::kLeftLights, 2, "Bottom Left"},
    {"Lights\\McduTopRight", 288, 350, mcdu::kRightLights, 1, "Top Right"},
    {"Lights\\McduBotRight", 286, 381, mcdu::kRightLights, 2, "Bottom Right"},
};
constexpr int kBothLights = 3;

const char* const kLineKeyTexts[] = {"ARROW_UP pressed", "ARROW_DN pressed", "ARROW_L pressed",
                                     "ARROW_R pressed"};
const char* const kPageKeyTexts[] = {
    "DIR Key pressed\n",    "PROG Key pressed\n",      "PERF Key pressed\n",
    "INIT Key pressed\n",   "F-PLAN Key pressed\n",    "S-PLAN Key pressed\n",
    "RADNAV Key pressed\n", "FUEL PRED Key pressed\n", "MENU Key pressed\n",
    "ARPT Key pressed\n",   "DATA Key pressed\n",
};

constexpr int kMessagePulseUpdates = 5;
constexpr int kMinHoldDown = 4;
constexpr int kMaxHoldDown = 100;
// The spacing of the row table quoted by the set-up's log line.
constexpr int kRowSpacingFirst = 76;
constexpr int kRowSpacingLast = 185;

// Scratch-pad message colours.
constexpr COLORREF kMessageColours[] = {0xFFFFFF, 0x2D8DFB, 0x0000FF, 0xFFE682};
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBracketBlue = 0xFAB478;
// Characters a scratch pad may draw.
constexpr char kFirstDrawable = 32;
constexpr char kLastDrawable = 122;
constexpr int kScratchPadColumns = 23;
constexpr int kScrollMarkColumn = 23;
// "&" is drawn this much higher than its cell.
constexpr int kRaisedSymbol = 5;

}  // namespace

CMcduPanel::CMcduPanel(int side) : m_index(kx::Limit(side, 0, mcdu::kSides - 1)) {}

char CMcduPanel::KeyCharacter(int scanIndex) {
    return scanIndex >= 0 && scanIndex < kCharacterKeys ? kCharacters[scanIndex] : '\0';
}

int CMcduPanel::PageKeyCode(int scanIndex) {
    return scanIndex >= 0 && scanIndex < kPageKeys ? kPageCodes[scanIndex] : 0;
}

template <typename T>
T CMcduPanel::ReadKey(std::uint32_t offset) const {
    return GenField<T>::At(m_blocks.key + offset).Read(GetSharedMemory());
}

template <typename T>
void CMcduPanel::WriteKey(std::uint32_t offset, T value) {
    GenField<T>::At(m_blocks.key + offset).Write(GetSharedMemory(), value);
}

template <typename T>
T CMcduPanel::PageCopy(std::uint32_t offset) const {
    T value{};
    if (offset + sizeof(T) <= sizeof m_page)
        std::memcpy(&value, m_page + offset, sizeof(T));
    return value;
}

std::size_t CMcduPanel::PadLength() const {
    return std::strlen(m_scratchPad);
}

bool CMcduPanel::QueryAircraftType() {
    if (IsA330Type(m_aircraftType)) {
        m_blocks = mcdu::BlocksOf(mcdu::kA330, m_index);
        return true;
    }
    if (IsA320Type(m_aircraftType)) {
        m_blocks = mcdu::BlocksOf(mcdu::kA320, m_index);
        return true;
    }
    return false;
}

bool CMcduPanel::Initialise(const char* folder, int x, int y) {
    return Initialise(folder, CPoint(x, y), m_index, 1.0);
}

bool CMcduPanel::Initialise(const char* folder, CPoint position, int index, double scale) {
    SetScale(scale);
    m_log.WriteLine("Initialising Mcdu Panel Items");
    m_index = kx::Limit(index, 0, mcdu::kSides - 1);
    m_clrState = kClrIdle;
    m_clrHold = 0;
    kx::StrCopy(m_folder, folder);
    SetPosition(position.x, position.y);

    if (GetSharedMemory() == nullptr) {
        SetError("CMcduPanel::Initialise --> SharedMemory ptr not set");
        return false;
    }
    if (!QueryAircraftType()) {
        SetError("CMcduPanel::Initialise --> Incorrect aircraft fit");
        return false;
    }

    for (int i = 0; i < kLightCount; ++i) {
        LightSettings settings;
        settings.buttonId = i;
        settings.folder = m_folder;
        settings.controlFolder = kLightRows[i].picture;
        settings.panelX = m_x;
        settings.panelY = m_y;
        settings.xOffset = kLightRows[i].x;
        settings.yOffset = kLightRows[i].y;
        settings.scale = m_scale;
        if (!m_lights[i].Initialise(settings)) {
            SetError(m_lights[i].GetErrorText());
            return false;
        }
        m_lights[i].SetLight(false, false);
    }
    const panelkit::Placement at{m_folder, m_x, m_y, m_scale};
    if (!panelkit::InitialiseButtons(*this, m_keys, kKeyRows, at))
        return false;
    // The keys show their lit pictures.
    for (CButtonClass& key : m_keys)
        key.SetOnOffLights(true, false);

    m_userEntry = false;
    return true;
}

void CMcduPanel::SetHoldDown(int n) {
    if (n < 0 || n > kMaxHoldDown)
        return;
    m_holdDown = n < kMinHoldDown ? kMinHoldDown : n;
}

// ---------------------------------------------------------------- keyboard

void CMcduPanel::Update(MouseEvent* event) {
    ++m_updateCounter;
    if (m_remoteHold || GetSharedMemory() == nullptr || m_blocks.key == 0)
        return;

    if (m_messagePulse >= 0)
        --m_messagePulse;
    if (m_messagePulse < 0)
        WriteKey<std::uint8_t>(mcdu::kMessageTaken, 0);

    UpdateLights();
    if (UpdateLineKeys(event))
        return;
    LogLineSelect(ReadKey<std::int32_t>(mcdu::kLineKeyCode));
    if (UpdatePageKeys(event))
        return;
    if (UpdateCharacterKeys(event))
        return;
    HandleClr(event);
}

void CMcduPanel::UpdateLights() {
    const std::uint8_t* view = GetSharedMemory();
    for (int i = 0; i < kLightCount; ++i) {
        const LightRow& row = kLightRows[i];
        const std::int32_t word =
            GenField<std::int32_t>::At(m_blocks.page + row.requestWord).Read(view);
        m_lightRequest[i].SetBool(word == row.own || word == kBothLights);
        if (m_lightRequest[i].BecameSet(false)) {
            m_log.Format("##MCDU PANEL %s Light Requested On", row.name);
            m_lightLatch[i] = true;
        }
        if (m_lightRequest[i].BecameClear(true)) {
            m_log.Format("##MCDU PANEL %s Light Requested Off", row.name);
            m_lightLatch[i] = false;
        }
        m_lights[i].SetLight(m_lightLatch[i], false);
    }
}

bool CMcduPanel::UpdateLineKeys(MouseEvent* event) {
    int pressed = -1;
    for (const KeyRange& group : kLineGroups) {
        for (int k = group.first; k < group.first + group.count && pressed < 0; ++k) {
            m_keys[k].Update(event, true, false, false);
            if (m_keys[k].IsPressed())
                pressed = k;
        }
        if (pressed >= 0)
            break;
    }
    if (pressed < 0)
        WriteKey<std::int32_t>(mcdu::kLineKeyCode, 0);
    m_linePressed.SetBool(pressed >= 0);
    if (m_linePressed.BecameSet(true)) {
        HandleLineSelect(pressed);
        return true;
    }
    return false;
}

void CMcduPanel::HandleLineSelect(int key) {
    CopyScratchPadToKeyBlock();
    int code = key + 1;
    if (key == kArrowLeft)
        code = 15;
    else if (key == kArrowRight)
        code = 16;
    else if (key == kArrowUp)
        code = m_arrowSwap ? 14 : 13;
    else if (key == kArrowDown)
        code = m_arrowSwap ? 13 : 14;
    WriteKey<std::int32_t>(mcdu::kLineKeyCode, code);
    LogLineSelect(code);
    if (code <= 12 && !m_messageNotClr) {
        m_scratchPad[0] = '\0';
        m_userEntry = false;
    }
}

void CMcduPanel::LogLineSelect(int code) {
    if (code == 0) {
        m_lineLogArmed = true;
        return;
    }
    if (!m_lineLogArmed)
        return;
    char text[32];
    if (code >= 1 && code <= 6)
        kx::Format(text, sizeof text, "LSK_L%02d pressed", code);
    else if (code >= 7 && code <= 12)
        kx::Format(text, sizeof text, "LSK_R%02d pressed", code - 6);
    else if (code >= 13 && code <= 16)
        kx::StrCopy(text, kLineKeyTexts[code - 13]);
    else
        kx::StrCopy(text, "Uknown Lsk pressed");
    if (m_scratchPad[0] != '\0')
        m_log.Format("%s With scratch pad entry : %s", text, m_scratchPad);
    else
        m_log.WriteLine(text);
    m_lineLogArmed = false;
}

bool CMcduPanel::UpdatePageKeys(MouseEvent* event) {
    WriteKey<std::int32_t>(mcdu::kPageKeyCode, 0);
    for (int i = 0; i < kPageKeys; ++i) {
        CButtonClass& key = m_keys[kFirstPageKey + i];
        key.Update(event, true, false, false);
        if (!key.IsPressed())
            continue;
        const int code = kPageCodes[i];
        WriteKey<std::int32_t>(mcdu::kPageKeyCode, code);
        if (code != 0) {
            m_lastPageCode.SetInt(code);
            if (m_lastPageCode.ChangedSinceLast())
                m_log.WriteLine(code <= 11 ? kPageKeyTexts[code - 1] : "Unknown key pressed\n");
        }
        return true;
    }
    return false;
}

bool CMcduPanel::UpdateCharacterKeys(MouseEvent* event) {
    for (int i = 0; i < kCharacterKeys; ++i) {
        CButtonClass& key = m_keys[kFirstCharacterKey + i];
        key.Update(event, true, false, false);
        if (!key.IsPressed())
            continue;
        if (kCharacters[i] == kOverfly && PadLength() != 0)
            continue;  // overfly only on an empty scratch pad
        const std::size_t length = PadLength();
        if (m_accepting && length < kMaxScratchPad) {
            m_scratchPad[length] = kCharacters[i];
            m_scratchPad[length + 1] = '\0';
            CopyScratchPadToKeyBlock();
        }
        m_userEntry = true;
        m_accepting = false;
        return true;
    }
    return false;
}

void CMcduPanel::CopyScratchPadToKeyBlock() {
    mcdu::ScratchPadField field{};
    std::memcpy(field.data(), m_scratchPad, PadLength());
    GenField<mcdu::ScratchPadField>::At(m_blocks.key + mcdu::kScratchPad)
        .Write(GetSharedMemory(), field);
}

void CMcduPanel::HandleClr(MouseEvent* event) {
    bool missed = false;
    if ((event == nullptr || event->code != MouseEvent::kLeftPress) && m_clrPressed) {
        m_log.Format("----------------------- %d Clr Button is not pressed", m_updateCounter);
        missed = true;
    }
    m_keys[kClrKey].Update(event, true, false, false);
    if (m_keys[kClrKey].IsPressed())
        ClrPressed(missed);
    else
        ClrReleased();
}

void CMcduPanel::AllLightsOff() {
    for (int i = 0; i < kLightCount; ++i) {
        m_lightLatch[i] = false;
        m_lights[i].SetLight(false, false);
    }
    m_log.WriteLine("##MCDU PANEL All lights Requested Off from CLR press");
}

void CMcduPanel::ClrPressed(bool missedRelease) {
    m_log.Format("----------------------- %d Clear Being Pressed %s Cntr = %d", m_updateCounter,
                 m_scratchPad, m_clrHold);
    m_messageNotClr = false;
    m_clrPressed = true;
    AllLightsOff();
    if (missedRelease)
        m_log.Format("------------------>>>>>> %d Mouse button Up faliure", m_updateCounter);

    switch (m_clrState) {
        case kClrIdle: {
            m_clrHold = 0;
            m_clrState = kClrHolding;
            const std::size_t length = PadLength();
            m_characterRemoved = length > 0;
            if (m_characterRemoved) {
                m_scratchPad[length - 1] = '\0';
                m_log.Format(
                    "----------------------- %d RemoveScratchPadCharacrter -->Spad is now %s",
                    m_updateCounter, m_scratchPad);
            }
            CopyScratchPadToKeyBlock();
            break;
        }
        case kClrHolding:
            if (++m_clrHold > m_holdDown)
                m_clrState = kClrClearAll;
            break;
        case kClrClearAll:
            m_clrHold = 0;
            m_scratchPad[0] = '\0';
            m_userEntry = false;
            m_clrState = kClrIdle;
            break;
        default:
            m_clrState = kClrIdle;
            break;
    }

    m_clrDown.SetBool(true);
    if (m_clrDown.BecameSet(true)) {
        m_log.Format("    <<<<<  %d Clr Pressed This Frame %s", m_updateCounter, m_scratchPad);
        if (!m_characterRemoved && PadLength() == 0) {
            m_log.Format("----------------------- %d Request a CLR cmd to MCDU ", m_updateCounter);
            WriteKey<std::uint8_t>(mcdu::kClrRequest, 1);
        } else {
            WriteKey<std::uint8_t>(mcdu::kClrLocal, 1);
            WriteKey<std::uint8_t>(mcdu::kClrRequest, 0);
        }
    }
}

void CMcduPanel::ClrReleased() {
    if (m_clrPressed) {
        m_log.Format("----------------------- %d Clear Being Released %s", m_updateCounter,
                     m_scratchPad);
        m_clrPressed = false;
    }
    m_clrDown.SetBool(false);
    m_clrDown.Remember();
    m_accepting = true;
    if (m_clrState != kClrIdle) {
        m_log.Format("----------------------- %d Nothing being Pressed %s", m_updateCounter,
                     m_scratchPad);
        m_clrState = kClrIdle;
    }
    if (ReadKey<std::uint8_t>(mcdu::kClrLocal) != 0) {
        m_log.Format("----------------------- %d Clear Cancel Ack from MCDU %s", m_updateCounter,
                     m_scratchPad);
        WriteKey<std::uint8_t>(mcdu::kClrLocal, 0);
    }
    WriteKey<std::uint8_t>(mcdu::kClrRequest, 0);
}

// The host's message is taken from the local page copy; the copy's message
// is emptied with the segment's, so that the screen draw does not take the
// same message again over what the trainee typed since.
void CMcduPanel::TakeScratchPadMessage() {
    char message[kMaxScratchPad + 1];
    const std::size_t length = kx::BoundedLength(
        reinterpret_cast<const char*>(m_page + mcdu::kMessage), mcdu::kScratchPadSize);
    std::memcpy(message, m_page + mcdu::kMessage, length);
    message[length] = '\0';
    if (message[0] == '\0')
        return;

    m_userEntry = true;
    m_messageColour = PageCopy<std::int32_t>(mcdu::kMessageColour);
    if (message[0] == '@') {
        // The host's way to clear the scratch pad.
        m_messageNotClr = false;
        m_scratchPad[0] = '\0';
    } else {
        m_messageNotClr = !kx::EqualNoCase(message, "CLR");
        kx::StrCopy(m_scratchPad, message);
    }
    std::memset(m_page + mcdu::kMessage, 0, mcdu::kScratchPadSize);
    if (!m_remoteHold && m_blocks.page != 0) {
        shm::TextAt<Gensim_Shm::kSize>(m_blocks.page + mcdu::kMessage, mcdu::kScratchPadSize)
            .Write(GetSharedMemory(), "");
        WriteKey<std::uint8_t>(mcdu::kMessageTaken, 1);
        m_messagePulse = kMessagePulseUpdates;
    }
}

void CMcduPanel::MissedScratchPad() {
    m_log.Format("----------------------- %d Clear Miss Write %s Cntr = %d", m_updateCounter,
                 m_scratchPad, m_clrHold);
    m_messageNotClr = false;
    m_clrPressed = true;
    AllLightsOff();
}

// ------------------------------------------------------------------ screen

void CMcduPanel::SetRowTable(const int (&rows)[mcdu::kRows]) {
    for (int i = 0; i < mcdu::kRows; ++i)
        m_rows[i] = rows[i];
}

bool CMcduPanel::SetUpDisplay(const McduDisplaySetup& setup) {
    if (setup.display == nullptr) {
        SetError("CMcduPanel::SetUpDisplay --> no drawing object");
        return false;
    }
    m_display = setup.display;
    m_screen = setup.screen;
    m_clear = CRect(m_screen.left, m_screen.top, m_screen.right + 2, m_screen.bottom);
    m_display->SetFontScale(setup.scale);

    const int w = m_screen.right - m_screen.left - 2;
    const int h = m_screen.bottom - m_screen.top;
    Layout& l = m_layout;
    l.charWidth = static_cast<int>(w / 24.0 + 0.5);
    l.topMargin = static_cast<int>(h * 0.185);
    l.pitch = static_cast<int>((h - 0.185 * h - 0.115 * h) / 6.0) + 2;
    l.largeHeight = m_display->GetTextExtent(CBaseDisplay::kLargeFontCode, "A").cy;
    l.smallHeight = m_display->GetTextExtent(CBaseDisplay::kSmallFontCode, "A").cy;
    l.heightDifference = l.largeHeight - l.smallHeight;
    l.boxSize = l.largeHeight * 60 / 100;
    l.scratchPadY = 6 * l.pitch + m_screen.top + l.topMargin;
    for (int i = 0; i < mcdu::kRows; ++i) {
        for (int j = 0; j <= mcdu::kColumns; ++j) {
            m_cells[i][j] =
                CPoint(m_screen.left + j * l.charWidth, m_y + m_rows[i] - l.largeHeight / 2);
        }
    }
    m_log.Format(
        "CMcduPanel::SetUpCharacterPositions->FMC Charcter Large =%d, small = %d, width = %d",
        l.largeHeight, l.smallHeight, (kRowSpacingLast - kRowSpacingFirst) / 6);

    if (setup.banner != nullptr) {
        char text[64];
        kx::Format(text, sizeof text, "MCDU Display intialised to %d%% scale",
                   static_cast<int>(setup.scale * 100.0));
        setup.banner->SetMessage(text);
    }
    m_scratchPad[0] = '\0';
    m_display->SetSymbolScale(mcdu::kScreenScale);
    m_ready = true;
    return true;
}

void CMcduPanel::RefreshPage() {
    std::uint8_t* view = GetSharedMemory();
    if (m_remoteHold || view == nullptr || m_blocks.page == 0)
        return;
    // Two pieces, as the host's drawing of a page may be caught half-way.
    std::memcpy(m_page, view + m_blocks.page, mcdu::kCopyFirstPart);
    std::memcpy(m_page + mcdu::kCopyFirstPart, view + m_blocks.page + mcdu::kCopyFirstPart,
                mcdu::kCopySize - mcdu::kCopyFirstPart);
    TakeScratchPadMessage();
}

COLORREF CMcduPanel::AttributeColour(std::uint8_t attribute) {
    switch (attribute & mcdu::kColourMask) {
        case 4:
            return 0x00FF00;  // green
        case 8:
            return 0x46EBFF;  // yellow
        case 12:
            return 0x0000FF;  // red
        case 16:
            return 0xFFFFFF;  // white
        case 20:
            return 0xFAB478;  // blue
        case 24:
            return 0x2D8DFB;  // amber
        default:
            return 0xD30ED3;  // magenta (0 and 28)
    }
}

// Symbols stand for the characters the font has no glyph for on the screen:
// "#" a double circle, "&" a small circle (raised), ";" the overfly triangle,
// "?" the up/down arrows, "^" an up arrow, "{" and "}" the left and right
// arrows, "~" a down arrow.
void CMcduPanel::DrawCharacter(int x, int y, char c, COLORREF colour, bool large) {
    CBaseDisplay& d = *m_display;
    switch (c) {
        case '#':
            d.DrawDoubleCircle(x, y, kWhite);
            break;
        case '&':
            d.DrawSmallCircle(x, y - kRaisedSymbol, colour);
            break;
        case '0':
            d.DrawSlashedZero(x, y, colour, large);
            break;
        case ';':
            d.DrawTriangle(x, y, kWhite);
            break;
        case '?':
            d.DrawUpDownArrows(x, y, kWhite);
            break;
        case '@':
            d.DrawFrame(CRect(x, y, x + m_layout.boxSize, y + m_layout.boxSize), colour);
            break;
        case 'I':
            d.DrawCentredI(x, y, colour, large);
            break;
        case '[':
            d.DrawBracket(CRect(x, y, x + m_layout.boxSize, y + m_layout.boxSize), kBracketBlue,
                          false);
            break;
        case ']':
            d.DrawBracket(CRect(x, y, x + m_layout.boxSize, y + m_layout.boxSize), kBracketBlue,
                          true);
            break;
        case '^':
            d.DrawUpArrow(x, y, colour);
            break;
        case '{':
            d.DrawLeftArrow(x, y, colour);
            break;
        case '}':
            d.DrawRightArrow(x, y, colour);
            break;
        case '~':
            d.DrawDownArrow(x, y, kWhite);
            break;
        default: {
            const char text[2] = {c, '\0'};
            d.DrawText(x, y, text, colour, large);
            break;
        }
    }
}

bool CMcduPanel::DrawScratchPad() {
    COLORREF colour = kWhite;
    if (m_messageNotClr) {
        if (m_messageColour < 0 || m_messageColour >= 4)
            return false;
        colour = kMessageColours[m_messageColour];
    }
    for (int i = 0; i < kScratchPadColumns && m_scratchPad[i] != '\0'; ++i) {
        const char c = m_scratchPad[i];
        if (c < kFirstDrawable || c > kLastDrawable)
            return false;
        DrawCharacter(m_screen.left + i * m_layout.charWidth, m_layout.scratchPadY, c, colour,
                      true);
    }
    return true;
}

void CMcduPanel::DrawScreen() {
    if (!m_ready)
        return;
    ++m_drawCounter;
    const bool even = m_drawCounter % 2 == 0;
    if (even != (m_index == 0))
        return;  // the other MCDU's turn; the screen keeps its picture

    m_display->FillRect(m_clear, CBaseDisplay::kBlack);
    if (m_page[mcdu::kPageValid] == 0)
        return;

    auto cell = [this](std::uint32_t line, int column, char& c, std::uint8_t& attribute) {
        c = static_cast<char>(m_page[line + 2 * column]);
        attribute = m_page[line + 2 * column + 1];
        return attribute != 0 && c != ' ';
    };
    char c;
    std::uint8_t a;
    for (int i = 0; i < mcdu::kRows; ++i) {
        for (int j = 0; j < mcdu::kColumns; ++j) {
            if (!cell(mcdu::kDataLines + mcdu::kLineStride * i, j, c, a))
                continue;
            const bool large = (a & mcdu::kLargeBit) != 0;
            const CPoint p = m_cells[i][j];
            DrawCharacter(p.x, large ? p.y : p.y + m_layout.heightDifference, c, AttributeColour(a),
                          large);
        }
    }
    for (int j = 0; j < mcdu::kColumns; ++j) {
        if (cell(mcdu::kTitleLine, j, c, a))
            DrawCharacter(m_screen.left + j * m_layout.charWidth, m_screen.top, c,
                          AttributeColour(a), true);
    }
    for (int i = 0; i < mcdu::kRows; ++i) {
        for (int j = 0; j < mcdu::kColumns; ++j) {
            if (!cell(mcdu::kLabelLines + mcdu::kLineStride * i, j, c, a))
                continue;
            const CPoint p = m_cells[i][j];
            DrawCharacter(p.x, p.y - m_layout.smallHeight, c, AttributeColour(a), false);
        }
    }

    TakeScratchPadMessage();
    if (m_remoteHold)
        return;
    if (m_userEntry && !DrawScratchPad())
        MissedScratchPad();
    if (m_page[mcdu::kScrollMark] != 0)
        DrawCharacter(m_screen.left + kScrollMarkColumn * m_layout.charWidth, m_layout.scratchPadY,
                      '?', kWhite, false);
}

void CMcduPanel::Draw(CDC* dc) {
    panelkit::DrawButtons(m_keys, dc);
    for (CLightClass& light : m_lights)
        light.Draw(dc);
    if (m_display != nullptr && dc != nullptr && m_display->GetDrawingSurface() != dc)
        m_display->SetDrawingSurface(dc);
    DrawScreen();
}

const CBaseCockpitControl* CMcduPanel::GetControl(int index) const {
    if (index >= 0 && index < kKeyCount)
        return &m_keys[index];
    index -= kKeyCount;
    if (index >= 0 && index < kLightCount)
        return &m_lights[index];
    return nullptr;
}
