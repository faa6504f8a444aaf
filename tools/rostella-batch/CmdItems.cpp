#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "lists/ListKindTables.h"
#include "lists/ListMaker.h"

#include <QTextStream>

namespace rost::batch {

namespace {

// The entries the Make Lists item box offers after the list field CAPTION is chosen.
int cmdItems(const Arguments &args, DataContext &data)
{
    const QString kind = args.value(KindOption);
    RostConnection &connection = data.connection();
    ListMaker maker(connection, readSetupOf(connection));
    maker.openKindTables();
    if (!maker.chooseKind(kind))
        throw Failure{
            QStringLiteral("No list field \"%1\" is in use here; the list fields are: %2.")
                .arg(kind, maker.captions().join(QStringLiteral(", "))),
            1};
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const QString &item : maker.items())
        out << item << '\n';
    return 0;
}

} // namespace

Command itemsCommand()
{
    return Command::onData("items", "The items of a list field, as Make Lists offers them.",
                           {KindOption}, cmdItems);
}

} // namespace rost::batch
