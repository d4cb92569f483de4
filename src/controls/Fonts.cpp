#include "controls/Fonts.h"

#include <QStringList>

namespace controls {

void installFontSubstitutions() {
    // Liberation Sans first; Arimo has the same metrics where Liberation is missing.
    const QStringList metricCompatible = {QStringLiteral("Liberation Sans"),
                                          QStringLiteral("Arimo")};
    for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif", "Arial"})
        QFont::insertSubstitutions(QString::fromLatin1(family), metricCompatible);
}

QFont designFont() {
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

} // namespace controls
