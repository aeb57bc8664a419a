#include "eng/Table.h"

#include <cmath>

#include "util/KxText.h"

namespace {
constexpr const char* kWhere = "Table::Table";
}

bool Table::CheckAxis(const double* axis, int count, const char* name) {
    char text[128];
    if (axis == nullptr) {
        kx::Format(text, sizeof text, "%s --> %s axis not set", kWhere, name);
        m_error.SetError(text);
        return false;
    }
    if (count < 1) {
        kx::Format(text, sizeof text, "%s --> %s axis has no breakpoints", kWhere, name);
        m_error.SetError(text);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(axis[i])) {
            kx::Format(text, sizeof text, "%s --> %s breakpoint %d is not a number", kWhere, name,
                       i);
            m_error.SetError(text);
            return false;
        }
        if (i > 0 && axis[i] < axis[i - 1]) {
            kx::Format(text, sizeof text, "%s --> %s breakpoints not in ascending order at %d",
                       kWhere, name, i);
            m_error.SetError(text);
            return false;
        }
    }
    return true;
}

Table::Table(const double* axis, int count, const double* values)
    : m_xAxis(axis), m_values(values), m_xCount(count) {
    if (!CheckAxis(axis, count, "X"))
        return;
    if (values == nullptr) {
        m_error.SetError("Table::Table --> Values not set");
        return;
    }
    m_valid = true;
}

Table::Table(const double* xAxis, int xCount, const double* yAxis, int yCount, const double* values)
    : m_xAxis(xAxis), m_values(values), m_yAxis(yAxis), m_xCount(xCount), m_yCount(yCount) {
    if (!CheckAxis(xAxis, xCount, "X") || !CheckAxis(yAxis, yCount, "Y"))
        return;
    if (values == nullptr) {
        m_error.SetError("Table::Table --> Values not set");
        return;
    }
    m_xMin = xAxis[0];
    m_xMax = xAxis[xCount - 1];
    m_yMin = yAxis[0];
    m_yMax = yAxis[yCount - 1];
    m_valid = true;
}

double Table::Evaluate(double x) {
    if (!m_valid)
        return 0.0;
    // The first row of a surface is values[0 .. xCount - 1].
    return m_lfi.Curve(m_xAxis, m_xCount, m_values, x);
}

double Table::Evaluate(double x, double y) {
    if (!m_valid)
        return 0.0;
    if (m_yAxis == nullptr)
        return m_lfi.Curve(m_xAxis, m_xCount, m_values, x);
    // The limiter takes a NaN to the lower bound, like the locating rule.
    x = kx::Limit(x, m_xMin, m_xMax);
    y = kx::Limit(y, m_yMin, m_yMax);
    return m_lfi.Surface(m_xAxis, m_xCount, m_yAxis, m_yCount, m_values, x, y);
}
