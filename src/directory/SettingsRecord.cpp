#include "directory/SettingsRecord.h"

#include "directory/AtomicSave.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cstring>

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

bool readRecord(const QString &path, qsizetype size, QByteArray &out)
{
    // Opening a FIFO or a device would wait for a writer that never comes: only a regular file
    // is a record at all.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out = file.read(size);
    return out.size() == size;
}

void writeRecord(const QString &path, const QByteArray &record)
{
    AtomicSave::save(path, record, QStringLiteral("the settings file %1").arg(path));
}

} // namespace rost
