#pragma once

#include <QString>
#include <QStringList>

namespace shell {

// The company's settings as the twelve lines of its settings file hold them.
// The configuration page keeps them in its controls; this is the file's side.
struct Settings {
    bool includeReceivables = false;                // line 1  "Incluir Cuentas por Cobrar"
    bool includePayables = false;                   // line 2  "Incluir Cuentas por Pagar"
    bool noticeOff = false;                         // line 3  "Desactivar ventana de aviso"
    bool soundOff = false;                          // line 4  "Desactivar sonido de aviso"
    int refreshHours = 4;                           // line 5  ERefrescarDatos
    int wait = 5;                                   // line 6  ETiempoEspera
    int waitUnit = 0;                               // line 7  ComboBMinHora: 0 minutes, 1 hours
    int daysAhead = 3;                              // line 8  EDiasAntes
    QString reminderTime = QStringLiteral("12:00"); // line 9  MEHora, as typed
    int reminderHalf = 0;                           // line 10 CAMPM: 0 A.M., 1 P.M.
    QString soundFile;                              // line 11 EPathSonido
    bool highlightedHeadings = true;                // line 12 CEmcabezado

    // What the reader takes where a number line is not a whole number.
    static constexpr int ReaderRefreshHours = 2;
    static constexpr int ReaderWait = 2;
    static constexpr int ReaderDaysAhead = 3;
};

// Reads the lines of a settings file: only the exact text "1" ticks a box; a
// number line that is not a whole number takes the reader's default; an index
// line that is not one gives 0; the time and the sound path are taken as they
// stand; missing lines read as empty and lines after the twelfth are ignored.
Settings parseSettings(const QStringList& lines);

// The twelve lines of the file for the settings given.
QStringList settingsLines(const Settings& settings);

// The whole number of a line as the settings file writes it (digits, an
// optional sign, leading blanks allowed), or `fallback`.
int settingsNumber(const QString& line, int fallback);

// The reminder time after leaving its edit: "12:00" unless the text is a time
// of day hh:mm no later than 12:59 with no blank left in it.
QString checkedReminderTime(const QString& text);

} // namespace shell
