#pragma once

// A test that needs a second program working on the same company folder
// starts its own executable again with a role argument: main() runs the role
// instead of the tests. The child works in the parent's company folder with
// its own runtime folder (the parent holds the single-instance lock in its
// own), and reports its progress one line at a time on its output.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <sqlite3.h>

namespace reliability {

// Starts the test executable again as `role` in the folder `work`.
inline void startChild(QProcess& child, const QString& role, const QStringList& args,
                       const QString& work) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString runtime = QDir(work).absoluteFilePath(QStringLiteral("../.user/child-runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(work);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), QStringList{role} + args);
}

// The next line the child reports; empty when it ended without one. The
// wait ends with the child's output, never with a clock.
inline QString nextLine(QProcess& child) {
    while (!child.canReadLine()) {
        if (child.state() == QProcess::NotRunning && !child.waitForReadyRead(0))
            return child.canReadLine() ? QString::fromUtf8(child.readLine()).trimmed() : QString();
        child.waitForReadyRead(-1);
    }
    return QString::fromUtf8(child.readLine()).trimmed();
}

// Reports one line of progress to the parent.
inline void report(const QByteArray& line) {
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// What SQLite's own check says of a table file: "ok" when it is sound. The
// file is opened for writing, as the suite would, so a journal left by a
// killed writer is rolled back first.
inline QString integrity(const QString& file) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        const QString error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return error;
    }
    sqlite3_busy_timeout(db, 5000);
    QStringList out;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &s, nullptr) == SQLITE_OK) {
        while (sqlite3_step(s) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    } else {
        out << QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out.join(QLatin1Char('\n'));
}

// One whole number from an SQL statement on a table file, as an outside program reads it.
inline qint64 scalar(const QString& file, const QString& sql) {
    sqlite3* db = nullptr;
    qint64 value = -1;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_busy_timeout(db, 5000);
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr) == SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            value = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return value;
}

} // namespace reliability
