#pragma once

#include "directory/DataFolderLock.h"
#include "directory/RostConnection.h"

#include <QString>

#include <optional>

namespace rost::batch {

// The data folder a command works on, named by --data DIR. The folder must exist before the
// command starts, and the command holds the folder's lock for as long as it runs: shared to read
// or edit, exclusive to import. The connection is made when the command first asks for it, so
// that import, which replaces table files, never has one.
class DataContext
{
public:
    // Throws UsageError when folder is not an existing folder, and what DataFolderLock throws when
    // the lock is not had in time.
    DataContext(const QString &folder, DataFolderLock::Mode access);

    const QString &folder() const { return m_folder; }
    RostConnection &connection();

private:
    QString m_folder;
    // Before the connection, so that the tables are closed before the folder is let go.
    std::optional<DataFolderLock> m_lock;
    RostConnection m_connection;
};

} // namespace rost::batch
