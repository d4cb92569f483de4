#include "controls/HeaderSections.h"

#include <QStandardItemModel>

namespace controls {

HeaderSections::HeaderSections(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_sections(new QStandardItemModel(0, 0, this)) {
    setModel(m_sections);
    setMinimumSectionSize(0);
    setStretchLastSection(false);
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

HeaderSections::~HeaderSections() = default;

void HeaderSections::AddSection(const QString& caption, int width) {
    const int index = m_sections->columnCount();
    m_sections->insertColumn(index);
    m_sections->setHeaderData(index, Qt::Horizontal, caption);
    resizeSection(index, qMax(0, width));
}

void HeaderSections::SetSections(std::initializer_list<Section> sections) {
    ClearSections();
    for (const Section& section : sections)
        AddSection(section.caption, section.width);
}

void HeaderSections::ClearSections() {
    m_sections->setColumnCount(0);
}

int HeaderSections::SectionCount() const {
    return m_sections->columnCount();
}

int HeaderSections::SectionWidth(int index) const {
    if (index < 0 || index >= SectionCount())
        return 0;
    return sectionSize(index);
}

void HeaderSections::SetSectionWidth(int index, int width) {
    if (index >= 0 && index < SectionCount())
        resizeSection(index, qMax(0, width));
}

QString HeaderSections::SectionCaption(int index) const {
    if (index < 0 || index >= SectionCount())
        return QString();
    return m_sections->headerData(index, Qt::Horizontal).toString();
}

int HeaderSections::SectionLeft(int index) const {
    int left = 0;
    for (int k = 0; k < index && k < SectionCount(); ++k)
        left += SectionWidth(k);
    return left;
}

} // namespace controls
