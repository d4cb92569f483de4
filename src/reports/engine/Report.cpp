#include "reports/engine/Report.h"

#include "reports/engine/Render.h"

#include <QFontMetricsF>
#include <algorithm>
#include <stdexcept>

namespace reports::engine {

// ---- ReportLabel

QStringList ReportLabel::lines() const {
    QStringList out = text.split(QLatin1Char('\n'));
    for (QString& line : out) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (out.size() > 1 && out.last().isEmpty())
        out.removeLast();
    return out;
}

qreal ReportLabel::height() const {
    return qreal(lines().size() * lineHeight(font));
}

// ---- Band

Band::Band(Report& report, BandKind kind, const QString& name, qreal height, Band* master)
    : height(height), m_report(report), m_kind(kind), m_name(name), m_master(master) {}

ReportLabel& Band::addLabel(const QString& name, const QString& text, qreal left, qreal top,
                            qreal width) {
    auto label = std::make_unique<ReportLabel>();
    label->name = name;
    label->text = text;
    label->left = left;
    label->top = top;
    label->width = width;
    label->font = m_report.font;
    m_labels.push_back(std::move(label));
    return *m_labels.back();
}

ReportLabel* Band::findLabel(const QString& name) const {
    for (const auto& label : m_labels) {
        if (label->name == name)
            return label.get();
    }
    return nullptr;
}

qreal Band::extent() const {
    qreal bottom = height;
    for (const auto& label : m_labels) {
        if (label->visible)
            bottom = std::max(bottom, label->top + label->height());
    }
    return bottom;
}

// ---- Report

Report::Report(const QString& title) : title(title) {}

Report::~Report() = default;

Band& Report::add(BandKind kind, const QString& name, qreal height, Band* master) {
    m_bands.push_back(std::unique_ptr<Band>(new Band(*this, kind, name, height, master)));
    return *m_bands.back();
}

Band& Report::addTitle(const QString& name, qreal height) {
    if (m_title)
        throw std::logic_error("Report: a second title band");
    m_title = &add(BandKind::Title, name, height, nullptr);
    return *m_title;
}

Band& Report::addPageHeader(const QString& name, qreal height) {
    if (m_pageHeader)
        throw std::logic_error("Report: a second page header");
    m_pageHeader = &add(BandKind::PageHeader, name, height, nullptr);
    return *m_pageHeader;
}

Band& Report::addPageFooter(const QString& name, qreal height) {
    if (m_pageFooter)
        throw std::logic_error("Report: a second page footer");
    m_pageFooter = &add(BandKind::PageFooter, name, height, nullptr);
    return *m_pageFooter;
}

Band& Report::addChild(Band& parent, const QString& name, qreal height) {
    if (&parent.report() != this || parent.kind() == BandKind::PageHeader ||
        parent.kind() == BandKind::PageFooter || parent.child())
        throw std::logic_error("Report: a child band needs a title, sub-detail or child "
                               "band of this report without a child");
    Band& child = add(BandKind::Child, name, height, nullptr);
    parent.m_child = &child;
    return child;
}

Band& Report::addSubDetail(const QString& name, qreal height, Band* master) {
    if (master && (&master->report() != this || master->kind() != BandKind::SubDetail))
        throw std::logic_error("Report: the master of a sub-detail is a sub-detail of this "
                               "report");
    return add(BandKind::SubDetail, name, height, master);
}

Band* Report::findBand(const QString& name) const {
    for (const auto& band : m_bands) {
        if (band->name() == name)
            return band.get();
    }
    return nullptr;
}

ReportLabel* Report::findLabel(const QString& name) const {
    for (const auto& band : m_bands) {
        if (ReportLabel* label = band->findLabel(name))
            return label;
    }
    return nullptr;
}

QMarginsF Report::marginsPixels() const {
    return QMarginsF(mmToPixels(marginsMm.left()), mmToPixels(marginsMm.top()),
                     mmToPixels(marginsMm.right()), mmToPixels(marginsMm.bottom()));
}

qreal Report::bodyBottom() const {
    qreal bottom = paperSize.height() - marginsPixels().bottom();
    if (m_pageFooter && m_pageFooter->enabled)
        bottom -= m_pageFooter->height;
    return bottom;
}

bool Report::run(PageStore& store) {
    if (m_store)
        throw std::logic_error("Report: a pass is already running");
    store = PageStore();
    store.title = title;
    store.paperSize = paperSize;
    store.margins = marginsPixels();

    // The pass state is reset however the pass ends, an exception included.
    struct Running {
        Report& report;
        ~Running() { report.m_store = nullptr; }
    } running{*this};
    m_store = &store;
    m_cancelled = false;
    m_page = 0;
    m_y = store.margins.top();
    m_bodyStarted = false;

    if (beforePrint)
        beforePrint(*this);
    if (!m_cancelled)
        startPage();
    if (!m_cancelled && m_title && m_title->enabled)
        printBand(*m_title);
    if (!m_cancelled)
        runSubDetails(nullptr);
    if (!m_cancelled)
        finishPage(true);
    return !m_cancelled;
}

bool Report::prepare(Band& band) {
    if (band.beforePrint)
        band.beforePrint(band);
    for (const auto& label : band.labels()) {
        if (m_cancelled)
            return false;
        if (label->visible && label->beforePrint)
            label->beforePrint(*label);
    }
    return !m_cancelled;
}

void Report::layOut(const Band& band, qreal y) {
    StoredPage& page = m_store->pages.back();
    const qreal x = m_store->margins.left();
    for (const auto& label : band.labels()) {
        if (!label->visible)
            continue;
        const QStringList lines = label->lines();
        const qreal lh = lineHeight(label->font);
        qreal width = label->width;
        if (width <= 0) {
            const QFontMetricsF metrics(toQFont(label->font));
            width = 0;
            for (const QString& line : lines)
                width = std::max(width, metrics.horizontalAdvance(line));
        }
        const QRectF box(x + label->left, y + label->top, width, lh * lines.size());
        if (!label->transparent)
            page.ops.push_back(RectOp{box, label->background});
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].isEmpty())
                continue;
            page.ops.push_back(TextOp{QRectF(box.left(), box.top() + i * lh, width, lh), lines[i],
                                      label->font, label->color, label->align, label->amount});
        }
        if (label->frame & ReportLabel::Top)
            page.ops.push_back(LineOp{QLineF(box.topLeft(), box.topRight())});
        if (label->frame & ReportLabel::Bottom)
            page.ops.push_back(LineOp{QLineF(box.bottomLeft(), box.bottomRight())});
        if (label->frame & ReportLabel::LeftSide)
            page.ops.push_back(LineOp{QLineF(box.topLeft(), box.bottomLeft())});
        if (label->frame & ReportLabel::RightSide)
            page.ops.push_back(LineOp{QLineF(box.topRight(), box.bottomRight())});
    }
}

void Report::printBand(Band& band) {
    if (!prepare(band))
        return;
    const qreal height = band.extent();
    if (m_bodyStarted && (band.forceNewPage || m_y + height > bodyBottom())) {
        finishPage(false);
        if (m_cancelled)
            return;
        startPage();
        if (m_cancelled)
            return;
    }
    // A band higher than a whole page prints where it starts and runs over.
    layOut(band, m_y);
    m_y += height;
    m_bodyStarted = true;
    if (band.afterPrint)
        band.afterPrint(band);
    if (m_cancelled)
        return;
    if (Band* child = band.child(); child && child->enabled)
        printBand(*child);
}

void Report::runSubDetails(const Band* master) {
    // In the order the bands were added: of two sub-details of one master, the
    // first prints all its records before the second.
    for (size_t i = 0; i < m_bands.size(); ++i) {
        Band& band = *m_bands[i];
        if (band.kind() != BandKind::SubDetail || band.master() != master)
            continue;
        if (m_cancelled)
            return;
        if (!band.enabled)
            continue;
        if (band.needData) {
            // Switched off by an event, the band stops repeating.
            while (!m_cancelled && band.enabled && band.needData()) {
                if (m_cancelled)
                    return;
                printBand(band);
                if (m_cancelled)
                    return;
                runSubDetails(&band);
            }
        } else {
            printBand(band);
            if (m_cancelled)
                return;
            runSubDetails(&band);
        }
    }
}

void Report::startPage() {
    m_store->pages.emplace_back();
    ++m_page;
    m_y = m_store->margins.top();
    m_bodyStarted = false;
    if (m_pageHeader && m_pageHeader->enabled && (m_page > 1 || printFirstPageHeader)) {
        if (!prepare(*m_pageHeader))
            return;
        const qreal height = m_pageHeader->extent();
        layOut(*m_pageHeader, m_y);
        m_y += height;
        if (m_pageHeader->afterPrint)
            m_pageHeader->afterPrint(*m_pageHeader);
    }
}

void Report::finishPage(bool last) {
    if (m_pageFooter && m_pageFooter->enabled && (!last || printLastPageFooter)) {
        if (!prepare(*m_pageFooter))
            return;
        layOut(*m_pageFooter, bodyBottom());
        if (m_pageFooter->afterPrint)
            m_pageFooter->afterPrint(*m_pageFooter);
        if (m_cancelled)
            return;
    }
    if (endPage)
        endPage(*this);
}

} // namespace reports::engine
