#include "app/CockpitState.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <iterator>
#include <limits>
#include <span>
#include <unordered_map>
#include <utility>

#include "app/CA320Cockpit.h"
#include "config/Ini_File_Reader.h"
#include "fields/FieldValue.h"
#include "fields/HostRegistry.h"
#include "fields/StartupRows.h"
#include "shm/GenericLayout.h"
#include "units/BaroSetting.h"
#include "units/CFcuPanel.h"
#include "units/CNavPanel.h"
#include "units/TcasPanel.h"
#include "util/KxText.h"

namespace cockpitstate {

namespace {

// Fields that carry a request, a handshake or an event to the host rather
// than the position of a control: a pending ECAM page request, the ADIRS
// keypad's ENT hand-over, the flag that the EFIS display management RESET
// button inverts, and the MCDU's keys and scratch pad (the trainee's typing
// belongs to the page the host shows). The panel writes them from its own
// state in every update; a cockpit state neither saves nor restores them.
bool IsSignal(const std::string& name) {
    static const char* const kSignals[] = {
        "ECAM.PAGE_REQUEST",     "ECAM.COPY.PAGE_REQUEST", "ADIRS.ENT",
        "EFIS_DMC_0.RESET_FLAG", "EFIS_DMC_1.RESET_FLAG",
    };
    for (const char* signal : kSignals) {
        if (name == signal)
            return true;
    }
    return name.starts_with("MCDU_");
}

// The panels' tables of the registry: every table but the program's own
// (segment header, start-up report, configuration), which describe the run,
// not the cockpit. Each keeps the fields the program writes, in row order.
struct PanelTable {
    const char* owner;
    std::vector<const host::NamedField*> fields;
};

struct PanelTables {
    std::vector<PanelTable> tables;
    std::unordered_map<const host::NamedField*, std::size_t> tableOf;

    PanelTables() {
        const host::Registry& registry = host::GenericRegistry();
        for (const host::RowTable& table : registry.Tables()) {
            const shm::FieldRow* first = table.rows.data();
            if (first == generic::kProgramFields || first == host::rows::kStartupReport ||
                first == host::rows::kConfiguration)
                continue;
            PanelTable panel{table.owner, {}};
            for (const shm::FieldRow& row : table.rows) {
                if (row.name == nullptr)
                    continue;
                for (std::uint32_t i = 0; i < row.count; ++i) {
                    std::string name = row.name;
                    if (row.count > 1) {
                        if (std::size_t at = name.find("%d"); at != std::string::npos)
                            name.replace(at, 2, std::to_string(i));
                    }
                    const host::NamedField* field = registry.Find(name);
                    if (field != nullptr && field->writer == shm::Writer::Program &&
                        !host::IsReadOnly(*field) && !IsSignal(field->name))
                        panel.fields.push_back(field);
                    if (field != nullptr)
                        tableOf.emplace(field, tables.size());
                }
            }
            tables.push_back(std::move(panel));
        }
    }

    // The table of that section name (blanks around it and case ignored);
    // -1 if none.
    int Find(const std::string& section) const {
        for (std::size_t t = 0; t < tables.size(); ++t) {
            if (kx::EqualNoCase(tables[t].owner, section.c_str()))
                return static_cast<int>(t);
        }
        return -1;
    }
};

const PanelTables& Tables() {
    static const PanelTables tables;
    return tables;
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A whole decimal integer within the bounds, nothing else on the line.
bool ParseWhole(const std::string& text, long low, long high, long& out) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    long value = 0;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end || value < low || value > high)
        return false;
    out = value;
    return true;
}

// A field's value as the file holds it: texts in double quotes, with '['
// escaped as well, because a line holding '[' ends a section for the
// initialisation-file lookups.
std::string FormatField(const std::uint8_t* view, const host::NamedField& field) {
    // Room for every character escaped (\xHH) and the quotes.
    std::vector<char> buffer(field.type == shm::FieldType::Text ? 4 * field.textSize + 8 : 64);
    host::FormatValue(view, field, host::ValueStyle::Quoted, buffer.data(), buffer.size());
    std::string text;
    for (const char* p = buffer.data(); *p != '\0'; ++p) {
        if (*p == '[' && field.type == shm::FieldType::Text)
            text += "\\x5b";
        else
            text += *p;
    }
    return text;
}

// The EFIS control panels of the cockpit, by side.
CNavPanel* EfisPanel(CA320Cockpit& cockpit, int side) {
    if (side == 0)
        return &cockpit.m_efisCapt;
    return &cockpit.m_efisFo;
}

// The items of [FCU STATE]: the record's values, then its three flags.
struct FcuKey {
    const char* name;
    std::int32_t FcuStateRecord::*value;  // or
    std::uint8_t FcuStateRecord::*flag;   // 0 or 1
};
constexpr FcuKey kFcuKeys[] = {
    {"SPEED", &FcuStateRecord::speed, nullptr},
    {"HEADING", &FcuStateRecord::heading, nullptr},
    {"ALTITUDE_1000", &FcuStateRecord::altitude1000, nullptr},
    {"ALTITUDE_100", &FcuStateRecord::altitude100, nullptr},
    {"VERTICAL", &FcuStateRecord::vertical, nullptr},
    {"MACH", nullptr, &FcuStateRecord::mach},
    {"TRK_FPA", nullptr, &FcuStateRecord::trkFpa},
    {"STEP_100", nullptr, &FcuStateRecord::step100},
};

long FcuLow(const FcuKey& key) {
    return key.value != nullptr ? std::numeric_limits<std::int32_t>::min() : 0;
}
long FcuHigh(const FcuKey& key) {
    return key.value != nullptr ? std::numeric_limits<std::int32_t>::max() : 1;
}
void SetFcuValue(FcuStateRecord& record, const FcuKey& key, long value) {
    if (key.value != nullptr)
        record.*key.value = static_cast<std::int32_t>(value);
    else
        record.*key.flag = static_cast<std::uint8_t>(value);
}
long FcuValue(const FcuStateRecord& record, const FcuKey& key) {
    return key.value != nullptr ? record.*key.value : record.*key.flag;
}

// A transponder code: up to four digits 0 to 7.
bool IsSquawk(const std::string& text, long& code) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("01234567") != std::string::npos)
        return false;
    return ParseWhole(text, 0, 7777, code);
}

// The barometric record of one EFIS control panel, as read.
struct BaroEntry {
    bool given = false;
    bool standard = false;
    bool inHg = false;
    long hpa = BaroSetting::kStandardHpa;
    long inHgValue = 0;
    bool haveHpa = false;
    bool haveInHg = false;
};

// What the file asks for, gathered before anything is applied.
struct Plan {
    std::vector<std::pair<const host::NamedField*, host::FieldValue>> values;
    bool fcuGiven = false;
    bool fcuKeys[std::size(kFcuKeys)] = {};
    long fcuValues[std::size(kFcuKeys)] = {};
    bool squawkGiven = false;
    long squawk = 0;
    BaroEntry baro[2];
};

enum class SectionKind { None, Unknown, Panel, Fcu, Atc, Baro };

struct Reader {
    const PanelTables& tables = Tables();
    Result& result;
    Plan& plan;
    SectionKind kind = SectionKind::None;
    int table = -1;
    int side = 0;

    void Problem(const Ini_File_Reader::Entry& entry, const std::string& what) {
        result.problems.push_back("line " + std::to_string(entry.line) + ": " + what);
    }

    void Section(const Ini_File_Reader::Entry& entry) {
        const std::string name = Trim(entry.name);
        table = tables.Find(name);
        if (table >= 0) {
            kind = SectionKind::Panel;
        } else if (kx::EqualNoCase(name.c_str(), kFcuSection)) {
            kind = SectionKind::Fcu;
            plan.fcuGiven = true;
        } else if (kx::EqualNoCase(name.c_str(), kAtcSection)) {
            kind = SectionKind::Atc;
        } else if (kx::EqualNoCase(name.c_str(), kBaroSection[0]) ||
                   kx::EqualNoCase(name.c_str(), kBaroSection[1])) {
            kind = SectionKind::Baro;
            side = kx::EqualNoCase(name.c_str(), kBaroSection[0]) ? 0 : 1;
            plan.baro[side].given = true;
        } else {
            kind = SectionKind::Unknown;
            Problem(entry, "unknown section [" + name + "]; its lines are skipped");
        }
    }

    void Item(const Ini_File_Reader::Entry& entry) {
        const std::string value = Trim(entry.value);
        switch (kind) {
            case SectionKind::None:
                Problem(entry, entry.name + " stands before the first section; skipped");
                return;
            case SectionKind::Unknown:
                Problem(entry, entry.name + " skipped (in an unknown section)");
                return;
            case SectionKind::Panel:
                return PanelItem(entry, value);
            case SectionKind::Fcu:
                for (std::size_t k = 0; k < std::size(kFcuKeys); ++k) {
                    if (!kx::EqualNoCase(entry.name.c_str(), kFcuKeys[k].name))
                        continue;
                    long v = 0;
                    if (!ParseWhole(value, FcuLow(kFcuKeys[k]), FcuHigh(kFcuKeys[k]), v))
                        return Problem(entry, "bad value for " + entry.name + ": '" + value + "'");
                    plan.fcuKeys[k] = true;
                    plan.fcuValues[k] = v;
                    return;
                }
                return Problem(entry, "unknown FCU item " + entry.name);
            case SectionKind::Atc:
                if (!kx::EqualNoCase(entry.name.c_str(), "SQUAWK"))
                    return Problem(entry, "unknown ATC item " + entry.name);
                if (!IsSquawk(value, plan.squawk))
                    return Problem(entry, "bad squawk '" + value + "' (up to four digits 0 to 7)");
                plan.squawkGiven = true;
                return;
            case SectionKind::Baro:
                return BaroItem(entry, value);
        }
    }

    void PanelItem(const Ini_File_Reader::Entry& entry, const std::string& value) {
        const host::NamedField* field = host::GenericRegistry().Find(entry.name);
        if (field == nullptr)
            return Problem(entry, "unknown field " + entry.name);
        auto owner = tables.tableOf.find(field);
        if (owner == tables.tableOf.end() || static_cast<int>(owner->second) != table) {
            return Problem(entry, field->name + " is not a field of [" +
                                      tables.tables[static_cast<std::size_t>(table)].owner + "]");
        }
        if (field->writer != shm::Writer::Program)
            return Problem(entry, field->name + " is written by the host, not by the cockpit");
        if (IsSignal(field->name))
            return Problem(entry,
                           field->name + " is a request to the host, not a control; skipped");
        std::string text = value;
        if (field->type == shm::FieldType::Text && text.size() >= 2 && text.front() == '"' &&
            text.back() == '"')
            text = text.substr(1, text.size() - 2);
        host::FieldValue parsed;
        std::string error;
        if (!host::ParseValue(*field, text.c_str(), parsed, error))
            return Problem(entry, "bad value for " + field->name + ": " + error);
        plan.values.emplace_back(field, std::move(parsed));
    }

    void BaroItem(const Ini_File_Reader::Entry& entry, const std::string& value) {
        BaroEntry& baro = plan.baro[side];
        long v = 0;
        if (kx::EqualNoCase(entry.name.c_str(), "STANDARD")) {
            if (!ParseWhole(value, 0, 1, v))
                return Problem(entry, "bad value for STANDARD: '" + value + "' (0 or 1)");
            baro.standard = v != 0;
        } else if (kx::EqualNoCase(entry.name.c_str(), "UNIT")) {
            if (!kx::EqualNoCase(value.c_str(), "HPA") && !kx::EqualNoCase(value.c_str(), "INHG"))
                return Problem(entry, "bad unit '" + value + "' (HPA or INHG)");
            baro.inHg = kx::EqualNoCase(value.c_str(), "INHG");
        } else if (kx::EqualNoCase(entry.name.c_str(), "HPA")) {
            if (!ParseWhole(value, BaroSetting::kMinimumHpa, BaroSetting::kMaximumHpa, v))
                return Problem(entry, "bad value for HPA: '" + value + "' (750 to 1100)");
            baro.hpa = v;
            baro.haveHpa = true;
        } else if (kx::EqualNoCase(entry.name.c_str(), "INHG")) {
            if (!ParseWhole(value, BaroSetting::kMinimumInHg, BaroSetting::kMaximumInHg, v))
                return Problem(entry, "bad value for INHG: '" + value + "' (2500 to 3500)");
            baro.inHgValue = v;
            baro.haveInHg = true;
        } else {
            Problem(entry, "unknown barometric item " + entry.name);
        }
    }
};

// A cover that gates its button keeps it out while closed, and no field
// tells whether a cover is open: a button restored in had its cover open.
void OpenCoversOverPressedButtons(CKitPanel& panel) {
    const auto rows = panel.Description().covers;
    const auto covers = panel.Covers();
    for (std::size_t c = 0; c < covers.size() && c < rows.size(); ++c) {
        const auto button = static_cast<std::size_t>(rows[c].button);
        if (rows[c].gates != 0 && button < panel.Buttons().size() &&
            panel.Buttons()[button].IsPressed())
            covers[c].SetClosed(false);
    }
}

void UpdateEveryPanel(CA320Cockpit& cockpit) {
    for (int n = 0; n < CA320Cockpit::kPanelCount; ++n) {
        if (CBasePanel* panel = cockpit.GetPanel(n))
            panel->Update(nullptr);
    }
}

// Applies the barometric record; false when it says too little to act on.
bool ApplyBaro(CNavPanel& efis, const BaroEntry& baro) {
    if (baro.standard) {
        efis.SelectStandard();
    } else if (baro.inHg && baro.haveInHg) {
        efis.SetBaroInHg(static_cast<int>(baro.inHgValue));
    } else if (!baro.inHg && baro.haveHpa) {
        efis.SetBaro(static_cast<int>(baro.hpa));
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string Result::Summary(Action action, const std::string& path) const {
    const bool saved = action == Action::Saved;
    if (!ok)
        return std::string("cockpit state not ") + (saved ? "saved: " : "restored: ") + error;
    std::string text = std::string("cockpit state ") + (saved ? "saved to " : "restored from ") +
                       path + " (" + std::to_string(fields) + (fields == 1 ? " field" : " fields");
    if (!problems.empty()) {
        text += ", " + std::to_string(problems.size()) +
                (problems.size() == 1 ? " line skipped" : " lines skipped");
    }
    return text + ")";
}

std::string Describe(CA320Cockpit& cockpit, const std::uint8_t* view, Result& result) {
    std::string text =
        "; Skylid cockpit state: one section per panel, NAME = value for each field the\n"
        "; cockpit writes, then the units' own records. See docs/STATE-FILES.md.\n";
    for (const PanelTable& table : Tables().tables) {
        if (table.fields.empty())
            continue;
        text += "\n[";
        text += table.owner;
        text += "]\n";
        for (const host::NamedField* field : table.fields) {
            text += field->name + " = " + FormatField(view, *field) + "\n";
            ++result.fields;
        }
    }
    {
        FcuStateRecord record;
        cockpit.m_fcu.GetState(record);
        text += "\n[" + std::string(kFcuSection) + "]\n";
        for (std::size_t k = 0; k < std::size(kFcuKeys); ++k)
            text += std::string(kFcuKeys[k].name) + " = " +
                    std::to_string(FcuValue(record, kFcuKeys[k])) + "\n";
        ++result.records;
    }
    if (cockpit.m_tcas.Entry().Digits() > 0) {
        // The code as its digits (a code keyed as 0100 is 100: four digits
        // again when it comes back, as the host saw it).
        text += "\n[" + std::string(kAtcSection) +
                "]\nSQUAWK = " + std::to_string(cockpit.m_tcas.Entry().Code()) + "\n";
        ++result.records;
    }
    for (int side = 0; side < 2; ++side) {
        const BaroSetting& baro = EfisPanel(cockpit, side)->Baro();
        text += "\n[" + std::string(kBaroSection[side]) + "]\n";
        text += "STANDARD = " + std::to_string(baro.standard ? 1 : 0) + "\n";
        text += std::string("UNIT = ") + (baro.inHgUnit ? "INHG" : "HPA") + "\n";
        text += "HPA = " + std::to_string(baro.hpa) + "\n";
        text += "INHG = " + std::to_string(baro.inHg) + "\n";
        ++result.records;
    }
    return text;
}

Result Save(CA320Cockpit& cockpit, const std::uint8_t* view, const std::string& path) {
    Result result;
    if (view == nullptr) {
        result.error = "no shared memory";
        return result;
    }
    const std::string text = Describe(cockpit, view, result);
    result.ok = WriteFileAtomically(path, text, result.error);
    return result;
}

Result Restore(CA320Cockpit& cockpit, std::uint8_t* view, const std::string& path) {
    Result result;
    if (view == nullptr) {
        result.error = "no shared memory";
        return result;
    }
    std::vector<Ini_File_Reader::Entry> entries;
    {
        Ini_File_Reader reader;
        if (!reader.OpenFile(path.c_str()) || !reader.ReadEntries(entries)) {
            result.error = reader.GetErrorText();
            if (result.error.empty())
                result.error = "cannot read " + path;
            return result;
        }
    }
    Plan plan;
    Reader reader{.result = result, .plan = plan};
    for (const Ini_File_Reader::Entry& entry : entries) {
        switch (entry.kind) {
            case Ini_File_Reader::Entry::Kind::Section:
                reader.Section(entry);
                break;
            case Ini_File_Reader::Entry::Kind::Item:
                reader.Item(entry);
                break;
            case Ini_File_Reader::Entry::Kind::Other:
                reader.Problem(entry,
                               "not a [section] or NAME = value line: '" + Trim(entry.text) + "'");
                break;
        }
    }

    // Every panel past its first update (the EFIS control panels select the
    // standard setting there), so that nothing restored is undone by it.
    UpdateEveryPanel(cockpit);
    for (const auto& [field, value] : plan.values)
        host::WriteValue(view, *field, value);
    result.fields = static_cast<int>(plan.values.size());
    // Every kit panel's controls from their outputs (also on the panels
    // whose own refresh leaves the controls alone under remote hold), then
    // the panel's own refresh for what it keeps beyond the kit's controls.
    for (int n = 0; n < CA320Cockpit::kPanelCount; ++n) {
        CBasePanel* panel = cockpit.GetPanel(n);
        if (panel == nullptr)
            continue;
        auto* kit = dynamic_cast<CKitPanel*>(panel);
        if (kit != nullptr)
            kit->CKitPanel::RefreshFromOutputs();
        panel->RefreshFromOutputs();
        if (kit != nullptr)
            OpenCoversOverPressedButtons(*kit);
    }

    if (plan.fcuGiven) {
        FcuStateRecord record;
        cockpit.m_fcu.GetState(record);
        for (std::size_t k = 0; k < std::size(kFcuKeys); ++k) {
            if (plan.fcuKeys[k])
                SetFcuValue(record, kFcuKeys[k], plan.fcuValues[k]);
        }
        cockpit.m_fcu.SetState(record);
        ++result.records;
    }
    if (plan.squawkGiven) {
        cockpit.m_tcas.SetSquawk(static_cast<int>(plan.squawk));
        ++result.records;
    }
    for (int side = 0; side < 2; ++side) {
        if (!plan.baro[side].given)
            continue;
        if (ApplyBaro(*EfisPanel(cockpit, side), plan.baro[side]))
            ++result.records;
        else
            result.problems.push_back(std::string("[") + kBaroSection[side] +
                                      "]: no value for its unit; the setting is left as it was");
    }
    // Each panel publishes the restored state now.
    UpdateEveryPanel(cockpit);
    result.ok = true;
    return result;
}

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error) {
    auto fail = [&error](const std::string& what) {
        error = what + ": " + std::strerror(errno);
        return false;
    };
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) {
        error = "no file name in '" + path + "'";
        return false;
    }
    std::string temporary =
        (slash == std::string::npos ? std::string() : folder) + "." + base + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return fail("cannot create a temporary file in " + folder);
    // The new file keeps the old one's permissions, else the usual 0644.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    auto abandon = [&](const std::string& what) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = saved;
        return fail(what);
    };
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon("cannot write " + temporary);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        return abandon("cannot flush " + temporary);
    if (::close(fd) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        return fail("cannot close " + temporary);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        return fail("cannot replace " + path);
    }
    // The rename itself on disk.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace cockpitstate
