#include "TestFolder.h"

#include "directory/Statement.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <sqlite3.h>

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

QMap<QString, QByteArray> snapshot(const QString &root, const QString &skip)
{
    QMap<QString, QByteArray> all;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString rel = base.relativeFilePath(info.filePath());
        if (!skip.isEmpty() && (rel == skip || rel.startsWith(skip + QLatin1Char('/'))))
            continue;
        if (info.isSymLink())
            all.insert(rel, "link to " + info.symLinkTarget().toUtf8());
        else if (info.isDir())
            all.insert(rel + QLatin1Char('/'), {});
        else
            all.insert(rel, readFile(info.filePath()));
    }
    return all;
}

void runSqlOn(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open a database file");
    }
    try {
        execSql(db, sql);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

ProgramRun finishRun(QProcess &process, int timeoutMs)
{
    ProgramRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace rost::test
