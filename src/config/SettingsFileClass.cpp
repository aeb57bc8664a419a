#include "config/SettingsFileClass.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "util/KxText.h"

namespace {

struct ModeEntry {
    const char* operation;
    const char* streamMode;
};

constexpr ModeEntry kModes[] = {
    {"SettingsFileClass::OpenFileForReading", "r"},
    {"SettingsFileClass::OpenFileForWriting", "w"},
    {"SettingsFileClass::OpenFileForReadWrite", "r+"},
    {"SettingsFileClass::OpenFileForAppending", "a"},
};

constexpr const char kReadWhere[] = "SettingsFileClass::ReadFromSettingsFile";
constexpr const char kWriteWhere[] = "SettingsFileClass::WriteToSettingsFile";
constexpr const char kNotOpened[] = "File is not opened";

}  // namespace

SettingsFileClass::SettingsFileClass(const char* fileName, int mode) {
    Open(fileName, mode);
}

SettingsFileClass::SettingsFileClass(const std::string& fileName, int mode) {
    Open(fileName.c_str(), mode);
}

SettingsFileClass::~SettingsFileClass() {
    Close();
}

void SettingsFileClass::Open(const char* fileName, int mode) {
    Close();
    kx::StrCopy(m_fileName, fileName);
    if (m_fileName[0] == '\0' || mode < kRead || mode > kAppend)
        return;
    const ModeEntry& entry = kModes[mode];
    m_file = std::fopen(m_fileName, entry.streamMode);
    if (m_file == nullptr) {
        SetError(entry.operation, std::strerror(errno), m_fileName);
        return;
    }
    m_open = true;
}

void SettingsFileClass::Close() {
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_open = false;
    m_lastOp = LastOp::None;
}

void SettingsFileClass::Turn(LastOp next) {
    if (m_lastOp != LastOp::None && m_lastOp != next)
        std::fseek(m_file, 0L, SEEK_CUR);
    m_lastOp = next;
}

void SettingsFileClass::Flush() {
    if (m_open) {
        std::fflush(m_file);
        m_lastOp = LastOp::None;
    }
}

bool SettingsFileClass::Rewind() {
    if (!m_open)
        return false;
    // A read-write stream must be repositioned between reads and writes;
    // a seek to the start serves both.
    m_lastOp = LastOp::None;
    return std::fseek(m_file, 0L, SEEK_SET) == 0;
}

bool SettingsFileClass::CheckReadable() {
    if (!m_open) {
        SetError(kReadWhere, kNotOpened, m_fileName);
        return false;
    }
    Turn(LastOp::Read);
    return true;
}

bool SettingsFileClass::CheckWritable() {
    if (!m_open) {
        SetError(kWriteWhere, kNotOpened, m_fileName);
        return false;
    }
    Turn(LastOp::Write);
    return true;
}

void SettingsFileClass::ReadFailed() {
    SetError(kReadWhere, "NULL read from file", m_fileName);
}

bool SettingsFileClass::ReadLine(char* buffer, int size) {
    if (buffer == nullptr || size <= 0)
        return false;
    buffer[0] = '\0';
    if (!CheckReadable())
        return false;
    if (size < 2) {
        // No room for even one character: nothing can be read into it.
        ReadFailed();
        return false;
    }
    if (std::fgets(buffer, size, m_file) == nullptr) {
        buffer[0] = '\0';
        ReadFailed();
        return false;
    }
    return true;
}

bool SettingsFileClass::ReadLineCut(char* buffer, std::size_t length) {
    if (buffer != nullptr && length > 0)
        buffer[0] = '\0';
    if (!CheckReadable())
        return false;
    if (std::fgets(m_lineBuffer, static_cast<int>(sizeof m_lineBuffer), m_file) == nullptr) {
        m_lineBuffer[0] = '\0';
        ReadFailed();
        return false;
    }
    if (buffer != nullptr)
        kx::StrCopy(buffer, length, m_lineBuffer);
    return true;
}

bool SettingsFileClass::ReadLine(std::string& line) {
    if (!CheckReadable())
        return false;
    kx::StrCopy(m_stringLine, line.c_str());
    if (std::fgets(m_stringLine, static_cast<int>(sizeof m_stringLine), m_file) == nullptr) {
        ReadFailed();
        return false;
    }
    line = m_stringLine;
    return true;
}

bool SettingsFileClass::WriteLine(const char* text) {
    if (!CheckWritable())
        return false;
    if (std::fputs(text != nullptr ? text : "", m_file) == EOF || std::fputc('\n', m_file) == EOF) {
        SetError(kWriteWhere, "EOF Error On writing", m_fileName);
        return false;
    }
    return true;
}

bool SettingsFileClass::WriteFormatted(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    kx::FormatV(m_formatBuffer, sizeof m_formatBuffer, format, args);
    va_end(args);
    return WriteLine(m_formatBuffer);
}

bool SettingsFileClass::WriteBool(const char* name, bool value) {
    return WriteFormatted("%s = %s", name ? name : "", value ? "TRUE" : "FALSE");
}

bool SettingsFileClass::WriteInt(const char* name, int value) {
    return WriteFormatted("%s = %d", name ? name : "", value);
}

bool SettingsFileClass::WriteReal(const char* name, double value) {
    return WriteFormatted("%s = %f", name ? name : "", value);
}
