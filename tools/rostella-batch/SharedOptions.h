#pragma once

#include "Arguments.h"
#include "Usage.h"

#include "names/NameLine.h"

namespace rost {
class ListMaker;
}

namespace rost::batch {

// Options that several commands take, with one meaning everywhere.
inline constexpr Option IndivOption{"indiv", "N", "the person's Indiv ID Num", IdNumbers};
inline constexpr Option KindOption{
    "kind", "CAPTION",
    "the list field: \"Church Offices\", \"Talents\", \"Activities\" or a user list's name"};
inline constexpr Option ItemOption{"item", "ITEM", "the item, as items prints it"};
inline constexpr Option NameLineOption{
    "name", "LINE", "the name line to write, such as FormalName or InformalTitle"};
inline constexpr Option NameTextOption{"text", "TEXT", "a name line of your own instead"};
inline constexpr Option ReturnOption{"return", nullptr,
                                     "print the return address whatever the layout says"};
inline constexpr Option NoReturnOption{"no-return", nullptr,
                                       "leave the return address off whatever the layout says"};
inline constexpr Option PdfOutOption{"out", "FILE.pdf", "the PDF file to write"};

// The line --name names. Throws UsageError, listing the lines, for any other text.
NameLine nameLineOf(const Arguments &args);

// Whether the return address is printed: as --return or --no-return says, else as stored.
bool printReturnOf(const Arguments &args, bool stored);

// "Wrote PATH (N units)." on standard output: what every command that writes a file says last.
// unit is the singular ("page", "row", "card").
void printWritten(const QString &path, qsizetype count, const char *unit);

// Opens Make Lists' kind tables and chooses the kind --kind names and, with item, the item
// --item names, whose holders the people query then holds. Throws Failure, naming the list
// fields in use, when the kind is not one of them.
void chooseListOf(ListMaker &maker, const Arguments &args, bool item = true);

// Each warning on standard error as "Warning: TEXT"; the command goes on.
void printWarnings(const QStringList &warnings);

} // namespace rost::batch
