#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

namespace rost::test {

// A temporary folder that tests fill with table and settings files; removed with the object.
class TestFolder
{
public:
    TestFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// The whole content of a file; throws when it cannot be read.
QByteArray readFile(const QString &path);

// The table files of a folder and their side files (names holding ".adt"), by case-folded name,
// with their contents: what a directory is, for comparing one with another.
using Tables = QMap<QString, QByteArray>;
Tables tablesOf(const QString &folder);

} // namespace rost::test
