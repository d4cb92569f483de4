#pragma once

#include <QString>
#include <QStringList>
#include <optional>

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

    bool operator==(const Settings&) const = default;
};

inline constexpr int SettingsLineCount = 12;

// The values the page's number fields can hold. A file value outside them is
// brought within them when read: a refresh of 0 hours would reload the
// pending items without pause, and a negative horizon would hide what is due.
struct SettingRange {
    int min;
    int max;
    int clamp(int value) const { return value < min ? min : (value > max ? max : value); }
};
inline constexpr SettingRange RefreshHoursRange{1, 24};
inline constexpr SettingRange WaitRange{1, 1440};
inline constexpr SettingRange DaysAheadRange{0, 1440};

// The time of day of MEHora when it cannot be used.
inline const QString DefaultReminderTime = QStringLiteral("12:00");
// The text of an empty MEHora.
inline const QString EmptyReminderTime = QStringLiteral("  :  ");

// Reads the lines of a settings file: only the exact text "1" ticks a box; a
// number line that is not a whole number takes the reader's default and one
// outside its field's range is brought within it; an index line that is not
// 0 or 1 gives 0; the time and the sound path are taken as they stand;
// missing lines read as empty and lines after the twelfth are ignored.
Settings parseSettings(const QStringList& lines);

// The twelve lines of the file for the settings given.
QStringList settingsLines(const Settings& settings);

// The whole number of a line as the settings file writes it (digits, an
// optional sign, leading blanks allowed), or `fallback`.
int settingsNumber(const QString& line, int fallback);

// The reminder time after leaving its edit: "12:00" unless the text is a time
// of day hh:mm no later than 12:59 with no blank left in it.
QString checkedReminderTime(const QString& text);

// The notice wait's unit in milliseconds: "Hora(s)" (index 1) or else "Minuto(s)".
qint64 waitUnitMs(int unitIndex);

// The file: WorkFolder + DataFolder + "FileConfig.txt" (the data folder alone
// when it is absolute).
QString settingsPath(const QString& workFolder, const QString& dataFolder);

// Reads the file; nullopt when it cannot be read (a missing file included).
std::optional<Settings> readSettingsFile(const QString& path);
// Writes the twelve lines (Windows-1252, CR LF between them, none after the
// last) atomically: a failed write leaves the previous file whole.
bool writeSettingsFile(const QString& path, const Settings& settings, QString* error = nullptr);

// The messages of the settings file.
QString missingSettingsMessage(const QString& path);
inline const QString SettingsReadError =
    QStringLiteral("Error al cargar los datos del archivo \"FileConfig\".");
inline const QString SettingsWriteError =
    QStringLiteral("Error al cargar los datos al archivo \"FileConfig\".");

} // namespace shell
