#include "sample/ZipWriter.h"

#include "directory/AtomicSave.h"
#include "directory/IoError.h"
#include "sample/SampleError.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <filesystem>
#include <system_error>

namespace rost {

namespace {

QString zipErrorText(zip_t *archive)
{
    return QString::fromUtf8(zip_strerror(archive));
}

} // namespace

void replaceFile(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), ec);
    if (ec)
        throw SampleError(QStringLiteral("Cannot move %1 to %2: %3")
                              .arg(from, to, QString::fromStdString(ec.message())));
}

// libzip writes the archive under its own temporary name and renames it over the file it was
// given: the empty file AtomicSave hands over, which is then synced and put in place.
void writeZip(const QString &zipPath, const QStringList &files, const QDateTime &mtime)
{
    try {
        AtomicSave file(zipPath);
        const QString partial = file.handOver();
        int errorCode = 0;
        zip_t *archive = zip_open(QFile::encodeName(partial).constData(), ZIP_TRUNCATE, &errorCode);
        if (!archive) {
            zip_error_t error;
            zip_error_init_with_code(&error, errorCode);
            const QString text = QString::fromUtf8(zip_error_strerror(&error));
            zip_error_fini(&error);
            throw SampleError(QStringLiteral("Cannot create %1: %2").arg(zipPath, text));
        }
        const auto abandon = [&](const QString &text) {
            zip_discard(archive);
            throw SampleError(QStringLiteral("Cannot write %1: %2").arg(zipPath, text));
        };
        for (const QString &f : files) {
            zip_source_t *source =
                zip_source_file(archive, QFile::encodeName(f).constData(), 0, -1);
            if (!source)
                abandon(QStringLiteral("%1: %2").arg(f, zipErrorText(archive)));
            const QByteArray name = QFileInfo(f).fileName().toUtf8();
            const zip_int64_t index = zip_file_add(archive, name.constData(), source,
                                                   ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
            if (index < 0) {
                zip_source_free(source);
                abandon(QStringLiteral("%1: %2").arg(f, zipErrorText(archive)));
            }
            if (mtime.isValid() && zip_file_set_mtime(archive, zip_uint64_t(index),
                                                      time_t(mtime.toSecsSinceEpoch()), 0) < 0)
                abandon(zipErrorText(archive));
        }
        if (zip_close(archive) < 0)
            abandon(zipErrorText(archive));
        file.commit();
    } catch (const IoError &e) {
        throw SampleError(e.text());
    }
}

} // namespace rost
