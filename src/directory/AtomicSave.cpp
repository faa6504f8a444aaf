#include "directory/AtomicSave.h"

#include "directory/IoError.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace rost {

namespace {

IoError cannotWrite(const QString &label, int error)
{
    return IoError(QStringLiteral("Cannot write %1: %2")
                       .arg(label, qt_error_string(error != 0 ? error : EIO)));
}

} // namespace

AtomicSave::AtomicSave(const QString &path, const QString &label)
    : m_path(path), m_label(label.isEmpty() ? path : label)
{
    const QFileInfo target(path);
    if (target.isDir())
        throw cannotWrite(m_label, EISDIR);
    // A file the user marked read-only is not replaced behind the user's back. The owner's write
    // bit is tested rather than access(), which says yes to the superuser.
    if (target.exists() && !(target.permissions() & QFileDevice::WriteOwner))
        throw cannotWrite(m_label, EACCES);

    // Hidden, so that a folder listing never offers a half-written file.
    const QString stem = target.absolutePath() + QStringLiteral("/.") + target.fileName();
    for (int attempt = 0; attempt < 16 && !m_temp.isOpen(); ++attempt) {
        m_temp.setFileName(
            QStringLiteral("%1.%2.tmp")
                .arg(stem)
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        errno = 0;
        // Unbuffered: a write the disk refuses fails at once, with the system's reason in errno.
        if (!m_temp.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) &&
            errno != EEXIST)
            break;
    }
    if (!m_temp.isOpen()) {
        m_done = true;
        throw cannotWrite(m_label, errno);
    }
}

AtomicSave::~AtomicSave()
{
    if (!m_done) {
        m_temp.close();
        m_temp.remove();
    }
}

void AtomicSave::fail(int error)
{
    m_temp.close();
    m_temp.remove();
    m_done = true;
    throw cannotWrite(m_label, error);
}

void AtomicSave::write(QByteArrayView bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        errno = 0;
        const qint64 n = m_temp.write(bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            fail(errno != 0 ? errno : ENOSPC);
        written += n;
    }
}

QString AtomicSave::handOver()
{
    m_temp.close();
    return m_temp.fileName();
}

void AtomicSave::commit()
{
    const bool exists = QFileInfo::exists(m_path);
    const QFileDevice::Permissions permissions =
        exists ? QFile::permissions(m_path)
               : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                     QFileDevice::ReadOther;
    // A file handed over is opened again to be synced; Linux syncs it through any descriptor.
    if (!m_temp.isOpen() && !m_temp.open(QIODevice::ReadOnly))
        fail(errno);
#ifdef Q_OS_UNIX
    if (::fsync(m_temp.handle()) != 0)
        fail(errno);
#endif
    m_temp.close();
    if (!QFile::setPermissions(m_temp.fileName(), permissions))
        fail(errno);
    // rename() replaces the old file in one step on POSIX systems.
    if (std::rename(QFile::encodeName(m_temp.fileName()).constData(),
                    QFile::encodeName(m_path).constData()) != 0)
        fail(errno);
    m_done = true;
    syncFolder(QFileInfo(m_path).absolutePath(), m_label);
}

void AtomicSave::save(const QString &path, QByteArrayView bytes, const QString &label)
{
    AtomicSave file(path, label);
    file.write(bytes);
    file.commit();
}

void AtomicSave::syncFolder(const QString &folder, const QString &label)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        throw cannotWrite(label, errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // EINVAL: the file system keeps no folder entries of its own to sync; nothing was lost.
    if (result != 0 && error != EINVAL)
        throw cannotWrite(label, error);
#else
    Q_UNUSED(folder);
    Q_UNUSED(label);
#endif
}

} // namespace rost
