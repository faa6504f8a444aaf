#include "exports/ui/ExportRunner.h"

#include "directory/AtomicSave.h"
#include "directory/ProgramSettings.h"
#include "exports/DirectoryCsv.h"
#include "exports/ExportError.h"
#include "exports/VCardExport.h"
#include "platform/ui/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>

#include <optional>

namespace rost {

namespace {

const QString Group = QStringLiteral("Export/");

QString key(const char *name)
{
    return Group + QLatin1String(name);
}

const QString VCardFilter = QStringLiteral("vCard files (*.vcf);;All files (*)");
const QString CsvFilter = QStringLiteral("CSV files (*.csv);;All files (*)");

// A file name made of a person's or a list's name: the characters no file system takes dropped.
QString fileNameOf(const QString &name, const QString &fallback)
{
    QString clean;
    for (QChar c : name) {
        if (c.unicode() >= 0x20 && !QStringLiteral("/\\:*?\"<>|").contains(c))
            clean += c;
    }
    clean = clean.simplified();
    return clean.isEmpty() || clean.startsWith(QLatin1Char('.')) ? fallback : clean;
}

} // namespace

ExportRunner::ExportRunner(QWidget *owner, RostConnection &connection)
    : m_owner(owner), m_connection(connection)
{}

DirectoryExportFormat ExportRunner::rememberedFormat()
{
    const int format = programSettings()->value(key("Format"), 0).toInt();
    return DirectoryExportFormat(std::clamp(format, 0, int(DirectoryExportFormat::CsvHouseholds)));
}

bool ExportRunner::rememberedPhotos()
{
    return programSettings()->value(key("Photos"), false).toBool();
}

bool ExportRunner::rememberedByteOrderMark()
{
    return programSettings()->value(key("ByteOrderMark"), false).toBool();
}

QString ExportRunner::askPath(const QString &title, const QString &name,
                              const QString &filter) const
{
    QString folder = programSettings()->value(key("Folder")).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        Prompts::instance().saveFile(m_owner, title, QDir(folder).filePath(name), filter, true);
    if (!path.isEmpty())
        programSettings()->setValue(key("Folder"), QFileInfo(path).absolutePath());
    return path;
}

bool ExportRunner::run(const QString &path, const Writer &writer)
{
    std::optional<QProgressDialog> progress;
    QStringList warnings;
    const bool written = guarded(m_owner, [&] {
        AtomicSave save(path);
        warnings = writer([&](QByteArrayView bytes) { save.write(bytes); },
                          [&](int done, int total) {
                              if (!progress) {
                                  progress.emplace(QStringLiteral("Exporting the directory..."),
                                                   QString(), 0, total, m_owner);
                                  progress->setWindowTitle(applicationTitle());
                                  progress->setCancelButton(nullptr);
                                  progress->setMinimumDuration(500);
                                  progress->setWindowModality(Qt::WindowModal);
                              }
                              progress->setValue(done);
                          });
        save.commit();
    });
    progress.reset();
    if (!warnings.isEmpty())
        Prompts::instance().message(
            m_owner, MessageKind::Warning, applicationTitle(),
            (QStringList(QStringLiteral("These pictures could not be exported; their cards "
                                        "were written without them:")) +
             warnings)
                .join(QLatin1Char('\r')));
    return written;
}

void ExportRunner::contact(IndivId indivId)
{
    Contact person;
    if (!ContactReader(m_connection).individual(indivId, person))
        throw ExportError(QStringLiteral("No individual %1 is in the directory.").arg(indivId));
    const QString name = informalName(person);
    const QString path =
        askPath(QStringLiteral("Export Contact"),
                fileNameOf(name, QStringLiteral("contact")) + QLatin1String(".vcf"), VCardFilter);
    if (path.isEmpty())
        return;
    run(path, [&](const ByteSink &sink, const ExportProgress &) {
        VCardExport cards(m_connection, sink, rememberedPhotos());
        cards.writeIndividual(indivId);
        cards.finish();
        return cards.warnings();
    });
}

void ExportRunner::list(Query &people, const DirectorySetup &setup, const QString &kind,
                        const QString &item)
{
    const QString path =
        askPath(QStringLiteral("Export List as Contacts"),
                fileNameOf(item, QStringLiteral("list")) + QLatin1String(".vcf"), VCardFilter);
    if (path.isEmpty())
        return;
    run(path, [&](const ByteSink &sink, const ExportProgress &progress) {
        VCardExport cards(m_connection, sink, rememberedPhotos());
        cards.writeList(people, setup, kind, item, progress);
        cards.finish();
        return cards.warnings();
    });
}

bool ExportRunner::directory(DirectoryExportFormat format, bool photos, bool byteOrderMark)
{
    const auto settings = programSettings();
    settings->setValue(key("Format"), int(format));
    settings->setValue(key("Photos"), photos);
    settings->setValue(key("ByteOrderMark"), byteOrderMark);
    const bool vcard = format == DirectoryExportFormat::VCard;
    const QString path =
        askPath(QStringLiteral("Export Directory"),
                vcard ? QStringLiteral("directory.vcf") : QStringLiteral("directory.csv"),
                vcard ? VCardFilter : CsvFilter);
    if (path.isEmpty())
        return false;
    return run(path, [&](const ByteSink &sink, const ExportProgress &progress) {
        if (vcard) {
            VCardExport cards(m_connection, sink, photos);
            cards.writeAll(progress);
            cards.finish();
            return cards.warnings();
        }
        writeDirectoryCsv(
            m_connection,
            {format == DirectoryExportFormat::CsvPeople ? CsvRows::People : CsvRows::Households,
             byteOrderMark},
            sink, progress);
        return QStringList();
    });
}

} // namespace rost
