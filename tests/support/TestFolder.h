#pragma once

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

} // namespace rost::test
