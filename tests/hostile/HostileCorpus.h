#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <vector>

namespace rost::test {

// What the data folder's directory must be after importing an archive.
enum class Afterwards {
    Old, // every table file as it was: the archive was refused, or one of its tables was
    New, // the old directory with every table file of the archive in place
};

struct HostileArchive
{
    QString name; // what the archive tries, as the test names it
    QString path; // the archive file
    Afterwards afterwards = Afterwards::Old;
    QMap<QString, QByteArray> tables; // New: the table files the archive brings, by file name
    // Exit codes the import may end with: 0 all written, 1 some member refused, 2 not opened.
    // A refusal of the whole archive before anything is written may be given as 1 or 2.
    std::vector<int> exits;
    QString said; // text standard error must hold; empty: standard error must be empty
};

// Writes the hostile corpus into folder: archives whose names climb out of the data folder
// (outside is a folder beside it that no member may reach, named absolutely by some), lie about
// their sizes and checks, are cut short, damaged or not archives at all, or carry tables that
// are wrong in schema, index or number, beside sound archives that must go in whole.
// newTables holds the sound new directory's table files by name.
std::vector<HostileArchive> writeHostileCorpus(const QString &folder, const QString &outside,
                                               const QMap<QString, QByteArray> &newTables,
                                               int manyMembers);

} // namespace rost::test
