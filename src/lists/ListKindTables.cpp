#include "lists/ListKindTables.h"

#include "directory/EngineError.h"
#include "directory/Tables.h"

namespace rost {

namespace {

std::size_t slot(ListKind kind)
{
    return static_cast<std::size_t>(kind);
}

} // namespace

ListKindTables::ListKindTables(RostConnection &connection)
{
    for (ListKind kind : allListKinds())
        m_cursors[slot(kind)] = std::make_unique<Cursor>(connection, kindTableFile(kind));
}

ListKindTables::~ListKindTables()
{
    close();
}

void ListKindTables::open(const DirectorySetup &setup, Cursor *master)
{
    for (ListKind kind : allListKinds()) {
        if (!kindInUse(kind, setup))
            continue;
        Cursor &c = cursor(kind);
        c.close();
        c.setIndexName(idx::IndivIdNumOrder);
        c.setMasterSource(master, fld::IndivIdNum);
        c.open();
    }
}

void ListKindTables::close()
{
    for (auto &c : m_cursors) {
        c->close();
        c->setMasterSource(nullptr, {});
    }
}

Cursor &ListKindTables::cursor(ListKind kind)
{
    return *m_cursors[slot(kind)];
}

DirectorySetup readSetupOf(RostConnection &connection)
{
    Cursor tbSetup(connection, tbl::Setup);
    tbSetup.open();
    DirectorySetup setup;
    readDirectorySetup(tbSetup, setup);
    return setup;
}

std::vector<HeldItem> heldItems(RostConnection &connection, const DirectorySetup &setup,
                                IndivId indivIdNum)
{
    Cursor individuals(connection, tbl::Individuals);
    individuals.setIndexName(idx::IndivIdNumOrder);
    individuals.open();
    if (!individuals.findKey({indivIdNum}))
        throw EngineError(EngineError::NoCurrentRow,
                          QStringLiteral("No individual %1 is in the directory.").arg(indivIdNum));

    ListKindTables tables(connection);
    tables.open(setup, &individuals);
    std::vector<HeldItem> held;
    for (const OfferedKind &k : offeredKinds(setup)) {
        Cursor &c = tables.cursor(k.kind);
        const QString field = kindItemField(k.kind);
        for (c.first(); c.hasRow() && !c.eof(); c.next()) {
            held.push_back({k.caption, c.text(field)});
        }
    }
    return held;
}

} // namespace rost
