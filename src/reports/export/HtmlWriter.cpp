#include "reports/export/HtmlWriter.h"

#include "reports/export/ExportFile.h"

#include <QBuffer>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace reports::exporting {

namespace {

QString px(qreal value) {
    return QString::number(value, 'f', 2) + QStringLiteral("px");
}

QString colour(const QColor& c) {
    return c.name(QColor::HexRgb);
}

// An element with content, never "<div/>": an HTML reader would take that for
// an open element.
void element(QXmlStreamWriter& xml, const QString& cls, const QString& style,
             const QString& text = QString()) {
    xml.writeStartElement(QStringLiteral("div"));
    xml.writeAttribute(QStringLiteral("class"), cls);
    xml.writeAttribute(QStringLiteral("style"), style);
    xml.writeCharacters(text);
    xml.writeEndElement();
}

struct Html {
    QXmlStreamWriter& xml;
    qreal paperWidth;

    void operator()(const engine::TextOp& op) const {
        QString style = QStringLiteral("top:%1;font-size:%2;line-height:%3;color:%4;")
                            .arg(px(op.rect.top()), px(op.font.pixelSize), px(op.rect.height()),
                                 colour(op.color));
        if (op.font.bold)
            style += QStringLiteral("font-weight:bold;");
        // Placed by the edge the label is aligned to, so a text wider than its
        // box grows the way it does on the page.
        switch (op.align) {
        case engine::Align::Left:
            style += QStringLiteral("left:%1;").arg(px(op.rect.left()));
            break;
        case engine::Align::Right:
            style += QStringLiteral("right:%1;").arg(px(paperWidth - op.rect.right()));
            break;
        case engine::Align::Center:
            style +=
                QStringLiteral("left:%1;transform:translateX(-50%);").arg(px(op.rect.center().x()));
            break;
        }
        element(xml, op.amount ? QStringLiteral("t n") : QStringLiteral("t"), style, op.text);
    }
    void operator()(const engine::LineOp& op) const {
        // The pen is centred on the line, as the painter draws it.
        QRectF box = QRectF(op.line.p1(), op.line.p2()).normalized();
        if (box.height() < op.width)
            box.adjust(0, -op.width / 2, 0, op.width / 2 - box.height());
        if (box.width() < op.width)
            box.adjust(-op.width / 2, 0, op.width / 2 - box.width(), 0);
        element(xml, QStringLiteral("l"),
                QStringLiteral("left:%1;top:%2;width:%3;height:%4;background:%5;")
                    .arg(px(box.left()), px(box.top()), px(box.width()), px(box.height()),
                         colour(op.color)));
    }
    void operator()(const engine::RectOp& op) const {
        element(xml, QStringLiteral("r"),
                QStringLiteral("left:%1;top:%2;width:%3;height:%4;background:%5;")
                    .arg(px(op.rect.left()), px(op.rect.top()), px(op.rect.width()),
                         px(op.rect.height()), colour(op.fill)));
    }
};

} // namespace

QByteArray HtmlWriter::bytes(const engine::PageStore& store) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.writeDTD(QStringLiteral("<!DOCTYPE html>"));
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartElement(QStringLiteral("html"));
    xml.writeAttribute(QStringLiteral("xmlns"), QStringLiteral("http://www.w3.org/1999/xhtml"));
    xml.writeAttribute(QStringLiteral("lang"), QStringLiteral("es"));
    xml.writeStartElement(QStringLiteral("head"));
    xml.writeEmptyElement(QStringLiteral("meta"));
    xml.writeAttribute(QStringLiteral("charset"), QStringLiteral("utf-8"));
    xml.writeTextElement(QStringLiteral("title"), store.title);
    xml.writeTextElement(
        QStringLiteral("style"),
        QStringLiteral("body{background:#808080;margin:0;padding:12px;}"
                       ".page{position:relative;overflow:hidden;background:#fff;"
                       "margin:0 auto 12px auto;box-shadow:2px 2px 4px #404040;width:%1;height:%2;}"
                       ".t{position:absolute;white-space:pre;"
                       "font-family:Arial,'Liberation Sans',Arimo,Helvetica,sans-serif;}"
                       ".l,.r{position:absolute;}")
            .arg(px(store.paperSize.width()), px(store.paperSize.height())));
    xml.writeEndElement(); // head
    xml.writeStartElement(QStringLiteral("body"));
    for (size_t p = 0; p < store.pages.size(); ++p) {
        xml.writeStartElement(QStringLiteral("div"));
        xml.writeAttribute(QStringLiteral("class"), QStringLiteral("page"));
        xml.writeAttribute(QStringLiteral("id"), QStringLiteral("p%1").arg(p + 1));
        const Html html{xml, store.paperSize.width()};
        for (const engine::DrawOp& op : store.pages[p].ops)
            std::visit(html, op);
        xml.writeCharacters(QString());
        xml.writeEndElement(); // page
    }
    xml.writeCharacters(QString());
    xml.writeEndElement(); // body
    xml.writeEndElement(); // html
    xml.writeEndDocument();
    return out;
}

bool HtmlWriter::write(const engine::PageStore& store, const QString& path, QString* error) {
    return saveFile(path, bytes(store), error);
}

} // namespace reports::exporting
