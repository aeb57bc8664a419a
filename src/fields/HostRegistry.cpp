#include "fields/HostRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace host {

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Number of "%d" in a name pattern, and whether any other '%' appears.
void CountPlaceholders(const char* pattern, int& placeholders, bool& strayPercent) {
    placeholders = 0;
    strayPercent = false;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p != '%')
            continue;
        if (p[1] == 'd') {
            ++placeholders;
            ++p;
        } else {
            strayPercent = true;
        }
    }
}

std::string Expand(const char* pattern, std::uint32_t index) {
    std::string name(pattern);
    std::size_t at = name.find("%d");
    if (at != std::string::npos)
        name.replace(at, 2, std::to_string(index));
    return name;
}

bool NameCharactersOk(const std::string& name) {
    if (name.empty() || name.front() == '.' || name.back() == '.')
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    });
}

void AddProblem(std::string& problems, const std::string& line) {
    problems += line;
    problems += '\n';
}

std::string Describe(const NamedField& f) {
    return f.name + " (" + std::to_string(f.offset) + ".." +
           std::to_string(static_cast<std::uint64_t>(f.offset) + f.width - 1) + ", " +
           WriterName(f.writer) + ")";
}

}  // namespace

Registry::Registry(std::span<const RowTable> tables, std::uint32_t segmentSize)
    : m_tables(tables), m_segmentSize(segmentSize) {
    for (const RowTable& table : tables) {
        for (const shm::FieldRow& row : table.rows) {
            if (row.name == nullptr || row.name[0] == '\0')
                continue;
            int placeholders = 0;
            bool stray = false;
            CountPlaceholders(row.name, placeholders, stray);
            if (stray || placeholders != (row.count > 1 ? 1 : 0))
                continue;
            for (std::uint32_t i = 0; i < row.count; ++i) {
                NamedField field{Expand(row.name, i),
                                 static_cast<std::uint32_t>(row.offset + i * row.stride),
                                 row.type,
                                 row.writer,
                                 row.meaning,
                                 shm::FieldWidth(row),
                                 row.type == shm::FieldType::Text ? row.textSize : 0,
                                 row.ranged,
                                 row.minimum,
                                 row.maximum,
                                 row.consumed};
                auto [it, inserted] = m_byName.emplace(Upper(field.name), m_fields.size());
                if (!inserted)
                    m_duplicates.push_back(field.name);
                m_fields.push_back(std::move(field));
            }
        }
    }
}

const NamedField* Registry::Find(std::string_view name) const {
    auto it = m_byName.find(Upper(name));
    return it == m_byName.end() ? nullptr : &m_fields[it->second];
}

void Registry::CheckRow(const RowTable& table, const shm::FieldRow& row,
                        std::string& problems) const {
    std::string where = std::string(table.owner) + ": row " + (row.name ? row.name : "(no name)");
    if (row.name == nullptr || row.name[0] == '\0') {
        AddProblem(problems, where + " has no name");
        return;
    }
    int placeholders = 0;
    bool stray = false;
    CountPlaceholders(row.name, placeholders, stray);
    if (row.count == 0)
        AddProblem(problems, where + " stands for no field (count 0)");
    if (stray)
        AddProblem(problems, where + " holds a '%' other than \"%d\"");
    if (row.count > 1 && placeholders != 1)
        AddProblem(problems, where + " stands for several fields but has not exactly one \"%d\"");
    if (row.count <= 1 && placeholders != 0)
        AddProblem(problems, where + " has \"%d\" but stands for one field");
    if (row.count > 1 && row.stride < shm::FieldWidth(row))
        AddProblem(problems, where + " has a stride smaller than its field width");
    if (row.type == shm::FieldType::Text && row.textSize == 0)
        AddProblem(problems, where + " is a text of no characters");
    if (row.type != shm::FieldType::Text && row.textSize != 0)
        AddProblem(problems, where + " gives a text size to a field that is not a text");
    if (row.ranged) {
        if (row.type == shm::FieldType::Text)
            AddProblem(problems, where + " gives a range to a text");
        else if (!(row.minimum <= row.maximum))
            AddProblem(problems, where + " has a range whose minimum is above its maximum");
        else if (row.minimum < shm::TypeMinimum(row.type) ||
                 row.maximum > shm::TypeMaximum(row.type))
            AddProblem(problems, where + " has a range " +
                                     RangeText(NamedField{{},
                                                          0,
                                                          row.type,
                                                          row.writer,
                                                          nullptr,
                                                          0,
                                                          0,
                                                          true,
                                                          row.minimum,
                                                          row.maximum}) +
                                     " that does not fit its type");
    }
    if (row.consumed && row.writer != shm::Writer::Host)
        AddProblem(problems, where + " is consumed but not written by the host");
    if (row.meaning == nullptr || row.meaning[0] == '\0')
        AddProblem(problems, where + " has no meaning");
    // The last field of the row, in 64 bits so that no sum wraps.
    std::uint64_t last =
        row.offset + static_cast<std::uint64_t>(row.count ? row.count - 1 : 0) * row.stride;
    if (last + shm::FieldWidth(row) > m_segmentSize) {
        AddProblem(problems,
                   where + " reaches byte " + std::to_string(last + shm::FieldWidth(row) - 1) +
                       ", outside the segment of " + std::to_string(m_segmentSize) + " bytes");
    }
}

bool Registry::Check(std::string& problems) const {
    problems.clear();
    for (const RowTable& table : m_tables) {
        for (const shm::FieldRow& row : table.rows)
            CheckRow(table, row, problems);
    }
    for (const std::string& name : m_duplicates)
        AddProblem(problems, "the name " + name + " is given to more than one field");
    for (const NamedField& f : m_fields) {
        if (!NameCharactersOk(f.name))
            AddProblem(problems, "the name " + f.name + " holds characters other than A-Z 0-9 _ .");
    }

    // Sweep the fields in offset order; each is compared with those that
    // start before it ends.
    std::vector<const NamedField*> order;
    order.reserve(m_fields.size());
    for (const NamedField& f : m_fields)
        order.push_back(&f);
    std::stable_sort(order.begin(), order.end(), [](const NamedField* a, const NamedField* b) {
        return a->offset < b->offset;
    });
    for (std::size_t i = 0; i < order.size(); ++i) {
        const NamedField& a = *order[i];
        std::uint64_t end = static_cast<std::uint64_t>(a.offset) + a.width;
        for (std::size_t j = i + 1; j < order.size() && order[j]->offset < end; ++j) {
            const NamedField& b = *order[j];
            if (a.writer == shm::Writer::Program || b.writer == shm::Writer::Program)
                AddProblem(problems, Describe(a) + " overlaps " + Describe(b));
        }
    }
    return problems.empty();
}

std::string TypeName(const NamedField& field) {
    switch (field.type) {
        case shm::FieldType::Byte:
            return "byte";
        case shm::FieldType::Bool:
            return "bool";
        case shm::FieldType::Int16:
            return "int16";
        case shm::FieldType::UInt16:
            return "uint16";
        case shm::FieldType::Int32:
            return "int32";
        case shm::FieldType::UInt32:
            return "uint32";
        case shm::FieldType::Float:
            return "float";
        case shm::FieldType::Double:
            return "double";
        case shm::FieldType::Text:
            return "text(" + std::to_string(field.textSize) + ")";
    }
    return "?";
}

std::string RangeText(const NamedField& field) {
    if (!field.ranged)
        return {};
    auto number = [](double value) {
        char text[32];
        if (value > -1e18 && value < 1e18 &&
            value == static_cast<double>(static_cast<long long>(value)))
            std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
        else
            std::snprintf(text, sizeof text, "%g", value);
        return std::string(text);
    };
    return number(field.minimum) + ".." + number(field.maximum);
}

const char* WriterName(shm::Writer writer) {
    return writer == shm::Writer::Program ? "program" : "host";
}

}  // namespace host
