#include "support/CompanyFixture.h"

#include "Company.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>
#include <stdexcept>

CompanyFixture::CompanyFixture(Kind kind, core::TDateTime today) {
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_previousCurrent = QDir::currentPath();
    m_previousData = qgetenv("XDG_DATA_HOME");
    m_previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    QDir(m_dir.path()).mkpath(QStringLiteral(".user/data"));
    QDir(m_dir.path()).mkpath(QStringLiteral(".user/runtime"));
    QFile::setPermissions(m_dir.filePath(QStringLiteral(".user/runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral(".user/data"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral(".user/runtime"))));
    const QString work = m_dir.filePath(QStringLiteral("suite"));
    if (kind == Kind::Demo)
        company::createDemo(work, today);
    else if (kind == Kind::Empty)
        company::create(work);
    else
        QDir().mkpath(work);
    QDir::setCurrent(work);
}

CompanyFixture::~CompanyFixture() {
    QDir::setCurrent(m_previousCurrent);
    if (m_previousData.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_previousData);
    if (m_previousRuntime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", m_previousRuntime);
}

QString CompanyFixture::workFolder() const {
    return m_dir.filePath(QStringLiteral("suite")) + QLatin1Char('/');
}

QString CompanyFixture::dataFolder() const {
    return workFolder() + company::DataFolderName + QLatin1Char('/');
}

QString CompanyFixture::path(const QString& relative) const {
    return workFolder() + relative;
}

QString CompanyFixture::userDataFolder() const {
    return m_dir.filePath(QStringLiteral(".user/data"));
}

void CompanyFixture::exec(const QString& tableFile, const QString& sql) const {
    sqlite3* db = nullptr;
    const QByteArray file = QFile::encodeName(dataFolder() + tableFile);
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.toStdString());
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error(message);
}
