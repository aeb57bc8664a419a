// Values of named fields as text: parsing what a person types for a field
// (checked against its type and range) and formatting what the segment holds.
//
// Texts are shown with escapes so that one value is always one line:
// backslash, \n, \t, \r, \" and \xHH for any other byte outside printable
// ASCII. The same escapes are accepted when a text is set, so the output of
// `get` can be given back to `set` unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fields/HostRegistry.h"

namespace host {

// A value checked against its field, ready to be written.
struct FieldValue {
    std::int64_t integer = 0;  // byte, bool and the integer types
    float single = 0.0f;       // float
    double real = 0.0;         // double
    std::string text;          // text, escapes resolved
};

// Parses input for the field. Integers are decimal or 0x-hexadecimal with an
// optional sign; a bool is 0, 1, true or false; floating-point values must be
// finite and, for a float, within its range; a text must leave room for its
// terminating NUL. On failure error says why and false is returned.
bool ParseValue(const NamedField& field, const char* input, FieldValue& out, std::string& error);

// Writes the value into the field of a mapped generic segment.
void WriteValue(std::uint8_t* view, const NamedField& field, const FieldValue& value);

enum class ValueStyle {
    Plain,   // as `get` prints it: texts escaped, not quoted
    Quoted,  // texts escaped and in double quotes
    Json,    // a JSON value: texts as JSON strings, non-finite numbers as null
};

// Formats the field's value in the segment image into out (outSize
// characters, always terminated, cut when it does not fit).
void FormatValue(const std::uint8_t* view, const NamedField& field, ValueStyle style, char* out,
                 std::size_t outSize);

// Writes text as a JSON string (with quotes) into out; bytes of 0x80 and up
// are taken as Latin-1 characters so the result is always valid JSON.
void FormatJsonString(const char* text, char* out, std::size_t outSize);

}  // namespace host
