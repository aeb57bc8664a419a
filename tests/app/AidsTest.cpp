// The main window's aids on the default art: the control explorer names the
// control under a point and traces what a click changes, and the jump to a
// panel brings it into view.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CSkylidDlg.h"
#include "app/ControlExplorer.h"
#include "app/PanelJump.h"
#include "banner/ViewInitialise.h"
#include "platform/KxClock.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

namespace {

class AidsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static kx::FakeClock reportClock;  // the start-up report does not wait
        ViewInitialise::SetClock(&reportClock);
        s_art = new testsupport::TempDir;
        const std::string command = std::string(SKYLID_ART_BIN) + " --out " +
                                    (s_art->Path() / "art").string() + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::string ini = testsupport::ReadFile(s_art->Path() / "art" / "Skylid.ini");
        const std::size_t options = ini.find("[OPTIONS]");
        ASSERT_NE(options, std::string::npos);
        ini.insert(options + 9, "\nBannerProgram = /bin/true");
        testsupport::WriteFile(s_art->Path() / "aids.ini", ini);
    }
    static void TearDownTestSuite() {
        delete s_art;
        s_art = nullptr;
    }

    // A started window whose panels have had their first update.
    void Start(CSkylidDlg& dialog, int width, int height) {
        dialog.resize(width, height);
        ASSERT_TRUE(dialog.InitialiseDialog()) << dialog.GetErrorText();
        for (int i = 0; i < 20; ++i)
            dialog.FrameUpdate();
    }

    DialogOptions Options() {
        DialogOptions options;
        options.iniFile = (s_art->Path() / "aids.ini").string();
        options.genericSegment = testsupport::UniqueSegmentName("aids");
        options.trainingSegment = options.genericSegment + "_Trn";
        return options;
    }

    static QPoint InWindow(const CSkylidDlg& dialog, CPoint picture) {
        return QPoint(picture.x - dialog.GetScroll().x + dialog.GetOrigin().x,
                      picture.y - dialog.GetScroll().y + dialog.GetOrigin().y);
    }

    static std::vector<std::string> Names(const std::vector<const host::NamedField*>& fields) {
        std::vector<std::string> names;
        for (const host::NamedField* field : fields)
            names.push_back(field->name);
        return names;
    }

    static testsupport::TempDir* s_art;
};

testsupport::TempDir* AidsTest::s_art = nullptr;

// Electrical button 0 (BAT 1): panel (898, 500) + (270, 20), 40 pixels wide;
// its state is output byte 129955, its lights input bytes 129144 and 129145.
const CPoint kBat1(898 + 270 + 20, 500 + 20 + 20);

}  // namespace

TEST_F(AidsTest, ExplorerNamesTheControlAndTracesWhatItsClickChanged) {
    CSkylidDlg dialog(Options());
    ASSERT_NO_FATAL_FAILURE(Start(dialog, 1100, 740));
    EXPECT_EQ(dialog.Explorer(), nullptr) << "nothing is made before the explorer is used";

    QTest::keyClick(&dialog, Qt::Key_F2);
    ASSERT_TRUE(dialog.IsExplorerOn());
    const ControlExplorer& explorer = *dialog.Explorer();
    const ControlExplorer::Target target = explorer.Find(kBat1);
    ASSERT_TRUE(target.IsValid());
    EXPECT_EQ(target.panel, 0);
    EXPECT_EQ(explorer.PanelName(target.panel), "Electrical panel");
    EXPECT_EQ(explorer.ControlLabel(target), "BAT 1");
    const std::vector<const host::NamedField*> fields = explorer.FieldsOf(target);
    EXPECT_EQ(Names(fields),
              (std::vector<std::string>{"ELEC.BUTTON_0.STATE", "ELEC.BUTTON_0.LIGHT_TOP",
                                        "ELEC.BUTTON_0.LIGHT_BOTTOM"}));
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0]->offset, 129955u);
    EXPECT_EQ(fields[1]->offset, 129144u);
    EXPECT_EQ(fields[2]->offset, 129145u);
    // Live values: the cold preset leaves BAT 1 out.
    const std::vector<std::string> lines = explorer.Describe(target, dialog.Segment());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], "  ELEC.BUTTON_0.STATE = 0  @129955");
    // Next to the button, IDG 1 lies under its guard: the guard is what a
    // click there meets, with the guarded button's fields.
    const ControlExplorer::Target guard = explorer.Find(CPoint(898 + 50 + 20, 500 + 145 + 20));
    EXPECT_EQ(explorer.ControlLabel(guard), "IDG 1 GUARD");
    EXPECT_EQ(Names(explorer.FieldsOf(guard)).front(), "ELEC.BUTTON_5.STATE");
    // Nothing at a point outside every control.
    EXPECT_FALSE(explorer.Find(CPoint(898 + 5, 500 + 5)).IsValid());

    // The click: BAT 1 goes in, and only its state byte changed.
    const QPoint at = InWindow(dialog, kBat1);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_TRUE(explorer.HasTrace());
    const ControlExplorer::Trace& trace = explorer.LastTrace();
    EXPECT_EQ(trace.target, target);
    EXPECT_EQ(trace.frames, 0) << "seen right after the update that handled the click";
    ASSERT_EQ(trace.changes.size(), 1u);
    ASSERT_NE(trace.changes[0].field, nullptr);
    EXPECT_EQ(trace.changes[0].field->name, "ELEC.BUTTON_0.STATE");
    EXPECT_EQ(trace.changes[0].before, "0");
    EXPECT_EQ(trace.changes[0].after, "1");
    const std::vector<std::string> report = explorer.DescribeTrace();
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], "Last click: Electrical panel / BAT 1");
    EXPECT_EQ(report[1], "  ELEC.BUTTON_0.STATE: 0 -> 1");

    // The overlay paints without harm (the hit areas, the box by the pointer).
    QTest::mouseMove(&dialog, at);
    const QImage shot = dialog.grab().toImage();
    EXPECT_FALSE(shot.isNull());

    // Switched off, clicks are no longer traced.
    QTest::keyClick(&dialog, Qt::Key_F2);
    EXPECT_FALSE(dialog.IsExplorerOn());
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(explorer.LastTrace().changes[0].after, "1") << "the trace of the first click stays";
}

TEST_F(AidsTest, ChangesNoFieldNamesAreReportedByOffset) {
    CSkylidDlg dialog(Options());
    ASSERT_NO_FATAL_FAILURE(Start(dialog, 800, 600));
    dialog.ToggleExplorer();
    std::vector<std::uint8_t> before(Gensim_Shm::kSize, 0);
    std::vector<std::uint8_t> after = before;
    // Output bytes 0 and 1 of the electrical block (129952) are written by
    // nobody; byte 3 is BAT 1's state; the frame counter (2068) changes by
    // itself in every iteration and is left out.
    after[129952] = 5;
    after[129953] = 6;
    after[129955] = 1;
    after[2068] = 7;
    const auto changes = dialog.Explorer()->Compare(before.data(), after.data());
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].field, nullptr);
    EXPECT_EQ(changes[0].offset, 129952u);
    EXPECT_EQ(changes[0].width, 2u);
    EXPECT_EQ(changes[0].before, "00 00");
    EXPECT_EQ(changes[0].after, "05 06");
    ASSERT_NE(changes[1].field, nullptr);
    EXPECT_EQ(changes[1].field->name, "ELEC.BUTTON_0.STATE");
}

// The FCU takes the mouse only in its turn of the round robin, and has no
// rows: its AP1 button (button 0, at (240, 110) on the panel) is traced over
// the iterations until its state byte 130361 changes, and learns that field.
TEST_F(AidsTest, ClickOnAControlWithoutRowsIsTracedInItsTurnAndLearnsItsField) {
    CSkylidDlg dialog(Options());
    ASSERT_NO_FATAL_FAILURE(Start(dialog, 1100, 740));
    dialog.JumpToPanel(20);
    dialog.ToggleExplorer();
    const ControlExplorer& explorer = *dialog.Explorer();
    const CPoint ap1(976 + 240 + 10, 1595 + 110 + 10);
    const ControlExplorer::Target target = explorer.Find(ap1);
    ASSERT_TRUE(target.IsValid());
    EXPECT_EQ(target.panel, 20);
    EXPECT_EQ(explorer.PanelName(20), "FCU");
    EXPECT_TRUE(explorer.FieldsOf(target).empty()) << "nothing known before a click";

    const QPoint at = InWindow(dialog, ap1);
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < ControlExplorer::kMaxTraceFrames && explorer.IsTracePending(); ++i)
        dialog.FrameUpdate();
    QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_TRUE(explorer.HasTrace());
    const ControlExplorer::Trace& trace = explorer.LastTrace();
    EXPECT_EQ(trace.target, target);
    EXPECT_GT(trace.frames, 0);
    const host::NamedField* state = nullptr;
    for (const ControlExplorer::Change& change : trace.changes) {
        if (change.field != nullptr && change.field->offset == 130361u)
            state = change.field;
    }
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->name, "FCU.AP1.STATE");
    const auto learned = explorer.FieldsOf(target);
    EXPECT_NE(std::find(learned.begin(), learned.end(), state), learned.end());
}

// Every panel, chosen in turn, ends up wholly in view (each fits in the
// window) as far as the view's limits allow: an edge left out of view is one
// the view cannot scroll any further towards. The list finds a panel by part
// of its name.
TEST_F(AidsTest, JumpBringsTheChosenPanelIntoView) {
    CSkylidDlg dialog(Options());
    ASSERT_NO_FATAL_FAILURE(Start(dialog, 1100, 740));
    const int viewWidth = dialog.width() - dialog.GetOrigin().x;
    const int viewHeight = dialog.height() - dialog.GetOrigin().y;
    auto atLimit = [&dialog](int dx, int dy) {
        const CPoint before = dialog.GetScroll();
        dialog.ScrollBy(dx, dy);
        const bool stuck = dialog.GetScroll() == before;
        dialog.ScrollBy(-dx, -dy);
        return stuck;
    };
    for (const panel_jump::Choice& choice : panel_jump::Choices(dialog.Manager())) {
        dialog.JumpToPanel(choice.number);
        const auto& place = dialog.Manager().GetLayout(choice.number);
        const CPoint scroll = dialog.GetScroll();
        if (scroll.x > place.x) {
            EXPECT_TRUE(atLimit(-1, 0)) << choice.name;
        }
        if (scroll.y > place.y) {
            EXPECT_TRUE(atLimit(0, -1)) << choice.name;
        }
        if (scroll.x + viewWidth < place.x + place.width) {
            EXPECT_TRUE(atLimit(1, 0)) << choice.name;
        }
        if (scroll.y + viewHeight < place.y + place.height) {
            EXPECT_TRUE(atLimit(0, 1)) << choice.name;
        }
        // Never more than the few pixels the limits keep.
        EXPECT_GE(scroll.y + viewHeight, place.y + place.height - dialog.GetOrigin().y)
            << choice.name;
    }

    // F3, "park", Enter: the parking brake panel (10) at (1133, 3780), 313 x 100.
    dialog.JumpToPanel(0);
    QTest::keyClick(&dialog, Qt::Key_F3);
    PanelJumpPopup* popup = dialog.PanelJump();
    ASSERT_NE(popup, nullptr);
    QTest::keyClicks(popup->Filter(), "PARK");
    ASSERT_EQ(popup->List()->count(), 1);
    EXPECT_EQ(popup->List()->currentItem()->data(Qt::UserRole).toInt(), 10);
    QTest::keyClick(popup->Filter(), Qt::Key_Return);
    const CPoint scroll = dialog.GetScroll();
    EXPECT_LE(scroll.y, 3780);
    EXPECT_GE(scroll.y + viewHeight, 3780 + 100);
    EXPECT_LE(scroll.x, 1133);
    EXPECT_GE(scroll.x + viewWidth, 1133 + 313);
}

TEST(PanelJumpFilter, EveryWordMustOccurWithoutRegardToCase) {
    EXPECT_TRUE(panel_jump::Matches("Radio management panel (side 1)", ""));
    EXPECT_TRUE(panel_jump::Matches("Radio management panel (side 1)", "radio  SIDE 1"));
    EXPECT_FALSE(panel_jump::Matches("Radio management panel (side 1)", "radio side 2"));
    // A panel larger than the view shows its top-left corner; a smaller one
    // is centred.
    EXPECT_EQ(panel_jump::ScrollFor(CRect(100, 200, 400, 300), CSize(500, 300)), CPoint(0, 100));
    EXPECT_EQ(panel_jump::ScrollFor(CRect(100, 200, 900, 700), CSize(500, 300)), CPoint(100, 200));
}
