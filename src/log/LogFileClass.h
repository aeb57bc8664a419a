// LogFileClass: the diagnostic log of one program run.
//
// Any number of objects may exist but they share one open file: the first
// object that opens a log decides the file, the others write into it. Writing
// happens only while the program-wide switch is on (off by default; the
// Logging option of the initialisation file turns it on). The "Unique" forms
// write a message only the first time its key is seen, so an error repeated on
// every iteration reaches the log once.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

#include "log/Kx_ErrorReport.h"

class LogFileClass {
  public:
    static constexpr std::size_t kBufferSize = 1024;
    static constexpr int kMaxUniqueKeys = 50;

    LogFileClass();
    explicit LogFileClass(const char* fileName);
    ~LogFileClass() = default;
    LogFileClass(const LogFileClass&) = delete;
    LogFileClass& operator=(const LogFileClass&) = delete;

    void SetFileName(const char* fileName);
    void Open();
    bool Close();

    static void SetLoggingEnabled(bool enabled);
    static bool IsLoggingEnabled();
    static bool IsOpen();
    static const char* GetLogFileName();
    // The opening banner's date: 24 characters and a line feed, English
    // names whatever the locale.
    static void FormatDate(const std::tm& t, char* out, std::size_t size);

    void WriteLine(const char* text);
    void WriteCString(const std::string& text);
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatFirstLine(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void WriteUnique(const char* text, int key);
    void WriteCStringUnique(const std::string& text, int key);
    void FormatUnique(const char* format, ...) __attribute__((format(printf, 2, 3)));
    bool HasBeenWritten(int key);

    Kx_ErrorReport& ErrorReport() { return m_error; }
    const char* GetErrorText() { return m_error.GetErrorText(); }

  private:
    void StoreFileName(const char* fileName);
    static void CloseShared();

    Kx_ErrorReport m_error;
    char m_buffer[kBufferSize] = {};
    char m_fileName[kBufferSize] = {};
    bool m_noFileName = true;
    bool m_opened = false;
    int m_keys[kMaxUniqueKeys] = {};
    int m_keyCount = 0;

    // Program-wide: the one log of the run.
    static std::FILE* s_file;
    static bool s_logOpen;
    static bool s_loggingEnabled;
    static bool s_closedOnce;
    static char s_logPath[kBufferSize];
    static int s_objectCount;
};
