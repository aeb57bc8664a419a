#include "fields/FieldValue.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace host {

namespace {

template <typename T>
using Field = shm::Field<T, Gensim_Shm::kSize>;
using TextField = shm::TextAt<Gensim_Shm::kSize>;

// Largest text field a value is formatted from; longer fields are cut.
constexpr std::size_t kMaxText = 8192;

// Appends to a fixed buffer, always terminated, cutting what does not fit.
class Sink {
  public:
    Sink(char* out, std::size_t size) : m_out(out), m_size(size) {
        if (m_size > 0)
            m_out[0] = '\0';
    }
    void Put(char c) {
        if (m_size == 0 || m_len + 1 >= m_size)
            return;
        m_out[m_len++] = c;
        m_out[m_len] = '\0';
    }
    void Puts(const char* text) {
        for (; *text != '\0'; ++text)
            Put(*text);
    }

  private:
    char* m_out;
    std::size_t m_size;
    std::size_t m_len = 0;
};

const char kHex[] = "0123456789abcdef";

void PutEscaped(Sink& sink, const char* text, bool quoted) {
    if (quoted)
        sink.Put('"');
    for (const char* p = text; *p != '\0'; ++p) {
        auto c = static_cast<unsigned char>(*p);
        switch (c) {
            case '\\':
                sink.Puts("\\\\");
                continue;
            case '\n':
                sink.Puts("\\n");
                continue;
            case '\t':
                sink.Puts("\\t");
                continue;
            case '\r':
                sink.Puts("\\r");
                continue;
            case '"':
                sink.Puts(quoted ? "\\\"" : "\"");
                continue;
            default:
                break;
        }
        if (c >= 0x20 && c < 0x7F) {
            sink.Put(static_cast<char>(c));
        } else {
            char esc[5] = {'\\', 'x', kHex[c >> 4], kHex[c & 15], '\0'};
            sink.Puts(esc);
        }
    }
    if (quoted)
        sink.Put('"');
}

void PutJsonString(Sink& sink, const char* text) {
    sink.Put('"');
    for (const char* p = text; *p != '\0'; ++p) {
        auto c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            sink.Put('\\');
            sink.Put(static_cast<char>(c));
        } else if (c == '\n') {
            sink.Puts("\\n");
        } else if (c == '\t') {
            sink.Puts("\\t");
        } else if (c == '\r') {
            sink.Puts("\\r");
        } else if (c >= 0x20 && c < 0x7F) {
            sink.Put(static_cast<char>(c));
        } else {
            char esc[7] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15], '\0'};
            sink.Puts(esc);
        }
    }
    sink.Put('"');
}

template <typename T>
void PutNumber(Sink& sink, T value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value);
    *result.ptr = '\0';
    sink.Puts(buffer);
}

template <typename T>
void PutReal(Sink& sink, T value, ValueStyle style) {
    if (style == ValueStyle::Json && !std::isfinite(value)) {
        sink.Puts("null");
        return;
    }
    PutNumber(sink, value);  // shortest text that reads back as the same value
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool Unescape(const char* input, std::string& out, std::string& error) {
    out.clear();
    for (const char* p = input; *p != '\0'; ++p) {
        if (*p != '\\') {
            out += *p;
            continue;
        }
        ++p;
        switch (*p) {
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '"':
                out += '"';
                break;
            case 'x': {
                int high = p[1] ? HexDigit(p[1]) : -1;
                int low = high >= 0 && p[2] ? HexDigit(p[2]) : -1;
                if (low < 0) {
                    error = "\\x must be followed by two hexadecimal digits";
                    return false;
                }
                if (high == 0 && low == 0) {
                    error = "a text cannot hold \\x00";
                    return false;
                }
                out += static_cast<char>(high * 16 + low);
                p += 2;
                break;
            }
            case '\0':
                error = "the text ends in a lone backslash (write \\\\ for a backslash)";
                return false;
            default:
                error =
                    std::string("unknown escape \\") + *p + " (known: \\\\ \\n \\t \\r \\\" \\xHH)";
                return false;
        }
    }
    return true;
}

// Integer text: optional sign, then decimal digits or 0x and hex digits.
bool ParseInteger(const char* input, std::int64_t low, std::int64_t high, std::int64_t& out,
                  std::string& error) {
    const char* p = input;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    int base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    const char* end = p + std::strlen(p);
    std::uint64_t magnitude = 0;
    auto result = std::from_chars(p, end, magnitude, base);
    if (p == end || result.ptr != end ||
        (result.ec != std::errc{} && result.ec != std::errc::result_out_of_range)) {
        error = "not a whole number";
        return false;
    }
    bool fits = result.ec == std::errc{};
    std::int64_t value = 0;
    if (fits && !negative && magnitude <= static_cast<std::uint64_t>(high)) {
        value = static_cast<std::int64_t>(magnitude);
    } else if (fits && negative &&
               magnitude <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        value = -static_cast<std::int64_t>(magnitude);
    } else {
        fits = false;
    }
    if (!fits || value < low || value > high) {
        error = "out of range " + std::to_string(low) + " to " + std::to_string(high);
        return false;
    }
    out = value;
    return true;
}

template <typename T>
bool ParseReal(const char* input, T& out, std::string& error) {
    const char* p = input;
    if (*p == '+' && p[1] != '-' && p[1] != '+')
        ++p;
    const char* end = p + std::strlen(p);
    T value{};
    auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (p == end || result.ptr != end ||
        (result.ec != std::errc{} && result.ec != std::errc::result_out_of_range)) {
        error = "not a number";
        return false;
    }
    if (result.ec == std::errc::result_out_of_range) {
        error =
            std::string("out of range for a ") + (sizeof(T) == sizeof(float) ? "float" : "double");
        return false;
    }
    if (!std::isfinite(value)) {
        error = "not a finite number";
        return false;
    }
    out = value;
    return true;
}

std::int64_t IntegerLow(shm::FieldType type) {
    switch (type) {
        case shm::FieldType::Int16:
            return std::numeric_limits<std::int16_t>::min();
        case shm::FieldType::Int32:
            return std::numeric_limits<std::int32_t>::min();
        default:
            return 0;
    }
}

std::int64_t IntegerHigh(shm::FieldType type) {
    switch (type) {
        case shm::FieldType::Bool:
            return 1;
        case shm::FieldType::Byte:
            return std::numeric_limits<std::uint8_t>::max();
        case shm::FieldType::Int16:
            return std::numeric_limits<std::int16_t>::max();
        case shm::FieldType::UInt16:
            return std::numeric_limits<std::uint16_t>::max();
        case shm::FieldType::Int32:
            return std::numeric_limits<std::int32_t>::max();
        case shm::FieldType::UInt32:
            return std::numeric_limits<std::uint32_t>::max();
        default:
            return 0;
    }
}

}  // namespace

bool ParseValue(const NamedField& field, const char* input, FieldValue& out, std::string& error) {
    error.clear();
    switch (field.type) {
        case shm::FieldType::Bool:
            if (kx::EqualNoCase(input, "true")) {
                out.integer = 1;
                return true;
            }
            if (kx::EqualNoCase(input, "false")) {
                out.integer = 0;
                return true;
            }
            if (!ParseInteger(input, 0, 1, out.integer, error)) {
                error = "not a bool (0, 1, true or false)";
                return false;
            }
            return true;
        case shm::FieldType::Byte:
        case shm::FieldType::Int16:
        case shm::FieldType::UInt16:
        case shm::FieldType::Int32:
        case shm::FieldType::UInt32:
            return ParseInteger(input, IntegerLow(field.type), IntegerHigh(field.type), out.integer,
                                error);
        case shm::FieldType::Float:
            return ParseReal(input, out.single, error);
        case shm::FieldType::Double:
            return ParseReal(input, out.real, error);
        case shm::FieldType::Text:
            if (!Unescape(input, out.text, error))
                return false;
            if (out.text.size() + 1 > field.textSize) {
                error = "too long: " + std::to_string(out.text.size()) +
                        " characters, the field holds at most " +
                        std::to_string(field.textSize - 1);
                return false;
            }
            return true;
    }
    error = "field of unknown type";
    return false;
}

void WriteValue(std::uint8_t* view, const NamedField& field, const FieldValue& value) {
    const std::uint32_t at = field.offset;
    switch (field.type) {
        case shm::FieldType::Byte:
        case shm::FieldType::Bool:
            Field<std::uint8_t>::At(at).Write(view, static_cast<std::uint8_t>(value.integer));
            break;
        case shm::FieldType::Int16:
            Field<std::int16_t>::At(at).Write(view, static_cast<std::int16_t>(value.integer));
            break;
        case shm::FieldType::UInt16:
            Field<std::uint16_t>::At(at).Write(view, static_cast<std::uint16_t>(value.integer));
            break;
        case shm::FieldType::Int32:
            Field<std::int32_t>::At(at).Write(view, static_cast<std::int32_t>(value.integer));
            break;
        case shm::FieldType::UInt32:
            Field<std::uint32_t>::At(at).Write(view, static_cast<std::uint32_t>(value.integer));
            break;
        case shm::FieldType::Float:
            Field<float>::At(at).Write(view, value.single);
            break;
        case shm::FieldType::Double:
            Field<double>::At(at).Write(view, value.real);
            break;
        case shm::FieldType::Text:
            TextField(at, field.textSize).Write(view, value.text.c_str());
            break;
    }
}

void FormatValue(const std::uint8_t* view, const NamedField& field, ValueStyle style, char* out,
                 std::size_t outSize) {
    Sink sink(out, outSize);
    const std::uint32_t at = field.offset;
    switch (field.type) {
        case shm::FieldType::Byte:
        case shm::FieldType::Bool:
            PutNumber(sink, Field<std::uint8_t>::At(at).Read(view));
            return;
        case shm::FieldType::Int16:
            PutNumber(sink, Field<std::int16_t>::At(at).Read(view));
            return;
        case shm::FieldType::UInt16:
            PutNumber(sink, Field<std::uint16_t>::At(at).Read(view));
            return;
        case shm::FieldType::Int32:
            PutNumber(sink, Field<std::int32_t>::At(at).Read(view));
            return;
        case shm::FieldType::UInt32:
            PutNumber(sink, Field<std::uint32_t>::At(at).Read(view));
            return;
        case shm::FieldType::Float:
            PutReal(sink, Field<float>::At(at).Read(view), style);
            return;
        case shm::FieldType::Double:
            PutReal(sink, Field<double>::At(at).Read(view), style);
            return;
        case shm::FieldType::Text: {
            static thread_local char text[kMaxText + 1];
            TextField(at, field.textSize).Read(view, text, sizeof text);
            if (style == ValueStyle::Json)
                PutJsonString(sink, text);
            else
                PutEscaped(sink, text, style == ValueStyle::Quoted);
            return;
        }
    }
}

void FormatJsonString(const char* text, char* out, std::size_t outSize) {
    Sink sink(out, outSize);
    PutJsonString(sink, text);
}

}  // namespace host
