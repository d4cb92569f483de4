#include "controls/TNorvaDateObject.h"

#include "core/Formats.h"

#include <optional>

namespace controls {

namespace {

std::optional<core::TDateTime> dateOf(const QString& text) {
    return core::parseShortDate(text);
}

// The text as a short date, or empty when it is not one.
QString normalized(const QString& text) {
    const std::optional<core::TDateTime> date = dateOf(text);
    return date ? core::formatShortDate(*date) : QString();
}

} // namespace

void TNorvaDateObject::SetMinFecha(const QString& date) {
    QString s = normalized(date);
    const auto value = dateOf(s);
    const auto max = dateOf(m_maxFecha);
    if (value && max && *value > *max)
        s = m_maxFecha;
    const auto min = dateOf(s);
    const auto act = dateOf(m_actFecha);
    if (min && act && *act < *min)
        m_actFecha = s;
    m_minFecha = s;
}

void TNorvaDateObject::SetMaxFecha(const QString& date) {
    QString s = normalized(date);
    const auto value = dateOf(s);
    const auto min = dateOf(m_minFecha);
    if (value && min && *value < *min)
        s = m_minFecha;
    const auto max = dateOf(s);
    const auto act = dateOf(m_actFecha);
    if (max && act && *act > *max)
        m_actFecha = s;
    m_maxFecha = s;
}

void TNorvaDateObject::SetActFecha(const QString& date) {
    QString s = normalized(date);
    const auto min = dateOf(m_minFecha);
    const auto max = dateOf(m_maxFecha);
    if (s.isEmpty() && min && max)
        s = m_minFecha;
    const auto value = dateOf(s);
    if (value && min && *value < *min)
        s = m_minFecha;
    else if (value && max && *value > *max)
        s = m_maxFecha;
    m_actFecha = s;
}

} // namespace controls
