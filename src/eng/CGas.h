// CGas: the perfect-gas relations of dry air that the standard atmosphere
// builds on. All quantities are SI.
#pragma once

class CGas {
  public:
    CGas();

    // Ratio of specific heats.
    double Gamma() const { return m_gamma; }
    // Specific gas constant of dry air, J/(kg K).
    double GasConstant() const { return m_r; }
    double GammaR() const { return m_gammaR; }
    // (gamma - 1) / (2 gamma), the factor of rho V^2 / P in the subsonic
    // impact pressure.
    double K1() const { return m_k1; }
    // gamma / (gamma - 1), 3.5 for air.
    double K2() const { return m_k2; }

  protected:
    double m_gamma;
    double m_r;
    double m_gammaR;
    double m_k1;
    double m_k2;
};
