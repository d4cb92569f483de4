#include "controls/PaintedTexts.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStringList>
#include <QTransform>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace controls {

namespace {

// Draws nothing; keeps the text runs, placed through the painter's transform.
class TextRecordingEngine : public QPaintEngine {
public:
    // Every feature is claimed so that the painter hands over its texts as
    // they are rather than emulating them with paths.
    TextRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
    }

    void drawTextItem(const QPointF& p, const QTextItem& textItem) override {
        runs.push_back(PaintedRun{m_transform.map(p), textItem.width(), textItem.text()});
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
    void drawRects(const QRect*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawEllipse(const QRect&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawPoints(const QPoint*, int) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}

    std::vector<PaintedRun> runs;

private:
    QTransform m_transform;
};

// A large blank page with the resolution of the widget being read, so that
// fonts measure as they do on screen.
class TextRecordingDevice : public QPaintDevice {
public:
    explicit TextRecordingDevice(const QWidget& like)
        : m_dpiX(like.logicalDpiX()), m_dpiY(like.logicalDpiY()),
          m_physicalDpiX(like.physicalDpiX()), m_physicalDpiY(like.physicalDpiY()) {}
    ~TextRecordingDevice() override = default;

    QPaintEngine* paintEngine() const override { return &engine; }

    mutable TextRecordingEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override {
        constexpr int Side = 1 << 15;
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return Side;
        case PdmWidthMM:
            return int(Side * 25.4 / qMax(1, m_dpiX));
        case PdmHeightMM:
            return int(Side * 25.4 / qMax(1, m_dpiY));
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
            return m_dpiX;
        case PdmDpiY:
            return m_dpiY;
        case PdmPhysicalDpiX:
            return m_physicalDpiX;
        case PdmPhysicalDpiY:
            return m_physicalDpiY;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    int m_dpiX, m_dpiY, m_physicalDpiX, m_physicalDpiY;
};

struct Piece {
    QPointF origin;
    qreal end = 0;
    QString text;
};

bool continues(const Piece& piece, const PaintedRun& run) {
    return std::abs(piece.origin.y() - run.origin.y()) < 0.5 &&
           std::abs(piece.end - run.origin.x()) < 0.5;
}

} // namespace

QString ReadPaintedRuns(const std::vector<PaintedRun>& runs, qreal lineTolerance) {
    std::vector<Piece> pieces;
    for (const PaintedRun& run : runs) {
        if (!pieces.empty() && continues(pieces.back(), run)) {
            pieces.back().text += run.text;
            pieces.back().end = run.origin.x() + run.width;
        } else {
            pieces.push_back(Piece{run.origin, run.origin.x() + run.width, run.text});
        }
    }
    for (Piece& piece : pieces)
        piece.text = piece.text.trimmed();
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(),
                                [](const Piece& piece) { return piece.text.isEmpty(); }),
                 pieces.end());
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.origin.y() < b.origin.y(); });

    QStringList lines;
    for (size_t first = 0; first < pieces.size();) {
        size_t last = first + 1;
        while (last < pieces.size() &&
               pieces[last].origin.y() - pieces[first].origin.y() <= lineTolerance)
            ++last;
        std::stable_sort(
            pieces.begin() + qsizetype(first), pieces.begin() + qsizetype(last),
            [](const Piece& a, const Piece& b) { return a.origin.x() < b.origin.x(); });
        QStringList cells;
        for (size_t k = first; k < last; ++k)
            cells << pieces[k].text;
        lines << cells.join(QStringLiteral(", "));
        first = last;
    }
    return lines.join(QLatin1Char('\n'));
}

std::vector<PaintedRun> RecordPaintedRuns(const QWidget& like,
                                          const std::function<void(QPainter&)>& paint) {
    TextRecordingDevice device(like);
    {
        QPainter painter;
        if (!painter.begin(&device))
            return {};
        painter.setFont(like.font());
        painter.setPen(like.palette().color(QPalette::Text));
        paint(painter);
    }
    return std::move(device.engine.runs);
}

} // namespace controls
