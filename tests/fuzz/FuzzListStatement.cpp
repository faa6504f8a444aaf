#include "directory/Statement.h"
#include "directory/TableWriter.h"
#include "directory/Tables.h"
#include "lists/ListKinds.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>

namespace {

// Each table in a file of its own, attached under its name, as the program opens a directory:
// the tables share index names, so they cannot live in one database.
sqlite3 *directory()
{
    static QTemporaryDir folder;
    static sqlite3 *db = [] {
        for (const rost::TableDef *def : rost::allTables()) {
            rost::TableWriter writer(folder.filePath(QString(def->file)), *def);
            if (def->table == QLatin1String("RostFamilies"))
                writer.insert({{QStringLiteral("Family ID Num"), 1}});
            else if (def->table == QLatin1String("RostIndividuals"))
                writer.insert(
                    {{QStringLiteral("Indiv ID Num"), 1}, {QStringLiteral("Family ID Num"), 1}});
            writer.commit();
        }
        sqlite3 *d = nullptr;
        sqlite3_open(":memory:", &d);
        for (const rost::TableDef *def : rost::allTables()) {
            rost::Statement attach(d, QStringLiteral("ATTACH DATABASE ?1 AS ?2"));
            attach.bind(1, folder.filePath(QString(def->file)));
            attach.bind(2, QString(def->table));
            attach.step();
        }
        return d;
    }();
    return db;
}

} // namespace

// An item name from the tables becomes part of Make Lists' statement text: whatever it holds,
// the text is one statement that selects exactly the people holding that item.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    sqlite3 *db = directory();
    const auto kind = rost::allListKinds()[data[0] % rost::ListKindCount];
    const QString item = QString::fromUtf8(reinterpret_cast<const char *>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    const QString table = rost::kindTableFile(kind).chopped(4);
    const QString field = rost::kindItemField(kind);

    const QByteArray sql = rost::peopleStatement(kind, item).toUtf8();
    sqlite3_stmt *statement = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &statement, &tail) !=
        SQLITE_OK)
        __builtin_trap();
    if (tail != sql.constData() + sql.size())
        __builtin_trap();
    if (sqlite3_stmt_readonly(statement) == 0)
        __builtin_trap();

    rost::Statement insert(db,
                           QStringLiteral("INSERT INTO %1 (\"Indiv ID Num\", %2) VALUES (1, ?1)")
                               .arg(rost::quoteIdent(table), rost::quoteIdent(field)));
    insert.bind(1, item);
    insert.step();
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW)
        ++rows;
    sqlite3_finalize(statement);
    rost::execSql(db, QStringLiteral("DELETE FROM %1").arg(rost::quoteIdent(table)));
    if (rows != 1)
        __builtin_trap();
    return 0;
}
