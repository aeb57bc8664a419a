#include <gtest/gtest.h>

#include <memory>

#include <deque>
#include <string>
#include <vector>

#include "app/CA320Cockpit.h"
#include "controls/MouseEvent.h"
#include "shm/GenericLayout.h"

namespace {

// A panel that records what the manager asks of it.
class FakePanel : public CBasePanel {
  public:
    FakePanel(int number, std::vector<std::string>* journal) : m_number(number), m_log(journal) {}
    bool failInitialise = false;
    int initialised = 0;
    int updates = 0;
    int draws = 0;
    bool Initialise(const char*, int x, int y) override {
        ++initialised;
        SetPosition(x, y);
        if (failInitialise)
            SetError("CFake::Initialise --> failed on purpose");
        Log("init");
        return !failInitialise;
    }
    void Update(MouseEvent*) override {
        ++updates;
        Log("update");
    }
    void Draw(CDC*) override {
        ++draws;
        Log("draw");
    }

  private:
    void Log(const char* what) {
        if (m_log)
            m_log->push_back(std::string(what) + " " + std::to_string(m_number));
    }
    int m_number;
    std::vector<std::string>* m_log;
};

// The cockpit with fake panels at the numbers a test asks for.
// Every panel by value: a test cockpit lives on the heap, not on the
// test's stack.
class TestCockpit : public CA320Cockpit {
  public:
    explicit TestCockpit(std::vector<int> numbers) {
        for (int n = 0; n < kPanelCount; ++n)
            InstallPanel(n, nullptr);
        for (int n : numbers) {
            fakes.emplace_back(n, &journal);
        }
        for (std::size_t i = 0; i < numbers.size(); ++i)
            InstallPanel(numbers[i], &fakes[i]);
    }
    FakePanel& Fake(int number) { return *static_cast<FakePanel*>(GetPanel(number)); }
    std::vector<std::string> journal;
    std::deque<FakePanel> fakes;  // stable addresses
};

class CockpitManagerTest : public ::testing::Test {
  protected:
    CockpitManagerTest() : segment(Gensim_Shm::kSize, 0) {}
    std::vector<std::uint8_t> segment;
    MouseEvent event;
};

}  // namespace

TEST_F(CockpitManagerTest, RoundRobinTakesCountPlusOneIterations) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{43, 44});
    TestCockpit& cockpit = *cockpitOwner;
    cockpit.SetSharedMemory(segment.data());
    // A view over panel 43 only (0, 2205, 120 x 330).
    cockpit.UpdateVisible(0, 2205, 100, 2300, &event);
    EXPECT_EQ(cockpit.GetVisibleCount(), 1);
    EXPECT_EQ(cockpit.GetVisible(0), 43);
    // The first call also updated every panel once.
    EXPECT_EQ(cockpit.Fake(43).updates, 2);
    EXPECT_EQ(cockpit.Fake(44).updates, 1);
    cockpit.UpdateVisible(0, 2205, 100, 2300, &event);  // the -1 place: nothing
    EXPECT_EQ(cockpit.Fake(43).updates, 2);
    cockpit.UpdateVisible(0, 2205, 100, 2300, &event);
    EXPECT_EQ(cockpit.Fake(43).updates, 3);
    EXPECT_EQ(cockpit.Fake(44).updates, 1);
}

TEST_F(CockpitManagerTest, VisibleListIncludesPanelsTouchingTheEdges) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{});
    TestCockpit& cockpit = *cockpitOwner;
    cockpit.SetSharedMemory(segment.data());
    // Panel 0 spans 898..1567 x 500..710; a view ending exactly at x 898.
    cockpit.UpdateVisible(800, 600, 898, 650, &event);
    bool found = false;
    for (int i = 0; i < cockpit.GetVisibleCount(); ++i)
        found |= cockpit.GetVisible(i) == 0;
    EXPECT_TRUE(found);
    // One pixel further left it is out.
    auto otherOwner = std::make_unique<TestCockpit>(std::vector<int>{});
    TestCockpit& other = *otherOwner;
    other.UpdateVisible(800, 600, 897, 650, &event);
    for (int i = 0; i < other.GetVisibleCount(); ++i)
        EXPECT_NE(other.GetVisible(i), 0);
}

TEST_F(CockpitManagerTest, EmptyViewUpdatesNoPanelButTheFcuHookRuns) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{0, 20});
    TestCockpit& cockpit = *cockpitOwner;
    cockpit.SetSharedMemory(segment.data());
    cockpit.UpdateVisible(9000, 9000, 9100, 9100, &event);
    EXPECT_EQ(cockpit.GetVisibleCount(), 0);
    int afterFirst = cockpit.Fake(20).updates;
    generic::kFcuRequests[2].Write(segment.data(), 1);
    for (int i = 0; i < 5; ++i)
        cockpit.UpdateVisible(9000, 9000, 9100, 9100, &event);
    EXPECT_EQ(cockpit.Fake(0).updates, 1) << "only the first call's update of all";
    EXPECT_EQ(cockpit.Fake(20).updates, afterFirst + 5);
}

TEST_F(CockpitManagerTest, UpdateAllVisibleUpdatesEveryVisiblePanelEachIteration) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{0, 6, 13});
    TestCockpit& cockpit = *cockpitOwner;
    cockpit.SetSharedMemory(segment.data());
    cockpit.SetUpdateAllVisible(true);
    for (int i = 0; i < 4; ++i)
        cockpit.UpdateVisible(898, 500, 1567, 1247, &event);
    EXPECT_EQ(cockpit.Fake(0).updates, 5);
    EXPECT_EQ(cockpit.Fake(6).updates, 5);
    EXPECT_EQ(cockpit.Fake(13).updates, 5);
}

TEST_F(CockpitManagerTest, ClicksFindThePanelWithThePanelOneAndRoundRobinRules) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{0, 20, 25});
    TestCockpit& cockpit = *cockpitOwner;
    cockpit.SetSharedMemory(segment.data());
    cockpit.UpdateVisible(9000, 9000, 9100, 9100, &event);  // sets the event pointer
    EXPECT_EQ(cockpit.FindPanel(CPoint(100, 100)), CA320Cockpit::kNoPanel) << "panel 1 only";
    EXPECT_EQ(cockpit.FindPanel(CPoint(898, 500)), 0) << "edges included";
    EXPECT_EQ(cockpit.FindPanel(CPoint(1567, 710)), 0);

    int before = cockpit.Fake(0).updates;
    cockpit.OnMouse(CPoint(900, 600));
    EXPECT_EQ(cockpit.Fake(0).updates, before + 1);
    EXPECT_EQ(cockpit.GetLastHit(), 0);

    int fcuBefore = cockpit.Fake(20).updates;
    int clockBefore = cockpit.Fake(25).updates;
    cockpit.OnMouse(CPoint(1000, 1600));  // the FCU
    cockpit.OnMouse(CPoint(820, 1800));   // the clock
    EXPECT_EQ(cockpit.Fake(20).updates, fcuBefore) << "FCU waits for its turn";
    EXPECT_EQ(cockpit.Fake(25).updates, clockBefore);
    EXPECT_EQ(cockpit.GetLastHit(), 0);

    cockpit.OnMouse(CPoint(50, 50));
    EXPECT_EQ(cockpit.GetLastHit(), CA320Cockpit::kNoPanel);
}

TEST_F(CockpitManagerTest, FailingFirstPanelLeavesTheOthersUninitialised) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{8, 9, 0, 50});
    TestCockpit& cockpit = *cockpitOwner;
    cockpit.Fake(8).failInitialise = true;
    EXPECT_FALSE(cockpit.Initialise("/art"));
    EXPECT_STREQ(cockpit.GetErrorText(), "CFake::Initialise --> failed on purpose");
    EXPECT_EQ(cockpit.Fake(9).initialised, 0);
    EXPECT_EQ(cockpit.Fake(0).initialised, 0);
    EXPECT_EQ(cockpit.Fake(8).GetAircraftType(), CBasePanel::kTypeA320);
}

TEST_F(CockpitManagerTest, InitialisesInOrderAtTheLayoutPositions) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{0, 7, 8, 50});
    TestCockpit& cockpit = *cockpitOwner;
    ASSERT_TRUE(cockpit.Initialise("/art"));
    EXPECT_EQ(cockpit.journal, (std::vector<std::string>{"init 8", "init 0", "init 7", "init 50"}));
    EXPECT_EQ(cockpit.Fake(0).GetPosition(), CPoint(898, 500));
    EXPECT_EQ(cockpit.Fake(50).GetPosition(), CPoint(1530, 3465));
    EXPECT_TRUE(cockpit.Fake(0).IsInside(1567, 710));
}

TEST_F(CockpitManagerTest, DrawsTheLastHitPanelFirstThenTheVisibleList) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{0, 6, 20});
    TestCockpit& cockpit = *cockpitOwner;
    cockpit.SetSharedMemory(segment.data());
    cockpit.UpdateVisible(898, 500, 1567, 1247, &event);
    cockpit.OnMouse(CPoint(900, 1100));  // panel 6
    cockpit.journal.clear();
    cockpit.Draw(nullptr);
    EXPECT_EQ(cockpit.journal, (std::vector<std::string>{"draw 6", "draw 0", "draw 6"}));
}

TEST_F(CockpitManagerTest, RemoteHoldFollowsTheRequestWord) {
    auto cockpitOwner = std::make_unique<TestCockpit>(std::vector<int>{3, 4, 21, 27});
    TestCockpit& cockpit = *cockpitOwner;
    cockpit.SetSharedMemory(segment.data());
    cockpit.SetRemoteHoldAll(true);
    EXPECT_TRUE(cockpit.Fake(3).IsRemoteHold());
    EXPECT_TRUE(cockpit.Fake(27).IsRemoteHold());
    EXPECT_FALSE(cockpit.Fake(4).IsRemoteHold()) << "not one of the remote-hold panels";
    cockpit.SetRemoteHoldAll(false);
    EXPECT_FALSE(cockpit.Fake(3).IsRemoteHold());

    generic::kRemoteHoldCaptEfis.Write(segment.data(), 1);
    cockpit.UpdateVisible(9000, 9000, 9100, 9100, &event);
    EXPECT_FALSE(cockpit.Fake(4).IsRemoteHold()) << "the word has not changed";
    generic::kRemoteHoldRequest.Write(segment.data(), 1);
    cockpit.UpdateVisible(9000, 9000, 9100, 9100, &event);
    EXPECT_TRUE(cockpit.Fake(4).IsRemoteHold());
    EXPECT_FALSE(cockpit.Fake(21).IsRemoteHold());
    generic::kRemoteHoldCaptEfis.Write(segment.data(), 0);
    generic::kRemoteHoldLeftGlareshield.Write(segment.data(), 1);
    generic::kRemoteHoldRequest.Write(segment.data(), 2);
    cockpit.UpdateVisible(9000, 9000, 9100, 9100, &event);
    EXPECT_FALSE(cockpit.Fake(4).IsRemoteHold());
    EXPECT_TRUE(cockpit.Fake(21).IsRemoteHold());
}

TEST_F(CockpitManagerTest, ManagerStartsWithAllPanelsVisible) {
    // Every panel by value: too large for the test's stack.
    auto owner = std::make_unique<CSkylidCkptMngr>();
    CSkylidCkptMngr& manager = *owner;
    EXPECT_EQ(manager.GetVisibleCount(), CA320Cockpit::kPanelCount);
    EXPECT_EQ(manager.GetVisible(50), 50);
    EXPECT_EQ(manager.GetPanel(0), &manager.m_electrical);
    EXPECT_EQ(manager.GetPanel(1), nullptr);
}
