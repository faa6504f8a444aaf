#include "directory/DataFolder.h"

#include "directory/Tables.h"

#include <QDir>

#include <algorithm>

namespace rost {

QString DataFolder::join(const QString &dir, const QString &name)
{
    if (dir.isEmpty())
        return name;
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

bool DataFolder::familiesFilePresent(const QString &dir)
{
    const QString wanted = tbl::FamiliesPresenceName;
    const QStringList files = QDir(dir).entryList(QDir::Files);
    return std::any_of(files.begin(), files.end(), [&](const QString &f) {
        return f.compare(wanted, Qt::CaseInsensitive) == 0;
    });
}

} // namespace rost
