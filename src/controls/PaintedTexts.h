#pragma once

#include <QPointF>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QWidget;

namespace controls {

// What an owner-drawn row says is what it paints: the row's painting runs once
// more on a painter that draws nothing and only notes the texts, so the words a
// screen reader reads are always the words on the screen.

// One text run as the painter handed it over: its baseline origin (in the
// painter's coordinates, transform applied), its advance and its characters.
// One drawText call may come as several runs (one per script), one after the
// other on the same baseline.
struct PaintedRun {
    QPointF origin;
    qreal width = 0;
    QString text;
};

// The runs read as text: runs that continue one another (same baseline, the
// next starting where the previous ended) make one piece; pieces are trimmed
// and empty ones dropped; pieces whose baselines lie within `lineTolerance`
// pixels make one line, read left to right and joined by ", "; the lines are
// read top to bottom, one per text line ("\n").
QString ReadPaintedRuns(const std::vector<PaintedRun>& runs, qreal lineTolerance = 2);

// Runs `paint` on a painter that draws nothing, with the font, resolution and
// palette-free state of `like` (the widget whose painting is read), and
// returns the runs of text it drew.
std::vector<PaintedRun> RecordPaintedRuns(const QWidget& like,
                                          const std::function<void(QPainter&)>& paint);

} // namespace controls
