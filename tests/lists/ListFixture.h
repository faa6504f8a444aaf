#pragma once

#include "Fixture.h"
#include "TestFolder.h"
#include "directory/DirectorySetup.h"
#include "directory/RostConnection.h"

#include <QString>

#include <vector>

namespace rost::test {

// A family row with its address and home phone.
Row household(int id, const QString &name, const QString &address1, const QString &address2,
              const QString &city, const QString &state, const QString &zip,
              const QString &phone = {});

// A row of a list table: the individual's number and the item.
Row entry(const TableDef &list, int indiv, const QString &item);

// A small directory for the list tests, written into folder:
//   family 1 Smith (1 Main St, Springfield IL 62701, 555-0101): William 11 husband, Matilda 12 wife
//   family 2 O'Neil (no address at all, no phone): Sean 21 single adult
//   family 3 Brown (PO Box 9, Suite 4, Salem OR 97301, 555-0303): Carol 31 single adult
// Offices: 11 Elder, 11 Usher, 12 Usher, 31 Elder, 21 O'Neil's Aide
// Talents: none.  Activities: 31 Choir, 31 Choir (twice), 11 Choir.
// User 1 (named in setup): 12 Greeter.  User 2: 21 Talents.
void writeListDirectory(const QString &folder, bool offices = true, bool talents = true,
                        bool activities = true, bool user1 = true, bool user2 = true,
                        const QString &user1Name = QStringLiteral("Welcome Team"),
                        const QString &user2Name = QStringLiteral("Choir"));

// That directory written into a folder of its own and opened.
struct OpenListDirectory
{
    OpenListDirectory();
    TestFolder folder;
    RostConnection conn;
    DirectorySetup setup;
};

} // namespace rost::test
