#include "ArchiveBuilder.h"

#include <QFile>
#include <QtEndian>

#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace rost::test {

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the archive");
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the archive");
}

quint16 u16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

void put32(QByteArray &b, qsizetype at, quint32 v)
{
    qToLittleEndian<quint32>(v, b.data() + at);
}

void put16(QByteArray &b, qsizetype at, quint16 v)
{
    qToLittleEndian<quint16>(v, b.data() + at);
}

struct Headers
{
    qsizetype central = -1;
    qsizetype local = -1;
};

// The offsets of the central and local header of the member named `member`.
Headers headersOf(const QByteArray &b, const QByteArray &member)
{
    const qsizetype end = b.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0)
        throw std::runtime_error("no end of central directory");
    qsizetype at = u32(b, end + 16);
    const int count = u16(b, end + 10);
    for (int i = 0; i < count; ++i) {
        const int nameLen = u16(b, at + 28);
        const int extraLen = u16(b, at + 30);
        const int commentLen = u16(b, at + 32);
        if (b.mid(at + 46, nameLen) == member)
            return {at, static_cast<qsizetype>(u32(b, at + 42))};
        at += 46 + nameLen + extraLen + commentLen;
    }
    throw std::runtime_error("no such member");
}

} // namespace

ArchiveBuilder &ArchiveBuilder::add(const QString &name, const QByteArray &data, bool stored)
{
    m_entries.push_back({name, data, stored, false, false});
    return *this;
}

ArchiveBuilder &ArchiveBuilder::folder(const QString &name)
{
    m_entries.push_back({name, {}, false, true, false});
    return *this;
}

ArchiveBuilder &ArchiveBuilder::symlink(const QString &name, const QByteArray &target)
{
    m_entries.push_back({name, target, true, false, true});
    return *this;
}

ArchiveBuilder &ArchiveBuilder::modified(const QDateTime &when)
{
    m_modified = when;
    return *this;
}

void ArchiveBuilder::write() const
{
    int code = 0;
    zip_t *zip = zip_open(QFile::encodeName(m_path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip)
        throw std::runtime_error("cannot create the archive");
    for (const Entry &e : m_entries) {
        const QByteArray name = e.name.toUtf8();
        zip_int64_t index = -1;
        if (e.folder) {
            index = zip_dir_add(zip, name.constData(), ZIP_FL_ENC_GUESS);
        } else {
            // libzip reads the buffer at zip_close, so it is copied into memory libzip frees.
            void *copy =
                std::malloc(static_cast<std::size_t>(std::max<qsizetype>(1, e.data.size())));
            std::memcpy(copy, e.data.constData(), static_cast<std::size_t>(e.data.size()));
            zip_source_t *source =
                zip_source_buffer(zip, copy, static_cast<zip_uint64_t>(e.data.size()), 1);
            index = zip_file_add(zip, name.constData(), source, ZIP_FL_ENC_GUESS);
            if (index < 0)
                zip_source_free(source);
        }
        if (index < 0)
            throw std::runtime_error(zip_strerror(zip));
        const auto i = static_cast<zip_uint64_t>(index);
        if (e.stored)
            zip_set_file_compression(zip, i, ZIP_CM_STORE, 0);
        if (e.symlink)
            zip_file_set_external_attributes(zip, i, 0, ZIP_OPSYS_UNIX, 0120777u << 16);
        if (m_modified.isValid())
            zip_file_set_mtime(zip, i, static_cast<time_t>(m_modified.toSecsSinceEpoch()), 0);
    }
    if (zip_close(zip) != 0) {
        const std::string text = zip_strerror(zip);
        zip_discard(zip);
        throw std::runtime_error(text);
    }
}

void ArchiveBuilder::setDeclaredSize(const QString &path, const QByteArray &member, quint32 size)
{
    QByteArray b = readAll(path);
    const Headers h = headersOf(b, member);
    put32(b, h.central + 24, size);
    put32(b, h.local + 22, size);
    writeAll(path, b);
}

void ArchiveBuilder::setGeneralFlag(const QString &path, const QByteArray &member, quint16 bits)
{
    QByteArray b = readAll(path);
    const Headers h = headersOf(b, member);
    put16(b, h.central + 8, u16(b, h.central + 8) | bits);
    put16(b, h.local + 6, u16(b, h.local + 6) | bits);
    writeAll(path, b);
}

void ArchiveBuilder::flipByteOf(const QString &path, const QByteArray &marker)
{
    QByteArray b = readAll(path);
    const qsizetype at = b.indexOf(marker);
    if (at < 0)
        throw std::runtime_error("marker not found");
    b[at] = static_cast<char>(b[at] ^ 0x20);
    writeAll(path, b);
}

void ArchiveBuilder::truncate(const QString &path, qint64 bytes)
{
    writeAll(path, readAll(path).left(bytes));
}

void ArchiveBuilder::writeEmpty(const QString &path)
{
    QByteArray b(22, '\0');
    b.replace(0, 4, QByteArray("PK\x05\x06", 4));
    writeAll(path, b);
}

} // namespace rost::test
