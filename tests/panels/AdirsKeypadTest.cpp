// The ADIRS keypad's entry logic, key by key, without pictures: one call of
// KeyIn per key in and one EndUpdate per update, as the panel makes them.
#include <gtest/gtest.h>

#include <string>

#include "panels/AdirsKeypad.h"

namespace {

// The keypad keys by index: 1, N/2, 3, W/4, H/5, E/6, 7, S/8, 9, 0, ENT, CLR.
constexpr int k1 = 6, kN2 = 7, k3 = 8, kW4 = 9, kH5 = 10, kE6 = 11, k7 = 12, kS8 = 13, k9 = 14,
              k0 = 15, kEnt = 16, kClr = 17;

int KeyFor(char c) {
    switch (c) {
        case '1':
            return k1;
        case '2':
        case 'N':
            return kN2;
        case '3':
            return k3;
        case '4':
        case 'W':
            return kW4;
        case '5':
        case 'H':
            return kH5;
        case '6':
        case 'E':
            return kE6;
        case '7':
            return k7;
        case '8':
        case 'S':
            return kS8;
        case '9':
            return k9;
        case '0':
            return k0;
        default:
            return -1;
    }
}

class AdirsKeypadTest : public ::testing::Test {
  protected:
    void SetUp() override { Idle(); }  // forgets the key counted as held at start

    // One update with the key in, then one without any key.
    void Press(int key, bool entLight = false) {
        Hold(key, 1, entLight);
        Idle(1, entLight);
    }
    void Hold(int key, int updates, bool entLight = false) {
        for (int i = 0; i < updates; ++i) {
            pad.KeyIn(key);
            pad.EndUpdate(entLight);
        }
    }
    void Idle(int updates = 1, bool entLight = false) {
        for (int i = 0; i < updates; ++i)
            pad.EndUpdate(entLight);
    }
    void Type(const std::string& keys) {
        for (char c : keys)
            Press(KeyFor(c));
    }
    std::string Entry() const {
        char text[32];
        pad.EntryText(text, sizeof text);
        return text;
    }

    CAdirsKeypad pad;
};

}  // namespace

TEST_F(AdirsKeypadTest, EntryFormsGetTheirPointsAndLettersPutIn) {
    Type("N45302E012345");
    EXPECT_EQ(Entry(), "N4530.2E01234.5");
    EXPECT_TRUE(pad.IsActive());
    EXPECT_EQ(pad.GetFormat(), CAdirsKeypad::Format::LatitudeFirst);

    pad.Reset();
    Idle();
    Type("E012345N45302");
    EXPECT_EQ(Entry(), "E01234.5N4530.2");
    EXPECT_EQ(pad.GetFormat(), CAdirsKeypad::Format::LongitudeFirst);

    // South and west take the same forms; the pair keys give their digits
    // everywhere but at the letter's place.
    pad.Reset();
    Idle();
    Type("S8888WW6666E8");
    EXPECT_EQ(Entry(), "S8888.4W66666.8");

    // A heading: H, then digits only, whatever key is used.
    pad.Reset();
    Idle();
    Type("H2NSEW7");
    EXPECT_EQ(Entry(), "H228647");
    EXPECT_EQ(pad.GetFormat(), CAdirsKeypad::Format::Heading);
}

TEST_F(AdirsKeypadTest, DigitsFirstLeaveNoFormatAndLetterKeysDoNothing) {
    Type("13");
    EXPECT_EQ(Entry(), "13");
    Press(kN2);
    EXPECT_EQ(Entry(), "13") << "N/2 after digits is ignored";
    EXPECT_EQ(pad.GetFormat(), CAdirsKeypad::Format::None);
    Type("7");
    EXPECT_EQ(Entry(), "137");
}

TEST_F(AdirsKeypadTest, EntryHoldsAtMostSeventeenCharacters) {
    Type("H1111111111111111111111");
    EXPECT_EQ(Entry(), "H1111111111111111");
    EXPECT_EQ(pad.Cursor(), 17);
    EXPECT_EQ(std::string(pad.Entry(), 17), "H1111111111111111");
}

TEST_F(AdirsKeypadTest, HeldKeyActsOnceAndActsAgainAfterARelease) {
    Type("H");
    Hold(k3, 40);
    EXPECT_EQ(Entry(), "H3");
    Idle();
    Hold(k3, 2);
    EXPECT_EQ(Entry(), "H33");
    // Another key while one was in acts at once.
    Hold(k7, 1);
    EXPECT_EQ(Entry(), "H337");
}

TEST_F(AdirsKeypadTest, FirstUpdateAfterStartIgnoresTheZeroKeyUntilAnUpdateWithoutKeys) {
    CAdirsKeypad fresh;
    fresh.KeyIn(k0);
    fresh.EndUpdate(false);
    EXPECT_FALSE(fresh.IsActive());
    fresh.EndUpdate(false);
    fresh.KeyIn(k0);
    fresh.EndUpdate(false);
    EXPECT_TRUE(fresh.IsActive());
    EXPECT_EQ(fresh.Entry()[0], '0');
}

TEST_F(AdirsKeypadTest, ClrGoesBackOneCharacterAndPastTheFirstClearsTheEntry) {
    Type("N453");
    Press(kClr);
    EXPECT_EQ(Entry(), "N45 ");
    EXPECT_EQ(pad.Cursor(), 3);
    Type("30");  // the next digit takes the blank's place
    EXPECT_EQ(Entry(), "N4530");
    Press(kClr);
    Type("02");  // the point comes again at its place
    EXPECT_EQ(Entry(), "N4530.2");

    pad.Reset();
    Idle();
    Type("N");
    Press(kClr);
    EXPECT_FALSE(pad.IsActive()) << "the display shows the host's text again";
    EXPECT_EQ(pad.Cursor(), 0);
    EXPECT_EQ(pad.GetFormat(), CAdirsKeypad::Format::None);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(pad.Entry()[i], '\0') << "a cleared entry is all NUL, " << i;
    Type("E");
    EXPECT_EQ(Entry(), "E");

    // CLR with nothing entered leaves nothing behind.
    pad.Reset();
    Idle();
    Press(kClr);
    EXPECT_FALSE(pad.IsActive());
    EXPECT_EQ(pad.Entry()[0], '\0');
}

TEST_F(AdirsKeypadTest, ClrHeldForMoreThanFiftyUpdatesClearsTheWholeEntry) {
    Type("N45302");
    Hold(kClr, 50);
    EXPECT_EQ(Entry(), "N4530. ") << "fifty updates: one character back only";
    EXPECT_TRUE(pad.IsActive());
    Hold(kClr, 1);
    EXPECT_EQ(Entry(), "");
    EXPECT_FALSE(pad.IsActive());
    EXPECT_EQ(pad.ClrHoldCount(), 0);
    Hold(kClr, 20);
    EXPECT_EQ(Entry(), "") << "still held: nothing more happens";
    // A release between presses starts the count again.
    Idle();
    Type("H12");
    Hold(kClr, 30);
    Idle();
    Hold(kClr, 30);
    EXPECT_EQ(Entry(), "H  ") << "two presses of 30 updates: two characters back";
}

TEST_F(AdirsKeypadTest, EntSignalLastsFiftyUpdatesAndTheEntryThirtyFive) {
    Type("H123");
    Hold(kEnt, 1);
    EXPECT_TRUE(pad.EntSignal());
    EXPECT_EQ(Entry(), "H123");
    Idle(33);
    EXPECT_EQ(Entry(), "H123") << "34 updates after ENT the entry is still there";
    EXPECT_TRUE(pad.IsActive());
    Idle(1);
    EXPECT_EQ(Entry(), "") << "gone in the 35th update";
    EXPECT_FALSE(pad.IsActive());
    Idle(15);
    EXPECT_TRUE(pad.EntSignal()) << "50 updates with the signal up";
    Idle(1);
    EXPECT_FALSE(pad.EntSignal());
}

TEST_F(AdirsKeypadTest, EntSignalWaitsForTheHostToPutTheEntLightOut) {
    Type("H9");
    Hold(kEnt, 1, true);
    Idle(49, true);
    EXPECT_TRUE(pad.EntSignal());
    Idle(30, true);
    EXPECT_TRUE(pad.EntSignal()) << "held while the ENT light is lit";
    Idle(1, false);
    EXPECT_FALSE(pad.EntSignal());
    Idle(1, true);
    EXPECT_FALSE(pad.EntSignal()) << "the light alone does not raise it";
}

TEST_F(AdirsKeypadTest, EntHeldKeepsTheCountdownAtFifty) {
    Type("H5");
    Hold(kEnt, 60);
    EXPECT_EQ(Entry(), "H5");
    EXPECT_EQ(pad.EntCountdown(), 49);
    Idle(34);
    EXPECT_EQ(Entry(), "");
}
