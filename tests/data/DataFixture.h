#pragma once

// Helpers of the table engine tests: table files made with the SQLite C
// interface, so that the fixtures do not depend on the code under test.

#include "core/Formats.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTest>
#include <sqlite3.h>

namespace datatest {

// Runs statements on a database file, creating it when missing (without
// waiting for the disk: fixtures need no durability).
inline void runSql(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
             SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, ("PRAGMA synchronous = OFF;" + sql).toUtf8().constData(),
                                nullptr, nullptr, &message);
    const QString text = message ? QString::fromUtf8(message) : QString();
    sqlite3_free(message);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(text));
}

inline QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

inline QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Day separator "/", decimal ",", thousands ".", "AM"/"PM".
inline void useTestFormats() {
    core::Formats f;
    f.dateSeparator = QLatin1Char('/');
    f.decimalSeparator = QLatin1Char(',');
    f.thousandSeparator = QLatin1Char('.');
    f.amText = QStringLiteral("AM");
    f.pmText = QStringLiteral("PM");
    core::Formats::setCurrent(f);
}

} // namespace datatest
