#include "DataContext.h"

#include "Usage.h"

#include "directory/DataFolder.h"
#include "import/ImportJournal.h"

#include <QDir>
#include <QFileInfo>

namespace rost::batch {

DataContext::DataContext(const QString &folder, DataFolderLock::Mode access) : m_folder(folder)
{
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    if (!info.exists())
        throw UsageError{DataFolder::missingText(folder) + QLatin1Char('.')};
    if (!info.isDir())
        throw UsageError{QStringLiteral("The data folder %1 is not a folder.").arg(shown)};
    // A replacement of the tables that a crash interrupted is finished before any is read.
    ImportJournal::recoverBeforeReading(folder);
    m_lock.emplace(folder, access);
    m_connection.setPath(folder);
}

RostConnection &DataContext::connection()
{
    m_connection.connect();
    return m_connection;
}

} // namespace rost::batch
