// Lfi: the linear-function-interpolation engine behind Table.
//
// It finds where an input lies among the breakpoints of an axis and
// interpolates linearly between the neighbouring values: along one axis for a
// curve, along two for a surface. Axes are arrays of ascending breakpoints
// (equal neighbours are allowed and make a step); the arrays belong to the
// caller. The engine keeps the working state of its last evaluation (region,
// interval indices, fractions, corner values) so that a caller can see how an
// input was placed.
//
// Locating x among b[0..n-1]: the upper index is the first i with b[i] >= x.
//   - no breakpoint below x (i = 0): below-or-at-start, fraction 0, upper 0;
//   - every breakpoint below x (i = n): beyond-end, fraction 1, upper n - 1;
//   - otherwise inside: fraction (x - b[i-1]) / (b[i] - b[i-1]), upper i.
// A NaN input counts as below-or-at-start, as the value limiter treats it, so
// a curve gives its first value for it; an infinite input lands on the end of
// its sign by the rule itself. The fraction never divides by zero: inside the
// axis b[i-1] < x <= b[i] holds.
#pragma once

class Lfi {
  public:
    enum Region { kBelowOrAtStart = 0, kInside = 1, kBeyondEnd = 2 };

    Lfi() = default;

    // Value of a curve at x: values[k] belongs to axis[k]; count >= 1.
    // Below the first breakpoint it is values[0], beyond the last
    // values[count - 1] (flat at both ends).
    double Curve(const double* axis, int count, const double* values, double x);

    // Value of a surface at (x, y) by bilinear interpolation. The value at
    // (x index i, y index j) is values[i + j * xCount]. The inputs are not
    // limited here: the owning Table limits them to the axes first.
    double Surface(const double* xAxis, int xCount, const double* yAxis, int yCount,
                   const double* values, double x, double y);

    // Working state of the last evaluation. The region is that of the last
    // located input (the y input of a surface).
    Region GetRegion() const { return m_region; }
    int GetUpperX() const { return m_upperX; }
    int GetUpperY() const { return m_upperY; }
    double GetFractionX() const { return m_fractionX; }
    double GetFractionY() const { return m_fractionY; }

  private:
    void Locate(const double* axis, int count, double x, int& upper, double& fraction);

    Region m_region = kBelowOrAtStart;
    int m_upperX = 0;
    int m_upperY = 0;
    double m_fractionX = 0.0;
    double m_fractionY = 0.0;
    // Two corners for a curve (lower, upper); four for a surface
    // (z00, z10, z01, z11), and the two rows interpolated along x.
    double m_corner[4] = {};
    double m_rowLow = 0.0;
    double m_rowHigh = 0.0;
};
