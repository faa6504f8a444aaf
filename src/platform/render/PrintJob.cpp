#include "platform/render/PrintJob.h"

#include "directory/AtomicSave.h"
#include "directory/IoError.h"
#include "platform/render/PainterSurface.h"

#include <QFile>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace rost {

namespace {

QPageLayout::Orientation qtOrientation(PageOrientation o)
{
    return o == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

int paint(QPrinter &printer, const PrintJob::Drawing &draw, const QString &target)
{
    printer.setDocName(QLatin1String(PrintJob::Title));
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        throw IoError(QStringLiteral("The print job could not be started on %1.").arg(target));
    PainterSurface surface(painter, printer);
    try {
        draw(surface);
    } catch (...) {
        printer.abort();
        painter.end();
        throw;
    }
    if (surface.failed()) {
        printer.abort();
        painter.end();
        throw IoError(QStringLiteral("The print job on %1 failed at page %2.")
                          .arg(target)
                          .arg(surface.pageNumber()));
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        throw IoError(QStringLiteral("The print job on %1 failed.").arg(target));
    return surface.pageNumber();
}

// The paper sold where the member lives: Letter in the United States and Canada, A4 elsewhere.
QPageSize memberPaper()
{
    const QLocale::Territory territory = QLocale().territory();
    return QPageSize(territory == QLocale::UnitedStates || territory == QLocale::Canada
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

// Qt's PDF writer does not report a failed write; a file that does not end in the PDF trailer
// was cut short (a full disk, for instance).
bool wholePdf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 16)
        return false;
    f.seek(std::max<qint64>(0, f.size() - 64));
    return f.readAll().contains("%%EOF");
}

} // namespace

int PrintJob::paintOn(QPrinter &printer, const Drawing &draw)
{
    return paint(printer, draw, QStringLiteral("the printer \"%1\"").arg(printer.printerName()));
}

PrintOutcome PrintJob::run(QPrinter &printer, PageOrientation orientation, const Drawing &draw)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (printer.outputFileName().isEmpty())
            throw IoError(QStringLiteral("No printer is set up and no PDF file was named."));
        return runToPdf(printer.outputFileName(), orientation, draw, &printer);
    }
    printer.setPageOrientation(qtOrientation(orientation));
    const QString name = printer.printerName();
    const int pages = paint(printer, draw, QStringLiteral("the printer \"%1\"").arg(name));
    return {pages, name, {}};
}

PrintOutcome PrintJob::runToPdf(const QString &path, PageOrientation orientation,
                                const Drawing &draw, const QPrinter *pageSetup)
{
    AtomicSave file(path, QStringLiteral("the PDF file %1").arg(path));
    const QString temp = file.handOver();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    if (pageSetup)
        printer.setPageLayout(pageSetup->pageLayout());
    else
        printer.setPageSize(memberPaper());
    printer.setPageOrientation(qtOrientation(orientation));
    printer.setOutputFileName(temp);
    printer.setCreator(QStringLiteral("Rostella"));

    const int pages = paint(printer, draw, path);
    if (!wholePdf(temp))
        throw IoError(QStringLiteral("The PDF file %1 could not be written whole.").arg(path));
    file.commit();
    return {pages, {}, path};
}

} // namespace rost
