#pragma once

#include "reports/engine/PageStore.h"

#include <QColor>
#include <QMarginsF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace reports::engine {

class Band;
class Report;

// A text printed on a band at a fixed place. Positions are design pixels from
// the band's top left corner (the band starts at the page's left margin).
struct ReportLabel {
    // Sides along which a line is drawn.
    enum Side { NoSide = 0, Top = 1, Bottom = 2, LeftSide = 4, RightSide = 8 };

    QString name;
    // Lines separated by CR LF (or LF); a line end after the last line adds none.
    // The label is as high as its lines.
    QString text;
    qreal left = 0;
    qreal top = 0;
    qreal width = 0; // 0: as wide as its longest line
    Align align = Align::Left;
    FontSpec font;
    QColor color = Qt::black;
    bool transparent = true;       // false: the box is filled with the background
    QColor background = Qt::white; // used when not transparent
    int frame = NoSide;            // Side flags
    bool visible = true;           // an invisible label prints nothing and takes no room
    bool amount = false;           // the text is an amount in the program's format
    // Called before the label prints, after its band's before-print event; it
    // may change anything of the label, its visibility too.
    std::function<void(ReportLabel&)> beforePrint;

    QStringList lines() const;
    qreal height() const; // lines times the font's line height
};

enum class BandKind {
    Title,      // once, at the top of the first page's body
    Child,      // right after the band it belongs to, whenever that one prints
    PageHeader, // top of every page (of the first only with printFirstPageHeader)
    PageFooter, // bottom of every page (of the last only with printLastPageFooter)
    SubDetail,  // under its master: while needData says so, or once per master record
};

// A horizontal strip of the page with its labels and events. The report owns it.
class Band {
public:
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    BandKind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    Report& report() const { return m_report; }
    // Sub-details: the band whose records they repeat under; nullptr for the report.
    Band* master() const { return m_master; }
    // The child band that prints right after this one, or nullptr.
    Band* child() const { return m_child; }

    // Designed height; the band grows to hold every visible label.
    qreal height = 0;
    // A band switched off prints nothing, and neither do its child and sub-details.
    bool enabled = true;
    // The band starts on a new page when it prints, unless nothing but the page
    // header is on the current page yet. The events set it and clear it.
    bool forceNewPage = false;

    // Sub-details only: asked before every print; the band prints while it
    // answers true. A sub-detail without it prints once per record of its master.
    std::function<bool()> needData;
    // Before the band is measured and laid out: the event fills its labels.
    std::function<void(Band&)> beforePrint;
    // After the band has been laid out on its page.
    std::function<void(Band&)> afterPrint;

    // A new label with the report's font.
    ReportLabel& addLabel(const QString& name, const QString& text, qreal left, qreal top,
                          qreal width = 0);
    const std::vector<std::unique_ptr<ReportLabel>>& labels() const { return m_labels; }
    ReportLabel* findLabel(const QString& name) const;

    // The height the band takes when printed now.
    qreal extent() const;

private:
    friend class Report;
    Band(Report& report, BandKind kind, const QString& name, qreal height, Band* master);

    Report& m_report;
    BandKind m_kind;
    QString m_name;
    Band* m_master = nullptr;
    Band* m_child = nullptr;
    std::vector<std::unique_ptr<ReportLabel>> m_labels;
};

// A banded report: the page setup, the bands and the report's events. A pass
// (run) lays it out into a page store, calling the events as the bands print:
// the report's beforePrint first; then the title band and its child; then the
// sub-details of the report in the order they were added, each printing its own
// sub-details after each of its prints; the page header and footer at every
// page change; the report's endPage after each page.
class Report {
public:
    explicit Report(const QString& title = QString());
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    QString title;
    QSizeF paperSize = letterSize(); // design pixels
    QMarginsF marginsMm{10, 10, 10, 10};
    FontSpec font; // the font of labels added from now on
    bool printFirstPageHeader = true;
    bool printLastPageFooter = true;

    // Start of every pass, before anything is laid out.
    std::function<void(Report&)> beforePrint;
    // End of every page, after its footer.
    std::function<void(Report&)> endPage;

    Band& addTitle(const QString& name, qreal height);
    Band& addPageHeader(const QString& name, qreal height);
    Band& addPageFooter(const QString& name, qreal height);
    // Only title bands, sub-details and child bands have a child band.
    Band& addChild(Band& parent, const QString& name, qreal height);
    // master nullptr: a sub-detail of the report itself, whose one record is the run.
    Band& addSubDetail(const QString& name, qreal height, Band* master = nullptr);

    Band* findBand(const QString& name) const;
    ReportLabel* findLabel(const QString& name) const;

    // One pass: the store is emptied and receives the pages. True when the pass
    // ended; false when an event cancelled it, and then the store holds the pages
    // as far as they were laid out. An exception from an event ends the pass and
    // goes on to the caller.
    bool run(PageStore& store);

    // For the events, while a pass runs.
    void cancel() { m_cancelled = true; } // stops the pass at once: nothing more prints
    bool isCancelled() const { return m_cancelled; }
    bool isRunning() const { return m_store != nullptr; }
    int pageNumber() const { return m_page; } // 1 on the first page
    // Where the next band would start, from the top edge of the paper.
    qreal printPosition() const { return m_y; }
    qreal printPositionMm() const { return pixelsToMm(m_y); }

    QMarginsF marginsPixels() const;

private:
    Band& add(BandKind kind, const QString& name, qreal height, Band* master);
    qreal bodyBottom() const;
    bool prepare(Band& band);
    void layOut(const Band& band, qreal y);
    void printBand(Band& band);
    void runSubDetails(const Band* master);
    void startPage();
    void finishPage(bool last);

    std::vector<std::unique_ptr<Band>> m_bands; // in the order added
    Band* m_title = nullptr;
    Band* m_pageHeader = nullptr;
    Band* m_pageFooter = nullptr;

    PageStore* m_store = nullptr;
    bool m_cancelled = false;
    int m_page = 0;
    qreal m_y = 0;
    bool m_bodyStarted = false;
};

} // namespace reports::engine
