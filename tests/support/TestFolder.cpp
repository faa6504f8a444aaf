#include "TestFolder.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace rost::test {

TestFolder::TestFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read a file");
    return f.readAll();
}

Tables tablesOf(const QString &folder)
{
    Tables tables;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &f : files)
        if (f.fileName().contains(QLatin1String(".adt"), Qt::CaseInsensitive))
            tables.insert(f.fileName().toCaseFolded(), readFile(f.filePath()));
    return tables;
}

} // namespace rost::test
