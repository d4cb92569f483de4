#include "controls/DropDown.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QProxyStyle>
#include <QScreen>
#include <QWidget>

namespace controls {

namespace {

// The application's style with a small icon size of 10 pixels, which makes an
// edit's side button 16 pixels wide with 2 of margin.
class NarrowSideButtonStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_SmallIconSize)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

QAction* addDropDownButton(QLineEdit* edit) {
    // One style for every such edit, alive as long as the program.
    static NarrowSideButtonStyle* style = new NarrowSideButtonStyle;
    edit->setStyle(style);
    return edit->addAction(dropDownIcon(), QLineEdit::TrailingPosition);
}

void showDropDown(QWidget* popup, QWidget* anchor) {
    popup->adjustSize();
    const QSize size = popup->size();
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (at.y() + size.height() > area.bottom() + 1)
            at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - size.height());
        at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() + 1 - size.width())));
        at.setY(qMax(at.y(), area.top()));
    }
    popup->move(at);
    popup->show();
}

QIcon dropDownIcon() {
    QPixmap normal(12, 12);
    normal.fill(Qt::transparent);
    QPixmap disabled = normal;
    const auto draw = [](QPixmap& pixmap, const QColor& color) {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawPolygon(QPolygon({QPoint(2, 4), QPoint(10, 4), QPoint(6, 9)}));
    };
    draw(normal, QColor(0, 0, 0));
    draw(disabled, QColor(128, 128, 128));
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(disabled, QIcon::Disabled);
    return icon;
}

} // namespace controls
