#include "directory/DataFolder.h"

#include "directory/IoError.h"
#include "directory/Tables.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

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

void DataFolder::makeCurrent(const QString &folder)
{
    // QDir::setCurrent says only that it failed; the member is told why.
    if (::chdir(QFile::encodeName(folder).constData()) != 0) {
        const int error = errno;
        if (error == ENOENT && folder.contains(QChar::ReplacementCharacter))
            throw IoError(missingText(folder));
        throw IoError(QStringLiteral("The data folder %1 cannot be opened: %2")
                          .arg(QDir::toNativeSeparators(folder),
                               QString::fromLocal8Bit(std::strerror(error))));
    }
}

QString DataFolder::missingText(const QString &folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    if (folder.contains(QChar::ReplacementCharacter))
        return QStringLiteral("The name of the data folder %1 cannot be read: it is not UTF-8")
            .arg(shown);
    return QStringLiteral("The data folder %1 does not exist").arg(shown);
}

} // namespace rost
