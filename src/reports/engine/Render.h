#pragma once

#include "reports/engine/PageStore.h"

#include <QFont>
#include <QImage>

class QPainter;

namespace reports::engine {

QFont toQFont(const FontSpec& font);

// Paints one page with its top left corner at the painter's origin, `scale`
// device pixels to the design pixel. The painter's state is kept.
void paintPage(QPainter& painter, const StoredPage& page, qreal scale);

// The page as a picture on white paper, as the preview shows it.
QImage pageImage(const PageStore& store, int index, qreal scale);

} // namespace reports::engine
