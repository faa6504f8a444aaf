#include "directory/DataFolder.h"

#include <QDir>

namespace rost {

namespace {
QString &folder()
{
    static QString value;
    return value;
}
} // namespace

QString DataFolder::initFromCurrentDirectory()
{
    if (folder().isEmpty())
        folder() = QDir::currentPath().left(255);
    return folder();
}

QString DataFolder::path()
{
    return folder();
}

QString DataFolder::join(const QString &dir, const QString &name)
{
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QDir::separator()))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

QString DataFolder::file(const QString &name)
{
    return join(folder(), name);
}

bool DataFolder::makeCurrent()
{
    return QDir::setCurrent(folder());
}

void DataFolder::setPathForTesting(const QString &dir)
{
    folder() = dir;
}

} // namespace rost
