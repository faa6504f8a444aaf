#pragma once

#include "directory/Tables.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <vector>

namespace rost::test {

using Row = QHash<QString, QVariant>;

// Writes one table file of the directory's layout into folder (file name as given, so tests can
// vary its case) with the rows in the given order.
void writeTable(const QString &folder, const TableDef &def, const std::vector<Row> &rows,
                const QString &fileName = {});

// A family row and an individual row with the fields tests use most; further fields by insert.
Row family(int id, const QString &familyName, const QString &vorelName = {});
Row person(int indiv, int family, int rank, const QString &first, const QString &last,
           const QString &status = {}, const QString &goesBy = {}, const QString &title = {});

// A setup table of one row.
void writeSetup(const QString &folder, bool offices, bool talents, bool activities, bool user1,
                bool user2, const QString &user1Name = {}, const QString &user2Name = {});

} // namespace rost::test
