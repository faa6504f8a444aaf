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
    RostConnection &connection = data.connection();
    ListMaker maker(connection, readSetupOf(connection));
    chooseListOf(maker, args, false);
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
