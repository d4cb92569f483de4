#pragma once

#include "data/Field.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace data {

// One SELECT statement over the table files of a database folder. Table names
// in the statement are resolved to the files of the folder without regard to
// letter case and attached, read-only, for the statement; a table named in
// double quotes by a path ("folder/SFixed" or "folder\SFixed") is that file.
// Where two result columns share a name, fieldByName gives the last of them.
class Query {
public:
    Query();
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    void setDatabaseName(const QString& folder);
    QString databaseName() const;

    void close();
    bool isOpen() const;
    void clearSql();
    void addSql(const QString& text); // appends a line of statement text
    QString sql() const;

    // Named parameters, as ":Fecha" or "Fecha".
    void setParamDateTime(const QString& name, core::TDateTime value);
    void setParamDate(const QString& name, core::TDateTime value); // the time is dropped
    void setParamString(const QString& name, const QString& value);

    void open(); // the cursor is then on the first result row
    void next();
    bool eof() const;

    Field& fieldByName(const QString& name); // EngineError when absent
    Field* findField(const QString& name);
    int fieldCount() const;
    Field& field(int index);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace data
