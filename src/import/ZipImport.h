#pragma once

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
    // Bytes always left free on the data folder's disk.
    qint64 reservedBytes = qint64(64) << 20;
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
// defensive check; only then does it replace the file of its name, by an atomic rename. A
// member that fails keeps the old file of that name and is reported to the observer; the other
// members still go in. When two members reduce to the same name (without regard to case) the
// first is imported and every later one is refused: the archive is ambiguous about them.
// Folder entries, symbolic links and encrypted members are never written.
//
// The table files must not be open while an import runs: disconnect RostConnection first.
class ZipImport
{
public:
    explicit ZipImport(const QString &dataFolder, const ImportLimits &limits = {});

    // Throws ImportError, with nothing changed, when the archive cannot be opened or is not a
    // zip archive, or when the data folder does not exist.
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
