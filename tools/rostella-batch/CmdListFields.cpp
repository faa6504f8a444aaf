#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "lists/ListKindTables.h"

#include <QTextStream>

namespace rost::batch {

namespace {

// What View List Fields shows for one person, every kind at once: "caption<TAB>item" per entry.
int cmdListFields(const Arguments &args, DataContext &data)
{
    RostConnection &connection = data.connection();
    const std::vector<HeldItem> held =
        heldItems(connection, readSetupOf(connection), args.number<IndivId>(IndivOption));
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const HeldItem &h : held)
        out << h.caption << '\t' << h.item << '\n';
    return 0;
}

} // namespace

Command listFieldsCommand()
{
    return Command::onData("listfields",
                           "Every list item a person holds, as the list field's caption, a tab "
                           "and the item.",
                           {IndivOption}, cmdListFields);
}

} // namespace rost::batch
