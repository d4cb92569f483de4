#pragma once

#include "reports/engine/PageStore.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QIODevice;

namespace reports::exporting {

using engine::PageStore;
using engine::StoredPage;
using engine::TextOp;

// Writes a file whole or not at all: the content goes to a temporary file that
// replaces the old one only when complete, so a failure leaves no half-written
// file and an old file of the same name as it was. `write` gives false (with
// the reason) to abandon. On failure the error reads "No se puede grabar el
// archivo" with the path and the system's own text.
bool saveFile(const QString& path, const std::function<bool(QIODevice&, QString*)>& write,
              QString* error);
bool saveFile(const QString& path, const QByteArray& bytes, QString* error);

QString cannotWrite(const QString& path, const QString& reason);

// The texts of a page that print on one line: those whose vertical middle lies
// within the first (topmost) text of the line. Texts of blanks only take no part.
struct PrintedLine {
    qreal top = 0;
    qreal bottom = 0;
    std::vector<const TextOp*> texts; // from left to right
};
std::vector<PrintedLine> printedLines(const StoredPage& page);

// Where a text lines up with others: its left edge, its right edge when it is
// right-aligned, its middle when it is centred.
qreal anchorOf(const TextOp& text);

// An amount shown with the program's separators (core::Formats::current()), as
// "-1234.56" with the decimals it shows; nullopt when the text is no amount.
std::optional<QString> plainNumber(const QString& text);

} // namespace reports::exporting
