#pragma once

#include "data/Field.h"

#include <QString>
#include <QVariantList>
#include <memory>

namespace data {

// A cursor over one table file "X.dat" of a database folder: an SQLite 3
// database holding one table X and its indexes. The file and table are matched
// without regard to letter case. Opening never creates a file. The suite's
// tables are always opened read-only; only the module's own tables
// (m3TransPendientes, m3GirosPendientes) can be written.
class Table {
public:
    Table();
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Folder of the database; "" is the process's working folder.
    void setDatabaseName(const QString& folder);
    QString databaseName() const;
    // "X.dat" (or "X"): the file, and table, to open.
    void setTableName(const QString& name);
    QString tableName() const;

    void open();  // the cursor is then on the first row
    void close(); // discards an unposted insert or edit
    bool isOpen() const;
    bool isReadOnly() const;

    // "" is the primary index (the auto-increment key, or the row order).
    void setIndexName(const QString& name);
    QString indexName() const;

    // Looks for the first row whose leading index fields equal the values.
    // Found: the cursor is on it. Not found: the cursor does not move.
    bool findKey(const QVariantList& values);

    // Only rows whose first index field lies between from and to stay visible.
    void setRange(const QVariant& from, const QVariant& to);
    void cancelRange();

    void first();
    void next();
    bool eof() const;
    int recordCount() const; // of the visible rows

    void insert(); // a new empty row in the buffer
    void edit();   // the current row into the buffer
    void post();   // writes the buffer; the cursor stays on the written row
    void cancel(); // drops the buffer
    // Deletes the current row; the cursor moves to the following row (eof when none).
    void remove();

    Field& fieldByName(const QString& name); // EngineError when absent
    Field* findField(const QString& name);   // nullptr when absent
    int fieldCount() const;
    Field& field(int index);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace data
