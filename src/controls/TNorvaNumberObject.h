#pragma once

namespace controls {

// Whole or real numbers: only real numbers let a decimal separator be typed.
enum class TDato { Entero = 0, Reales = 1 };

// The limits of a number field: type, minimum, maximum, a current value kept
// within them, and the decimals stored, typed and shown. Every value written
// is rounded to `Decimales` decimals.
class TNorvaNumberObject {
public:
    static constexpr double DefaultMaxValor = 9999999999999.99;

    TDato TipoDato() const { return m_tipoDato; }
    void SetTipoDato(TDato tipo) { m_tipoDato = tipo; }

    // Kept with the limits; whether a minus sign may be typed depends on MinValor.
    bool NNegative() const { return m_nNegative; }
    void SetNNegative(bool on) { m_nNegative = on; }

    // Lowered to MaxValor if above it; raises ActValor to it.
    double MinValor() const { return m_minValor; }
    void SetMinValor(double value);

    // Raised to MinValor if below it; lowers ActValor to it.
    double MaxValor() const { return m_maxValor; }
    void SetMaxValor(double value);

    // Kept between MinValor and MaxValor.
    double ActValor() const { return m_actValor; }
    void SetActValor(double value);

    // Re-rounds the three values with the new number of decimals (never below 0).
    int Decimales() const { return m_decimales; }
    void SetDecimales(int decimals);

private:
    double rounded(double value) const;

    TDato m_tipoDato = TDato::Reales;
    bool m_nNegative = false;
    double m_minValor = 0;
    double m_maxValor = DefaultMaxValor;
    double m_actValor = 0;
    int m_decimales = 2;
};

} // namespace controls
