#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
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

// Every file, folder and link under root, except those under skip (a path relative to root),
// with the bytes of the files and the targets of the links.
QMap<QString, QByteArray> snapshot(const QString &root, const QString &skip = {});

// Runs SQL on a database file directly, as another program would; throws when it cannot.
void runSqlOn(const QString &path, const QString &sql);

// How a run of a program ended and what it printed.
struct ProgramRun
{
    int exitCode = -1; // -1 when the program crashed or did not finish
    QByteArray out;
    QByteArray err;
};

// Waits for a started process (killing it after timeoutMs) and collects its run.
ProgramRun finishRun(QProcess &process, int timeoutMs);

} // namespace rost::test
