// SettingsFileClass: the program's line-oriented text file.
//
// Opens a named file in one of four modes, reads whole lines, writes lines and
// "name = value" lines. No operation throws or leaves the object unusable: a
// failure is recorded in the error report as where / what / file name and the
// caller asks for the text when it cares.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "log/Kx_ErrorReport.h"

class SettingsFileClass : public Kx_ErrorReport {
  public:
    // Open-mode codes as callers pass them.
    enum Mode { kRead = 0, kWrite = 1, kReadWrite = 2, kAppend = 3 };

    static constexpr std::size_t kNameSize = 1024;
    static constexpr std::size_t kLineBufferSize = 5120;
    static constexpr std::size_t kFormatBufferSize = 1024;
    static constexpr std::size_t kStringLineSize = 1024;

    SettingsFileClass() = default;
    SettingsFileClass(const char* fileName, int mode);
    SettingsFileClass(const std::string& fileName, int mode);
    ~SettingsFileClass();
    SettingsFileClass(const SettingsFileClass&) = delete;
    SettingsFileClass& operator=(const SettingsFileClass&) = delete;

    // Opens the file (an open one is closed first). An empty name or a mode
    // outside 0 to 3 leaves the object closed without a message.
    void Open(const char* fileName, int mode);
    void Open(const std::string& fileName, int mode) { Open(fileName.c_str(), mode); }
    bool IsOpen() const { return m_open; }
    void Close();
    void Flush();
    // Back to the start of the file; false when not open or when it fails.
    bool Rewind();
    std::string GetFileName() const { return m_fileName; }

    // The next line as a buffered line read gives it: at most size - 1
    // characters, the line feed included when it fits. On failure the buffer
    // holds the empty text.
    bool ReadLine(char* buffer, int size);
    // The next line (up to 5119 characters of it) cut to length - 1
    // characters, always terminated; the empty text on failure. The part of a
    // longer line beyond the line buffer comes with the next read.
    bool ReadLineCut(char* buffer, std::size_t length);
    // The next line (at most 1023 characters) replaces line; on failure line
    // keeps its text.
    bool ReadLine(std::string& line);

    // Writes the text and a line feed; true when both were written. After a
    // failed text write the line feed is not written.
    bool WriteLine(const char* text);
    bool WriteLine(const std::string& text) { return WriteLine(text.c_str()); }
    // A printf-style line, cut to 1023 characters, then a line feed.
    bool WriteFormatted(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // "name = TRUE" / "name = FALSE", "name = 12", "name = 1.500000".
    bool WriteBool(const char* name, bool value);
    bool WriteInt(const char* name, int value);
    bool WriteReal(const char* name, double value);

  private:
    enum class LastOp { None, Read, Write };
    bool CheckReadable();
    bool CheckWritable();
    void ReadFailed();

    // A stream open for both reading and writing must be repositioned when it
    // changes direction.
    void Turn(LastOp next);

    std::FILE* m_file = nullptr;
    bool m_open = false;
    LastOp m_lastOp = LastOp::None;
    char m_fileName[kNameSize] = {};
    char m_lineBuffer[kLineBufferSize] = {};
    char m_formatBuffer[kFormatBufferSize] = {};
    char m_stringLine[kStringLineSize] = {};
};
