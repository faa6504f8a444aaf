#include "directory/TableCheck.h"

#include "directory/Statement.h"
#include "directory/Tables.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>

#include <sqlite3.h>

namespace rost {

namespace {

struct Stamp
{
    qint64 size;
    qint64 modified;
    bool operator==(const Stamp &) const = default;
};

// A file that passed unchanged (same size and time) is not checked again in this process: the
// integrity check reads the whole file and would otherwise be paid at every reconnect.
QHash<QString, Stamp> &passedFiles()
{
    static QHash<QString, Stamp> passed;
    return passed;
}

QMutex &passedMutex()
{
    static QMutex mutex;
    return mutex;
}

Stamp stampOf(const QFileInfo &info)
{
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

TableCheck fault(TableFault kind, const QString &message)
{
    return {kind, {}, message};
}

TableCheck inspect(const QString &path, const QString &shown)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fault(
            TableFault::Unreadable,
            QStringLiteral("The table file %1 cannot be read: %2").arg(shown, file.errorString()));
    const QByteArray header = file.read(16);
    file.close();
    if (header != QByteArray("SQLite format 3\0", 16))
        return fault(TableFault::NotATable,
                     QStringLiteral("The file %1 is not a Rostella table file").arg(shown));

    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    struct Closer
    {
        sqlite3 *db;
        ~Closer() { sqlite3_close(db); }
    } closer{db};
    if (rc != SQLITE_OK)
        return fault(TableFault::Damaged, QStringLiteral("The table file %1 cannot be opened: %2")
                                              .arg(shown, QString::fromUtf8(sqlite3_errstr(rc))));
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);

    try {
        execSql(db, QStringLiteral("PRAGMA cell_size_check=ON; PRAGMA mmap_size=0;"));
        Statement check(db, QStringLiteral("PRAGMA integrity_check(1)"));
        if (!check.step() || check.column(0).toString() != QLatin1String("ok"))
            return fault(TableFault::Damaged, QStringLiteral("The table file %1 is damaged: %2")
                                                  .arg(shown, check.column(0).toString()));
    } catch (const std::exception &e) {
        return fault(TableFault::Damaged, QStringLiteral("The table file %1 is damaged: %2")
                                              .arg(shown, QString::fromUtf8(e.what())));
    }

    const TableDef *def = findTableDef(QFileInfo(path).completeBaseName());
    if (!def)
        return {};
    const QString table = def->table;
    try {
        Statement columns(db, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
        columns.bind(1, table);
        QSet<QString> present;
        while (columns.step())
            present.insert(columns.column(0).toString().toLower());
        if (present.isEmpty())
            return fault(
                TableFault::NotATable,
                QStringLiteral("The table file %1 does not hold the table %2").arg(shown, table));
        for (const QLatin1String required : def->required)
            if (!present.contains(QString(required).toLower()))
                return {TableFault::MissingField, required,
                        QStringLiteral("The table file %1 lacks the field \"%2\"")
                            .arg(shown, required)};
    } catch (const std::exception &e) {
        // The schema itself cannot be read back, though the integrity check passed.
        return fault(TableFault::Damaged, QStringLiteral("The table file %1 cannot be read: %2")
                                              .arg(shown, QString::fromUtf8(e.what())));
    }
    return {};
}

} // namespace

QString TableCheck::reason() const
{
    switch (fault) {
    case TableFault::None:
        break;
    case TableFault::Unreadable:
        return QStringLiteral("the file cannot be read");
    case TableFault::NotATable:
        return QStringLiteral("not a directory table");
    case TableFault::Damaged:
        return QStringLiteral("the file is damaged");
    case TableFault::MissingField:
        return QStringLiteral("a field is missing: %1").arg(field);
    }
    return {};
}

TableCheck checkTableFile(const QString &path)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(info.fileName());
    if (!info.isFile())
        return fault(TableFault::Unreadable,
                     QStringLiteral("The table file %1 was not found").arg(shown));
    const QString key = info.absoluteFilePath();
    {
        QMutexLocker lock(&passedMutex());
        auto it = passedFiles().constFind(key);
        if (it != passedFiles().cend() && it.value() == stampOf(info))
            return {};
    }
    const TableCheck problem = inspect(path, shown);
    QMutexLocker lock(&passedMutex());
    if (problem.sound())
        passedFiles().insert(key, stampOf(info));
    else
        passedFiles().remove(key);
    return problem;
}

} // namespace rost
