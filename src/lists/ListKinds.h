#pragma once

#include "directory/DirectorySetup.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace rost {

// The five kinds of list a directory may keep, in the fixed order every dialog offers them.
enum class ListKind { Offices, Talents, Activities, User1, User2 };

inline constexpr int ListKindCount = 5;
const std::array<ListKind, ListKindCount> &allListKinds();

// Whether the directory uses this kind (its setup flag).
bool kindInUse(ListKind kind, const DirectorySetup &setup);
// "Church Offices", "Talents", "Activities", or the user list's own name.
QString kindCaption(ListKind kind, const DirectorySetup &setup);
// "RostOffices.adt" and so on.
QString kindTableFile(ListKind kind);
// "Office", "Talent", "Activity", "User 1 Item", "User 2 Item".
QString kindItemField(ListKind kind);

// The distinct items of the kind's table in ascending order, one column.
QString itemStatement(ListKind kind);
// The people statement up to the item literal; it ends with "= ".
QString peoplePrefix(ListKind kind);
// The people holding item, one row per person and item, by last name, then first name. The item
// goes in as an SQL literal, so any text is safe here.
QString peopleStatement(ListKind kind, const QString &item);

// The title of the item column when viewing one person's entries: "Offices", "Talents",
// "Activities", or the user list's name, at most 20 characters.
QString kindColumnTitle(ListKind kind, const DirectorySetup &setup);

struct OfferedKind
{
    ListKind kind;
    QString caption;
};

// The kinds in use, in the fixed order, with their captions.
std::vector<OfferedKind> offeredKinds(const DirectorySetup &setup);
QStringList offeredCaptions(const std::vector<OfferedKind> &offered);
// Every offered kind whose caption equals text exactly (case-sensitive), in the fixed order. A
// user list named like a built-in kind matches as well as that kind; callers act on each match
// in turn, so the later one's result is what remains.
std::vector<ListKind> kindsMatching(const std::vector<OfferedKind> &offered, const QString &text);

} // namespace rost
