#pragma once

#include "directory/Tables.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace rost {

class Query;
class RostConnection;

// A member as the main window shows it on the member's tab.
struct BookMember
{
    IndivId indivId = 0;
    QString nameLine;
    QString phonesLine;
    QString eMail;
};

// A household as the main window shows it, with its members in rank order. The picture itself is
// not held: it is read when the entry is drawn, so that one picture at a time is in memory.
struct BookHousehold
{
    FamilyId familyId = 0;
    QString familyName; // Family Name, for the running headers
    QString heading;    // Vorel Name
    QStringList address;
    QString homePhone;
    bool hasPicture = false;
    std::vector<BookMember> members;
};

// "Last Name, Goes By (First Name)" of one person of a printed household.
struct BookIndexEntry
{
    QString text;
    FamilyId familyId = 0;
};

// What the printed directory holds, read from the tables.
struct BookContents
{
    std::vector<BookHousehold> households; // in FAMILY NAME ORDER
    std::vector<BookIndexEntry> index;     // in LAST NAME AND GOES BY ORDER
};

// The households in FAMILY NAME ORDER, those numbered 0 left out, and only those in `only` when
// it is given; the index holds the members of the households read, when withIndex is set.
BookContents readBookContents(RostConnection &connection, const std::optional<QSet<FamilyId>> &only,
                              bool withIndex);

// The families of the people of a Make Lists people query: the households a list prints.
QSet<FamilyId> familiesOfPeople(Query &people);

} // namespace rost
