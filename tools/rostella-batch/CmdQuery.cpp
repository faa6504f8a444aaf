#include "Commands.h"

#include "directory/Query.h"
#include "directory/RostConnection.h"

#include <QTextStream>

#include <cstdio>

namespace rost::batch {

namespace {

// Tab-separated output stays one line per row: tabs, line breaks and backslashes inside values
// are written as \t, \n, \r and \\.
QString cellText(const QVariant &v)
{
    if (!v.isValid())
        return {};
    if (v.typeId() == QMetaType::QByteArray)
        return QStringLiteral("[%1 bytes]").arg(v.toByteArray().size());
    QString s = v.toString();
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    s.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return s;
}

} // namespace

int cmdQuery(const QStringList &args)
{
    const Options opt(args, {QStringLiteral("data")}, {});
    if (opt.positional().size() != 1)
        throw Failure{QStringLiteral("Give exactly one SQL statement."), 2};
    RostConnection connection;
    connection.setPath(opt.required(QStringLiteral("data")));
    connection.connect();
    Query query(connection);
    query.setSql(opt.positional().first());
    query.open();
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    out << query.columnNames().join(QLatin1Char('\t')) << '\n';
    for (int row = 0; row < query.recordCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < int(query.columnNames().size()); ++col)
            cells << cellText(query.valueAt(row, col));
        out << cells.join(QLatin1Char('\t')) << '\n';
    }
    return 0;
}

} // namespace rost::batch
