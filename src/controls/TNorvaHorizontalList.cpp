#include "controls/TNorvaHorizontalList.h"

#include <QScrollBar>

namespace controls {

TNorvaHorizontalList::TNorvaHorizontalList(QWidget* parent) : QListWidget(parent) {
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

TNorvaHorizontalList::~TNorvaHorizontalList() = default;

void TNorvaHorizontalList::SetHScroll(int extent) {
    m_hscroll = qMax(0, extent);
    updateGeometries();
}

void TNorvaHorizontalList::updateGeometries() {
    QListWidget::updateGeometries();
    // The extent, not the items' widths, decides whether and how far the list
    // scrolls across. The bar is switched on and off here rather than left to the
    // scroll area, which would follow the items' widths.
    const int width = viewport()->width();
    const Qt::ScrollBarPolicy policy =
        m_hscroll > width ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != policy)
        setHorizontalScrollBarPolicy(policy);
    QScrollBar* bar = horizontalScrollBar();
    bar->setPageStep(width);
    bar->setSingleStep(qMax(1, width / 20));
    bar->setRange(0, qMax(0, m_hscroll - width));
}

} // namespace controls
