#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace rost {

// The hidden folder an import writes into before anything in the data folder changes. It sits
// beside the data folder on the same file system, so that putting a file in place is one atomic
// rename; where no such folder can be made (the parent is read-only, or the data folder is a
// mount point) it is a hidden folder inside the data folder instead. It is removed, with all it
// still holds, when the object goes.
class ImportStaging
{
public:
    // Throws ImportError when no staging folder can be made; nothing has changed then.
    explicit ImportStaging(const QString &dataFolder);
    ~ImportStaging();
    ImportStaging(const ImportStaging &) = delete;
    ImportStaging &operator=(const ImportStaging &) = delete;

    QString path() const { return m_dir->path(); }
    QString filePath(const QString &name) const { return m_dir->filePath(name); }

    // Bytes that may still be written on the data folder's disk, keeping `reserved` free.
    qint64 freeBytes(qint64 reserved) const;

    // Puts the staged file `name` in place as dataFolder/target, replacing any file there. SQLite
    // side files of the target name (-journal, -wal, -shm) are moved away first and deleted with
    // the staging folder, so that no journal of the old file is ever replayed into the new one.
    // Returns an empty text on success; otherwise why not, and the data folder is as it was.
    // Throws IoError when the folder cannot be synced after the rename: the file is in place but
    // may not survive a power cut.
    QString commit(const QString &name, const QString &target);

private:
    QString m_dataFolder;
    std::unique_ptr<QTemporaryDir> m_dir;
    int m_asideCount = 0;
};

} // namespace rost
