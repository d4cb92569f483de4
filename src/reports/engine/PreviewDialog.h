#pragma once

#include "reports/engine/PageStore.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace reports::engine {

class PageView;

// The modal preview of a laid-out report: page by page, with zoom. "Imprimir"
// calls the handler the caller gave (printing a report makes a further pass,
// which only the caller knows how to make); without a handler there is no
// "Imprimir". Nothing the handler throws leaves the window.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    using PrintHandler = std::function<void(QWidget* parent)>;

    explicit PreviewDialog(PageStore store, PrintHandler print = {}, QWidget* parent = nullptr);
    ~PreviewDialog() override;

    const PageStore& store() const { return m_store; }
    int pageIndex() const { return m_page; } // from 0
    int pageCount() const { return int(m_store.pages.size()); }
    qreal zoom() const { return m_zoom; }

    void showPage(int index);              // clamped to the pages there are
    void setZoom(qreal zoom);              // one of zoomLevels()
    static const QList<int>& zoomLevels(); // in percent

    // "Página n de m"
    QString pageText() const;
    QPushButton* firstButton() const { return m_first; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* lastButton() const { return m_last; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* closeButton() const { return m_close; }
    QComboBox* zoomBox() const { return m_zoomBox; }
    PageView* pageView() const { return m_view; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void print();
    void refresh();

    PageStore m_store;
    PrintHandler m_printHandler;
    int m_page = 0;
    qreal m_zoom = 1.0;
    QPushButton* m_first = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
    QScrollArea* m_scroll = nullptr;
    PageView* m_view = nullptr;
};

// Paints one page of a store at a zoom, on white paper with a thin border.
class PageView : public QWidget {
    Q_OBJECT
public:
    PageView(const PageStore& store, QWidget* parent = nullptr);
    void setPage(int index, qreal zoom);
    int page() const { return m_page; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PageStore& m_store;
    int m_page = 0;
    qreal m_zoom = 1.0;
};

} // namespace reports::engine
