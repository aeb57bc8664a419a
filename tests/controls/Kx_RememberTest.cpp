#include "controls/Kx_Remember.h"

#include <gtest/gtest.h>

TEST(Kx_Remember, FirstIntegerSampleAfterMinusOne) {
    Kx_Remember r;
    EXPECT_FALSE(r.HasChanged());
    EXPECT_EQ(r.GetInt(), -1);
    r.SetInt(0);
    EXPECT_TRUE(r.HasChanged());
    EXPECT_TRUE(r.BecameClear());
    EXPECT_FALSE(r.HasChanged());

    Kx_Remember s;
    s.SetInt(-1);  // same as the start value: no change
    EXPECT_FALSE(s.BecameSet());
    s.SetInt(5);
    EXPECT_TRUE(s.BecameSet(false));
    EXPECT_TRUE(s.BecameSet(false));
    EXPECT_TRUE(s.BecameSet());
    EXPECT_FALSE(s.BecameSet());
    EXPECT_EQ(s.Difference(), 0);
    s.Add(3);
    s.Increment();
    EXPECT_EQ(s.GetInt(), 9);
    EXPECT_EQ(s.Difference(), 4);
    EXPECT_TRUE(s.ChangedSinceLast());
    EXPECT_FALSE(s.ChangedSinceLast());
}

TEST(Kx_Remember, BooleanTransitionsNeedRememberedValue) {
    Kx_Remember r;
    r.SetBool(false);
    EXPECT_FALSE(r.HasChanged()) << "a first false sample is no change";
    r.SetBool(true);
    r.SetBool(false);
    EXPECT_FALSE(r.BecameClear()) << "true was never remembered";

    r.SetBool(true);
    EXPECT_TRUE(r.BecameSet());
    r.SetBool(false);
    EXPECT_TRUE(r.BecameClear());
    EXPECT_TRUE(r.IsClear());
    EXPECT_FALSE(r.IsSet());
}

TEST(Kx_Remember, ModeSwitchKeepsTheOtherPair) {
    Kx_Remember r;
    r.SetInt(4);
    r.Remember();
    r.SetBool(true);
    EXPECT_EQ(r.Difference(), 0) << "boolean mode has no difference";
    EXPECT_TRUE(r.BecameSet());
    EXPECT_EQ(r.GetInt(), 4);
    r.SetInt(4);  // compares with the integer pair remembered before the switch
    EXPECT_FALSE(r.HasChanged());
    EXPECT_TRUE(r.IsSet());
    EXPECT_FALSE(r.IsClear());
    r.SetInt(0);
    EXPECT_TRUE(r.IsSet()) << "integer mode is always set";
}

TEST(Kx_Remember, EdgesInBooleanModeOnly) {
    Kx_Remember r;
    bool rising = true, falling = true;
    r.Edges(rising, falling);
    EXPECT_FALSE(rising);
    EXPECT_FALSE(falling);
    r.SetBool(true);
    r.Edges(rising, falling);
    EXPECT_TRUE(rising);
    EXPECT_FALSE(falling);
    r.Edges(rising, falling);
    EXPECT_FALSE(rising);
    r.SetBool(false);
    r.Edges(rising, falling);
    EXPECT_TRUE(falling);

    Kx_Remember n;
    n.SetInt(3);
    n.Edges(rising, falling);
    EXPECT_FALSE(rising);
    EXPECT_FALSE(falling);
    EXPECT_TRUE(n.HasChanged()) << "integer mode remembers nothing in Edges";
}

TEST(Kx_Remember, AssignTakesOnlyTheCurrentFlag) {
    Kx_Remember source;
    source.SetBool(true);
    Kx_Remember target;
    target.SetInt(12);
    target.Assign(source);
    EXPECT_TRUE(target.GetBool());
    EXPECT_TRUE(target.IsIntegerMode());
    EXPECT_EQ(target.GetInt(), 12);
}
