// Cockpit state files on the whole cockpit with the default art: a cockpit
// worked by clicks on its controls is saved, a fresh cockpit restores the
// file, and both publish the same fields; bad lines are reported one by one
// and the rest is restored; a failed write leaves the old file as it was.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QTest>

#include "app/CA320Cockpit.h"
#include "app/CSkylidDlg.h"
#include "app/CockpitState.h"
#include "banner/ViewInitialise.h"
#include "controls/CBaseCockpitControl.h"
#include "controls/CPanelMouse.h"
#include "controls/MouseEvent.h"
#include "fields/FieldValue.h"
#include "fields/HostRegistry.h"
#include "platform/KxClock.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

namespace {

using Fields = std::map<std::string, std::string>;

class CockpitStateTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_art = std::make_unique<testsupport::TempDir>();
        std::string command =
            std::string(SKYLID_ART_BIN) + " --out " + (*s_art / "art") + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void TearDownTestSuite() { s_art.reset(); }

    void TearDown() override { CBasePanel::SetSharedMemory(nullptr); }

    // A fresh cockpit on a fresh segment; the class-wide segment pointer is
    // this cockpit's from now on.
    void Start() {
        cockpit.reset();
        segment.assign(Gensim_Shm::kSize, 0);
        CBasePanel::SetSharedMemory(segment.data());
        cockpit = std::make_unique<CSkylidCkptMngr>();
        cockpit->SetSharedMemory(segment.data());
        ASSERT_TRUE(cockpit->Initialise((*s_art / "art/Bitmaps").c_str()))
            << cockpit->GetErrorText();
    }

    void Update(CBasePanel& panel, CPoint at, int code) {
        CPanelMouse::SetScroll(0, 0);
        CPanelMouse::SetMousePoint(at.x, at.y);
        event.code = code;
        panel.Update(&event);
    }
    // Every panel a few times with the mouse away from every control.
    void Settle(int rounds = 3) {
        for (int r = 0; r < rounds; ++r) {
            for (int n = 0; n < CA320Cockpit::kPanelCount; ++n) {
                if (CBasePanel* panel = cockpit->GetPanel(n))
                    Update(*panel, CPoint(-500, -500), MouseEvent::kNone);
            }
        }
    }
    // Clicks every control of every panel but the MCDUs (whose keys type
    // into the scratch pad), in four ways by turn: left on the right half
    // (knobs turn up), right (covers, units, the altitude step), left twice,
    // left on the left quarter (knobs turn down, switches go the other way).
    void WorkTheControls() {
        for (int n = 0; n < CA320Cockpit::kPanelCount; ++n) {
            CBasePanel* panel = cockpit->GetPanel(n);
            if (panel == nullptr || n == 8 || n == 9)
                continue;
            for (int i = 0; const CBaseCockpitControl* control = panel->GetControl(i); ++i) {
                const CRect r = control->GetRect();
                const int way = (i + n) % 4;
                const int x = way == 3 ? (3 * r.left + r.right) / 4 : (r.left + 3 * r.right) / 4;
                const CPoint at(x, (r.top + r.bottom) / 2);
                const int code = way == 1 ? MouseEvent::kRightPress : MouseEvent::kLeftPress;
                for (int times = 0; times < (way == 2 ? 2 : 1); ++times) {
                    Update(*panel, at, MouseEvent::kNone);
                    Update(*panel, at, code);
                    Update(*panel, at, MouseEvent::kNone);
                }
            }
        }
    }
    // Every field the panels write, as text.
    Fields Published() const {
        Fields fields;
        for (const host::NamedField& f : host::GenericRegistry().Fields()) {
            if (f.writer != shm::Writer::Program || f.name.starts_with("SYS.") ||
                f.name.starts_with("BANNER.") || f.name.starts_with("REPORT.") ||
                f.name.starts_with("CONFIG."))
                continue;
            char text[512];
            host::FormatValue(segment.data(), f, host::ValueStyle::Quoted, text, sizeof text);
            fields[f.name] = text;
        }
        return fields;
    }
    // Requests and events to the host, which the panels write from their own
    // state and a cockpit state leaves alone: the ECAM page request, the
    // ADIRS ENT hand-over, the EFIS display management RESET flag, the MCDU
    // keys and scratch pad.
    static bool IsSignal(const std::string& name) {
        return name == "ECAM.PAGE_REQUEST" || name == "ECAM.COPY.PAGE_REQUEST" ||
               name == "ADIRS.ENT" || name == "EFIS_DMC_0.RESET_FLAG" ||
               name == "EFIS_DMC_1.RESET_FLAG" || name.starts_with("MCDU_");
    }
    static int CountDifferences(const Fields& a, const Fields& b, std::string& report) {
        int count = 0;
        for (const auto& [name, value] : a) {
            if (IsSignal(name))
                continue;
            auto other = b.find(name);
            const std::string got = other == b.end() ? "(missing)" : other->second;
            if (got != value) {
                report += name + ": saved " + value + ", restored " + got + "\n";
                ++count;
            }
        }
        return count;
    }
    // Fields that differ from a cockpit just started, and the panels (name
    // prefixes) they belong to.
    static int CountDefaults(const Fields& a, const Fields& defaults, int& panels) {
        int count = 0;
        std::set<std::string> prefixes;
        for (const auto& [name, value] : a) {
            if (defaults.at(name) != value) {
                ++count;
                prefixes.insert(name.substr(0, name.find('.')));
            }
        }
        panels = static_cast<int>(prefixes.size());
        return count;
    }

    static std::unique_ptr<testsupport::TempDir> s_art;
    testsupport::TempDir dir;
    std::vector<std::uint8_t> segment;
    std::unique_ptr<CSkylidCkptMngr> cockpit;
    MouseEvent event;
};

std::unique_ptr<testsupport::TempDir> CockpitStateTest::s_art;

TEST_F(CockpitStateTest, ASavedCockpitRestoresToTheSamePublishedFieldsOnEveryPanel) {
    Start();
    Settle();
    const Fields defaults = Published();

    WorkTheControls();
    FcuStateRecord fcu;
    fcu.speed = 780;  // Mach 0.78
    fcu.heading = 123;
    fcu.altitude1000 = 12000;
    fcu.altitude100 = 12300;
    fcu.vertical = -1500;
    fcu.mach = 1;
    fcu.step100 = 1;
    cockpit->m_fcu.SetState(fcu);
    cockpit->m_tcas.SetSquawk(2471);
    cockpit->m_efisCapt.SetBaroInHg(2992);
    cockpit->m_efisFo.SetBaro(1020);
    Settle();
    const Fields saved = Published();
    // The clicks reached most of the cockpit: many fields differ from a
    // cockpit just started.
    int panels = 0;
    EXPECT_GE(CountDefaults(saved, defaults, panels), 80);
    EXPECT_GE(panels, 25);
    EXPECT_EQ(saved.at("FCU.SPEED"), "780");
    EXPECT_EQ(saved.at("ATC.CODE"), "2471");
    EXPECT_EQ(saved.at("EFIS_0.BARO"), "2992");
    EXPECT_EQ(saved.at("EFIS_0.BARO_UNIT"), "1");
    EXPECT_EQ(saved.at("EFIS_1.BARO"), "1020");

    const std::string file = dir / "lesson.ini";
    cockpitstate::Result written = cockpitstate::Save(*cockpit, segment.data(), file);
    ASSERT_TRUE(written.ok) << written.error;
    EXPECT_GT(written.fields, 400);
    EXPECT_EQ(written.records, 4);  // FCU, ATC, two barometric settings

    Start();
    cockpitstate::Result restored = cockpitstate::Restore(*cockpit, segment.data(), file);
    ASSERT_TRUE(restored.ok) << restored.error;
    EXPECT_TRUE(restored.problems.empty()) << restored.problems.front();
    EXPECT_EQ(restored.fields, written.fields);
    EXPECT_EQ(restored.records, 4);
    // Published at once by the restore, and still after the panels' turns.
    std::string report;
    EXPECT_EQ(CountDifferences(saved, Published(), report), 0) << report;
    Settle();
    report.clear();
    EXPECT_EQ(CountDifferences(saved, Published(), report), 0) << report;

    // The same file again, from the restored cockpit, is the same file.
    const std::string again = dir / "again.ini";
    ASSERT_TRUE(cockpitstate::Save(*cockpit, segment.data(), again).ok);
    EXPECT_TRUE(testsupport::ReadFile(again) == testsupport::ReadFile(file));
}

TEST_F(CockpitStateTest, BadLinesAreReportedOneByOneAndTheRestIsRestored) {
    Start();
    const std::string file = dir / "hand-edited.ini";
    testsupport::WriteFile(file,
                           "; an instructor's file\n"
                           "ELEC.BUTTON_0.STATE = 1\n"  // 2: before any section
                           "[Electrical panel]\n"
                           "ELEC.BUTTON_1.STATE = 1\n"      // good
                           "ELEC.BUTTON_2.STATE = 300\n"    // 5: out of range
                           "ELEC.NO_SUCH_FIELD = 1\n"       // 6: unknown field
                           "FUEL.BUTTON_0.STATE = 1\n"      // 7: another panel's
                           "ELEC.BUTTON_0.LIGHT_TOP = 1\n"  // 8: the host's
                           "this line means nothing\n"      // 9: malformed
                           "ELEC.BUTTON_3.STATE = 1\n"      // good
                           "[No such panel]\n"              // 11: unknown section
                           "X = 1\n"                        // 12: in it
                           "[ATC]\n"
                           "SQUAWK = 7891\n"  // 14: 8 and 9 are no digits
                           "[FCU STATE]\n"
                           "HEADING = 271\n"  // good, the rest kept
                           "MACH = 2\n"       // 17: flag of 0 or 1
                           "[BARO 1]\n"
                           "STANDARD = 0\n"
                           "UNIT = HPA\n"
                           "HPA = 998\n"  // good
                           "[TCAS/ATC panel]\n"
                           "ATC.KNOB_3.POSITION = 2\n"  // good
                           "[ADIRS panel]\n"
                           "ADIRS.ENT = 1\n");  // 25: a hand-over, no control
    cockpitstate::Result result = cockpitstate::Restore(*cockpit, segment.data(), file);
    ASSERT_TRUE(result.ok) << result.error;
    std::string all;
    for (const std::string& p : result.problems)
        all += p + "\n";
    ASSERT_EQ(result.problems.size(), 11u) << all;
    const char* lines[] = {"line 2:",  "line 5:",  "line 6:",  "line 7:",  "line 8:", "line 9:",
                           "line 11:", "line 12:", "line 14:", "line 17:", "line 25:"};
    for (std::size_t i = 0; i < std::size(lines); ++i)
        EXPECT_TRUE(result.problems[i].starts_with(lines[i])) << result.problems[i];
    EXPECT_EQ(result.fields, 3);
    EXPECT_EQ(result.records, 2);
    EXPECT_NE(result.Summary(cockpitstate::Result::Action::Restored, file).find("11 lines skipped"),
              std::string::npos);

    Settle();
    const Fields now = Published();
    EXPECT_EQ(now.at("ELEC.BUTTON_0.STATE"), "0");
    EXPECT_EQ(now.at("ELEC.BUTTON_1.STATE"), "1");
    EXPECT_EQ(now.at("ELEC.BUTTON_2.STATE"), "0");
    EXPECT_EQ(now.at("ELEC.BUTTON_3.STATE"), "1");
    EXPECT_EQ(now.at("FUEL.BUTTON_0.STATE"), "0");
    EXPECT_EQ(now.at("ATC.KNOB_3.POSITION"), "2");
    EXPECT_EQ(now.at("ATC.CODE"), "0");
    EXPECT_EQ(now.at("FCU.HEADING"), "271");
    EXPECT_EQ(now.at("FCU.SPEED"), "100");
    EXPECT_EQ(now.at("FCU.MACH"), "0");
    EXPECT_EQ(now.at("EFIS_1.BARO"), "998");
    EXPECT_EQ(now.at("EFIS_0.BARO"), "1013.25");
    EXPECT_EQ(now.at("ADIRS.ENT"), "0");

    // A file that cannot be read changes nothing and says why.
    cockpitstate::Result missing =
        cockpitstate::Restore(*cockpit, segment.data(), dir / "no-such.ini");
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
}

TEST_F(CockpitStateTest, AFailedWriteLeavesTheOldFileAsItWas) {
    const std::string file = dir / "state.ini";
    std::string error;
    ASSERT_TRUE(cockpitstate::WriteFileAtomically(file, "[old]\nA = 1\n", error)) << error;

    // Writes beyond 64 bytes fail (EFBIG) while the limit holds.
    struct rlimit before {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written =
        cockpitstate::WriteFileAtomically(file, std::string(4096, 'x') + "\n", error);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(testsupport::ReadFile(file), "[old]\nA = 1\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "no temporary file left behind";

    // A folder that does not exist: nothing written, the reason given.
    EXPECT_FALSE(cockpitstate::WriteFileAtomically(dir / "no/such/folder/x.ini", "a", error));
    EXPECT_NE(error.find("temporary"), std::string::npos) << error;
    // A good write replaces the file whole.
    ASSERT_TRUE(cockpitstate::WriteFileAtomically(file, "[new]\n", error)) << error;
    EXPECT_EQ(testsupport::ReadFile(file), "[new]\n");
}

// The window: --state restores at start-up, before the loop runs, and
// Ctrl+S saves to the same file, naming it in the caption.
TEST_F(CockpitStateTest, TheWindowRestoresItsStateFileAtStartAndSavesItWithCtrlS) {
    static kx::FakeClock reportClock;  // the start-up report's pauses do not wait
    ViewInitialise::SetClock(&reportClock);
    std::string ini = testsupport::ReadFile(*s_art / "art/Skylid.ini");
    ini.replace(ini.find("[OPTIONS]\n"), 10, "[OPTIONS]\nBannerProgram = /bin/true\n");
    testsupport::WriteFile(dir / "Skylid.ini", ini);
    const std::string file = dir / "lesson.ini";
    testsupport::WriteFile(file,
                           "[Electrical panel]\n"
                           "ELEC.BUTTON_1.STATE = 1\n"
                           "[ATC]\n"
                           "SQUAWK = 7000\n"
                           "[Fuel panel\n");  // 5: no closing bracket

    DialogOptions options;
    options.iniFile = dir / "Skylid.ini";
    options.genericSegment = testsupport::UniqueSegmentName("state");
    options.trainingSegment = options.genericSegment + "_Trn";
    options.stateFile = file;
    CSkylidDlg dialog(options);
    ASSERT_TRUE(dialog.InitialiseDialog()) << dialog.GetErrorText();
    EXPECT_FALSE(dialog.IsLoopRunning());
    const std::uint8_t* view = dialog.Segment();
    EXPECT_EQ(view[129956], 1) << "BAT 2 published before the loop starts";
    std::int32_t code = 0;
    std::memcpy(&code, view + 131008 + 4, sizeof code);
    EXPECT_EQ(code, 7000);
    EXPECT_NE(dialog.GetStateNote().find("restored from " + file), std::string::npos)
        << dialog.GetStateNote();
    EXPECT_NE(dialog.GetStateNote().find("1 line skipped"), std::string::npos);
    EXPECT_NE(dialog.windowTitle().toStdString().find(dialog.GetStateNote()), std::string::npos);

    QTest::keyClick(&dialog, Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(dialog.GetStateNote().find("saved to " + file), std::string::npos)
        << dialog.GetStateNote();
    const std::string saved = testsupport::ReadFile(file);
    EXPECT_NE(saved.find("\nELEC.BUTTON_1.STATE = 1\n"), std::string::npos);
    EXPECT_NE(saved.find("\n[ATC]\nSQUAWK = 7000\n"), std::string::npos);
    EXPECT_EQ(dialog.HeldKeyCount(), 0) << "the save key is no held key";
    dialog.ShutDown();
    ViewInitialise::SetClock(nullptr);
}

}  // namespace
