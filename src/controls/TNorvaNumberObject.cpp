#include "controls/TNorvaNumberObject.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace controls {

double TNorvaNumberObject::rounded(double value) const {
    // Printed with the field's decimals and read back, as the field shows it.
    return QString::number(value, 'f', m_decimales).toDouble();
}

void TNorvaNumberObject::SetMinValor(double value) {
    if (!std::isfinite(value))
        return;
    value = std::min(value, m_maxValor);
    if (m_actValor < value)
        m_actValor = rounded(value);
    m_minValor = rounded(value);
}

void TNorvaNumberObject::SetMaxValor(double value) {
    if (!std::isfinite(value))
        return;
    value = std::max(value, m_minValor);
    if (m_actValor > value)
        m_actValor = rounded(value);
    m_maxValor = rounded(value);
}

void TNorvaNumberObject::SetActValor(double value) {
    if (!std::isfinite(value))
        return;
    value = std::min(std::max(value, m_minValor), m_maxValor);
    m_actValor = rounded(value);
}

void TNorvaNumberObject::SetDecimales(int decimals) {
    m_decimales = std::max(decimals, 0);
    m_minValor = rounded(m_minValor);
    m_maxValor = rounded(m_maxValor);
    m_actValor = rounded(m_actValor);
}

} // namespace controls
