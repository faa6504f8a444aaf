#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <exception>
#include <memory>
#include <vector>

namespace rost {

// Where an import is made to fail or stop, counted over its file operations (each write of a
// chunk, each fsync, each rename, in the order the import makes them, from 1). It lets a test
// prove that a failure or a crash at any point leaves the directory wholly old or wholly new.
struct ImportFaults
{
    int failAt = 0; // this operation fails with EIO
    int stopAt = 0; // the import stops here as if killed: nothing is cleaned up
};

// Thrown at ImportFaults::stopAt; the staging folder and any journal stay as a crash leaves them.
class ImportStopped : public std::exception
{
public:
    const char *what() const noexcept override { return "the import was stopped"; }
};

// A table file of the archive that replaces (or adds) dataFolder/target as part of the one unit.
struct UnitFile
{
    QString target;
    bool present = false; // an old file of that name is in the data folder
    QStringList sides;    // SQLite side files of the old file (-journal, -wal, -shm), by name
};

// The hidden folder an import writes into before anything in the data folder changes. It sits
// beside the data folder on the same file system, so that putting a file in place is one atomic
// rename; where no such folder can be made (the parent is read-only, or the data folder is a
// mount point) it is a hidden folder inside the data folder instead. A marker file in it names
// the process and its start time, so that a later import can tell an abandoned folder from one in
// use. It is removed, with all it still holds, when the object goes.
class ImportStaging
{
public:
    // Throws ImportError when no staging folder can be made; nothing has changed then.
    explicit ImportStaging(const QString &dataFolder, const ImportFaults &faults = {});
    ~ImportStaging();
    ImportStaging(const ImportStaging &) = delete;
    ImportStaging &operator=(const ImportStaging &) = delete;

    QString path() const { return m_dir->path(); }
    QString filePath(const QString &name) const { return m_dir->filePath(name); }

    // Bytes the data folder's disk still takes.
    qint64 freeBytes() const;

    // Counts one file operation of the import. Returns 0, or the error number of a failure
    // injected here; throws ImportStopped where the import is to stop.
    int operation();

    // Puts the staged file `target` in place as dataFolder/target, replacing any file there, after
    // moving its side files (named in `sides`) away into the staging folder, so that no journal
    // of the old file is ever replayed into the new one. Returns an empty text on success;
    // otherwise why not, and the data folder is as it was. The folder is not synced: see sync().
    QString place(const QString &target, const QStringList &sides);

    // Puts every staged file of `files` in place together: all or none, even across a crash.
    // A journal naming them is made durable in the data folder first; the old files are parked
    // in the staging folder, the new ones renamed in. On failure the old files are put back and
    // the text says why. The journal stays until finishUnit(), which syncs the folder first.
    QString commitUnit(const std::vector<UnitFile> &files);
    // Makes every rename since the last sync durable, then ends the unit's journal. When the
    // sync fails the unit is rolled back and the text says why.
    QString finishUnit();
    // Makes the renames of place() durable.
    QString sync();

    // Removes the staging folders, beside dataFolder or in it, that an import left behind when
    // its process ended without cleaning up. Folders without our marker are never touched.
    static void removeLeftovers(const QString &dataFolder);

private:
    QString rename(const QString &from, const QString &to);
    QString rollBack();

    QString m_dataFolder;
    std::unique_ptr<QTemporaryDir> m_dir;
    ImportFaults m_faults;
    int m_operations = 0;
    int m_asideCount = 0;
    std::vector<UnitFile> m_unit; // the unit committed and not yet finished
    bool m_unitOpen = false;
};

} // namespace rost
