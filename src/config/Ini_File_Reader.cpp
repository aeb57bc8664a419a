#include "config/Ini_File_Reader.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "util/KxText.h"

namespace {

constexpr const char kLookWhere[] = "Ini_File_Reader::LookForValue\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A line ends at its line feed. A file written on Windows also carries a
// carriage return before it, which is no part of the value either.
bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// Copies src into dst (n characters) without blanks and tabs, stopping at
// stop (or the end of src). Returns the length written.
std::size_t CopyWithoutBlanks(char* dst, std::size_t n, const char* src, const char* stop) {
    std::size_t len = 0;
    for (const char* p = src; *p != '\0' && p != stop && len + 1 < n; ++p) {
        if (!IsBlank(*p))
            dst[len++] = *p;
    }
    dst[len] = '\0';
    return len;
}

}  // namespace

Ini_File_Reader::Ini_File_Reader() = default;
Ini_File_Reader::~Ini_File_Reader() = default;

bool Ini_File_Reader::OpenFile(const char* fileName) {
    m_fileName = fileName != nullptr ? fileName : "";
    m_file.reset();
    if (m_fileName.empty()) {
        SetError("Ini_File_Reader::OpenFile",
                 "Ini_File_Reader::OpenFile - File Name Given was NULL");
        return false;
    }
    m_file = std::make_unique<SettingsFileClass>(m_fileName, SettingsFileClass::kRead);
    if (!m_file->IsOpen()) {
        SetError(m_file->GetErrorText());
        return false;
    }
    return true;
}

void Ini_File_Reader::CloseFile() {
    m_file.reset();
}

bool Ini_File_Reader::IsOpen() const {
    return m_file != nullptr && m_file->IsOpen();
}

bool Ini_File_Reader::FindKey(const char* section) {
    if (m_file == nullptr || !m_file->Rewind())
        return false;
    std::string header = "[";
    header += section != nullptr ? section : "";
    header += ']';
    while (m_file->ReadLine(m_line, static_cast<int>(sizeof m_line))) {
        if (std::strstr(m_line, header.c_str()) != nullptr)
            return true;
    }
    return false;
}

bool Ini_File_Reader::LookForValue(const char* item, bool compact) {
    if (m_file == nullptr)
        return false;
    const char* wanted = item != nullptr ? item : "";
    char name[kLineSize];
    while (m_file->ReadLine(m_line, static_cast<int>(sizeof m_line))) {
        const char* equals = std::strchr(m_line, '=');
        if (equals != nullptr) {
            CopyWithoutBlanks(name, sizeof name, m_line, equals);
            if (std::strcmp(name, wanted) == 0) {
                if (compact) {
                    CopyWithoutBlanks(m_found, sizeof m_found, equals, nullptr);
                } else {
                    kx::StrCopy(m_found, equals);
                }
                return true;
            }
        }
        if (std::strchr(m_line, '[') != nullptr)
            return false;
    }
    return false;
}

void Ini_File_Reader::SectionMissing() {
    std::string text = kLookWhere;
    text += "Did not find Key [" + m_section + "]\nin file \n" + m_fileName;
    SetError(text);
}

void Ini_File_Reader::ItemMissing(const char* item) {
    std::string text = kLookWhere;
    text += "Did not find Item <";
    text += item != nullptr ? item : "";
    text += "> under Key [" + m_section + "]\nin file \n" + m_fileName;
    SetError(text);
}

bool Ini_File_Reader::Lookup(const char* section, const char* item, bool compact) {
    m_section = section != nullptr ? section : "";
    if (!FindKey(section)) {
        SectionMissing();
        return false;
    }
    if (!LookForValue(item, compact)) {
        ItemMissing(item);
        return false;
    }
    // m_found starts with the "=".
    const char* start = m_found + 1;
    while (IsBlank(*start))
        ++start;
    std::size_t len = 0;
    while (start[len] != '\0' && !IsLineEnd(start[len]))
        ++len;
    std::memcpy(m_value, start, len);
    m_value[len] = '\0';
    return true;
}

bool Ini_File_Reader::GetString(const char* section, const char* item, char* out,
                                std::size_t outSize) {
    if (!Lookup(section, item, true))
        return false;
    kx::StrCopy(out, outSize, m_value);
    return true;
}

bool Ini_File_Reader::GetText(const char* section, const char* item, char* out,
                              std::size_t outSize) {
    if (!Lookup(section, item, false))
        return false;
    kx::StrCopy(out, outSize, m_value);
    return true;
}

bool Ini_File_Reader::GetLong(const char* section, const char* item, long& out) {
    if (!Lookup(section, item, true))
        return false;
    // strtol gives the nearest long for a number out of range.
    out = std::strtol(m_value, nullptr, 10);
    return true;
}

bool Ini_File_Reader::GetInt(const char* section, const char* item, int& out) {
    long value = 0;
    if (!GetLong(section, item, value))
        return false;
    out = static_cast<int>(kx::Limit<long>(value, INT_MIN, INT_MAX));
    return true;
}

bool Ini_File_Reader::GetShort(const char* section, const char* item, short& out) {
    int value = 0;
    if (!GetInt(section, item, value))
        return false;
    out = static_cast<short>(static_cast<unsigned short>(static_cast<unsigned>(value) & 0xFFFFu));
    return true;
}

bool Ini_File_Reader::GetFloat(const char* section, const char* item, float& out) {
    if (!Lookup(section, item, true))
        return false;
    out = std::strtof(m_value, nullptr);
    return true;
}

bool Ini_File_Reader::GetDouble(const char* section, const char* item, double& out) {
    if (!Lookup(section, item, true))
        return false;
    out = std::strtod(m_value, nullptr);
    return true;
}

bool Ini_File_Reader::GetBool(const char* section, const char* item, bool& out) {
    if (!Lookup(section, item, true))
        return false;
    out = std::strstr(m_value, "true") != nullptr || std::strstr(m_value, "TRUE") != nullptr ||
          std::strstr(m_value, "True") != nullptr || std::strchr(m_value, '1') != nullptr;
    return true;
}

bool Ini_File_Reader::FindLine(const char* section, const char* text) {
    m_section = section != nullptr ? section : "";
    if (!FindKey(section)) {
        SectionMissing();
        return false;
    }
    const char* wanted = text != nullptr ? text : "";
    char compact[kLineSize];
    while (m_file->ReadLine(m_line, static_cast<int>(sizeof m_line))) {
        CopyWithoutBlanks(compact, sizeof compact, m_line, nullptr);
        compact[std::strcspn(compact, "\r\n")] = '\0';
        if (std::strcmp(compact, wanted) == 0)
            return true;
        if (std::strchr(m_line, '[') != nullptr)
            break;
    }
    ItemMissing(text);
    return false;
}

bool Ini_File_Reader::ReadEntries(std::vector<Entry>& entries) {
    entries.clear();
    if (m_file == nullptr || !m_file->Rewind())
        return false;
    std::string section;
    int number = 0;
    while (m_file->ReadLine(m_line, static_cast<int>(sizeof m_line))) {
        ++number;
        std::size_t len = std::strlen(m_line);
        while (len > 0 && IsLineEnd(m_line[len - 1]))
            --len;
        Entry entry;
        entry.line = number;
        entry.text.assign(m_line, len);
        const std::size_t first = entry.text.find_first_not_of(" \t");
        if (first == std::string::npos || entry.text[first] == ';' || entry.text[first] == '#')
            continue;
        const std::size_t equals = entry.text.find('=');
        const std::size_t open = entry.text.find('[');
        const std::size_t close =
            open == std::string::npos ? std::string::npos : entry.text.find(']', open + 1);
        if (equals != std::string::npos) {
            entry.kind = Entry::Kind::Item;
            char name[kLineSize];
            CopyWithoutBlanks(name, sizeof name, entry.text.c_str(), entry.text.c_str() + equals);
            entry.name = name;
            std::size_t start = equals + 1;
            while (start < entry.text.size() && IsBlank(entry.text[start]))
                ++start;
            entry.value = entry.text.substr(start);
        } else if (close != std::string::npos) {
            entry.kind = Entry::Kind::Section;
            section = entry.text.substr(open + 1, close - open - 1);
            entry.name = section;
        }
        entry.section = section;
        entries.push_back(std::move(entry));
    }
    return true;
}
