#include "reports/export/SavedReport.h"

#include "platform/MessageBoxService.h"
#include "reports/export/ExportFile.h"

#include <QColor>
#include <QDataStream>
#include <QFile>

namespace reports::exporting {

namespace {

constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;

enum : quint8 { KindText = 0, KindLine = 1, KindRect = 2 };

void writeRect(QDataStream& out, const QRectF& r) {
    out << r.x() << r.y() << r.width() << r.height();
}

QRectF readRect(QDataStream& in) {
    double x = 0, y = 0, w = 0, h = 0;
    in >> x >> y >> w >> h;
    return QRectF(x, y, w, h);
}

struct Writer {
    QDataStream& out;
    void operator()(const engine::TextOp& op) const {
        out << quint8(KindText);
        writeRect(out, op.rect);
        out << op.text << op.font.family << qint32(op.font.pixelSize) << quint8(op.font.bold)
            << op.color << quint8(op.align) << quint8(op.amount);
    }
    void operator()(const engine::LineOp& op) const {
        out << quint8(KindLine) << op.line.x1() << op.line.y1() << op.line.x2() << op.line.y2()
            << op.color << double(op.width);
    }
    void operator()(const engine::RectOp& op) const {
        out << quint8(KindRect);
        writeRect(out, op.rect);
        out << op.fill;
    }
};

void writeStore(QDataStream& out, const engine::PageStore& store) {
    out.writeRawData(SavedReport::magic().constData(), int(SavedReport::magic().size()));
    out << quint16(SavedReport::Version);
    out.setVersion(StreamVersion);
    out << store.title << double(store.paperSize.width()) << double(store.paperSize.height())
        << double(store.margins.left()) << double(store.margins.top())
        << double(store.margins.right()) << double(store.margins.bottom());
    out << quint32(store.pages.size());
    const Writer writer{out};
    for (const engine::StoredPage& page : store.pages) {
        out << quint32(page.ops.size());
        for (const engine::DrawOp& op : page.ops)
            std::visit(writer, op);
    }
}

// Reads one operation; false when the data make none.
bool readOp(QDataStream& in, engine::DrawOp& op) {
    quint8 kind = 0;
    in >> kind;
    switch (kind) {
    case KindText: {
        engine::TextOp text;
        text.rect = readRect(in);
        qint32 pixelSize = 0;
        quint8 bold = 0, align = 0, amount = 0;
        in >> text.text >> text.font.family >> pixelSize >> bold >> text.color >> align >> amount;
        if (pixelSize <= 0 || pixelSize > 1000 || bold > 1 || align > 2 || amount > 1)
            return false;
        text.font.pixelSize = pixelSize;
        text.font.bold = bold != 0;
        text.align = engine::Align(align);
        text.amount = amount != 0;
        op = std::move(text);
        return true;
    }
    case KindLine: {
        engine::LineOp line;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0, width = 0;
        in >> x1 >> y1 >> x2 >> y2 >> line.color >> width;
        line.line = QLineF(x1, y1, x2, y2);
        line.width = width;
        op = line;
        return true;
    }
    case KindRect: {
        engine::RectOp rect;
        rect.rect = readRect(in);
        in >> rect.fill;
        op = rect;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

const QByteArray& SavedReport::magic() {
    static const QByteArray bytes("\x89MTF\r\n\x1a\n", 8);
    return bytes;
}

QByteArray SavedReport::bytes(const engine::PageStore& store) {
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    writeStore(stream, store);
    return out;
}

bool SavedReport::save(const engine::PageStore& store, const QString& path, QString* error) {
    return saveFile(
        path,
        [&store](QIODevice& device, QString* reason) {
            QDataStream out(&device);
            writeStore(out, store);
            if (out.status() == QDataStream::Ok)
                return true;
            *reason = device.errorString();
            return false;
        },
        error);
}

std::optional<engine::PageStore> SavedReport::fromBytes(const QByteArray& bytes,
                                                        const QString& name, QString* error) {
    auto fail = [&](const QString& reason) -> std::optional<engine::PageStore> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    const QString damaged = QStringLiteral("El archivo \"%1\" está dañado o incompleto.").arg(name);
    if (!bytes.startsWith(magic()))
        return fail(QStringLiteral("El archivo \"%1\" no es un reporte guardado.").arg(name));
    QDataStream in(bytes);
    in.skipRawData(int(magic().size()));
    quint16 version = 0;
    in >> version;
    if (in.status() != QDataStream::Ok || version == 0)
        return fail(damaged);
    if (version > Version)
        return fail(QStringLiteral("El archivo \"%1\" fue grabado por una versión más reciente del "
                                   "programa (formato %2).")
                        .arg(name)
                        .arg(version));
    in.setVersion(StreamVersion);

    engine::PageStore store;
    double width = 0, height = 0, left = 0, top = 0, right = 0, bottom = 0;
    in >> store.title >> width >> height >> left >> top >> right >> bottom;
    store.paperSize = QSizeF(width, height);
    store.margins = QMarginsF(left, top, right, bottom);
    quint32 pages = 0;
    in >> pages;
    // No room is taken ahead by the counts: a damaged count ends at the end of the data.
    for (quint32 p = 0; p < pages && in.status() == QDataStream::Ok; ++p) {
        engine::StoredPage page;
        quint32 ops = 0;
        in >> ops;
        for (quint32 i = 0; i < ops && in.status() == QDataStream::Ok; ++i) {
            engine::DrawOp op;
            if (!readOp(in, op))
                return fail(damaged);
            page.ops.push_back(std::move(op));
        }
        store.pages.push_back(std::move(page));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd() || !(width > 0) || !(height > 0))
        return fail(damaged);
    return store;
}

std::optional<engine::PageStore> SavedReport::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("No se puede leer el archivo \"%1\": %2")
                         .arg(path, file.errorString());
        return std::nullopt;
    }
    // Anything else is refused before it is read whole.
    if (file.peek(magic().size()) != magic())
        return fromBytes(file.peek(magic().size()), path, error);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("No se puede leer el archivo \"%1\": %2")
                         .arg(path, file.errorString());
        return std::nullopt;
    }
    return fromBytes(bytes, path, error);
}

std::optional<engine::PageStore> openSavedReport(const QString& path, QWidget* parent) {
    QString error;
    std::optional<engine::PageStore> store = SavedReport::load(path, &error);
    if (!store)
        platform::showError(parent, error);
    return store;
}

} // namespace reports::exporting
