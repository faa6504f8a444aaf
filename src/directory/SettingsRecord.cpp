#include "directory/SettingsRecord.h"

#include "directory/IoError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out = file.read(size);
    return out.size() == size;
}

// The record goes to a temporary file beside the target and renames it over the old
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

} // namespace rost
