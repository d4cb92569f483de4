#pragma once

#include "reports/engine/PageStore.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QWidget;

namespace reports::exporting {

// "Pravix" (.MTF): the prepared pages in a saved-report file of our own, read
// back by monvela-viewer into the same preview. A binary file:
//   8 bytes   "\x89MTF\r\n\x1a\n" (the line ends and the stop character show a
//             file damaged by a text-mode copy)
//   quint16   the format's version, Version
//   then, in Qt's data stream of version Qt_6_0 (big-endian, doubles of 64 bits):
//   QString   title; double paper width, height; double margins left, top,
//             right, bottom (design pixels)
//   quint32   page count, and per page: quint32 operation count, and per
//             operation quint8 kind (0 text, 1 line, 2 box) followed by
//     text:   double x, y, width, height; QString text; QString font family;
//             qint32 pixel size; quint8 bold; QColor; quint8 alignment
//             (0 left, 1 right, 2 centre); quint8 amount
//     line:   double x1, y1, x2, y2; QColor; double width
//     box:    double x, y, width, height; QColor fill
// A reader reads every version up to its own and refuses a later one.
class SavedReport {
public:
    static constexpr quint16 Version = 1;
    static const QByteArray& magic();

    static QByteArray bytes(const engine::PageStore& store);
    static bool save(const engine::PageStore& store, const QString& path, QString* error = nullptr);
    // The store saved in the file; nullopt with the reason (in Spanish) when
    // the file cannot be read, is no saved report, comes from a later version
    // or is damaged.
    static std::optional<engine::PageStore> load(const QString& path, QString* error = nullptr);
    static std::optional<engine::PageStore> fromBytes(const QByteArray& bytes, const QString& name,
                                                      QString* error = nullptr);
};

// Opens a saved report for the viewer; when it cannot, tells the user why in
// an error box and gives nullopt.
std::optional<engine::PageStore> openSavedReport(const QString& path, QWidget* parent);

} // namespace reports::exporting
