#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "eng/Table.h"

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
}  // namespace

TEST(Table, CurveInterpolatesAndIsFlatBeyondItsEnds) {
    const double axis[] = {0.0, 10.0, 20.0};
    const double values[] = {0.0, 100.0, 400.0};
    Table curve(axis, 3, values);
    ASSERT_TRUE(curve.IsValid());
    EXPECT_DOUBLE_EQ(curve.Evaluate(5.0), 50.0);
    EXPECT_DOUBLE_EQ(curve.Evaluate(10.0), 100.0);
    EXPECT_DOUBLE_EQ(curve.Evaluate(15.0), 250.0);
    EXPECT_DOUBLE_EQ(curve.Evaluate(-3.0), 0.0);
    EXPECT_DOUBLE_EQ(curve.Evaluate(25.0), 400.0);
    EXPECT_EQ(curve.GetEngine().GetRegion(), Lfi::kBeyondEnd);
    EXPECT_DOUBLE_EQ(curve.Evaluate(0.0), 0.0);
    EXPECT_EQ(curve.GetEngine().GetRegion(), Lfi::kBelowOrAtStart);
    // Non-finite inputs: NaN counts as below the axis, infinities go to their end.
    EXPECT_EQ(curve.Evaluate(kNaN), 0.0);
    EXPECT_EQ(curve.Evaluate(-kInf), 0.0);
    EXPECT_EQ(curve.Evaluate(kInf), 400.0);

    // Equal neighbouring breakpoints make a step and never divide by zero.
    const double stepAxis[] = {0.0, 1.0, 1.0, 2.0};
    const double stepValues[] = {0.0, 10.0, 20.0, 30.0};
    Table step(stepAxis, 4, stepValues);
    ASSERT_TRUE(step.IsValid());
    EXPECT_DOUBLE_EQ(step.Evaluate(1.0), 10.0);
    EXPECT_DOUBLE_EQ(step.Evaluate(1.5), 25.0);
}

TEST(Table, OneBreakpointCurveIsConstant) {
    const double axis[] = {3.0};
    const double values[] = {7.5};
    Table curve(axis, 1, values);
    ASSERT_TRUE(curve.IsValid());
    for (double x : {-1e9, 3.0, 4.0, 1e9, kNaN, kInf, -kInf})
        EXPECT_EQ(curve.Evaluate(x), 7.5) << x;
}

TEST(Table, SurfaceIsBilinearWithXRunningFastestAndLimitedInputs) {
    const double xAxis[] = {0.0, 1.0, 2.0};
    const double yAxis[] = {10.0, 20.0};
    // Value = x index + 10 * y index, so a transposed index shows at once.
    const double values[] = {0.0, 1.0, 2.0, 10.0, 11.0, 12.0};
    Table surface(xAxis, 3, yAxis, 2, values);
    ASSERT_TRUE(surface.IsValid());
    EXPECT_DOUBLE_EQ(surface.Evaluate(2.0, 10.0), 2.0);
    EXPECT_DOUBLE_EQ(surface.Evaluate(0.0, 20.0), 10.0);
    EXPECT_DOUBLE_EQ(surface.Evaluate(1.5, 15.0), 6.5);
    // Outside the range: the value at the nearest edge.
    EXPECT_DOUBLE_EQ(surface.Evaluate(-5.0, 15.0), 5.0);
    EXPECT_DOUBLE_EQ(surface.Evaluate(9.0, 99.0), 12.0);
    EXPECT_DOUBLE_EQ(surface.Evaluate(0.5, -99.0), 0.5);
    // Non-finite inputs: NaN takes the first edge, infinities the edge of their sign.
    EXPECT_DOUBLE_EQ(surface.Evaluate(kNaN, 20.0), 10.0);
    EXPECT_DOUBLE_EQ(surface.Evaluate(kInf, kNaN), 2.0);
    EXPECT_DOUBLE_EQ(surface.Evaluate(-kInf, kInf), 10.0);
    // As a curve a surface gives its first row.
    EXPECT_DOUBLE_EQ(surface.Evaluate(1.5), 1.5);
}

TEST(Table, RefusesTablesItCouldNotReadSafely) {
    // The arrays hold a value that a read would return, so any read shows.
    const double one[] = {5.0};
    const double two[] = {2.0, 1.0};
    const double withNaN[] = {0.0, kNaN};
    struct Case {
        Table table;
        const char* text;
    } cases[] = {
        {Table(one, 0, one), "Table::Table --> X axis has no breakpoints"},
        {Table(nullptr, 1, one), "Table::Table --> X axis not set"},
        {Table(one, 1, nullptr), "Table::Table --> Values not set"},
        {Table(two, 2, one), "Table::Table --> X breakpoints not in ascending order at 1"},
        {Table(withNaN, 2, two), "Table::Table --> X breakpoint 1 is not a number"},
        {Table(one, 1, one, 0, one), "Table::Table --> Y axis has no breakpoints"},
        {Table(one, 1, two, 2, one), "Table::Table --> Y breakpoints not in ascending order at 1"},
    };
    for (Case& c : cases) {
        EXPECT_FALSE(c.table.IsValid()) << c.text;
        EXPECT_STREQ(c.table.GetErrorText(), c.text);
        EXPECT_EQ(c.table.Evaluate(1.0), 0.0) << c.text;
        EXPECT_EQ(c.table.Evaluate(1.0, 1.0), 0.0) << c.text;
    }
}
