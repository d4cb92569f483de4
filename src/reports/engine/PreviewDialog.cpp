#include "reports/engine/PreviewDialog.h"

#include "platform/MessageBoxService.h"
#include "reports/engine/Render.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

namespace reports::engine {

namespace {
constexpr int PaperBorder = 12; // grey around the paper
} // namespace

// ---- PageView

PageView::PageView(const PageStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setAutoFillBackground(false);
}

void PageView::setPage(int index, qreal zoom) {
    m_page = index;
    m_zoom = zoom;
    resize(sizeHint());
    QWidget::update();
}

QSize PageView::sizeHint() const {
    return QSize(int(std::ceil(m_store.paperSize.width() * m_zoom)) + 2 * PaperBorder,
                 int(std::ceil(m_store.paperSize.height() * m_zoom)) + 2 * PaperBorder);
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    const QRectF paper(PaperBorder, PaperBorder, m_store.paperSize.width() * m_zoom,
                       m_store.paperSize.height() * m_zoom);
    painter.fillRect(paper, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(paper.adjusted(-1, -1, 0, 0));
    if (m_page >= 0 && m_page < int(m_store.pages.size())) {
        painter.translate(paper.topLeft());
        painter.setClipRect(QRectF(QPointF(0, 0), paper.size()));
        paintPage(painter, m_store.pages[size_t(m_page)], m_zoom);
    }
}

// ---- PreviewDialog

const QList<int>& PreviewDialog::zoomLevels() {
    static const QList<int> levels = {50, 75, 100, 125, 150, 200};
    return levels;
}

PreviewDialog::PreviewDialog(PageStore store, PrintHandler print, QWidget* parent)
    : QDialog(parent), m_store(std::move(store)), m_printHandler(std::move(print)) {
    setWindowTitle(m_store.title.isEmpty() ? QStringLiteral("Vista preliminar")
                                           : QStringLiteral("Vista preliminar - ") + m_store.title);
    setModal(true);

    auto* bar = new QHBoxLayout;
    auto button = [this, bar](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    m_first = button(QStringLiteral("Primera"), "BPrimera");
    m_previous = button(QStringLiteral("Anterior"), "BAnterior");
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("LPagina"));
    bar->addWidget(m_pageLabel);
    m_next = button(QStringLiteral("Siguiente"), "BSiguiente");
    m_last = button(QStringLiteral("Última"), "BUltima");
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("Zoom:"), this));
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("CBZoom"));
    for (int level : zoomLevels())
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(level), level);
    m_zoomBox->setCurrentIndex(int(zoomLevels().indexOf(100)));
    bar->addWidget(m_zoomBox);
    bar->addStretch(1);
    m_print = button(QStringLiteral("Imprimir"), "BImprimir");
    m_print->setVisible(bool(m_printHandler));
    m_close = button(QStringLiteral("Cerrar"), "BCerrar");

    m_view = new PageView(m_store, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_view);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(m_zoomBox, &QComboBox::activated, this,
            [this](int index) { setZoom(m_zoomBox->itemData(index).toInt() / 100.0); });
    connect(m_print, &QPushButton::clicked, this, &PreviewDialog::print);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    resize(920, 760);
    refresh();
}

PreviewDialog::~PreviewDialog() = default;

QString PreviewDialog::pageText() const {
    return QStringLiteral("Página %1 de %2")
        .arg(pageCount() == 0 ? 0 : m_page + 1)
        .arg(pageCount());
}

void PreviewDialog::showPage(int index) {
    m_page = std::clamp(index, 0, std::max(0, pageCount() - 1));
    refresh();
}

void PreviewDialog::setZoom(qreal zoom) {
    const int percent = int(std::lround(zoom * 100));
    const int index = int(zoomLevels().indexOf(percent));
    if (index < 0)
        return;
    m_zoom = percent / 100.0;
    m_zoomBox->setCurrentIndex(index);
    refresh();
}

void PreviewDialog::refresh() {
    const bool atFirst = m_page <= 0;
    const bool atLast = m_page >= pageCount() - 1;
    m_first->setEnabled(!atFirst);
    m_previous->setEnabled(!atFirst);
    m_next->setEnabled(!atLast);
    m_last->setEnabled(!atLast);
    m_pageLabel->setText(pageText());
    m_view->setPage(m_page, m_zoom);
}

void PreviewDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(m_page + 1);
        return;
    case Qt::Key_PageUp:
        showPage(m_page - 1);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            showPage(0);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            showPage(pageCount() - 1);
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void PreviewDialog::print() {
    if (!m_printHandler)
        return;
    try {
        m_printHandler(this);
    } catch (const std::exception& e) {
        platform::showException(this, QString::fromUtf8(e.what()));
    } catch (...) {
        platform::showException(this, QStringLiteral("El reporte no pudo imprimirse."));
    }
}

} // namespace reports::engine
