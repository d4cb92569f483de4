#pragma once

#include <QColor>
#include <QWidget>

namespace controls {

// A plain filled rectangle: the grey boxes the windows draw behind their edit
// fields as shadows, and thin separator lines. Its `tag` tells the base form
// whether it is a shadow box (below 5000) or keeps its own visibility.
class Shape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int tag READ tag WRITE setTag)
    Q_PROPERTY(QColor brushColor READ brushColor WRITE setBrushColor)
    Q_PROPERTY(QColor penColor READ penColor WRITE setPenColor)
public:
    explicit Shape(QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    QColor brushColor() const { return m_brush; }
    void setBrushColor(const QColor& color);
    QColor penColor() const { return m_pen; }
    void setPenColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A shape lies behind the controls around it: a shadow box shows only
    // where the edit it shadows does not cover it.
    void showEvent(QShowEvent* event) override;

private:
    int m_tag = 0;
    QColor m_brush = QColor(128, 128, 128);
    QColor m_pen = QColor(128, 128, 128);
};

} // namespace controls
