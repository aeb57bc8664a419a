// Typed access to the fields of a shared-memory segment.
//
// A field is a byte offset and a type (or a text of n characters). Many
// offsets of the segments are unaligned, so every read and write copies the
// field's bytes (a pointer cast there would be undefined behaviour). Fields
// declared as constants are checked at compile time: a field that does not lie
// inside its segment does not compile. Offsets computed at run time (a row of a
// panel's table plus an index) go through the checked At() forms, which refuse
// a field outside the segment instead of touching memory beyond it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "util/KxText.h"

namespace shm {

template <typename T, std::size_t SegmentSize>
class Field {
    static_assert(std::is_trivially_copyable_v<T>, "shared-memory fields are plain values");

  public:
    using value_type = T;
    static constexpr std::size_t kSegmentSize = SegmentSize;

    consteval Field(std::size_t offset) : m_offset(offset) {
        if (offset > SegmentSize || sizeof(T) > SegmentSize - offset) {
            throw "shared-memory field lies outside its segment";
        }
    }

    // A field at a run-time offset; valid() is false when it would not lie
    // inside the segment, and reads then give T{} while writes do nothing.
    static constexpr Field At(std::size_t offset) { return Field(offset, Unchecked{}); }

    constexpr std::size_t Offset() const { return m_offset; }
    constexpr bool valid() const {
        return m_offset <= SegmentSize && sizeof(T) <= SegmentSize - m_offset;
    }
    // The same type at offset + bytes (the next element of a block).
    constexpr Field Plus(std::size_t bytes) const { return At(m_offset + bytes); }

    T Read(const void* view) const {
        T value{};
        if (view != nullptr && valid()) {
            std::memcpy(&value, static_cast<const std::uint8_t*>(view) + m_offset, sizeof(T));
        }
        return value;
    }

    void Write(void* view, T value) const {
        if (view != nullptr && valid()) {
            std::memcpy(static_cast<std::uint8_t*>(view) + m_offset, &value, sizeof(T));
        }
    }

  private:
    struct Unchecked {};
    constexpr Field(std::size_t offset, Unchecked) : m_offset(offset) {}
    std::size_t m_offset;
};

// A text field of size characters. The host may leave a text unterminated,
// so reads stop at the field's end; writes are cut to size - 1 characters and
// NUL-padded to size. Made directly, the offset and size are known only at
// run time (a row of a field table read by a tool): valid() is false when the
// field would not lie inside the segment; reads then give the empty text and
// writes do nothing.
template <std::size_t SegmentSize>
class TextAt {
  public:
    constexpr TextAt(std::size_t offset, std::size_t size) : m_offset(offset), m_size(size) {}

    constexpr std::size_t Offset() const { return m_offset; }
    constexpr std::size_t Size() const { return m_size; }
    constexpr bool valid() const {
        return m_size > 0 && m_offset <= SegmentSize && m_size <= SegmentSize - m_offset;
    }

    void Read(const void* view, char* out, std::size_t outSize) const {
        if (out == nullptr || outSize == 0)
            return;
        out[0] = '\0';
        if (view == nullptr || !valid())
            return;
        const char* field = static_cast<const char*>(view) + m_offset;
        std::size_t len = kx::BoundedLength(field, m_size);
        if (len > outSize - 1)
            len = outSize - 1;
        std::memcpy(out, field, len);
        out[len] = '\0';
    }

    void Write(void* view, const char* text) const {
        if (view == nullptr || !valid())
            return;
        char* field = static_cast<char*>(view) + m_offset;
        std::size_t len = text ? kx::BoundedLength(text, m_size - 1) : 0;
        if (len > 0)
            std::memmove(field, text, len);
        std::memset(field + len, 0, m_size - len);
    }

  private:
    std::size_t m_offset;
    std::size_t m_size;
};

// A fixed-size text field of N characters, checked at compile time; reads
// and writes as TextAt.
template <std::size_t N, std::size_t SegmentSize>
class Text {
  public:
    static constexpr std::size_t kSize = N;

    consteval Text(std::size_t offset) : m_offset(offset) {
        if (offset > SegmentSize || N > SegmentSize - offset || N == 0) {
            throw "shared-memory text lies outside its segment";
        }
    }

    constexpr std::size_t Offset() const { return m_offset; }

    // Copies the text into out (outSize characters, always terminated).
    void Read(const void* view, char* out, std::size_t outSize) const {
        TextAt<SegmentSize>(m_offset, N).Read(view, out, outSize);
    }
    void Write(void* view, const char* text) const {
        TextAt<SegmentSize>(m_offset, N).Write(view, text);
    }

  private:
    std::size_t m_offset;
};

}  // namespace shm
