#pragma once

#include "import/ImportStaging.h"
#include "import/MemberFailure.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace rost {

struct ImportLimits
{
    // Most bytes one member may inflate to, counted on the bytes actually inflated: the sizes an
    // archive declares are not believed.
    qint64 maxMemberBytes = qint64(1) << 30;
    // An archive with more members, or whose members declare more bytes in all, is refused
    // whole before anything is written: the cost of an import stays bounded.
    int maxMembers = 1000;
    qint64 maxTotalBytes = qint64(1) << 30;
    // Left free on the data folder's disk: the larger of this and a twentieth of what the
    // archive's members declare, so that a small archive still fits on a nearly full disk.
    qint64 minReservedBytes = qint64(1) << 20;
    ImportFaults faults;
};

struct ImportSummary
{
    int written = 0;
    int failed = 0;
    int folders = 0;          // folder entries of the archive, dropped as folders are
    QStringList writtenFiles; // the names the written members have in the data folder
};

// Called once for every member that is not written, in archive order (members that fail only
// when being put in place are reported after the others).
using ImportObserver = std::function<void(const MemberFailure &)>;

// Installs the members of a zip archive into the data folder, flat, each under its bare name.
// Every member is first extracted whole into a staging folder, read to its end with its CRC and
// length verified, within the size limits, and a table file (".adt") must pass the engine's
// defensive check. The table files are one unit: only when every table member passed do they
// replace the old ones, all together, under a journal that lets the next import or opening of
// the folder finish or undo a replacement a crash interrupted. When a table member fails, every
// table file of the directory stays as it was, and the table members that passed are reported
// as held back. Any other member replaces the file of its name on its own, by an atomic rename;
// one that fails keeps the old file. When two members reduce to the same name (without regard
// to case) the first is taken and every later one is refused: the archive is ambiguous about
// them. Folder entries, symbolic links, encrypted members and names holding a NUL are never
// written.
//
// The table files must not be open while an import runs: disconnect RostConnection first.
class ZipImport
{
public:
    explicit ZipImport(const QString &dataFolder, const ImportLimits &limits = {});

    // Throws ImportError, with nothing changed, when the archive cannot be opened or is not a
    // zip archive, is beyond the limits or the free space, or when the data folder does not
    // exist. Before anything, an interrupted earlier import is finished (ImportJournal).
    ImportSummary importArchive(const QString &archivePath, const ImportObserver &observer) const;

private:
    QString m_dataFolder;
    ImportLimits m_limits;
};

inline ImportSummary importArchive(const QString &archivePath, const QString &dataFolder,
                                   const ImportObserver &observer, const ImportLimits &limits = {})
{
    return ZipImport(dataFolder, limits).importArchive(archivePath, observer);
}

} // namespace rost
