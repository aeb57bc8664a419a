#include "host/McduPage.h"

#include <cstring>
#include <sstream>

#include "shm/SimSegment.h"

namespace host {

namespace {

struct Named {
    const char* name;
    int value;
};
// Attribute colour values (bits 2..4).
constexpr Named kColours[] = {{"green", 4}, {"yellow", 8}, {"red", 12},    {"white", 16},
                              {"blue", 20}, {"amber", 24}, {"magenta", 28}};
constexpr Named kMessageColours[] = {{"white", 0}, {"amber", 1}, {"red", 2}, {"cyan", 3}};

bool Find(const Named* table, std::size_t n, const std::string& name, int& value) {
    for (std::size_t i = 0; i < n; ++i) {
        if (name == table[i].name) {
            value = table[i].value;
            return true;
        }
    }
    return false;
}

// Line index of a name: TITLE 0, LINE1..6 1..6, LABEL1..6 7..12; -1 if none.
int LineOf(const std::string& name) {
    if (name == "TITLE")
        return 0;
    for (int i = 1; i <= mcdu::kRows; ++i) {
        if (name == "LINE" + std::to_string(i))
            return i;
        if (name == "LABEL" + std::to_string(i))
            return mcdu::kRows + i;
    }
    return -1;
}

std::uint32_t LineOffset(int line) {
    if (line == 0)
        return mcdu::kTitleLine;
    if (line <= mcdu::kRows)
        return mcdu::kDataLines + mcdu::kLineStride * static_cast<std::uint32_t>(line - 1);
    return mcdu::kLabelLines +
           mcdu::kLineStride * static_cast<std::uint32_t>(line - 1 - mcdu::kRows);
}

// One screen line's text with its {colour size} marks.
bool ParseLine(const std::string& text, int line, McduPage& page, std::string& error) {
    int colour = 16;
    bool large = true;
    int column = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '{' && i + 1 < text.size() && text[i + 1] == '{') {
            ++i;
        } else if (c == '{') {
            std::size_t end = text.find('}', i);
            if (end == std::string::npos) {
                error = "a '{' without '}' (write {{ for the character)";
                return false;
            }
            std::istringstream words(text.substr(i + 1, end - i - 1));
            std::string word;
            while (words >> word) {
                if (word == "large" || word == "small")
                    large = word == "large";
                else if (!Find(kColours, std::size(kColours), word, colour)) {
                    error = "unknown colour or size \"" + word + "\"";
                    return false;
                }
            }
            i = end;
            continue;
        }
        if (column >= mcdu::kColumns) {
            error = "more than 24 characters";
            return false;
        }
        page.chars[line][column] = static_cast<std::uint8_t>(c);
        page.attributes[line][column] =
            c == ' ' ? 0 : static_cast<std::uint8_t>(colour | (large ? mcdu::kLargeBit : 0));
        ++column;
    }
    return true;
}

}  // namespace

bool ParseMcduPage(const std::string& text, McduPage& page, std::string& error) {
    page = McduPage{};
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (raw.empty() || raw[0] == '#')
            continue;
        const std::size_t blank = raw.find(' ');
        const std::string name = raw.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : raw.substr(blank + 1);
        std::string problem;
        if (name == "SCROLL") {
            page.scrollMark = true;
        } else if (name == "MESSAGE") {
            const std::size_t gap = rest.find(' ');
            int colour = 0;
            if (!Find(kMessageColours, std::size(kMessageColours), rest.substr(0, gap), colour)) {
                problem = "MESSAGE needs a colour: white, amber, red or cyan";
            } else {
                page.messageColour = colour;
                page.message = gap == std::string::npos ? "" : rest.substr(gap + 1);
                if (page.message.size() >= mcdu::kScratchPadSize)
                    problem = "a message holds at most 24 characters";
            }
        } else if (int line = LineOf(name); line >= 0) {
            ParseLine(rest, line, page, problem);
        } else {
            problem = "unknown line name \"" + name +
                      "\" (TITLE, LABEL1..LABEL6, LINE1..LINE6, MESSAGE, SCROLL)";
        }
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    return true;
}

void PutMcduText(McduPage& page, int line, int column, const std::string& text,
                 std::uint8_t attribute) {
    if (line < 0 || line >= McduPage::kLines)
        return;
    for (std::size_t i = 0; i < text.size() && column + static_cast<int>(i) < mcdu::kColumns; ++i) {
        if (column + static_cast<int>(i) < 0)
            continue;
        page.chars[line][column + i] = static_cast<std::uint8_t>(text[i]);
        page.attributes[line][column + i] = text[i] == ' ' ? 0 : attribute;
    }
}

void WriteMcduPage(std::uint8_t* view, int side, const McduPage& page) {
    const std::uint32_t block = mcdu::BlocksOf(mcdu::kA320, side).page;
    GenField<std::uint8_t>::At(block + mcdu::kPageValid).Write(view, 0);
    for (int line = 0; line < McduPage::kLines; ++line) {
        for (int j = 0; j < mcdu::kColumns; ++j) {
            const std::uint32_t cell = block + LineOffset(line) + 2 * static_cast<std::uint32_t>(j);
            GenField<std::uint8_t>::At(cell).Write(view, page.chars[line][j]);
            GenField<std::uint8_t>::At(cell + 1).Write(view, page.attributes[line][j]);
        }
    }
    GenField<std::uint8_t>::At(block + mcdu::kScrollMark).Write(view, page.scrollMark ? 1 : 0);
    if (!page.message.empty()) {
        GenField<std::int32_t>::At(block + mcdu::kMessageColour).Write(view, page.messageColour);
        shm::TextAt<Gensim_Shm::kSize>(block + mcdu::kMessage, mcdu::kScratchPadSize)
            .Write(view, page.message.c_str());
    }
    GenField<std::uint8_t>::At(block + mcdu::kPageValid).Write(view, 1);
}

}  // namespace host
