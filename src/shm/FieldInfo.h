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
    // The values the field stays within, both inclusive, when `ranged`: for
    // a field the program writes, every value it can publish; for one the
    // host writes, the values the cockpit makes sense of.
    bool ranged = false;
    double minimum = 0;
    double maximum = 0;
    // A request of the host that the cockpit empties (writes zeros into)
    // once it has taken it: the only change the program makes to a field
    // the host writes.
    bool consumed = false;

    // The row with a range, e.g. {"FCU.HEADING", ...}.In(0, 359).
    constexpr FieldRow In(double low, double high) const {
        FieldRow row = *this;
        row.ranged = true;
        row.minimum = low;
        row.maximum = high;
        return row;
    }
    // The row of a request that the cockpit empties once taken.
    constexpr FieldRow Consumed() const {
        FieldRow row = *this;
        row.consumed = true;
        return row;
    }
};

// The limits of a field's type (0 and 0 for a text).
constexpr double TypeMinimum(FieldType type) {
    switch (type) {
        case FieldType::Bool:
        case FieldType::Byte:
        case FieldType::UInt16:
        case FieldType::UInt32:
        case FieldType::Text:
            return 0;
        case FieldType::Int16:
            return -32768.0;
        case FieldType::Int32:
            return -2147483648.0;
        case FieldType::Float:
            return -3.4028234663852886e38;
        case FieldType::Double:
            return -1.7976931348623157e308;
    }
    return 0;
}

constexpr double TypeMaximum(FieldType type) {
    switch (type) {
        case FieldType::Bool:
            return 1;
        case FieldType::Byte:
            return 255;
        case FieldType::Int16:
            return 32767;
        case FieldType::UInt16:
            return 65535;
        case FieldType::Int32:
            return 2147483647.0;
        case FieldType::UInt32:
            return 4294967295.0;
        case FieldType::Float:
            return 3.4028234663852886e38;
        case FieldType::Double:
            return 1.7976931348623157e308;
        case FieldType::Text:
            return 0;
    }
    return 0;
}

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
