#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "fields/FieldValue.h"
#include "shm/SimSegment.h"

namespace {

using shm::FieldType;

host::NamedField Make(FieldType type, std::uint32_t offset, std::uint32_t textSize = 0) {
    shm::FieldRow row{"T.F", offset, type, shm::Writer::Host, "test", 1, 0, textSize};
    return {"T.F", offset, type, shm::Writer::Host, "test", shm::FieldWidth(row), textSize};
}

std::string Format(const std::vector<std::uint8_t>& segment, const host::NamedField& field,
                   host::ValueStyle style = host::ValueStyle::Plain) {
    char out[4096];
    host::FormatValue(segment.data(), field, style, out, sizeof out);
    return out;
}

struct RoundTrip {
    FieldType type;
    std::uint32_t textSize;
    const char* input;
    const char* shown;
};

TEST(FieldValue, EveryTypeRoundTripsThroughTheSegment) {
    // Odd offsets: the segment's fields are often unaligned.
    const RoundTrip cases[] = {
        {FieldType::Byte, 0, "255", "255"},
        {FieldType::Byte, 0, "0x7f", "127"},
        {FieldType::Bool, 0, "true", "1"},
        {FieldType::Bool, 0, "0", "0"},
        {FieldType::Int16, 0, "-32768", "-32768"},
        {FieldType::UInt16, 0, "0xFFFF", "65535"},
        {FieldType::Int32, 0, "-2147483648", "-2147483648"},
        {FieldType::Int32, 0, "+2147483647", "2147483647"},
        {FieldType::UInt32, 0, "4294967295", "4294967295"},
        {FieldType::Float, 0, "0.1", "0.1"},
        {FieldType::Float, 0, "-12.5", "-12.5"},
        {FieldType::Float, 0, "3.4028235e38", "3.4028235e+38"},
        {FieldType::Double, 0, "0.1", "0.1"},
        {FieldType::Double, 0, "-1e-300", "-1e-300"},
        {FieldType::Text, 8, "1234567", "1234567"},
        {FieldType::Text, 16, "a\\tb\\\\c\\xe9", "a\\tb\\\\c\\xe9"},
        {FieldType::Text, 16, "", ""},
    };
    for (const RoundTrip& c : cases) {
        std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0xEE);
        host::NamedField field = Make(c.type, 1001, c.textSize);
        host::FieldValue value;
        std::string error;
        ASSERT_TRUE(host::ParseValue(field, c.input, value, error)) << c.input << ": " << error;
        host::WriteValue(segment.data(), field, value);
        EXPECT_EQ(Format(segment, field), c.shown) << c.input;
        // Nothing outside the field is touched.
        EXPECT_EQ(segment[1000], 0xEE) << c.input;
        EXPECT_EQ(segment[1001 + field.width], 0xEE) << c.input;
    }
}

TEST(FieldValue, NumbersAreStoredLittleEndianAtTheirOffset) {
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    host::NamedField field = Make(FieldType::UInt32, 2069);
    host::FieldValue value;
    std::string error;
    ASSERT_TRUE(host::ParseValue(field, "0x01020304", value, error));
    host::WriteValue(segment.data(), field, value);
    EXPECT_EQ(segment[2069], 0x04);
    EXPECT_EQ(segment[2070], 0x03);
    EXPECT_EQ(segment[2071], 0x02);
    EXPECT_EQ(segment[2072], 0x01);
}

struct Refusal {
    FieldType type;
    std::uint32_t textSize;
    const char* input;
    const char* reason;
};

TEST(FieldValue, RefusesValuesOutsideTheTypeOrRange) {
    const Refusal cases[] = {
        {FieldType::Byte, 0, "256", "out of range 0 to 255"},
        {FieldType::Byte, 0, "-1", "out of range 0 to 255"},
        {FieldType::Byte, 0, "1.5", "not a whole number"},
        {FieldType::Byte, 0, "12abc", "not a whole number"},
        {FieldType::Byte, 0, "", "not a whole number"},
        {FieldType::Byte, 0, " 1", "not a whole number"},
        {FieldType::Bool, 0, "2", "not a bool"},
        {FieldType::Bool, 0, "yes", "not a bool"},
        {FieldType::Int16, 0, "32768", "out of range -32768 to 32767"},
        {FieldType::Int16, 0, "-32769", "out of range"},
        {FieldType::UInt16, 0, "65536", "out of range 0 to 65535"},
        {FieldType::Int32, 0, "2147483648", "out of range -2147483648 to 2147483647"},
        {FieldType::UInt32, 0, "-1", "out of range 0 to 4294967295"},
        {FieldType::UInt32, 0, "99999999999999999999999", "out of range"},
        {FieldType::Float, 0, "1e39", "out of range for a float"},
        {FieldType::Float, 0, "nan", "not a finite number"},
        {FieldType::Float, 0, "-inf", "not a finite number"},
        {FieldType::Float, 0, "1.0f", "not a number"},
        {FieldType::Double, 0, "1e400", "out of range for a double"},
        {FieldType::Double, 0, "abc", "not a number"},
        {FieldType::Text, 8, "12345678", "too long: 8 characters, the field holds at most 7"},
        {FieldType::Text, 8, "\\n\\n\\n\\n\\n\\n\\n\\n", "too long: 8 characters"},
        {FieldType::Text, 8, "a\\q", "unknown escape \\q"},
        {FieldType::Text, 8, "a\\x4", "two hexadecimal digits"},
        {FieldType::Text, 8, "a\\x00b", "cannot hold \\x00"},
        {FieldType::Text, 8, "a\\", "lone backslash"},
    };
    for (const Refusal& c : cases) {
        host::FieldValue value;
        std::string error;
        EXPECT_FALSE(host::ParseValue(Make(c.type, 100, c.textSize), c.input, value, error))
            << c.input;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.input << ": " << error;
    }
}

TEST(FieldValue, TextsAreEscapedSoThatEachValueIsOneLineAndReadsBack) {
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    host::NamedField field = Make(FieldType::Text, 3858, 32);
    const char raw[] = "a\nb\"c\\d\x01\xe9";
    std::memcpy(segment.data() + 3858, raw, sizeof raw);

    std::string plain = Format(segment, field);
    EXPECT_EQ(plain, "a\\nb\"c\\\\d\\x01\\xe9");
    EXPECT_EQ(Format(segment, field, host::ValueStyle::Quoted), "\"a\\nb\\\"c\\\\d\\x01\\xe9\"");
    EXPECT_EQ(Format(segment, field, host::ValueStyle::Json), "\"a\\nb\\\"c\\\\d\\u0001\\u00e9\"");

    // What get prints, set takes back to the same bytes.
    host::FieldValue value;
    std::string error;
    ASSERT_TRUE(host::ParseValue(field, plain.c_str(), value, error)) << error;
    EXPECT_EQ(value.text, raw);
}

TEST(FieldValue, AnUnterminatedTextIsReadWithinItsField) {
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 'B');
    std::memset(segment.data() + 500, 'A', 8);
    EXPECT_EQ(Format(segment, Make(FieldType::Text, 500, 8)), "AAAAAAAA");
}

TEST(FieldValue, JsonShowsNonFiniteNumbersAsNull) {
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    GenField<float>::At(40).Write(segment.data(), std::numeric_limits<float>::quiet_NaN());
    GenField<double>::At(48).Write(segment.data(), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Format(segment, Make(FieldType::Float, 40), host::ValueStyle::Json), "null");
    EXPECT_EQ(Format(segment, Make(FieldType::Double, 48), host::ValueStyle::Json), "null");
    EXPECT_EQ(Format(segment, Make(FieldType::Double, 48)), "-inf");
}

TEST(FieldValue, FormattingIsCutToTheBuffer) {
    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    std::memset(segment.data() + 3858, 'x', 1023);
    char out[16];
    std::memset(out, '#', sizeof out);
    host::FormatValue(segment.data(), Make(FieldType::Text, 3858, 1024), host::ValueStyle::Quoted,
                      out, sizeof out);
    EXPECT_EQ(std::string(out), "\"xxxxxxxxxxxxxx");
}

}  // namespace
