#pragma once

#include <QString>

namespace rost {

// What an archive member's stored name becomes in the data folder. Stored names come from
// whoever made the archive: they are reduced to their last component, with both '/' and '\'
// taken as separators, and the result is only ever used as a file name inside the data folder,
// never as a path.
class MemberName
{
public:
    explicit MemberName(const QString &stored);

    const QString &stored() const { return m_stored; }
    const QString &bare() const { return m_bare; }

    // The stored name ends in a separator: a folder entry, which is dropped, not written.
    bool isFolder() const { return m_folder; }

    // Empty when the bare name may be written into the data folder, otherwise why it may not.
    // Refused are names that are no file name ("", ".", ".."), names that some system would
    // read as something else (control characters, a drive or stream colon, wildcards, a
    // trailing dot or blank, device names such as NUL), names too long for a file system, and
    // SQLite's side files ("-journal", "-wal", "-shm"), which would be replayed into the table
    // file beside them.
    QString refusal() const;

    // A table file of the directory: the engine checks it before it replaces anything.
    bool isTableFile() const;

    // The key under which two names are the same file on a system that ignores case.
    QString sameFileKey() const { return m_bare.toCaseFolded(); }

private:
    QString m_stored;
    QString m_bare;
    bool m_folder = false;
};

} // namespace rost
