#include "platform/render/PrintSession.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace rost {

PrintSession &PrintSession::instance()
{
    static PrintSession session;
    return session;
}

QPrinter &PrintSession::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool PrintSession::systemHasPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::optional<PrintOutcome> PrintSession::run(PageOrientation orientation,
                                              const PrintJob::Drawing &draw, const QString &pdfName,
                                              const AskPdfPath &askPdfPath)
{
    QPrinter &p = printer();
    const bool toFile = p.outputFormat() == QPrinter::PdfFormat;
    // A file the user named in the printer setup is the user's choice of output.
    if (!toFile || !p.outputFileName().isEmpty())
        return PrintJob::run(p, orientation, draw);
    QString suggested = m_lastPdf;
    if (suggested.isEmpty()) {
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        suggested = QDir(docs.isEmpty() ? QDir::homePath() : docs).filePath(pdfName);
    } else {
        suggested = QFileInfo(suggested).dir().filePath(pdfName);
    }
    const QString path = askPdfPath ? askPdfPath(suggested) : QString();
    if (path.isEmpty())
        return std::nullopt;
    m_lastPdf = path;
    return PrintJob::runToPdf(path, orientation, draw, &p);
}

QString PrintSession::outcomeText(const PrintOutcome &outcome)
{
    if (outcome.pdfPath.isEmpty())
        return {};
    return QStringLiteral("No printer is installed, so the output was saved as the PDF file %1.")
        .arg(QDir::toNativeSeparators(outcome.pdfPath));
}

} // namespace rost
