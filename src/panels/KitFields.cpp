#include "panels/KitFields.h"

#include <algorithm>

#include "panels/CKitPanel.h"

namespace kit {

namespace {

class RowMaker {
  public:
    RowMaker(std::vector<shm::FieldRow>& rows, std::deque<std::string>& store,
             blocks::PanelBlocks at, std::string prefix)
        : m_rows(rows), m_store(store), m_at(at), m_prefix(std::move(prefix)) {}

    // A field without a range.
    void Add(const std::string& name, bool output, std::uint32_t offset, shm::FieldType type,
             const std::string& meaning) {
        Add(name, output, offset, type, meaning, shm::FieldRow{});
    }

    // A field with the range of `range` (when it has one).
    void Add(const std::string& name, bool output, std::uint32_t offset, shm::FieldType type,
             const std::string& meaning, const shm::FieldRow& range) {
        const std::uint32_t block = output ? m_at.out : m_at.in;
        if (block == kNone || offset == kNone)
            return;
        const std::uint32_t at = block + offset;
        // Several controls may take one input (both mask lights of one int).
        for (const shm::FieldRow& row : m_rows) {
            if (row.offset == at && row.writer == shm::Writer::Host && !output)
                return;
        }
        shm::FieldRow row{Keep(m_prefix + "." + name), at, type,
                          output ? shm::Writer::Program : shm::Writer::Host, Keep(meaning)};
        m_rows.push_back(range.ranged ? row.In(range.minimum, range.maximum) : row);
    }

    // The output field(s) of a control. `positions` is the number of
    // positions its one-hot field covers (0 for a push-button); `highest` is
    // the highest position it can publish, and `inactive` what it publishes
    // as a 32-bit position while not in use (-1 for switches and levers).
    void AddOutput(const std::string& control, const char* label, const Out& out, int positions,
                   const char* what, int highest = 0, int inactive = 0) {
        const std::string of = std::string(what) + " " + label;
        const shm::FieldRow flag = shm::FieldRow{}.In(0, 1);
        const shm::FieldRow position = shm::FieldRow{}.In(0, highest);
        switch (out.enc) {
            case Enc::None:
                return;
            case Enc::Byte:
                Add(control + (positions == 0 ? ".STATE" : ".POSITION"), true, out.offset,
                    shm::FieldType::Byte,
                    positions == 0 ? "state of " + of + " (1 in, 0 out)" : "position of " + of,
                    positions == 0 ? flag : position);
                return;
            case Enc::Inverted:
                Add(control + ".STATE", true, out.offset, shm::FieldType::Byte,
                    "state of " + of + " (1 out, 0 in)", flag);
                return;
            case Enc::Int32:
                Add(control + ".POSITION", true, out.offset, shm::FieldType::Int32,
                    "position of " + of, shm::FieldRow{}.In(std::min(inactive, 0), highest));
                return;
            case Enc::Flags:
                Add(control + ".UP", true, out.offset, shm::FieldType::Byte,
                    "1 while " + of + " is up (or left)", flag);
                Add(control + ".DOWN", true, out.offset + 1, shm::FieldType::Byte,
                    "1 while " + of + " is down (or right)", flag);
                return;
            case Enc::OneAt:
                Add(control + ".STATE", true, out.offset, shm::FieldType::Byte,
                    "1 while " + of + " is in position " + std::to_string(out.value), flag);
                return;
            case Enc::OneHot:
                for (int p = 0; p < OneHotCount(out, positions); ++p) {
                    Add(control + ".AT_" + std::to_string(p), true,
                        out.offset + static_cast<std::uint32_t>(p), shm::FieldType::Byte,
                        "1 while " + of + " is in position " + std::to_string(p), flag);
                }
                return;
        }
    }

  private:
    const char* Keep(std::string text) {
        m_store.push_back(std::move(text));
        return m_store.back().c_str();
    }

    std::vector<shm::FieldRow>& m_rows;
    std::deque<std::string>& m_store;
    blocks::PanelBlocks m_at;
    std::string m_prefix;
};

std::string Indexed(const char* kind, std::size_t i) {
    return kind + std::to_string(i);
}

// The highest position a knob can take in either layout: the highest digit of
// its present positions.
int HighestKnobPosition(const KnobRow& row) {
    int highest = 0;
    for (const char* present : {row.present, row.present330}) {
        for (const char* p = present; p != nullptr && *p != '\0'; ++p) {
            if (*p >= '0' && *p <= '9')
                highest = std::max(highest, *p - '0');
        }
    }
    return highest;
}

// The highest detent a lever can take: its last present detent.
int HighestDetent(const LeverRow& row) {
    return std::max(DetentCount(row) - 1, 0);
}

}  // namespace

std::string SidePrefix(const PanelDescription& desc, int side) {
    std::string prefix = desc.prefix;
    if (desc.sides > 1)
        prefix += "_" + std::to_string(side);
    return prefix;
}

void AppendFieldRows(const PanelDescription& desc, int side, std::vector<shm::FieldRow>& rows,
                     std::deque<std::string>& store) {
    RowMaker make(rows, store, CKitPanel::BlocksOf(desc, side, true), SidePrefix(desc, side));
    for (std::size_t i = 0; i < desc.buttons.size(); ++i) {
        const ButtonRow& row = desc.buttons[i];
        const std::string name = Indexed("BUTTON_", i);
        make.AddOutput(name, row.label, row.out, 0, "push-button");
        const std::string of = std::string(" of push-button ") + row.label;
        if (row.lights.mode == Lit::Pair) {
            make.Add(name + ".LIGHT_TOP", false, row.lights.top, shm::FieldType::Byte,
                     "top light" + of + " (non-zero lit)");
            make.Add(name + ".LIGHT_BOTTOM", false, row.lights.bottom, shm::FieldType::Byte,
                     "bottom light" + of + " (non-zero lit)");
        } else if (row.lights.mode == Lit::One) {
            make.Add(name + ".LIGHT", false, row.lights.top, shm::FieldType::Byte,
                     "light" + of + " (non-zero lit)");
        }
    }
    for (std::size_t i = 0; i < desc.switches.size(); ++i) {
        make.AddOutput(Indexed("SWITCH_", i), desc.switches[i].label, desc.switches[i].out, 3,
                       "switch", 2, -1);
    }
    for (std::size_t i = 0; i < desc.knobs.size(); ++i)
        make.AddOutput(Indexed("KNOB_", i), desc.knobs[i].label, desc.knobs[i].out, 8, "knob",
                       HighestKnobPosition(desc.knobs[i]));
    for (std::size_t i = 0; i < desc.levers.size(); ++i)
        make.AddOutput(Indexed("LEVER_", i), desc.levers[i].label, desc.levers[i].out,
                       DetentCount(desc.levers[i]), "lever", HighestDetent(desc.levers[i]), -1);
    for (std::size_t i = 0; i < desc.lights.size(); ++i) {
        const LightRow& row = desc.lights[i];
        if (row.source == Source::Byte) {
            make.Add(Indexed("LIGHT_", i), false, row.input, shm::FieldType::Byte,
                     std::string("light ") + row.label + " (non-zero lit)");
        } else if (row.source == Source::Int32Equals) {
            make.Add(Indexed("LIGHT_", i), false, row.input, shm::FieldType::Int32,
                     std::string("light ") + row.label + " (lit while " +
                         std::to_string(row.value) + ")");
        }
    }
    if (desc.lampTest != kNone) {
        make.Add("LAMP_TEST", false, desc.lampTest, shm::FieldType::Byte,
                 "lamp test: lights every light of the panel");
    }
    for (const PresetRow& preset : desc.presets) {
        make.Add(preset.name, false, preset.request, shm::FieldType::Byte,
                 "preset request, applied every update while non-zero");
    }
    if (desc.extraFields != nullptr) {
        // An extra row at the offset of an input row made from the controls
        // describes that byte more exactly (who writes it, what it means): it
        // takes the generated row's place.
        for (const shm::FieldRow& row : desc.extraFields(side)) {
            std::erase_if(rows, [&row](const shm::FieldRow& made) {
                return made.writer == shm::Writer::Host && made.count == 1 &&
                       made.offset == row.offset && row.count == 1;
            });
            rows.push_back(row);
        }
    }
}

}  // namespace kit
