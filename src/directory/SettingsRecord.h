#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtEndian>

#include <algorithm>
#include <cstring>

// What the program's two settings records share: fixed-size little-endian records with no header
// that older installations already hold, so the byte layout must not change. Texts are a length
// byte followed by Windows-1252 characters.
namespace rost {

// Windows-1252 text of at most `capacity` characters: one byte per character, characters the
// code page lacks become '?'. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D (undefined in the code page)
// map to and from U+0081 etc., as Windows does, so any byte string survives a round trip.
QByteArray toWindows1252(QStringView text, qsizetype capacity);
QString fromWindows1252(QByteArrayView bytes);

// Little-endian field access within one record; offsets are the documented ones.
class RecordWriter
{
public:
    explicit RecordWriter(qsizetype size) : m_bytes(size, '\0') {}
    void text(qsizetype at, qsizetype capacity, const QString &value)
    {
        const QByteArray chars = toWindows1252(value, capacity);
        m_bytes[at] = static_cast<char>(chars.size());
        std::memcpy(m_bytes.data() + at + 1, chars.constData(), chars.size());
    }
    void byte(qsizetype at, quint8 value) { m_bytes[at] = static_cast<char>(value); }
    void int32(qsizetype at, qint32 value) { qToLittleEndian(value, m_bytes.data() + at); }
    void real(qsizetype at, double value) { qToLittleEndian(value, m_bytes.data() + at); }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

class RecordReader
{
public:
    explicit RecordReader(QByteArrayView bytes) : m_bytes(bytes) {}
    // A damaged length byte above the capacity reads as the capacity: never past the field.
    QString text(qsizetype at, qsizetype capacity) const
    {
        const qsizetype length = std::min<qsizetype>(byte(at), capacity);
        return fromWindows1252(m_bytes.sliced(at + 1, length));
    }
    quint8 byte(qsizetype at) const { return static_cast<quint8>(m_bytes[at]); }
    qint32 int32(qsizetype at) const { return qFromLittleEndian<qint32>(m_bytes.data() + at); }
    double real(qsizetype at) const { return qFromLittleEndian<double>(m_bytes.data() + at); }

private:
    QByteArrayView m_bytes;
};

// The first `size` bytes of the file, or false. The file is opened for reading only, so a
// read-only settings file still counts as readable; anything but a regular file (a FIFO, a
// device) is unreadable and never opened.
bool readRecord(const QString &path, qsizetype size, QByteArray &out);
// Writes the whole record as AtomicSave does; throws IoError on failure, leaving the old file as
// it was.
void writeRecord(const QString &path, const QByteArray &record);

} // namespace rost
