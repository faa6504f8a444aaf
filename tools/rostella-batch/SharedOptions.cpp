#include "SharedOptions.h"

#include "Command.h"
#include "lists/ListMaker.h"

#include <QTextStream>

namespace rost::batch {

NameLine nameLineOf(const Arguments &args)
{
    const QString text = args.value(NameLineOption);
    if (const std::optional<NameLine> line = nameLineFromName(text))
        return *line;
    QStringList names;
    for (NameLine line : allNameLines())
        names << nameLineName(line);
    throw UsageError{QStringLiteral("Unknown name line \"%1\"; the lines are %2.")
                         .arg(text, names.join(QStringLiteral(", ")))};
}

bool printReturnOf(const Arguments &args, bool stored)
{
    if (args.isSet(ReturnOption))
        return true;
    if (args.isSet(NoReturnOption))
        return false;
    return stored;
}

void printWritten(const QString &path, qsizetype count, const char *unit)
{
    QTextStream(stdout) << "Wrote " << path << " (" << count << ' ' << unit
                        << (count == 1 ? "" : "s") << ").\n";
}

void chooseListOf(ListMaker &maker, const Arguments &args, bool item)
{
    const QString kind = args.value(KindOption);
    maker.openKindTables();
    if (!(item ? maker.chooseItem(kind, args.value(ItemOption)) : maker.chooseKind(kind)))
        throw Failure{
            QStringLiteral("No list field \"%1\" is in use here; the list fields are: %2.")
                .arg(kind, maker.captions().join(QStringLiteral(", "))),
            1};
}

void printWarnings(const QStringList &warnings)
{
    QTextStream err(stderr);
    err.setEncoding(QStringConverter::Utf8);
    for (const QString &w : warnings)
        err << "Warning: " << w << '\n';
}

} // namespace rost::batch
