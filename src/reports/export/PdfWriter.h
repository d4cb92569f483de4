#pragma once

#include "reports/engine/PageStore.h"

#include <QString>

namespace reports::exporting {

// "Pdf": the pages through Qt's PDF writer, on the report's paper, the texts
// in embedded fonts (so they can be searched and copied).
class PdfWriter {
public:
    static constexpr int Resolution = 1200;

    static bool write(const engine::PageStore& store, const QString& path,
                      QString* error = nullptr);
};

} // namespace reports::exporting
