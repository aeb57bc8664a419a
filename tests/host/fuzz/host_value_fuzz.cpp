// Fuzz harness of the host's value texts: what a person types for a field
// (`skylid-host set`) and what the host shows of the bytes in the segment.
//
// Properties: parsing never fails unsafely; a value that parses, written and
// shown again, parses back to the same bytes; any text found in the segment,
// shown with escapes, parses back to the same text.
//
// Built with -fsanitize=fuzzer this is a libFuzzer target; linked with the
// replay main of tests/support it runs every file named on its command line
// (or found in the folders named) once, which is how ctest replays the
// committed corpus.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fields/FieldValue.h"
#include "shm/SimSegment.h"

namespace {

constexpr shm::FieldType kTypes[] = {
    shm::FieldType::Byte,   shm::FieldType::Bool,   shm::FieldType::Int16,
    shm::FieldType::UInt16, shm::FieldType::Int32,  shm::FieldType::UInt32,
    shm::FieldType::Float,  shm::FieldType::Double, shm::FieldType::Text,
};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

host::NamedField FieldOf(shm::FieldType type, std::uint32_t textSize) {
    shm::FieldRow row{"F.Z", 0, type, shm::Writer::Host, "fuzz", 1, 0, textSize};
    std::uint32_t width = shm::FieldWidth(row);
    // At the very end of the segment, so a field written too wide is caught.
    return {"F.Z", Gensim_Shm::kSize - width, type, shm::Writer::Host, "fuzz", width, textSize};
}

void RoundTrip(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return;
    const shm::FieldType type = kTypes[data[0] % std::size(kTypes)];
    const std::uint32_t textSize = 1u + data[1];
    const host::NamedField field = FieldOf(type, type == shm::FieldType::Text ? textSize : 0);
    const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);

    static std::vector<std::uint8_t> first(Gensim_Shm::kSize);
    static std::vector<std::uint8_t> second(Gensim_Shm::kSize);
    static char shown[16384];

    // 1. Typed input: parse, write, show, parse again: the same bytes.
    host::FieldValue value;
    std::string error;
    if (host::ParseValue(field, input.c_str(), value, error)) {
        std::memset(first.data() + field.offset, 0, field.width);
        host::WriteValue(first.data(), field, value);
        for (auto style : {host::ValueStyle::Quoted, host::ValueStyle::Json})
            host::FormatValue(first.data(), field, style, shown, sizeof shown);
        host::FormatValue(first.data(), field, host::ValueStyle::Plain, shown, sizeof shown);
        host::FieldValue again;
        Check(host::ParseValue(field, shown, again, error));
        std::memset(second.data() + field.offset, 0xFF, field.width);
        host::WriteValue(second.data(), field, again);
        Check(std::memcmp(first.data() + field.offset, second.data() + field.offset, field.width) ==
              0);
    } else {
        Check(!error.empty());
    }

    // 2. Bytes found in the segment as a text: shown, then taken back.
    const host::NamedField text = FieldOf(shm::FieldType::Text, textSize);
    const std::size_t copied = std::min<std::size_t>(input.size(), textSize);
    std::memset(first.data() + text.offset, 0, text.width);
    std::memcpy(first.data() + text.offset, input.data(), copied);
    host::FormatValue(first.data(), text, host::ValueStyle::Plain, shown, sizeof shown);
    host::FieldValue back;
    Check(host::ParseValue(FieldOf(shm::FieldType::Text, textSize + 1), shown, back, error));
    const std::size_t length = strnlen(input.data(), copied);
    Check(back.text == std::string(input.data(), length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RoundTrip(data, size);
    return 0;
}
