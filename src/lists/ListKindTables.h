#pragma once

#include "directory/Cursor.h"
#include "lists/ListKinds.h"

#include <array>
#include <memory>

namespace rost {

class RostConnection;

// The cursors tbOffices, tbTalents, tbActivities, tbUser1 and tbUser2 on the list tables, in
// INDIV ID NUM ORDER (the individual's number, then the item). Only the kinds in use are opened;
// with a master, each shows just the entries of the master's current individual.
class ListKindTables
{
public:
    explicit ListKindTables(RostConnection &connection);
    ~ListKindTables();
    ListKindTables(const ListKindTables &) = delete;
    ListKindTables &operator=(const ListKindTables &) = delete;

    // Opens the table of every kind the setup uses, in the fixed order. A missing or refused
    // table throws the engine's EngineError naming it; the tables opened before it stay open.
    void open(const DirectorySetup &setup, Cursor *master = nullptr);
    void close();

    Cursor &cursor(ListKind kind);

private:
    std::array<std::unique_ptr<Cursor>, ListKindCount> m_cursors;
};

// One entry a person holds: the kind's caption and the item.
struct HeldItem
{
    QString caption;
    QString item;
};

// Every entry the individual holds, kinds in their fixed order and items ascending within a
// kind, read as the View List Fields grid reads them. Throws EngineError when the individual is
// not in the individuals table.
// The setup values of the directory on this connection, read from its setup table as the main
// window reads them.
DirectorySetup readSetupOf(RostConnection &connection);

std::vector<HeldItem> heldItems(RostConnection &connection, const DirectorySetup &setup,
                                IndivId indivIdNum);

} // namespace rost
