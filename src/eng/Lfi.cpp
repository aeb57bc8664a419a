#include "eng/Lfi.h"

#include <cmath>

void Lfi::Locate(const double* axis, int count, double x, int& upper, double& fraction) {
    int i = 0;
    if (!std::isnan(x)) {
        while (i < count && axis[i] < x)
            ++i;
    }
    if (i == 0) {
        m_region = kBelowOrAtStart;
        fraction = 0.0;
        upper = 0;
    } else if (i == count) {
        m_region = kBeyondEnd;
        fraction = 1.0;
        upper = count - 1;
    } else {
        m_region = kInside;
        fraction = (x - axis[i - 1]) / (axis[i] - axis[i - 1]);
        upper = i;
    }
}

double Lfi::Curve(const double* axis, int count, const double* values, double x) {
    Locate(axis, count, x, m_upperX, m_fractionX);
    const int lower = m_upperX > 0 ? m_upperX - 1 : 0;
    m_corner[0] = values[lower];
    m_corner[1] = values[m_upperX];
    return m_corner[0] + (m_corner[1] - m_corner[0]) * m_fractionX;
}

double Lfi::Surface(const double* xAxis, int xCount, const double* yAxis, int yCount,
                    const double* values, double x, double y) {
    Locate(xAxis, xCount, x, m_upperX, m_fractionX);
    Locate(yAxis, yCount, y, m_upperY, m_fractionY);
    const int ix = m_upperX;
    const int iy = m_upperY;
    const int ix0 = ix > 0 ? ix - 1 : 0;
    const int iy0 = iy > 0 ? iy - 1 : 0;
    m_corner[0] = values[ix0 + iy0 * xCount];
    m_corner[1] = values[ix + iy0 * xCount];
    m_corner[2] = values[ix0 + iy * xCount];
    m_corner[3] = values[ix + iy * xCount];
    m_rowLow = m_corner[0] + (m_corner[1] - m_corner[0]) * m_fractionX;
    m_rowHigh = m_corner[2] + (m_corner[3] - m_corner[2]) * m_fractionX;
    return m_rowLow + (m_rowHigh - m_rowLow) * m_fractionY;
}
