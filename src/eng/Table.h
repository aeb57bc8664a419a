// Table: a breakpoint table turned into a function, by linear interpolation.
//
// A curve has one input (an X axis and one value per breakpoint); a surface
// has two (an X and a Y axis and one value per breakpoint pair, X index
// running fastest: the value at (i, j) is values[i + j * xCount]). The table
// copies nothing: the axes and values belong to the caller and must outlive
// the table.
//
// A curve is flat beyond its ends and its input is not limited beforehand. A
// surface limits each input to its axis first, so outside its range it gives
// the value at the nearest edge.
//
// The axes are checked at construction: a table with no breakpoint, a missing
// array, a breakpoint that is not a finite number, or breakpoints out of
// ascending order (equal neighbours are allowed) is refused. A refused table
// says so through IsValid and its error text, reads nothing, and evaluates to
// 0.0 for every input.
//
// Inputs come from the simulation host and may be anything: a NaN input counts
// as lying below the axis (the first value of a curve, the first edge of a
// surface), an infinite one as beyond the end of its sign. The result is
// finite for every input as long as the table's own values are.
#pragma once

#include "eng/Lfi.h"
#include "log/Kx_ErrorReport.h"

class Table {
  public:
    // A curve: count breakpoints in axis, one value each.
    Table(const double* axis, int count, const double* values);
    // A surface: xCount x yCount values, X index running fastest.
    Table(const double* xAxis, int xCount, const double* yAxis, int yCount, const double* values);

    bool IsValid() const { return m_valid; }
    bool IsSurface() const { return m_yAxis != nullptr; }
    // Why the table was refused (empty for a valid table).
    const char* GetErrorText() { return m_error.GetErrorText(); }

    // Curve evaluation. On a surface it evaluates the first row (y index 0),
    // which is itself a curve over the X axis.
    double Evaluate(double x);
    // Surface evaluation with both inputs limited to the axes. On a curve the
    // y input is ignored.
    double Evaluate(double x, double y);

    // The engine's working state after the last evaluation.
    const Lfi& GetEngine() const { return m_lfi; }

  private:
    bool CheckAxis(const double* axis, int count, const char* name);

    Lfi m_lfi;
    const double* m_xAxis = nullptr;
    const double* m_values = nullptr;
    const double* m_yAxis = nullptr;
    int m_xCount = 0;
    int m_yCount = 0;
    // Input limits of a surface: first and last breakpoint of each axis.
    double m_xMin = 0.0;
    double m_xMax = 0.0;
    double m_yMin = 0.0;
    double m_yMax = 0.0;
    bool m_valid = false;
    Kx_ErrorReport m_error;
};
