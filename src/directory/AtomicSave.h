#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace rost {

// One file written whole or not at all. The bytes go to a new hidden file beside the target; every
// write is checked, the file is flushed and synced to the disk, renamed over the target in one
// step and the folder synced, so the new name survives a power cut. Any failure throws IoError
// "Cannot write <label>: <the system's reason>" and, up to the rename, leaves the old file as it
// was and no temporary file behind. A target the user marked read-only is refused; a replaced
// file keeps its permissions.
class AtomicSave
{
public:
    // label names the file in messages ("the settings file /x/y"); the path itself when empty.
    // Creates the temporary file; throws IoError when it cannot.
    explicit AtomicSave(const QString &path, const QString &label = {});
    // Removes the temporary file unless commit() succeeded.
    ~AtomicSave();
    AtomicSave(const AtomicSave &) = delete;
    AtomicSave &operator=(const AtomicSave &) = delete;

    void write(QByteArrayView bytes);
    // For a writer that fills the file by name itself (Qt's PDF writer): our handle is closed
    // and the temporary file is left empty for it.
    QString handOver();
    void commit();

    // The whole save in one call.
    static void save(const QString &path, QByteArrayView bytes, const QString &label = {});
    // Syncs a folder's entries to the disk; throws IoError naming label when the system cannot.
    static void syncFolder(const QString &folder, const QString &label);

private:
    [[noreturn]] void fail(int error);

    QString m_path;
    QString m_label;
    QFile m_temp;
    bool m_done = false;
};

} // namespace rost
