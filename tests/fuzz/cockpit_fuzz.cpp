// Fuzz harness for the whole cockpit as a faulty or hostile simulation host
// sees it: the input is a sequence of host actions (writes into every field
// the host writes, floats and doubles that are NaN, infinite, huge or
// negative, texts without a terminator, the remote-hold request words, the
// output fields of panels under remote hold) and mouse events over the
// panels, with cockpit updates between them. After every update and after
// drawing every panel it checks that
//   - no byte outside the fields the program writes has changed,
//   - every program-written field with a range holds a value inside it,
//   - every program-written text is terminated within its field,
// and stops with a message naming the field otherwise. The sanitizers watch
// everything else.
//
// Built with clang and -fsanitize=fuzzer it is a libFuzzer target; linked
// with the replay main of tests/support it runs the committed corpus once,
// which is how ctest replays it in every build.

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/CA320Cockpit.h"
#include "controls/CPanelMouse.h"
#include "controls/MouseEvent.h"
#include "fields/HostRegistry.h"
#include "panels/KitFields.h"
#include "panels/PanelCatalog.h"
#include "platform/CDC.h"
#include "shm/GenericLayout.h"
#include "units/UnitCatalog.h"

namespace {

// The input, read front to back; past its end every read gives 0.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    void Bytes(std::uint8_t* out, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            out[i] = Byte();
    }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "cockpit_fuzz: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

// Texts the interface defines as filling their field without a terminator.
bool MayFillField(const std::string& name) {
    return name == "MCDU_0.SCRATCH_PAD" || name == "MCDU_1.SCRATCH_PAD";
}

double ReadNumber(const std::uint8_t* at, shm::FieldType type) {
    auto read = [at]<typename T>(T value) {
        std::memcpy(&value, at, sizeof value);
        return static_cast<double>(value);
    };
    switch (type) {
        case shm::FieldType::Bool:
        case shm::FieldType::Byte:
            return read(std::uint8_t{});
        case shm::FieldType::Int16:
            return read(std::int16_t{});
        case shm::FieldType::UInt16:
            return read(std::uint16_t{});
        case shm::FieldType::Int32:
            return read(std::int32_t{});
        case shm::FieldType::UInt32:
            return read(std::uint32_t{});
        case shm::FieldType::Float:
            return read(float{});
        case shm::FieldType::Double:
            return read(double{});
        case shm::FieldType::Text:
            return 0;
    }
    return 0;
}

constexpr float kFloatOddValues[] = {std::numeric_limits<float>::quiet_NaN(),
                                     std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity(),
                                     std::numeric_limits<float>::max(),
                                     -std::numeric_limits<float>::max(),
                                     3e9f,
                                     -3e9f,
                                     -1.0f,
                                     0.0f,
                                     0.9999f,
                                     1e-40f};
constexpr double kDoubleOddValues[] = {std::numeric_limits<double>::quiet_NaN(),
                                       std::numeric_limits<double>::infinity(),
                                       -std::numeric_limits<double>::infinity(),
                                       std::numeric_limits<double>::max(),
                                       -std::numeric_limits<double>::max(),
                                       1e19,
                                       -1e19,
                                       -11.0,
                                       97.0,
                                       0.0};

class Harness {
  public:
    Harness() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "cockpit_fuzz";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QGuiApplication>(argc, argv);

        MakeArt();
        m_segment.assign(Gensim_Shm::kSize, 0);
        CBasePanel::SetSharedMemory(m_segment.data());
        m_manager = std::make_unique<CSkylidCkptMngr>();
        m_manager->SetSharedMemory(m_segment.data());
        m_manager->SetUpdateAllVisible(true);
        if (!m_manager->Initialise((m_art / "Bitmaps").c_str()))
            Fail(std::string("the cockpit does not start on the test art: ") +
                 m_manager->GetErrorText());
        for (int n = 0; n < CA320Cockpit::kPanelCount; ++n) {
            const auto& place = m_manager->GetLayout(n);
            m_width = std::max(m_width, place.x + place.width + 1);
            m_height = std::max(m_height, place.y + place.height + 1);
        }
        m_picture = QImage(m_width, m_height, QImage::Format_RGB32);
        CPanelMouse::SetScroll(0, 0);
        CPanelMouse::SetPictureSize(m_width, m_height);
        SortFields();
        m_tainted.assign(Gensim_Shm::kSize, 0);
        // The first iteration updates every panel, which publishes its fields.
        m_manager->UpdateVisible(0, 0, m_width, m_height, &m_event);
        m_before = m_segment;
        Check("the first iteration");
    }

    ~Harness() {
        CBasePanel::SetSharedMemory(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(m_art.parent_path(), ignored);
    }

    void Run(Input& in) {
        int steps = 0;
        while (!in.Empty() && steps < kMaxSteps) {
            switch (in.Byte() % 8) {
                case 0:
                case 1:
                    WriteHostField(in);
                    break;
                case 2:
                    WriteOddNumber(in);
                    break;
                case 3:
                    TakeOverHeldOutput(in);
                    break;
                case 4:
                    RemoteHold(in);
                    break;
                case 5:
                case 6:
                    Mouse(in);
                    ++steps;
                    break;
                default:
                    Step(in.Byte());
                    ++steps;
                    break;
            }
        }
        Step(0);
        DrawEveryPanel();
    }

  private:
    static constexpr int kMaxSteps = 16;
    static constexpr std::uint32_t kBlock = 512;
    static constexpr int kViewWidth = 1280;
    static constexpr int kViewHeight = 1024;

    void MakeArt() {
        char folder[] = "/tmp/skylid-cockpit-fuzz-XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            Fail("cannot make a folder for the test art");
        m_art = std::filesystem::path(folder) / "art";
        const std::string command =
            std::string(SKYLID_ART_BIN) + " --out " + m_art.string() + " >/dev/null";
        if (std::system(command.c_str()) != 0)
            Fail("skylid-art failed: " + command);
    }

    // The registry's fields by writer, the host's floating-point fields, and
    // the output fields of each panel (which the host may take over while the
    // panel is under remote hold).
    void SortFields() {
        const host::Registry& registry = host::GenericRegistry();
        std::string problems;
        if (!registry.Check(problems))
            Fail("the field registry is unsound:\n" + problems);
        m_owner.assign(Gensim_Shm::kSize, nullptr);
        for (const host::NamedField& field : registry.Fields()) {
            for (std::uint32_t b = 0; b < field.width; ++b) {
                if (m_owner[field.offset + b] == nullptr || field.writer == shm::Writer::Program)
                    m_owner[field.offset + b] = &field;
            }
            if (host::IsReadOnly(field))
                continue;
            const bool number =
                field.type == shm::FieldType::Float || field.type == shm::FieldType::Double;
            if (field.writer == shm::Writer::Host) {
                m_hostFields.push_back(&field);
                if (number)
                    m_numberFields.push_back(&field);
            } else {
                m_programFields.push_back(&field);
                // The thrust lever angles: program-written, the host may move them.
                if (number && field.name.starts_with("THRUST."))
                    m_numberFields.push_back(&field);
            }
        }
        for (const panels::CatalogEntry& entry : units::CockpitCatalog()) {
            std::vector<shm::FieldRow> rows;
            kit::AppendFieldRows(*entry.desc, entry.side, rows, m_texts);
            for (const shm::FieldRow& row : rows) {
                if (row.writer != shm::Writer::Program || row.name == nullptr)
                    continue;
                for (std::uint32_t i = 0; i < row.count; ++i) {
                    std::string name(row.name);
                    if (auto at = name.find("%d"); at != std::string::npos)
                        name.replace(at, 2, std::to_string(i));
                    if (const host::NamedField* field = registry.Find(name))
                        m_heldOutputs.push_back({entry.number, field});
                }
            }
        }
    }

    void Mark(std::uint32_t offset, std::uint32_t width) {
        for (std::uint32_t b = 0; b < width; ++b)
            m_tainted[offset + b] = 1;
    }

    void WriteField(const host::NamedField& field, Input& in) {
        std::uint8_t* at = m_segment.data() + field.offset;
        if (field.type == shm::FieldType::Text) {
            // Up to the whole field, never a NUL inside; a shorter text ends
            // with one, a full one has none.
            const std::uint32_t length = in.Byte() % (field.width + 1);
            for (std::uint32_t i = 0; i < length; ++i)
                at[i] = static_cast<std::uint8_t>(std::max<std::uint8_t>(in.Byte(), 1));
            if (length < field.width)
                at[length] = 0;
        } else {
            in.Bytes(at, field.width);
        }
        Mark(field.offset, field.width);
    }

    void WriteHostField(Input& in) {
        WriteField(*m_hostFields[in.Word() % m_hostFields.size()], in);
    }

    void WriteOddNumber(Input& in) {
        const host::NamedField& field = *m_numberFields[in.Word() % m_numberFields.size()];
        const std::uint8_t pick = in.Byte();
        std::uint8_t* at = m_segment.data() + field.offset;
        if (field.type == shm::FieldType::Float) {
            const float value = kFloatOddValues[pick % std::size(kFloatOddValues)];
            std::memcpy(at, &value, sizeof value);
        } else {
            const double value = kDoubleOddValues[pick % std::size(kDoubleOddValues)];
            std::memcpy(at, &value, sizeof value);
        }
        Mark(field.offset, field.width);
    }

    // The host writes an output field of a panel that is under remote hold.
    void TakeOverHeldOutput(Input& in) {
        const auto& [number, field] = m_heldOutputs[in.Word() % m_heldOutputs.size()];
        const CBasePanel* panel = m_manager->GetPanel(number);
        if (panel == nullptr || !panel->IsRemoteHold())
            return;
        WriteField(*field, in);
    }

    // The remote-hold request word with the two flags it carries, or the
    // hold of every panel that has one (as the start-up option sets it).
    void RemoteHold(Input& in) {
        const std::uint8_t how = in.Byte();
        if (how & 0x80) {
            m_manager->SetRemoteHoldAll((how & 1) != 0);
            return;
        }
        std::uint8_t* view = m_segment.data();
        generic::kRemoteHoldCaptEfis.Write(view, how & 1);
        generic::kRemoteHoldLeftGlareshield.Write(view, (how >> 1) & 1);
        const auto word = static_cast<std::uint32_t>(generic::kRemoteHoldRequest.Read(view));
        generic::kRemoteHoldRequest.Write(view, static_cast<std::int32_t>(word + 1));
        Mark(generic::kRemoteHoldCaptEfis.Offset(), 1);
        Mark(generic::kRemoteHoldLeftGlareshield.Offset(), 1);
        Mark(generic::kRemoteHoldRequest.Offset(), 4);
    }

    // A mouse event over a panel: a press, a held button moved (a drag), a
    // release, a right press, the wheel or a double click.
    void Mouse(Input& in) {
        m_event.code = in.Byte() % 6;
        const int number = in.Byte() % CA320Cockpit::kPanelCount;
        const auto& place = m_manager->GetLayout(number);
        const int x = place.x + in.Byte() * (place.width + 1) / 256;
        const int y = place.y + in.Byte() * (place.height + 1) / 256;
        m_event.x = x;
        m_event.y = y;
        CPanelMouse::SetMousePoint(x, y);
        Begin();
        if (m_event.code != MouseEvent::kNone)
            m_manager->OnMouse(CPoint(x, y));
        // The window's view around the pointer.
        const int left = std::max(0, x - kViewWidth / 2);
        const int top = std::max(0, y - kViewHeight / 2);
        m_manager->UpdateVisible(left, top, left + kViewWidth, top + kViewHeight, &m_event);
        Check("a mouse event");
    }

    void Step(std::uint8_t how) {
        Begin();
        if (how % 8 == 1) {
            m_manager->UpdateAll();
        } else {
            // A view over part of the picture, as a scrolled window shows it.
            const int left = (how >> 3) % 4 * m_width / 4;
            const int top = (how >> 5) % 8 * m_height / 8;
            m_manager->UpdateVisible(left, top, left + kViewWidth, top + kViewHeight, &m_event);
        }
        Check("an update");
    }

    void DrawEveryPanel() {
        Begin();
        CDC dc(m_picture);
        for (int n = 0; n < CA320Cockpit::kPanelCount; ++n) {
            if (CBasePanel* panel = m_manager->GetPanel(n))
                panel->Draw(&dc);
        }
        Check("drawing");
    }

    void Begin() { m_before = m_segment; }

    std::string Name(std::uint32_t offset) const {
        const host::NamedField* field = m_owner[offset];
        if (field == nullptr)
            return "byte " + std::to_string(offset) + " (in no field)";
        return field->name + " (byte " + std::to_string(offset) + ", " +
               host::WriterName(field->writer) + "-written)";
    }

    void Check(const char* during) {
        // Block by block, so that the byte walk runs only where something changed.
        const std::uint8_t* now = m_segment.data();
        const std::uint8_t* was = m_before.data();
        const std::uint32_t size = static_cast<std::uint32_t>(m_segment.size());
        for (std::uint32_t block = 0; block < size; block += kBlock) {
            const std::uint32_t end = std::min(size, block + kBlock);
            if (std::memcmp(now + block, was + block, end - block) == 0)
                continue;
            for (std::uint32_t b = block; b < end; ++b) {
                if (now[b] == was[b])
                    continue;
                const host::NamedField* field = m_owner[b];
                // A request the cockpit has taken is emptied, nothing else.
                if (field != nullptr && field->consumed && now[b] == 0)
                    continue;
                if (field == nullptr || field->writer != shm::Writer::Program)
                    Fail(std::string("the cockpit changed ") + Name(b) + " during " + during);
                m_tainted[b] = 0;  // the program wrote it again
            }
        }
        for (const host::NamedField* field : m_programFields) {
            const std::uint8_t* at = now + field->offset;
            if (std::memchr(m_tainted.data() + field->offset, 1, field->width) != nullptr)
                continue;  // as the host left it
            if (field->type == shm::FieldType::Text) {
                if (std::memchr(at, 0, field->width) == nullptr && !MayFillField(field->name))
                    Fail(field->name + " is not terminated within its " +
                         std::to_string(field->width) + " bytes after " + during);
                continue;
            }
            if (!field->ranged)
                continue;
            const double value = ReadNumber(at, field->type);
            if (!(value >= field->minimum && value <= field->maximum)) {
                char text[64];
                std::snprintf(text, sizeof text, "%.17g", value);
                Fail(field->name + " = " + text + " outside its range " + host::RangeText(*field) +
                     " after " + during);
            }
        }
    }

    std::unique_ptr<QGuiApplication> m_app;
    std::filesystem::path m_art;
    std::vector<std::uint8_t> m_segment;
    std::vector<std::uint8_t> m_before;
    std::vector<std::uint8_t> m_tainted;  // bytes as the host left them
    std::unique_ptr<CSkylidCkptMngr> m_manager;
    QImage m_picture;
    int m_width = 1;
    int m_height = 1;
    MouseEvent m_event;
    std::vector<const host::NamedField*> m_owner;  // per byte: its field
    std::vector<const host::NamedField*> m_hostFields;
    std::vector<const host::NamedField*> m_numberFields;
    std::vector<const host::NamedField*> m_programFields;
    struct HeldOutput {
        int panel;
        const host::NamedField* field;
    };
    std::vector<HeldOutput> m_heldOutputs;
    std::deque<std::string> m_texts;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Built once: starting the cockpit reads every picture of the art.
    static Harness harness;
    Input in(data, size);
    harness.Run(in);
    return 0;
}
