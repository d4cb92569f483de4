#pragma once

#include <QListWidget>

namespace controls {

// A plain list box with a set horizontal extent: when HScroll (pixels) exceeds
// the list's width, a horizontal scroll bar lets the user scroll across it; with
// HScroll 0 (the default) there is no horizontal scroll bar.
class TNorvaHorizontalList : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(int HScroll READ HScroll WRITE SetHScroll)
public:
    explicit TNorvaHorizontalList(QWidget* parent = nullptr);
    ~TNorvaHorizontalList() override;

    int HScroll() const { return m_hscroll; }
    void SetHScroll(int extent);

protected:
    void updateGeometries() override;

private:
    int m_hscroll = 0;
};

} // namespace controls
