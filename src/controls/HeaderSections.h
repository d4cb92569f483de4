#pragma once

#include <QHeaderView>
#include <QString>
#include <initializer_list>

class QStandardItemModel;

namespace controls {

// The header control above a grid list: a row of titled sections whose widths
// are the widths of the list's columns. The list's painting reads the widths
// from here, so a header that is kept hidden still sets the columns.
class HeaderSections : public QHeaderView {
    Q_OBJECT
public:
    struct Section {
        QString caption;
        int width = 0;
    };

    explicit HeaderSections(QWidget* parent = nullptr);
    ~HeaderSections() override;

    // Appends a section; the width is in pixels.
    void AddSection(const QString& caption, int width);
    // Replaces every section.
    void SetSections(std::initializer_list<Section> sections);
    void ClearSections();

    int SectionCount() const;
    // 0 for an index out of range.
    int SectionWidth(int index) const;
    void SetSectionWidth(int index, int width);
    QString SectionCaption(int index) const;
    // The sum of the widths of the sections before `index`.
    int SectionLeft(int index) const;

private:
    QStandardItemModel* m_sections;
};

} // namespace controls
