#include "util/KxText.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace kx {

char* StrCopy(char* dst, std::size_t n, const char* src) {
    if (dst == nullptr || n == 0)
        return dst;
    std::size_t len = 0;
    if (src != nullptr) {
        while (len < n - 1 && src[len] != '\0')
            ++len;
        std::memmove(dst, src, len);
    }
    dst[len] = '\0';
    return dst;
}

int FormatV(char* dst, std::size_t n, const char* format, std::va_list args) {
    if (dst == nullptr || n == 0)
        return 0;
    if (format == nullptr) {
        dst[0] = '\0';
        return 0;
    }
    int written = std::vsnprintf(dst, n, format, args);
    dst[n - 1] = '\0';
    if (written < 0) {
        dst[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(written) >= n ? static_cast<int>(n - 1) : written;
}

int Format(char* dst, std::size_t n, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    int written = FormatV(dst, n, format, args);
    va_end(args);
    return written;
}

bool EqualNoCase(const char* a, const char* b) {
    if (a == nullptr || b == nullptr)
        return a == b;
    for (;; ++a, ++b) {
        int ca = std::toupper(static_cast<unsigned char>(*a));
        int cb = std::toupper(static_cast<unsigned char>(*b));
        if (ca != cb)
            return false;
        if (ca == '\0')
            return true;
    }
}

std::size_t BoundedLength(const char* text, std::size_t n) {
    if (text == nullptr)
        return 0;
    const void* nul = std::memchr(text, '\0', n);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : n;
}

}  // namespace kx
