#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CKnobClass.h"
#include "controls/CLever.h"
#include "panels/CKitPanel.h"
#include "panels/PanelBlocks.h"
#include "panels/PanelCatalog.h"

namespace {

using blocks::Direction;
using blocks::Extent;
using blocks::Region;

const Extent* Find(const char* panel, int side, Region region, Direction direction) {
    for (const Extent& e : blocks::kBlockTable.All()) {
        if (std::string(e.panel) == panel && e.side == side && e.region == region &&
            e.direction == direction)
            return &e;
    }
    return nullptr;
}

void ExpectBlock(const char* panel, int side, Region region, Direction direction,
                 std::uint32_t start, std::uint32_t length) {
    SCOPED_TRACE(std::string(panel) + " side " + std::to_string(side));
    const Extent* e = Find(panel, side, region, direction);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->start, start);
    EXPECT_EQ(e->length, length);
}

TEST(PanelBlocks, StartsAndLengthsAsLaidOut) {
    constexpr Direction kOut = Direction::Out;
    constexpr Direction kIn = Direction::In;
    // The ADIRU blocks end where the light switch panel's begin.
    ExpectBlock("ADIRU", 0, Region::A320, kOut, 129968, 130028 - 129968);
    ExpectBlock("ADIRU", 0, Region::A320, kIn, 129172, 129229 - 129172);
    ExpectBlock("LIGHTS", 0, Region::A320, kOut, 130028, 36);
    // Two MCDU key blocks of 88 bytes end where the thrust levers begin.
    ExpectBlock("MCDU", 0, Region::A320, kOut, 130824, 88);
    ExpectBlock("MCDU", 1, Region::A320, kOut, 130912, 88);
    ExpectBlock("MCDU", 1, Region::A330, kOut, 76316, 88);
    ExpectBlock("MCDU", 1, Region::A320, kIn, 127436, 700);
    ExpectBlock("THR LEVERS", 0, Region::A320, kOut, 131000, 8);
    ExpectBlock("THR LEVERS", 0, Region::A330, kOut, 76404, 8);
    // RMP 2 meets ACP 2 in both regions.
    ExpectBlock("RMP", 2, Region::A320, kOut, 130236, 130316 - 130236);
    ExpectBlock("ACP", 2, Region::A320, kOut, 130316, 13);
    ExpectBlock("RMP", 2, Region::A330, kOut, 75612, 75692 - 75612);
    ExpectBlock("RMP", 1, Region::A320, kIn, 129644, 60);
    ExpectBlock("ACP", 1, Region::A330, kIn, 75084, 5);
    // Units and copies.
    ExpectBlock("ECAM COPY", 0, Region::A330, kOut, 76000, 16);
    ExpectBlock("FCU", 0, Region::A320, kOut, 130356, 61);
    ExpectBlock("FCU", 0, Region::A330, kIn, 75216, 81);
    ExpectBlock("EFIS CTL", 1, Region::A320, kOut, 130456, 33);
    ExpectBlock("EFIS CTL", 1, Region::A330, kIn, 75149, 17);
    ExpectBlock("DATA SCREEN", 0, Region::A330, kOut, 75924, 3);
    ExpectBlock("ATC", 0, Region::None, kOut, 131008, 32);
    ExpectBlock("GLARESHIELD", 1, Region::A330, kIn, 75182, 13);
    EXPECT_EQ(Find("PARK BRK", 0, Region::A320, kIn), nullptr);  // no input block

    // The named starts the panels use stay as they were.
    EXPECT_EQ(blocks::kElectrical.out, 129952u);
    EXPECT_EQ(blocks::kElectrical.in, 129136u);
    EXPECT_EQ(blocks::kEcamControlThird, 76000u);
    EXPECT_EQ(blocks::kClock.a330.in, 75197u);
    EXPECT_EQ(blocks::kParkBrake.a320.in, blocks::kNoBlock);
    EXPECT_EQ(blocks::kParkBrake.a320.inLength, 0u);
}

TEST(PanelBlocks, EverySideAndRegionIsListed) {
    const auto count = [](const char* panel) {
        int n = 0;
        for (const Extent& e : blocks::kBlockTable.All())
            n += std::string(e.panel) == panel;
        return n;
    };
    EXPECT_EQ(count("ELEC"), 2);         // A320 only
    EXPECT_EQ(count("ECAM COPY"), 1);    // one copy block
    EXPECT_EQ(count("FLAP"), 2);         // output only, both regions
    EXPECT_EQ(count("GLARESHIELD"), 8);  // 2 sides x 2 regions x 2 blocks
    EXPECT_EQ(count("EFIS DMC"), 8);
    EXPECT_EQ(count("RMP"), 12);  // 3 sides
    EXPECT_EQ(count("ACP"), 12);
    EXPECT_EQ(count("MCDU"), 12);  // indexes 0 to 2
    EXPECT_EQ(count("EFIS CTL"), 8);
    EXPECT_EQ(count("ATC"), 2);  // the same for every type code
}

// The check itself: touching blocks are apart, one shared byte is not, a
// listed overlap is allowed, a block past the segment's 132464 bytes is out.
TEST(PanelBlocks, CheckTellsTouchingFromOverlapping) {
    const Extent touching[] = {
        {"A", 0, Region::A320, Direction::Out, 100, 10},
        {"B", 0, Region::A320, Direction::Out, 110, 5},
    };
    EXPECT_TRUE(blocks::BlocksApart(touching));
    const Extent sharing[] = {
        {"A", 0, Region::A320, Direction::Out, 100, 11},
        {"B", 0, Region::A320, Direction::Out, 110, 5},
    };
    EXPECT_FALSE(blocks::BlocksApart(sharing));
    const Extent inside[] = {
        {"B", 0, Region::A320, Direction::Out, 110, 5},
        {"A", 0, Region::A320, Direction::In, 100, 40},
    };
    EXPECT_FALSE(blocks::BlocksApart(inside));
    const Extent listed[] = {
        {"THR LEVERS", 0, Region::A320, Direction::Out, 131000, 8},
        {"MCDU", 2, Region::A320, Direction::Out, 131000, 88},
    };
    EXPECT_TRUE(blocks::BlocksApart(listed));
    const Extent unlisted[] = {
        {"THR LEVERS", 0, Region::A320, Direction::Out, 131000, 8},
        {"MCDU", 1, Region::A320, Direction::Out, 131000, 88},
    };
    EXPECT_FALSE(blocks::BlocksApart(unlisted));

    const Extent lastByte[] = {{"A", 0, Region::A320, Direction::In, 132463, 1}};
    EXPECT_TRUE(blocks::BlocksInsideSegment(lastByte));
    const Extent beyond[] = {{"A", 0, Region::A320, Direction::In, 132463, 2}};
    EXPECT_FALSE(blocks::BlocksInsideSegment(beyond));
    const Extent empty[] = {{"A", 0, Region::A320, Direction::In, 100, 0}};
    EXPECT_FALSE(blocks::BlocksInsideSegment(empty));
}

TEST(PanelBlocks, SidesKeepTheirLengths) {
    kit::PanelDescription desc{.className = "CGlareShield",
                               .progress = "",
                               .prefix = "GS",
                               .title = "",
                               .regions = blocks::kGlareshield,
                               .typeDependent = true,
                               .sides = 2,
                               .sideOutStride = 8,
                               .sideInStride = 15};
    const blocks::PanelBlocks right = CKitPanel::BlocksOf(desc, 1, true);
    EXPECT_EQ(right.out, 130500u);
    EXPECT_EQ(right.outLength, 8u);
    EXPECT_EQ(right.in, 129814u);
    EXPECT_EQ(right.inLength, 13u);
    const blocks::PanelBlocks left330 = CKitPanel::BlocksOf(desc, 0, false);
    EXPECT_EQ(left330.out, 75876u);
    EXPECT_EQ(left330.in, 75167u);
}

// One field of a panel's rows: where it lies in which block.
struct RowField {
    std::string what;
    bool output;
    std::uint32_t offset;
    std::uint32_t width;
};

std::vector<RowField> FieldsOf(const kit::PanelDescription& desc) {
    std::vector<RowField> fields;
    const auto add = [&fields](const std::string& what, bool output, std::uint32_t offset,
                               std::uint32_t width) {
        if (offset != kit::kNone && width > 0)
            fields.push_back({what, output, offset, width});
    };
    // The widths are those the kit writes: switches 3 positions, knobs and
    // levers all their positions.
    for (const kit::ButtonRow& row : desc.buttons) {
        const std::string what = std::string("button ") + row.label;
        add(what, true, row.out.offset, kit::Width(row.out));
        if (row.lights.mode == kit::Lit::Pair || row.lights.mode == kit::Lit::One)
            add(what + " light", false, row.lights.top, 1);
        if (row.lights.mode == kit::Lit::Pair)
            add(what + " bottom light", false, row.lights.bottom, 1);
    }
    for (const kit::SwitchRow& row : desc.switches)
        add(std::string("switch ") + row.label, true, row.out.offset, kit::Width(row.out, 3));
    for (const kit::KnobRow& row : desc.knobs) {
        add(std::string("knob ") + row.label, true, row.out.offset,
            kit::Width(row.out, CKnobClass::kPositionCount));
    }
    for (const kit::LeverRow& row : desc.levers) {
        add(std::string("lever ") + row.label, true, row.out.offset,
            kit::Width(row.out, kit::DetentCount(row)));
    }
    for (const kit::LightRow& row : desc.lights) {
        add(std::string("light ") + row.label, false, row.input,
            row.source == kit::Source::Int32Equals ? 4 : 1);
    }
    add("lamp test", false, desc.lampTest, 1);
    for (const kit::PresetRow& preset : desc.presets)
        add(preset.name, false, preset.request, 1);
    return fields;
}

TEST(PanelBlocks, KitPanelRowsStayInsideTheirBlocks) {
    for (const panels::CatalogEntry& entry : panels::KitCatalog()) {
        const kit::PanelDescription& desc = *entry.desc;
        const std::vector<RowField> fields = FieldsOf(desc);
        for (const bool a320 : {true, false}) {
            if (!a320 && !desc.typeDependent)
                continue;
            const blocks::PanelBlocks at = CKitPanel::BlocksOf(desc, entry.side, a320);
            for (const RowField& field : fields) {
                SCOPED_TRACE(std::string(desc.className) + " side " + std::to_string(entry.side) +
                             (a320 ? " A320: " : " A330: ") + field.what);
                const std::uint32_t start = field.output ? at.out : at.in;
                const std::uint32_t length = field.output ? at.outLength : at.inLength;
                ASSERT_NE(start, blocks::kNoBlock);
                EXPECT_LE(field.offset + field.width, length);
            }
            // The fields the rows do not describe lie in the segment at least.
            if (desc.extraFields != nullptr) {
                for (const shm::FieldRow& row : desc.extraFields(entry.side)) {
                    SCOPED_TRACE(std::string(desc.className) + ": " + row.name);
                    const std::uint64_t end = std::uint64_t{row.offset} +
                                              std::uint64_t{row.count - 1} * row.stride +
                                              shm::FieldWidth(row);
                    EXPECT_LE(end, 132464u);
                }
            }
        }
    }
}

}  // namespace
