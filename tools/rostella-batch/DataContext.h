#pragma once

#include "directory/RostConnection.h"

#include <QString>

namespace rost::batch {

// The data folder a command works on, named by --data DIR. The folder must exist before the
// command starts; the connection is made when the command first asks for it, so that import, which
// replaces table files, never has one.
class DataContext
{
public:
    // Throws UsageError when folder is not an existing folder.
    explicit DataContext(const QString &folder);

    const QString &folder() const { return m_folder; }
    RostConnection &connection();

private:
    QString m_folder;
    RostConnection m_connection;
};

} // namespace rost::batch
