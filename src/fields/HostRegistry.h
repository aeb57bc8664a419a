// The registry of named fields: every field that crosses the generic segment,
// by name, as the substitute host shows and sets it.
//
// The names come from the row tables that the owners of the fields keep
// beside their offsets (the program as a whole in shm/GenericLayout.h, each
// panel in its own layout header), so the host can never drift from the
// offsets the cockpit uses. A row with count > 1 stands for count fields: its
// name pattern takes the index in place of "%d" (ELEC.BUTTON_%d.STATE gives
// ELEC.BUTTON_0.STATE to ELEC.BUTTON_10.STATE).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "shm/FieldInfo.h"

namespace host {

// One owner's table of rows, under the heading the host shows for it.
struct RowTable {
    const char* owner;
    std::span<const shm::FieldRow> rows;
};

// One field, expanded from its row.
struct NamedField {
    std::string name;
    std::uint32_t offset;
    shm::FieldType type;
    shm::Writer writer;
    const char* meaning;
    std::uint32_t width;     // bytes in the segment
    std::uint32_t textSize;  // characters of a text field, 0 otherwise
    // The values the field stays within (inclusive) when ranged.
    bool ranged = false;
    double minimum = 0;
    double maximum = 0;
    bool consumed = false;  // a host request the cockpit empties once taken
};

class Registry {
  public:
    // Expands the rows of the tables, in table and row order. Rows that cannot
    // be expanded (no name, no "%d" in an indexed row) are left out and
    // reported by Check().
    Registry(std::span<const RowTable> tables, std::uint32_t segmentSize);

    const std::vector<NamedField>& Fields() const { return m_fields; }
    std::span<const RowTable> Tables() const { return m_tables; }
    std::uint32_t SegmentSize() const { return m_segmentSize; }

    // The field of that name, compared without regard to case; null if none.
    const NamedField* Find(std::string_view name) const;

    // True when the tables are sound: every row well formed, every name
    // unique and made of A-Z, 0-9, '_' and '.', every field inside the
    // segment, and no field written by the program overlapping any other
    // field (one writer per byte), and every range inside its field's type
    // (minimum not above maximum; none on a text). Otherwise one line per
    // fault in problems.
    bool Check(std::string& problems) const;

  private:
    void CheckRow(const RowTable& table, const shm::FieldRow& row, std::string& problems) const;

    std::span<const RowTable> m_tables;
    std::uint32_t m_segmentSize;
    std::vector<NamedField> m_fields;
    std::unordered_map<std::string, std::size_t> m_byName;  // upper-case name -> index
    std::vector<std::string> m_duplicates;
};

// Every row table of the generic segment that the host knows.
std::span<const RowTable> GenericRowTables();

// The registry of the generic segment, built once.
const Registry& GenericRegistry();

// "byte", "int32", "text(50)", ...
std::string TypeName(const NamedField& field);
const char* WriterName(shm::Writer writer);

// "0..359", or "" for a field without a range.
std::string RangeText(const NamedField& field);

// Fields that belong to the segment's attach logic: shown, never set by hand.
bool IsReadOnly(const NamedField& field);

}  // namespace host
