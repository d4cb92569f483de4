#include "reports/export/PdfWriter.h"

#include "reports/engine/Render.h"
#include "reports/export/ExportFile.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace reports::exporting {

bool PdfWriter::write(const engine::PageStore& store, const QString& path, QString* error) {
    return saveFile(
        path,
        [&store](QIODevice& device, QString* reason) {
            QPdfWriter pdf(&device);
            pdf.setResolution(Resolution);
            pdf.setTitle(store.title);
            pdf.setCreator(QStringLiteral("Monvela"));
            const QSizeF points(store.paperSize.width() * 72.0 / engine::DesignDpi,
                                store.paperSize.height() * 72.0 / engine::DesignDpi);
            const bool landscape = points.width() > points.height();
            pdf.setPageLayout(QPageLayout(
                QPageSize(landscape ? points.transposed() : points, QPageSize::Point),
                landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
            QPainter painter;
            if (!painter.begin(&pdf)) {
                *reason = device.errorString();
                return false;
            }
            const qreal scale = Resolution / engine::DesignDpi;
            for (size_t p = 0; p < store.pages.size(); ++p) {
                if (p > 0)
                    pdf.newPage();
                engine::paintPage(painter, store.pages[p], scale);
            }
            painter.end();
            return true;
        },
        error);
}

} // namespace reports::exporting
