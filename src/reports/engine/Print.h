#pragma once

#include "reports/engine/PageStore.h"

#include <QString>

class QPrinter;
class QWidget;

namespace reports::engine {

class Report;

// The printer dialog: printer, copies and page range. The program shows Qt's
// dialog; a test installs one that answers from a script for its lifetime.
class PrintDialogService {
public:
    virtual ~PrintDialogService() = default;
    // True when the user confirmed; the printer then holds the choices.
    // pageCount 0: not known yet.
    virtual bool choose(QPrinter& printer, int pageCount, QWidget* parent) = 0;

    static PrintDialogService& instance();
    static void install(PrintDialogService* service); // nullptr restores the program's own
};

// The store's paper, portrait or landscape as it is, painted from the paper's
// edge (the store measures from there).
void setUpPrinter(QPrinter& printer, const PageStore& store);

// Prints the pages, only those of the printer's page range when it has one,
// as many copies as asked.
// False, with the reason, when the printer cannot be opened or fails.
bool printPages(const PageStore& store, QPrinter& printer, QString* error = nullptr);

enum class PrintResult {
    Printed,
    NotChosen, // the printer dialog was cancelled: nothing printed
    Cancelled, // an event cancelled the pass: nothing printed
    Failed,    // the printer failed; the reason is in the error text
};

// The printer dialog and, when confirmed, the store printed.
PrintResult printWithDialog(const PageStore& store, QWidget* parent, QString* error = nullptr);

// The printer dialog and, when confirmed, a further pass of the report printed.
// pageCountHint: the pages of an earlier pass (the preview's), or 0. An
// exception from the report's events goes on to the caller.
PrintResult printReport(Report& report, int pageCountHint, QWidget* parent,
                        QString* error = nullptr);

} // namespace reports::engine
