#include "DataContext.h"

#include "Usage.h"

#include <QDir>
#include <QFileInfo>

namespace rost::batch {

DataContext::DataContext(const QString &folder, DataFolderLock::Mode access) : m_folder(folder)
{
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    if (!info.exists())
        throw UsageError{QStringLiteral("The data folder %1 does not exist.").arg(shown)};
    if (!info.isDir())
        throw UsageError{QStringLiteral("The data folder %1 is not a folder.").arg(shown)};
    m_lock.emplace(folder, access);
    m_connection.setPath(folder);
}

RostConnection &DataContext::connection()
{
    m_connection.connect();
    return m_connection;
}

} // namespace rost::batch
