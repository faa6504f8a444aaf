#include "directory/Preferences.h"

#include "directory/IoError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtEndian>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace rost {

namespace {

// Unicode of bytes 0x80..0x9F; the five bytes the code page leaves undefined stand for
// themselves.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char toByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

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
    void font(qsizetype at, const TEnvFont &f)
    {
        text(at, TEnvFont::NameCapacity, f.Name);
        int32(at + 44, f.Size);
        byte(at + 48, f.Style);
    }
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
    TEnvFont font(qsizetype at) const
    {
        TEnvFont f;
        f.Name = text(at, TEnvFont::NameCapacity);
        f.Size = int32(at + 44);
        f.Style = byte(at + 48);
        return f;
    }

private:
    QByteArrayView m_bytes;
};

// The first `size` bytes of the file, or false. The file is opened for reading only, so a
// read-only settings file still counts as readable.
bool readRecord(const QString &path, qsizetype size, QByteArray &out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out = file.read(size);
    return out.size() == size;
}

// Writes the whole record to a temporary file beside the target and renames it over the old
// one, so an interrupted or failed write never leaves a damaged record behind. QSaveFile is not
// used: Qt 6.4's commit() reports success when the final flush fails (a full disk leaves a
// truncated file in place), so every step is checked here.
void writeRecord(const QString &path, const QByteArray &record)
{
    const auto fail = [&path](const QString &reason) {
        return IoError(QStringLiteral("Cannot write the settings file %1: %2").arg(path, reason));
    };
    // A file the user marked read-only is not replaced behind the user's back. The owner's
    // write bit is tested rather than access(), which says yes to the superuser.
    const bool exists = QFileInfo::exists(path);
    if (exists && !(QFile::permissions(path) & QFileDevice::WriteOwner))
        throw fail(qt_error_string(EACCES));
    if (QFileInfo(path).isDir())
        throw fail(qt_error_string(EISDIR));

    QFile temp;
    for (int attempt = 0; attempt < 16 && !temp.isOpen(); ++attempt) {
        temp.setFileName(path +
                         QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8,
                                                       16, QLatin1Char('0')));
        errno = 0;
        if (!temp.open(QIODevice::WriteOnly | QIODevice::NewOnly) && errno != EEXIST)
            break;
    }
    if (!temp.isOpen())
        throw fail(errno != 0 ? qt_error_string(errno) : temp.errorString());

    const auto abandon = [&temp](int error) {
        const QString reason = qt_error_string(error != 0 ? error : EIO);
        temp.close();
        temp.remove();
        return reason;
    };
    errno = 0;
    if (temp.write(record) != record.size() || !temp.flush())
        throw fail(abandon(errno));
#ifdef Q_OS_UNIX
    if (::fsync(temp.handle()) != 0)
        throw fail(abandon(errno));
#endif
    temp.close();
    if (temp.error() != QFileDevice::NoError)
        throw fail(abandon(errno));
    QFile::setPermissions(temp.fileName(),
                          exists ? QFile::permissions(path)
                                 : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // rename() replaces the old file in one step on POSIX systems.
    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        temp.remove();
        throw fail(qt_error_string(error));
    }
}

} // namespace

QByteArray toWindows1252(QStringView text, qsizetype capacity)
{
    QByteArray out;
    out.reserve(std::min(capacity, text.size()));
    for (const char32_t c : text.toUcs4()) {
        if (out.size() >= capacity)
            break;
        out.append(toByte(c));
    }
    return out;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        out.append(u >= 0x80 && u < 0xA0 ? QChar(HighControls[u - 0x80]) : QChar(u));
    }
    return out;
}

QString settingsPath(const QString &folder, const QString &fileName)
{
    if (folder.isEmpty())
        return fileName;
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

TPreferences::TPreferences(const QString &dataFolder) : m_folder(dataFolder) {}

QString TPreferences::filePath() const
{
    return settingsPath(m_folder, QLatin1String(FileName));
}

void TPreferences::Load()
{
    QByteArray record;
    if (!readRecord(filePath(), RecordSize, record) || !fromRecord(record))
        Clear();
}

void TPreferences::Save()
{
    writeRecord(filePath(), toRecord());
}

void TPreferences::Clear()
{
    RetAddLine1.clear();
    RetAddLine2.clear();
    RetAddLine3.clear();
    RetAddLine4.clear();
    Save();
}

QByteArray TPreferences::toRecord() const
{
    RecordWriter w(RecordSize);
    w.text(0, LineCapacity, RetAddLine1);
    w.text(41, LineCapacity, RetAddLine2);
    w.text(82, LineCapacity, RetAddLine3);
    w.text(123, LineCapacity, RetAddLine4);
    return w.bytes();
}

bool TPreferences::fromRecord(QByteArrayView bytes)
{
    if (bytes.size() < RecordSize)
        return false;
    const RecordReader r(bytes);
    RetAddLine1 = r.text(0, LineCapacity);
    RetAddLine2 = r.text(41, LineCapacity);
    RetAddLine3 = r.text(82, LineCapacity);
    RetAddLine4 = r.text(123, LineCapacity);
    return true;
}

tEnvDef::tEnvDef(const QString &dataFolder) : m_folder(dataFolder) {}

QString tEnvDef::filePath() const
{
    return settingsPath(m_folder, QLatin1String(FileName));
}

void tEnvDef::Load()
{
    QByteArray record;
    if (!readRecord(filePath(), RecordSize, record) || !fromRecord(record))
        SetDefaults();
}

void tEnvDef::Save()
{
    writeRecord(filePath(), toRecord());
}

void tEnvDef::SetDefaults()
{
    const TEnvFont font{QStringLiteral("Times New Roman"), 12, 0};
    Reserved1.clear();
    FeedPosition = FeedCenter;
    Orientation = Landscape;
    PrintRetAdd = false;
    Reserved2 = 0;
    Reserved3 = 0;
    RetTop = 2.3;
    RetLeft = 0.4;
    RetNameFont = font;
    RetAddFont = font;
    DelTop = 4.25;
    DelLeft = 4.75;
    DelFont = font;
    Save();
}

QByteArray tEnvDef::toRecord() const
{
    RecordWriter w(RecordSize);
    w.text(0, Reserved1Capacity, Reserved1);
    w.byte(256, FeedPosition);
    w.byte(257, Orientation);
    w.byte(258, PrintRetAdd ? 1 : 0);
    w.int32(260, Reserved2);
    w.byte(264, Reserved3);
    w.real(272, RetTop);
    w.real(280, RetLeft);
    w.font(288, RetNameFont);
    w.font(340, RetAddFont);
    w.real(392, DelTop);
    w.real(400, DelLeft);
    w.font(408, DelFont);
    return w.bytes();
}

bool tEnvDef::fromRecord(QByteArrayView bytes)
{
    if (bytes.size() < RecordSize)
        return false;
    const RecordReader r(bytes);
    Reserved1 = r.text(0, Reserved1Capacity);
    FeedPosition = r.byte(256);
    Orientation = r.byte(257);
    PrintRetAdd = r.byte(258) != 0;
    Reserved2 = r.int32(260);
    Reserved3 = r.byte(264);
    RetTop = r.real(272);
    RetLeft = r.real(280);
    RetNameFont = r.font(288);
    RetAddFont = r.font(340);
    DelTop = r.real(392);
    DelLeft = r.real(400);
    DelFont = r.font(408);
    return true;
}

} // namespace rost
