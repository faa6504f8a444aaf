#pragma once

#include "directory/Tables.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>

struct sqlite3;

namespace rost {

class Statement;

// Creates one table file in the documented format (table, columns, indexes with a row-number
// tiebreak) and fills it. Used by the archive packer, the sample directory and test fixtures;
// the program itself never creates tables. The file is written in one transaction and is
// complete only after commit().
class TableWriter
{
public:
    // Replaces any file at path.
    TableWriter(const QString &path, const TableDef &def);
    ~TableWriter();
    TableWriter(const TableWriter &) = delete;
    TableWriter &operator=(const TableWriter &) = delete;

    // Appends a row; fields are named as in the table definition (any case), absent fields take
    // their default (empty text, 0, false, no picture). Text longer than the field is cut.
    void insert(const QHash<QString, QVariant> &row);
    void commit();

    // The CREATE TABLE and CREATE INDEX statements of a definition, as documented.
    static QString createSql(const TableDef &def);

private:
    QString m_path;
    const TableDef &m_def;
    sqlite3 *m_db = nullptr;
    std::unique_ptr<Statement> m_insert;
};

} // namespace rost
