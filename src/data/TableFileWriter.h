#pragma once

#include <QString>
#include <QVariantMap>
#include <memory>

namespace data {

// Writes rows straight into an existing table file "X.dat" of a folder,
// whatever the table. For the company tool and test fixtures only: the
// module reads the suite's tables through Table and Query, which open them
// read-only, and writes its own tables through Table.
class TableFileWriter {
public:
    // Opens "<table>.dat" (matched without regard to letter case) read-write.
    // EngineError when the file or the table is missing; nothing is created.
    TableFileWriter(const QString& folder, const QString& table);
    ~TableFileWriter(); // rolls back a transaction left open
    TableFileWriter(const TableFileWriter&) = delete;
    TableFileWriter& operator=(const TableFileWriter&) = delete;

    // Inserts one row and returns its rowid (the auto-increment key where the
    // table has one). Values are natural and converted by the column's type:
    // text; integers; a double for FLOAT, and for CURRENCY as an amount (stored
    // as ten-thousandths); QDate, QTime, QDateTime or a day count for DATE, TIME
    // and TIMESTAMP; bool for BOOLEAN. Columns left out stay null.
    qint64 insert(const QVariantMap& values);

    // Runs statements that return no rows, for bulk generation.
    void execute(const QString& sql);

    // Groups the writes between them into one transaction. Only for the bulk
    // generator of the benchmarks: the module never uses transactions.
    void begin();
    void commit();

    QString path() const;
    QString tableName() const; // as stored in the file

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace data
