#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace rost::test {

// Writes zip archives for the import tests with libzip, and afterwards patches their bytes into
// the lies a hostile or damaged archive tells.
class ArchiveBuilder
{
public:
    explicit ArchiveBuilder(const QString &path) : m_path(path) {}

    // `stored` keeps the bytes uncompressed, so that a test can find and damage them.
    ArchiveBuilder &add(const QString &name, const QByteArray &data, bool stored = false);
    ArchiveBuilder &folder(const QString &name);
    ArchiveBuilder &symlink(const QString &name, const QByteArray &target);
    ArchiveBuilder &modified(const QDateTime &when);
    void write() const;

    // Patches of a written archive; the member is found by its stored name in both the local
    // and the central header.
    static void setDeclaredSize(const QString &path, const QByteArray &member, quint32 size);
    // Sets bits of the general purpose flag: 0x0001 encrypted, 0x0800 the name is UTF-8.
    static void setGeneralFlag(const QString &path, const QByteArray &member, quint16 bits);
    static void flipByteOf(const QString &path, const QByteArray &marker);
    static void truncate(const QString &path, qint64 bytes);
    // An archive of no members: only the end-of-directory record.
    static void writeEmpty(const QString &path);

private:
    struct Entry
    {
        QString name;
        QByteArray data;
        bool stored = false;
        bool folder = false;
        bool symlink = false;
    };
    QString m_path;
    std::vector<Entry> m_entries;
    QDateTime m_modified;
};

} // namespace rost::test
