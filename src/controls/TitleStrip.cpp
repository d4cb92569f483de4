#include "controls/TitleStrip.h"

#include <QLabel>

namespace controls {

void MakeTitleStrip(QLabel* label) {
    label->setAutoFillBackground(true);
    QPalette strip = label->palette();
    strip.setColor(QPalette::Window, Qt::black);
    strip.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(strip);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
}

} // namespace controls
