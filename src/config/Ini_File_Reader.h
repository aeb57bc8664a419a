// Ini_File_Reader: looks values up in a sectioned text file.
//
// A section (called a Key in the messages) starts at a line holding
// "[name]" anywhere; its items are the "name = value" lines after it up to the
// next line holding "[" or the end of the file. Item names are compared
// exactly (case matters) after every blank and tab is removed from them. Every
// lookup starts again from the top of the file, so the order of lookups does
// not matter. A missing section or item leaves the caller's variable as it was
// and records a message; each getter also returns whether it found the value.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "config/SettingsFileClass.h"
#include "log/Kx_ErrorReport.h"

class Ini_File_Reader : public Kx_ErrorReport {
  public:
    static constexpr std::size_t kLineSize = 1024;

    Ini_File_Reader();
    virtual ~Ini_File_Reader();
    Ini_File_Reader(const Ini_File_Reader&) = delete;
    Ini_File_Reader& operator=(const Ini_File_Reader&) = delete;

    bool OpenFile(const char* fileName);
    void CloseFile();
    bool IsOpen() const;
    const std::string& GetFileName() const { return m_fileName; }

    // Rewinds and reads up to the line holding "[section]"; the file is then
    // positioned just after that line.
    bool FindKey(const char* section);
    // From the current position, up to the line whose item name equals item
    // (true) or a line holding "[" or the end of the file (false). Compact:
    // the stored value loses all its blanks; otherwise it keeps inner blanks.
    bool LookForValue(const char* item, bool compact);

    // The value without any blanks, copied into out (outSize characters, cut
    // and always terminated).
    bool GetString(const char* section, const char* item, char* out, std::size_t outSize);
    // The value with its inner blanks kept, copied as GetString copies.
    bool GetText(const char* section, const char* item, char* out, std::size_t outSize);
    template <std::size_t N>
    bool GetString(const char* section, const char* item, char (&out)[N]) {
        return GetString(section, item, out, N);
    }
    template <std::size_t N>
    bool GetText(const char* section, const char* item, char (&out)[N]) {
        return GetText(section, item, out, N);
    }
    // Decimal conversion of the leading digits (0 when none); a number beyond
    // the type's range gives the nearest value the type holds.
    bool GetInt(const char* section, const char* item, int& out);
    bool GetLong(const char* section, const char* item, long& out);
    // As GetInt, then the low 16 bits.
    bool GetShort(const char* section, const char* item, short& out);
    bool GetFloat(const char* section, const char* item, float& out);
    bool GetDouble(const char* section, const char* item, double& out);
    // True when the value holds "true", "TRUE" or "True" or the digit 1
    // anywhere; otherwise false.
    bool GetBool(const char* section, const char* item, bool& out);
    // Positions the reader just after the first line of the section that,
    // without blanks and without its line end, equals text (a marker line
    // without "=").
    bool FindLine(const char* section, const char* text);

    // One line of the file as the lookups above see it, for readers that walk
    // a whole file instead of asking for known items.
    struct Entry {
        enum class Kind {
            Section,  // "[name]": name holds the section's name
            Item,     // "name = value" (the first "=" splits the line)
            Other,    // any other line that is not blank or a comment
        };
        Kind kind = Kind::Other;
        int line = 0;         // 1 for the first line of the file
        std::string section;  // the section the line belongs to ("" before the first)
        std::string name;     // the item's name without blanks and tabs
        std::string value;    // after the "=", without leading blanks, to the line end
        std::string text;     // the whole line without its line end
    };
    // Every line of the open file, from the top: blank lines and comment
    // lines (first non-blank character ';' or '#') are left out. A line with
    // "=" is an item; a line without one that holds "[" and a later "]" starts
    // a section. False when no file is open.
    bool ReadEntries(std::vector<Entry>& entries);

  private:
    // FindKey and LookForValue with their messages; on success the value
    // (after the "=", without leading blanks, cut at the line end) is in
    // m_value.
    bool Lookup(const char* section, const char* item, bool compact);
    void SectionMissing();
    void ItemMissing(const char* item);

    std::string m_fileName;
    char m_found[kLineSize] = {};  // the item found last, from its "=" on
    char m_line[kLineSize] = {};
    char m_value[kLineSize] = {};
    std::string m_section;
    std::unique_ptr<SettingsFileClass> m_file;
};
