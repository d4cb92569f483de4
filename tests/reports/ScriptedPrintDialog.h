#pragma once

#include "reports/engine/Print.h"

#include <QList>
#include <QPrinter>
#include <QString>

// Stands in for the printer dialog for its lifetime: records the page counts
// it was shown with and answers from a script. A confirmed print goes to the
// PDF file `outputFile`, of the pages `fromPage` to `toPage` when they are set,
// in `copies` copies.
class ScriptedPrintDialog : public reports::engine::PrintDialogService {
public:
    ScriptedPrintDialog() { install(this); }
    ~ScriptedPrintDialog() override { install(nullptr); }

    bool choose(QPrinter& printer, int pageCount, QWidget*) override {
        shownWith << pageCount;
        if (!confirm)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        printer.setCopyCount(copies);
        if (fromPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(fromPage, toPage);
        }
        return true;
    }

    bool confirm = true;
    QString outputFile;
    int fromPage = 0;
    int toPage = 0;
    int copies = 1;
    QList<int> shownWith;
};
