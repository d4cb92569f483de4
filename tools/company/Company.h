#pragma once

#include "core/DateTime.h"

#include <QString>
#include <stdexcept>

// The company tool stands in for the accounting suite, which creates and owns
// the company tables: it lays out a working folder with the company table, the
// data folder with every table the module reads or writes, the company data
// file, the report folder, the notice sound and the help page.
namespace company {

class ToolError : public std::runtime_error {
public:
    explicit ToolError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// The folders the tool writes into "sempresas.dat".
inline const QString DataFolderName = QStringLiteral("Empre001");
inline const QString ReportsFolderName = QStringLiteral("Empre001/Reports");

// A working folder with empty tables (dir is created when missing; tables that
// already exist are an error, so nothing of the suite's is overwritten).
void create(const QString& dir);
// The same with Spanish sample data whose dates are relative to `today`.
void createDemo(const QString& dir, core::TDateTime today);
// A large company for the benchmarks: `installments` installments in
// transactions of up to four, `perBank` transactions to a bank account, and
// `documents` receivables and as many payables spread over `parties`
// customers and as many suppliers (0: one party for every two documents).
// `duePercent` of the installments and documents are unpaid, open and due by
// the notice horizon of `daysAhead` days; of the rest, half are paid (or have
// no balance, or a type the notice does not admit) and half fall due later.
// The same seed gives the same rows. The settings include receivables and
// payables, reload every `refreshHours` hours and announce `daysAhead` days
// ahead; the user ADMIN (password monvela) may use the module.
struct GenerateOptions {
    qint64 installments = 0;
    qint64 documents = 0;
    qint64 parties = 0;
    int perBank = 10000;
    int duePercent = 90;
    int daysAhead = 3;
    int refreshHours = 1;
    quint32 seed = 1;
};
void generate(const QString& dir, core::TDateTime today, const GenerateOptions& options);

// Adds a user of the suite with the password encoded as the suite does.
void addUser(const QString& dir, const QString& name, const QString& password, bool access);

// Start at login: an XDG autostart entry that starts `program` in the company's
// working folder. The entry's file; removing it when there is none is no error.
QString autostartEntry();
void writeAutostart(const QString& dir, const QString& program);
void removeAutostart();

// Writes the short notice chime as a WAV file.
void writeNoticeSound(const QString& path);

} // namespace company
