#pragma once

#include <QString>

namespace controls {

// Optional limits of a date field, each a short date text; an empty text (or
// one that is not a date, which the setters empty) stands for no date. The
// setters keep ActFecha between the two limits.
class TNorvaDateObject {
public:
    // Earliest date the field accepts on leaving; never after MaxFecha. A
    // later minimum also raises ActFecha when ActFecha lies before it.
    QString MinFecha() const { return m_minFecha; }
    void SetMinFecha(const QString& date);

    // Latest date the field accepts on leaving; never before MinFecha.
    QString MaxFecha() const { return m_maxFecha; }
    void SetMaxFecha(const QString& date);

    // A current date within the limits.
    QString ActFecha() const { return m_actFecha; }
    void SetActFecha(const QString& date);

private:
    QString m_minFecha;
    QString m_maxFecha;
    QString m_actFecha;
};

} // namespace controls
