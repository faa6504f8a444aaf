#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

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

// How deeply a table file is checked.
enum class CheckDepth {
    // Every page and every index entry: for a file entering the data folder (import, sample),
    // and when an engine error suggests damage.
    Full,
    // For an ordinary open: a file that passed a check at its present stamp (device, inode,
    // size, modification and change times, which any write alters) is only checked for the
    // schema the program needs; any other file gets the quick check, which reads every page but
    // does not compare the indexes with the rows, and its verdict is kept for the next open.
    Open,
};

// The defensive check a table file passes before the engine works on it: an SQLite 3 database
// that passes its integrity check and holds the table named after its file (RostFamilies.adt
// holds "RostFamilies") with every field the program reads, each declared as documented, every
// index the program walks on its documented keys, and every number within the width it is read
// in (a 16-bit number of 65537 would otherwise be read as 1 and name another family). Files that
// are not among the directory's known tables only need to be sound SQLite databases.
TableCheck checkTableFile(const QString &path, CheckDepth depth = CheckDepth::Full);

// The verdicts of the table files of a folder are kept in this file in that folder, so that
// the next process opening the folder need not read the tables again.
inline constexpr QLatin1StringView CheckedTablesFile(".rostella-checked");

// Notes that these files of folder, as they are now, passed the full check (the import calls it
// once they are in place). A failure to write the note costs only a check at the next open.
void recordCheckedTables(const QString &folder, const QStringList &fileNames);

// After an engine error that suggests damage: the full check of each file, forgetting what was
// noted of them; the first damaged one found, or a sound check when none is.
TableCheck recheckTableFiles(const QStringList &paths);

} // namespace rost
