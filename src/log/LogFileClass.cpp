#include "log/LogFileClass.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <ctime>

#include "util/KxText.h"

std::FILE* LogFileClass::s_file = nullptr;
bool LogFileClass::s_logOpen = false;
bool LogFileClass::s_loggingEnabled = false;
bool LogFileClass::s_closedOnce = false;
char LogFileClass::s_logPath[LogFileClass::kBufferSize] = {};
int LogFileClass::s_objectCount = 0;

namespace {
const char kBanner[] =
    "//////////////////////////// OPENING LOG FILE /////////////////////////////\n";
}

LogFileClass::LogFileClass() {
    ++s_objectCount;
}

LogFileClass::LogFileClass(const char* fileName) {
    ++s_objectCount;
    SetFileName(fileName);
}

// The 24-character date of the log's opening banner, "Tue Dec  8 12:56:36
// 2026", then a line feed. The names are English whatever the user's locale.
void LogFileClass::FormatDate(const std::tm& t, char* out, std::size_t size) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int day = t.tm_wday >= 0 && t.tm_wday < 7 ? t.tm_wday : 0;
    const int month = t.tm_mon >= 0 && t.tm_mon < 12 ? t.tm_mon : 0;
    kx::Format(out, size, "%s %s %2d %02d:%02d:%02d %04d\n", kDays[day], kMonths[month], t.tm_mday,
               t.tm_hour, t.tm_min, t.tm_sec, t.tm_year + 1900);
}

void LogFileClass::StoreFileName(const char* fileName) {
    m_noFileName = fileName == nullptr || fileName[0] == '\0';
    kx::StrCopy(m_fileName, fileName);
}

void LogFileClass::SetFileName(const char* fileName) {
    StoreFileName(fileName);
    Open();
}

void LogFileClass::Open() {
    if (s_logOpen || m_noFileName)
        return;
    s_objectCount = 0;

    std::FILE* file = std::fopen(m_fileName, "w");
    if (file != nullptr) {
        // Creating the file empties a log of an earlier run; it is then
        // reopened for appending for the rest of this run.
        m_opened = true;
        s_file = file;
        s_logOpen = true;
        CloseShared();
        file = std::fopen(m_fileName, "a");
    }
    if (file == nullptr) {
        m_error.SetError("InputFileClass::OpenInputFile", std::strerror(errno), m_fileName);
        m_opened = false;
        return;
    }
    s_file = file;
    s_logOpen = true;
    m_opened = true;
    kx::StrCopy(s_logPath, m_fileName);

    char when[64] = {};
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    FormatDate(local, when, sizeof when);
    WriteLine(kBanner);
    WriteLine(when);
    WriteLine("\n");
    WriteLine(kBanner);
}

void LogFileClass::CloseShared() {
    if (s_file != nullptr) {
        std::fflush(s_file);
        std::fclose(s_file);
        s_file = nullptr;
    }
    s_logOpen = false;
    s_closedOnce = true;
}

bool LogFileClass::Close() {
    if (!m_opened)
        return false;
    CloseShared();
    m_opened = false;
    return true;
}

void LogFileClass::SetLoggingEnabled(bool enabled) {
    s_loggingEnabled = enabled;
}
bool LogFileClass::IsLoggingEnabled() {
    return s_loggingEnabled;
}
bool LogFileClass::IsOpen() {
    return s_logOpen;
}
const char* LogFileClass::GetLogFileName() {
    return s_logPath;
}

void LogFileClass::WriteLine(const char* text) {
    if (!s_loggingEnabled || !s_logOpen || s_file == nullptr || text == nullptr)
        return;
    std::fputs(text, s_file);
    std::fputc('\n', s_file);
}

void LogFileClass::WriteCString(const std::string& text) {
    kx::StrCopy(m_buffer, text.c_str());
    WriteLine(m_buffer);
}

void LogFileClass::Format(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    kx::FormatV(m_buffer, sizeof m_buffer, format, args);
    va_end(args);
    WriteLine(m_buffer);
}

void LogFileClass::FormatFirstLine(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    kx::FormatV(m_buffer, sizeof m_buffer, format, args);
    va_end(args);
    if (char* newline = std::strchr(m_buffer, '\n'))
        *newline = '\0';
    WriteLine(m_buffer);
}

void LogFileClass::WriteUnique(const char* text, int key) {
    if (!HasBeenWritten(key))
        WriteLine(text);
}

void LogFileClass::WriteCStringUnique(const std::string& text, int key) {
    if (!HasBeenWritten(key))
        WriteCString(text);
}

void LogFileClass::FormatUnique(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    kx::FormatV(m_buffer, sizeof m_buffer, format, args);
    va_end(args);
    int key = 0;
    for (const char* p = m_buffer; *p != '\0'; ++p)
        key += static_cast<signed char>(*p);
    if (!HasBeenWritten(key))
        WriteLine(m_buffer);
}

bool LogFileClass::HasBeenWritten(int key) {
    if (m_keyCount >= kMaxUniqueKeys) {
        WriteLine("LogFileClass::HasBeenWritten->Exceeded Number of unique Errors");
        return false;
    }
    for (int i = 0; i < m_keyCount; ++i) {
        if (m_keys[i] == key)
            return true;
    }
    m_keys[m_keyCount++] = key;
    return false;
}
