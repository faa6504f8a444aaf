#include "Command.h"
#include "DataContext.h"

#include "directory/EngineError.h"
#include "directory/Query.h"

#include <QTextStream>

#include <limits>

namespace rost::batch {

namespace {

constexpr Argument Sql{"\"SQL\"", "one SELECT statement; tables are named without extension"};
constexpr Option MaxRows{"max-rows", "N",
                         "stop with an error when the result has more rows (100000)",
                         NumberRange{1, std::numeric_limits<int>::max()}};
constexpr Option Timeout{"timeout", "SECONDS", "stop with an error when the query runs longer (30)",
                         NumberRange{1, 86400}};

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

int cmdQuery(const Arguments &args, DataContext &data)
{
    Query query(data.connection());
    query.setSql(args.argument(Sql));
    query.setLimits({args.number(MaxRows, 100000), args.number(Timeout, 30)});
    try {
        query.open();
    } catch (const EngineError &e) {
        if (e.code() == EngineError::RowLimit)
            throw Failure{e.text() + QStringLiteral("; --max-rows sets another limit."), 1};
        if (e.code() == EngineError::TimeLimit)
            throw Failure{e.text() + QStringLiteral("; --timeout sets another limit."), 1};
        throw;
    }
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

} // namespace

Command queryCommand()
{
    return Command::onData("query",
                           "Runs one SELECT through the engine and prints a header row, then the "
                           "rows, tab-separated. Text after the statement is refused; a result of "
                           "more rows than --max-rows, or a query running longer than --timeout, "
                           "stops with an error and prints nothing.",
                           {optional(MaxRows), optional(Timeout), Sql}, cmdQuery);
}

} // namespace rost::batch
