#pragma once

#include "core/DateTime.h"

#include <QString>
#include <QTemporaryDir>

// A company working folder in a temporary folder, built by the company tool's
// own code, made the process's current folder for its lifetime (the program
// reads "sempresas.dat" from there). The user's data and runtime folders point
// into it too, so access markers and locks never touch the real ones.
class CompanyFixture {
public:
    enum class Kind { Empty, Demo, Bare };
    explicit CompanyFixture(Kind kind = Kind::Demo, core::TDateTime today = 0);
    ~CompanyFixture();
    CompanyFixture(const CompanyFixture&) = delete;
    CompanyFixture& operator=(const CompanyFixture&) = delete;

    QString workFolder() const; // ends in "/"
    QString dataFolder() const; // absolute, ends in "/"
    QString path(const QString& relative) const;
    QString userDataFolder() const;

    // Runs SQL on a table file of the data folder with the sqlite3 C API, as an
    // outside program would (the file is made when missing).
    void exec(const QString& tableFile, const QString& sql) const;

private:
    QTemporaryDir m_dir;
    QString m_previousCurrent;
    QByteArray m_previousData, m_previousRuntime;
};
