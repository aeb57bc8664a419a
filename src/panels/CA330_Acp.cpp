#include "panels/CA330_Acp.h"

#include <deque>
#include <string>
#include <vector>

#include "shm/SimSegment.h"

namespace acp {

namespace {

using namespace kit;

constexpr blocks::TypedBlocks kSide1 =
    blocks::Typed({blocks::kAcpSide0.a320.out + blocks::kAcpOutStride,
                   blocks::kAcpSide0.a320.in + blocks::kAcpInStride},
                  {blocks::kAcpSide0.a330.out + blocks::kAcpOutStride,
                   blocks::kAcpSide0.a330.in + blocks::kAcpInStride},
                  blocks::kAcpSide0.a320.outLength, blocks::kAcpSide0.a320.inLength);
constexpr blocks::TypedBlocks kSides[] = {blocks::kAcpSide0, kSide1, blocks::kAcpSide2};

constexpr int kKeyX[kKeysPerRow] = {24, 61, 98, 134, 169, 211, 248};
constexpr int kTransmitY = 8;
constexpr int kRow1Y = 55;
constexpr int kRow2Y = 146;

constexpr ButtonRow Transmit(int key, const char* label, const char* picture) {
    return ButtonRow{label, picture, kKeyX[key], kTransmitY, kNoOutput, kPanelLit}.Momentary().Id(
        key);
}
constexpr ButtonRow Receive(int key, const char* label, int y) {
    return ButtonRow{label, "Buttons\\AcpVolume", kKeyX[key], y, kNoOutput, kUnlit}.OnOff().Id(key);
}

constexpr ButtonRow kKeyRows[3 * kKeysPerRow] = {
    Transmit(0, "VHF 1 TX", "Buttons\\AcpCall"),
    Transmit(1, "VHF 2 TX", "Buttons\\AcpCall"),
    Transmit(2, "VHF 3 TX", "Buttons\\AcpCall"),
    Transmit(3, "HF 1 TX", "Buttons\\AcpCall"),
    Transmit(4, "HF 2 TX", "Buttons\\AcpCall"),
    Transmit(5, "MECH TX", "Buttons\\AcpMech"),
    Transmit(6, "ATT TX", "Buttons\\AcpAtt"),
    Receive(0, "VHF 1 RX", kRow1Y),
    Receive(1, "VHF 2 RX", kRow1Y),
    Receive(2, "VHF 3 RX", kRow1Y),
    Receive(3, "HF 1 RX", kRow1Y),
    Receive(4, "HF 2 RX", kRow1Y),
    Receive(5, "MECH RX", kRow1Y),
    Receive(6, "ATT RX", kRow1Y),
    Receive(0, "VOR 1", kRow2Y),
    Receive(1, "VOR 2", kRow2Y),
    Receive(2, "MKR", kRow2Y),
    Receive(3, "ILS", kRow2Y),
    Receive(4, "MLS", kRow2Y),
    Receive(5, "ADF 1", kRow2Y),
    Receive(6, "ADF 2", kRow2Y),
};

std::span<const shm::FieldRow> ExtraFields(int side) {
    struct Tables {
        std::deque<std::string> texts;
        std::vector<shm::FieldRow> rows[3];
        Tables() {
            for (int s = 0; s < 3; ++s) {
                const blocks::PanelBlocks at = kSides[s].a320;
                auto add = [&](const std::string& name, std::uint32_t block, std::uint32_t offset,
                               shm::FieldType type, shm::Writer writer, const char* meaning,
                               int low = 0, int high = -1) {
                    texts.push_back("ACP_" + std::to_string(s) + "." + name);
                    const shm::FieldRow row{texts.back().c_str(), block + offset, type, writer,
                                            meaning};
                    rows[s].push_back(low <= high ? row.In(low, high) : row);
                };
                using shm::FieldType;
                using shm::Writer;
                add("REMOTE_HOLD", at.out, out::kRemoteHold, FieldType::Byte, Writer::Host,
                    "non-zero: the panel ignores the mouse");
                add("TX_CHANNEL", at.out, out::kChannel, FieldType::Int16, Writer::Program,
                    "selected transmission key 0 to 6, 125 when none", 0, 125);
                add("TX_RECEPTION", at.out, out::kRow1Selected, FieldType::Byte, Writer::Program,
                    "1 while the reception key of the selected channel is in", 0, 1);
                static constexpr const char* kRow2Names[6] = {"VOR_1", "VOR_2", "ADF_1",
                                                              "ADF_2", "MKR",   "ILS"};
                for (std::uint32_t n = 0; n < 6; ++n) {
                    add(std::string("RX_") + kRow2Names[n], at.out, out::kRow2 + n, FieldType::Byte,
                        Writer::Program,
                        "reception key: 10 in, 0 out (while a channel is selected)", 0, 10);
                }
                add("POWERED", at.in, in::kPowered, FieldType::Byte, Writer::Host,
                    "panel powered: transmission keys light and can be selected");
                add("UPPER_LEGENDS", at.in, in::kUpperLegends, FieldType::Byte, Writer::Host,
                    "every transmission key shows its upper legend (no selection)");
            }
        }
    };
    static const Tables tables;
    return tables.rows[side < 0 || side > 2 ? 0 : side];
}

}  // namespace

const PanelDescription kDescription{
    .className = "CA330_Acp",
    .progress = "Initialising ACP  Items",
    .prefix = "ACP",
    .title = "Audio control panel",
    .regions = blocks::kAcpSide0,
    .typeDependent = true,
    .followsRemoteHold = false,
    .buttons = kKeyRows,
    .sides = 3,
    .sideRegions = kSides,
    .extraFields = ExtraFields,
};

}  // namespace acp

using namespace acp;

bool CA330_Acp::InitialiseExtra(const char* /*folder*/) {
    for (bool& selected : m_selected)
        selected = false;
    return true;
}

void CA330_Acp::Update(MouseEvent* event) {
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    SetRemoteHold(ReadOutByte(view, out::kRemoteHold) != 0);
    if (IsRemoteHold())
        return;
    CKitPanel::Update(event);
}

bool CA330_Acp::IsActive(Kind kind, int index) const {
    return !(kind == Kind::Button && index == kRow2 + kHiddenRow2Key);
}

bool CA330_Acp::ButtonLit(int index, const std::uint8_t* view) const {
    if (index < 0 || index >= kKeysPerRow || InByte(view, in::kPowered) == 0)
        return false;
    return InByte(view, in::kUpperLegends) != 0 || m_selected[index];
}

int CA330_Acp::GetSelected() const {
    int selected = -1;
    for (int i = 0; i < kKeysPerRow; ++i) {
        if (m_selected[i])
            selected = i;
    }
    return selected;
}

void CA330_Acp::AfterControls(std::uint8_t* view, MouseEvent* /*event*/) {
    if (InByte(view, in::kPowered) != 0 && InByte(view, in::kUpperLegends) == 0) {
        for (int i = 0; i < kKeysPerRow; ++i) {
            if (!Key(i).IsPressed())
                continue;
            for (bool& selected : m_selected)
                selected = false;
            m_selected[i] = true;
            m_lastSelected = i;
            break;
        }
    }
    const int channel = GetSelected();
    GenField<std::int16_t>::At(OutBlock() + out::kChannel)
        .Write(view, channel < 0 ? kNoChannel : static_cast<std::int16_t>(channel));
    if (channel < 0)
        return;
    OutByte(view, out::kRow1Selected, Key(kRow1 + channel).IsPressed() ? 1 : 0);
    for (std::uint32_t n = 0; n < 6; ++n) {
        const bool in = Key(kRow2 + kRow2Order[n]).IsPressed();
        OutByte(view, out::kRow2 + n, in ? 10 : 0);
    }
}
