#include "shell/Translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

// Qt's own dialogs speak Spanish like the rest of the program.
class TstTranslations : public QObject {
    Q_OBJECT
private slots:
    void standardButtonsAreSpanish() {
        shell::installSpanishTranslations(*QCoreApplication::instance());
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
        QCOMPARE(box.button(QDialogButtonBox::Open)->text(), QStringLiteral("Abrir"));
    }
};

QTEST_MAIN(TstTranslations)
#include "tst_translations.moc"
