#include "log/Kx_ErrorReport.h"

#include <cstring>

#include "util/KxText.h"

void Kx_ErrorReport::AppendPart(std::string& out, const char* part) {
    if (part == nullptr)
        return;
    std::size_t len = std::strlen(part);
    // The caller's text is left as it is: the cut is made on our copy.
    if (len > kPartLimit)
        len = kPartCut;
    out.append(part, len);
}

void Kx_ErrorReport::SetError(const char* text) {
    m_text.clear();
    AppendPart(m_text, text);
}

void Kx_ErrorReport::SetError(const std::string& text) {
    SetError(text.c_str());
}

void Kx_ErrorReport::SetError(const char* where, const char* what) {
    m_text.clear();
    AppendPart(m_text, where);
    m_text += '\n';
    AppendPart(m_text, what);
}

void Kx_ErrorReport::SetError(const char* where, const char* what, const char* detail) {
    m_text.clear();
    AppendPart(m_text, where);
    m_text += '\n';
    AppendPart(m_text, what);
    m_text += '\n';
    AppendPart(m_text, detail);
}

void Kx_ErrorReport::SetErrorNumber(const char* where, const char* what, int number) {
    kx::Format(m_number, sizeof m_number, ">%d<", number);
    SetError(where, what, m_number);
}

void Kx_ErrorReport::SetErrorOnce(const char* text, int key) {
    if (!IsRepeated(key))
        SetError(text);
}

void Kx_ErrorReport::SetErrorOnce(const char* where, const char* what, int key) {
    if (!IsRepeated(key))
        SetError(where, what);
}

void Kx_ErrorReport::SetErrorOnce(const char* where, const char* what, const char* detail,
                                  int key) {
    if (m_keyCount > kMaxKeys)
        m_keyCount = kMaxKeys;
    if (!IsRepeated(key))
        SetError(where, what, detail);
}

void Kx_ErrorReport::SetErrorNumberOnce(const char* where, const char* what, int number, int key) {
    if (!IsRepeated(key))
        SetErrorNumber(where, what, number);
}

const char* Kx_ErrorReport::GetErrorText() {
    return kx::StrCopy(m_copyOut, sizeof m_copyOut, m_text.c_str());
}

bool Kx_ErrorReport::IsRepeated(int key) {
    if (m_keyCount >= kMaxKeys)
        return false;
    for (int i = 0; i < m_keyCount; ++i) {
        if (m_keys[i] == key)
            return true;
    }
    m_keys[m_keyCount++] = key;
    return false;
}
