#include "controls/DropDown.h"

#include <QAction>
#include <QComboBox>
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

constexpr int NarrowArrowWidth = 12;

// The application's style with the designs' narrow drop-down buttons: a small
// icon size of 10 pixels, which makes an edit's side button 16 pixels wide with
// 2 of margin, and a combo box arrow of 12 pixels with the text beside it.
class NarrowDropDownStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_SmallIconSize)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        if (control == CC_ComboBox && (sub == SC_ComboBoxArrow || sub == SC_ComboBoxEditField)) {
            const QRect r = option->rect;
            const QRect arrow(r.right() - NarrowArrowWidth, r.top() + 1, NarrowArrowWidth,
                              r.height() - 2);
            if (sub == SC_ComboBoxArrow)
                return visualRect(option->direction, r, arrow);
            const QRect field(r.left() + 2, r.top() + 1, arrow.left() - r.left() - 2,
                              r.height() - 2);
            return visualRect(option->direction, r, field);
        }
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }
};

// One style for every such control, alive as long as the program.
NarrowDropDownStyle* narrowStyle() {
    static NarrowDropDownStyle* style = new NarrowDropDownStyle;
    return style;
}

} // namespace

QAction* addDropDownButton(QLineEdit* edit) {
    edit->setStyle(narrowStyle());
    return edit->addAction(dropDownIcon(), QLineEdit::TrailingPosition);
}

void useNarrowArrow(QComboBox* combo) {
    combo->setStyle(narrowStyle());
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
