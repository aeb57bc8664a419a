// Descriptions of the fields that cross the generic segment, for tools that
// show and set them by name (the substitute host). Each owner of fields (the
// program as a whole, each panel) lists its rows beside its offsets, so the
// names can never drift from the offsets the program uses.
#pragma once

#include <cstdint>

namespace shm {

enum class FieldType { Byte, Bool, Int16, UInt16, Int32, UInt32, Float, Double, Text };

// Who writes the field: this program (the cockpit) or the simulation host.
enum class Writer { Program, Host };

struct FieldRow {
    // Name such as "ELEC.BUTTON_%d.STATE"; a row with count > 1 stands for
    // count fields, %d taking 0 .. count-1, each stride bytes after the last.
    const char* name;
    std::uint32_t offset;
    FieldType type;
    Writer writer;
    const char* meaning;
    std::uint32_t count = 1;
    std::uint32_t stride = 0;
    std::uint32_t textSize = 0;  // characters of a Text field
};

constexpr std::uint32_t FieldWidth(const FieldRow& row) {
    switch (row.type) {
        case FieldType::Byte:
        case FieldType::Bool:
            return 1;
        case FieldType::Int16:
        case FieldType::UInt16:
            return 2;
        case FieldType::Int32:
        case FieldType::UInt32:
        case FieldType::Float:
            return 4;
        case FieldType::Double:
            return 8;
        case FieldType::Text:
            return row.textSize;
    }
    return 0;
}

}  // namespace shm
