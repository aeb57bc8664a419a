#include "eng/CGas.h"

CGas::CGas() : m_gamma(1.4), m_r(287.05) {
    m_gammaR = m_gamma * m_r;
    m_k1 = (m_gamma - 1.0) / (2.0 * m_gamma);
    m_k2 = m_gamma / (m_gamma - 1.0);
}
