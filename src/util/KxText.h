// Bounded text helpers and the value limiter used throughout Skylid.
//
// Every fixed-size character field of the program (shared-memory texts, file
// names, message buffers) is filled through these helpers, so a long text from
// a file or from the host is cut instead of overrunning its buffer.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace kx {

// Copies src into dst, which holds n characters. At most n - 1 characters are
// copied and dst is always terminated (at n - 1 at the latest). A null src
// copies the empty text. Nothing is written when n is 0. Returns dst.
char* StrCopy(char* dst, std::size_t n, const char* src);

template <std::size_t N>
char* StrCopy(char (&dst)[N], const char* src) {
    return StrCopy(dst, N, src);
}

// printf-style formatting into dst of n characters, always terminated; a text
// that does not fit is cut. Returns the number of characters written.
int Format(char* dst, std::size_t n, const char* format, ...) __attribute__((format(printf, 3, 4)));
int FormatV(char* dst, std::size_t n, const char* format, std::va_list args)
    __attribute__((format(printf, 3, 0)));

// Case-insensitive equality: both texts taken in upper case, then compared
// whole. Two null texts are equal; a null and a non-null text are not.
bool EqualNoCase(const char* a, const char* b);

// Length of a text that may be unterminated within its field of n characters.
std::size_t BoundedLength(const char* text, std::size_t n);

// The value limiter: the upper bound when the value is at or above it, else the
// value when it is at or above the lower bound, else the lower bound.
template <typename T>
constexpr T Limit(T value, T lower, T upper) {
    if (value >= upper)
        return upper;
    if (value >= lower)
        return value;
    return lower;
}

}  // namespace kx
