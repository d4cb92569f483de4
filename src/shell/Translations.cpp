#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace shell {

void installSpanishTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase", "qtmultimedia"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLocale(QLocale::Spanish), QString::fromLatin1(name),
                             QStringLiteral("_"), folder))
            app.installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace shell
