#pragma once

#include "reports/engine/PageStore.h"

#include <QByteArray>
#include <QString>

namespace reports::exporting {

// "Html": one well-formed page in UTF-8 (XHTML, so it parses as XML too), the
// pages one below the other, each laid out as the preview shows it: every text,
// box and line at its place in pixels, texts escaped, blanks kept.
class HtmlWriter {
public:
    static QByteArray bytes(const engine::PageStore& store);
    static bool write(const engine::PageStore& store, const QString& path,
                      QString* error = nullptr);
};

} // namespace reports::exporting
