#include "shell/EncodePassword.h"

#include <QTest>

using shell::EncodePassword;

class TstEncodePassword : public QObject {
    Q_OBJECT
private slots:
    void encodes_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<unsigned>("key");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("empty") << QString() << 123u << QString();
        QTest::newRow("digits added") << QStringLiteral("abc") << 123u << QStringLiteral("bdf");
        // "12" doubles to "1212" for a four-character password.
        QTest::newRow("key doubled") << QStringLiteral("AAAA") << 12u << QStringLiteral("BCBC");
        QTest::newRow("zero digit") << QStringLiteral("xy") << 90u << QStringLiteral("\u0081y");
        // 8-bit codes wrap at 256.
        QTest::newRow("wraps") << QStringLiteral("\u00ff\u00fe") << 93u
                               << QString(QChar(8)) + QChar(1);
        QTest::newRow("code page") << QStringLiteral("€") << 1u << QStringLiteral("\u0081");
    }
    void encodes() {
        QFETCH(QString, password);
        QFETCH(unsigned, key);
        QFETCH(QString, encoded);
        QCOMPARE(EncodePassword(password, key), encoded);
    }

    void longPasswordsUseTheDoubledKeyAndStopAt255() {
        const QString password(300, QLatin1Char('a'));
        const QString encoded = EncodePassword(password, shell::PasswordKey);
        QCOMPARE(encoded.size(), 255);
        const QString digits = QString::number(shell::PasswordKey);
        for (int i = 0; i < encoded.size(); ++i)
            QCOMPARE(encoded.at(i).unicode(),
                     char16_t('a' + digits.at(i % digits.size()).digitValue()));
    }
};

QTEST_APPLESS_MAIN(TstEncodePassword)
#include "tst_encodepassword.moc"
