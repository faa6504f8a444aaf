#pragma once

#include <QString>

namespace rost {

// What is wrong with a table file, in the kinds an import warning tells apart.
enum class TableFault {
    None,
    Unreadable,   // the file is missing or cannot be read
    NotATable,    // not an SQLite database, or not holding the table its name promises
    Damaged,      // fails to open or fails its integrity check
    MissingField, // lacks a field the program reads
    WrongType,    // a field is declared with another kind, width or nullability
    MissingIndex, // lacks an index the program walks
    WrongIndex,   // an index of that name orders by other keys or leaves rows out
    OutOfRange,   // a number does not fit the width the program reads it in
};

struct TableCheck
{
    TableFault fault = TableFault::None;
    QString field;   // the field or index at fault, for the kinds that name one
    QString message; // names the file and the problem in full; empty when the file is sound

    bool sound() const { return fault == TableFault::None; }
    // The problem in a few words, without the file's name: "not a directory table", "the file
    // is damaged", "a field is missing: City"; empty when the file is sound.
    QString reason() const;
};

// The defensive check a table file passes before the engine works on it: an SQLite 3 database
// that passes its integrity check and holds the table named after its file (RostFamilies.adt
// holds "RostFamilies") with every field the program reads, each declared as documented, every
// index the program walks on its documented keys, and every number within the width it is read
// in (a 16-bit number of 65537 would otherwise be read as 1 and name another family). Files that
// are not among the directory's known tables only need to be sound SQLite databases.
TableCheck checkTableFile(const QString &path);

} // namespace rost
