#include <gtest/gtest.h>

#include <string>

#include "fields/HostRegistry.h"
#include "panels/ElectricalLayout.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"

namespace {

using shm::FieldRow;
using shm::FieldType;
using shm::Writer;

TEST(HostRegistry, TheFieldTablesAreSound) {
    std::string problems;
    EXPECT_TRUE(host::GenericRegistry().Check(problems)) << problems;
}

TEST(HostRegistry, IndexedRowsExpandToOneFieldPerIndex) {
    const host::Registry& registry = host::GenericRegistry();

    std::size_t expected = 0;
    for (const host::RowTable& table : registry.Tables()) {
        for (const FieldRow& row : table.rows)
            expected += row.count;
    }
    EXPECT_EQ(registry.Fields().size(), expected);

    const host::NamedField* state3 = registry.Find("ELEC.BUTTON_3.STATE");
    ASSERT_NE(state3, nullptr);
    EXPECT_EQ(state3->offset, elec::kButtonState.Offset() + 3);
    EXPECT_EQ(state3->writer, Writer::Program);

    // Names are found without regard to case; the last index is 10.
    const host::NamedField* top10 = registry.Find("elec.button_10.light_top");
    ASSERT_NE(top10, nullptr);
    EXPECT_EQ(top10->name, "ELEC.BUTTON_10.LIGHT_TOP");
    EXPECT_EQ(top10->offset, elec::kTopLight.Offset() + 20);
    EXPECT_EQ(registry.Find("ELEC.BUTTON_11.STATE"), nullptr);
    EXPECT_EQ(registry.Find("ELEC.BUTTON_%d.STATE"), nullptr);

    const host::NamedField* fcu4 = registry.Find("SYS.FCU_REQUEST_4");
    ASSERT_NE(fcu4, nullptr);
    EXPECT_EQ(fcu4->offset, 75248u);

    const host::NamedField* heading = registry.Find("BANNER.HEADING");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->width, 50u);
    EXPECT_EQ(host::TypeName(*heading), "text(50)");
}

TEST(HostRegistry, OnlyTheAttachLogicsFieldsAreReadOnly) {
    const host::Registry& registry = host::GenericRegistry();
    int readOnly = 0;
    for (const host::NamedField& f : registry.Fields())
        readOnly += host::IsReadOnly(f) ? 1 : 0;
    EXPECT_EQ(readOnly, 2);
    EXPECT_TRUE(host::IsReadOnly(*registry.Find("SYS.VERSION")));
    EXPECT_TRUE(host::IsReadOnly(*registry.Find("SYS.ATTACH_COUNTER")));
}

// The problems Check() reports for one table of rows.
std::string ProblemsOf(std::initializer_list<FieldRow> rows, bool* sound = nullptr) {
    std::vector<FieldRow> table(rows);
    const host::RowTable tables[] = {{"Test panel", table}};
    host::Registry registry(tables, Gensim_Shm::kSize);
    std::string problems;
    bool ok = registry.Check(problems);
    if (sound)
        *sound = ok;
    return problems;
}

TEST(HostRegistry, CheckFindsOverlapsFieldsOutsideTheSegmentAndMalformedRows) {
    const std::uint32_t end = Gensim_Shm::kSize;
    bool sound = true;

    std::string p = ProblemsOf({{"T.A", 100, FieldType::Int32, Writer::Program, "a"},
                                {"T.B", 103, FieldType::Byte, Writer::Program, "b"}},
                               &sound);
    EXPECT_FALSE(sound);
    EXPECT_NE(p.find("T.A (100..103, program) overlaps T.B (103..103, program)"), std::string::npos)
        << p;

    // A program field over a host field breaks the one-writer rule as well;
    // two host fields over each other do not concern the cockpit.
    EXPECT_NE(ProblemsOf({{"T.A", 100, FieldType::Byte, Writer::Host, "a"},
                          {"T.B", 99, FieldType::Int16, Writer::Program, "b"}})
                  .find("overlaps"),
              std::string::npos);
    ProblemsOf({{"T.A", 100, FieldType::Int32, Writer::Host, "a"},
                {"T.B", 102, FieldType::Byte, Writer::Host, "b"}},
               &sound);
    EXPECT_TRUE(sound);

    // Rows of several fields overlap themselves when the stride is short.
    EXPECT_NE(ProblemsOf({{"T.X_%d", 200, FieldType::Int16, Writer::Program, "x", 3, 1}})
                  .find("stride smaller"),
              std::string::npos);

    p = ProblemsOf({{"T.LAST", end - 2, FieldType::Int32, Writer::Host, "a"}});
    EXPECT_NE(p.find("outside the segment"), std::string::npos) << p;
    p = ProblemsOf({{"T.ROW_%d", end - 10, FieldType::Byte, Writer::Host, "a", 11, 1}});
    EXPECT_NE(p.find("reaches byte " + std::to_string(end)), std::string::npos) << p;
    ProblemsOf({{"T.ROW_%d", end - 11, FieldType::Byte, Writer::Host, "a", 11, 1}}, &sound);
    EXPECT_TRUE(sound);

    EXPECT_NE(ProblemsOf({{"T.A", 10, FieldType::Byte, Writer::Host, "a"},
                          {"t.a", 20, FieldType::Byte, Writer::Host, "b"}})
                  .find("more than one field"),
              std::string::npos);
    EXPECT_NE(ProblemsOf({{"T.ROW", 10, FieldType::Byte, Writer::Host, "a", 3, 1}})
                  .find("not exactly one \"%d\""),
              std::string::npos);
    EXPECT_NE(ProblemsOf({{"T.ROW_%d", 10, FieldType::Byte, Writer::Host, "a"}})
                  .find("stands for one field"),
              std::string::npos);
    EXPECT_NE(ProblemsOf({{"T.TEXT", 10, FieldType::Text, Writer::Host, "a"}})
                  .find("text of no characters"),
              std::string::npos);
    EXPECT_NE(ProblemsOf({{"T.lower", 10, FieldType::Byte, Writer::Host, "a"}})
                  .find("characters other than"),
              std::string::npos);
    EXPECT_NE(ProblemsOf({{"T.NONE", 10, FieldType::Byte, Writer::Host, ""}}).find("no meaning"),
              std::string::npos);
}

TEST(HostRegistry, CheckFindsRangesThatDoNotFitTheirType) {
    bool sound = false;
    ProblemsOf({FieldRow{"T.A", 10, FieldType::Byte, Writer::Program, "a"}.In(0, 255),
                FieldRow{"T.B", 11, FieldType::Int16, Writer::Program, "b"}.In(-32768, 32767),
                FieldRow{"T.C", 14, FieldType::Float, Writer::Program, "c"}.In(-1e30, 1e30)},
               &sound);
    EXPECT_TRUE(sound);
    std::string p =
        ProblemsOf({FieldRow{"T.A", 10, FieldType::Byte, Writer::Program, "a"}.In(0, 256)});
    EXPECT_NE(p.find("T.A has a range 0..256 that does not fit its type"), std::string::npos) << p;
    EXPECT_NE(ProblemsOf({FieldRow{"T.A", 10, FieldType::UInt16, Writer::Host, "a"}.In(-1, 5)})
                  .find("does not fit its type"),
              std::string::npos);
    EXPECT_NE(ProblemsOf({FieldRow{"T.A", 10, FieldType::Int32, Writer::Host, "a"}.In(5, 4)})
                  .find("minimum is above its maximum"),
              std::string::npos);
    EXPECT_NE(
        ProblemsOf({FieldRow{"T.A", 10, FieldType::Text, Writer::Host, "a", 1, 0, 4}.In(0, 1)})
            .find("range to a text"),
        std::string::npos);
    EXPECT_NE(ProblemsOf({FieldRow{"T.A", 10, FieldType::Byte, Writer::Program, "a"}.Consumed()})
                  .find("consumed but not written by the host"),
              std::string::npos);
}

TEST(HostRegistry, EveryControlOutputAndTheUnitTargetsHaveTheirRanges) {
    const host::Registry& registry = host::GenericRegistry();
    int controls = 0;
    for (const host::NamedField& f : registry.Fields()) {
        // The thrust lever angles are doubles that the host may move as well.
        if (f.writer != Writer::Program || f.type == FieldType::Double)
            continue;
        for (const char* kind : {".BUTTON_", ".SWITCH_", ".KNOB_", ".LEVER_"}) {
            if (f.name.find(kind) != std::string::npos) {
                EXPECT_TRUE(f.ranged) << f.name;
                ++controls;
            }
        }
    }
    EXPECT_GT(controls, 100);

    auto range = [&](const char* name) {
        const host::NamedField* f = registry.Find(name);
        return f == nullptr ? std::string("(none)") : host::RangeText(*f);
    };
    EXPECT_EQ(range("FCU.HEADING"), "0..359");
    EXPECT_EQ(range("FCU.VERTICAL"), "-6000..6000");
    EXPECT_EQ(range("ATC.CODE"), "0..7777");
    EXPECT_EQ(range("CLOCK.BARO"), "990..1050");
    EXPECT_EQ(range("ELEC.BUTTON_3.STATE"), "0..1");
    // The standby TRUE echo is the cockpit's own byte.
    const host::NamedField* echo = registry.Find("CLOCK.TRUE_ECHO");
    ASSERT_NE(echo, nullptr);
    EXPECT_EQ(echo->writer, Writer::Program);
}

}  // namespace
