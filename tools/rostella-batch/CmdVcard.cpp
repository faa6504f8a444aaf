#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "directory/AtomicSave.h"
#include "exports/VCardExport.h"
#include "lists/ListKindTables.h"
#include "lists/ListMaker.h"

namespace rost::batch {

namespace {

constexpr Option All{"all", nullptr, "everyone in the directory, by last name"};
constexpr Option Photos{"photos", nullptr, "add each family's picture, at most 256 pixels a side"};
constexpr Option Out{"out", "FILE.vcf", "the vCard file to write"};

// Contacts as phones and address books import them: one person, the people of one list item, or
// everyone; written whole or not at all.
int cmdVcard(const Arguments &args, DataContext &data)
{
    RostConnection &connection = data.connection();
    const QString path = args.value(Out);
    AtomicSave save(path);
    VCardExport cards(
        connection, [&](QByteArrayView bytes) { save.write(bytes); }, args.isSet(Photos));
    if (args.isSet(IndivOption)) {
        cards.writeIndividual(args.number<IndivId>(IndivOption));
    } else if (args.isSet(All)) {
        cards.writeAll();
    } else {
        const QString kind = args.value(KindOption);
        const QString item = args.value(ItemOption);
        const DirectorySetup setup = readSetupOf(connection);
        ListMaker maker(connection, setup);
        chooseListOf(maker, args);
        if (maker.tbSQL().recordCount() == 0)
            throw Failure{QStringLiteral("The list of \"%1\" in %2 is empty; nothing was written.")
                              .arg(item, kind),
                          1};
        cards.writeList(maker.tbSQL(), setup, kind, item);
    }
    cards.finish();
    save.commit();
    printWarnings(cards.warnings());
    printWritten(path, cards.cards(), "card");
    return 0;
}

} // namespace

Command vcardCommand()
{
    return Command::onData(
        "vcard",
        "Contacts as vCard 4.0: one person, the people holding an item, or "
        "everyone, one card each.",
        {oneOf({IndivOption, All, sequence({KindOption, ItemOption})}), optional(Photos), Out},
        cmdVcard);
}

} // namespace rost::batch
