#include "directory/Statement.h"
#include "directory/TableWriter.h"
#include "directory/Tables.h"
#include "lists/ListKinds.h"

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>

namespace {

sqlite3 *directory()
{
    static sqlite3 *db = [] {
        sqlite3 *d = nullptr;
        sqlite3_open(":memory:", &d);
        for (const rost::TableDef *def : rost::allTables())
            rost::execSql(d, rost::TableWriter::createSql(*def));
        rost::execSql(d, QStringLiteral("INSERT INTO RostFamilies (\"Family ID Num\") VALUES (1);"
                                        "INSERT INTO RostIndividuals (\"Indiv ID Num\", "
                                        "\"Family ID Num\") VALUES (1, 1);"));
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
