#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rost {

class Cursor;
class Query;

// The people query's rows, in its order, as CSV for a spreadsheet or a mail program (RFC 4180:
// a header line, CRLF line ends, fields quoted when they hold a comma, a quote or a line break,
// quotes doubled, formula starts defused as csvField says; UTF-8): the grid's four columns, then
// the family's address fields, read from families by Family ID Num. A row whose family is missing
// keeps empty address fields and adds a warning. tbSQL is left on its first row.
QByteArray listCsv(Query &tbSQL, Cursor &families, QStringList &warnings);

// One CSV field as RFC 4180 writes it; a value beginning with =, +, -, @, a tab or a carriage
// return gets a single quote in front, so that no spreadsheet takes it for a formula.
QString csvField(const QString &value);

} // namespace rost
