#pragma once

#include "reports/engine/PageStore.h"

#include <QByteArray>
#include <QString>

namespace reports::exporting {

// "Documento": rich text (RTF) a word processor opens. One paragraph per printed
// line, its exact height and the space above it as on the page; each label
// after a tab stop at its position (left, right or centred as the label is
// aligned), in its size, bold where the label is bold; a page break before
// every page but the first; the report's paper and margins.
class RtfWriter {
public:
    static QByteArray bytes(const engine::PageStore& store);
    static bool write(const engine::PageStore& store, const QString& path,
                      QString* error = nullptr);
};

} // namespace reports::exporting
