// Kx_ErrorReport: the error text that every component carries.
//
// An operation that fails returns false and leaves a readable text here; the
// caller copies it into its own report with SetError(child.GetErrorText()) and
// returns false in turn, so the text travels up to the cockpit manager and the
// main dialog. The "Once" forms take a key and set the text only the first
// time that key is seen, so an error repeated every iteration is reported once.
#pragma once

#include <string>

class Kx_ErrorReport {
  public:
    static constexpr int kMaxKeys = 50;
    static constexpr std::size_t kCopyOutSize = 256;
    // A part longer than this is cut to kPartCut characters before joining.
    static constexpr std::size_t kPartLimit = 1024;
    static constexpr std::size_t kPartCut = 1023;

    Kx_ErrorReport() = default;

    void SetError(const char* text);
    void SetError(const std::string& text);
    void SetError(const char* where, const char* what);
    void SetError(const char* where, const char* what, const char* detail);
    void SetErrorNumber(const char* where, const char* what, int number);

    void SetErrorOnce(const char* text, int key);
    void SetErrorOnce(const char* where, const char* what, int key);
    void SetErrorOnce(const char* where, const char* what, const char* detail, int key);
    void SetErrorNumberOnce(const char* where, const char* what, int number, int key);

    // The text, at most 255 characters, always terminated. The pointer stays
    // valid until the next call on this report.
    const char* GetErrorText();

    // True when the key was seen before. After kMaxKeys distinct keys the
    // table is full and every key counts as new (false) from then on.
    bool IsRepeated(int key);

  private:
    static void AppendPart(std::string& out, const char* part);

    char m_copyOut[kCopyOutSize] = {};
    std::string m_text;
    int m_keys[kMaxKeys] = {};
    int m_keyCount = 0;
    char m_number[256] = {};
};
