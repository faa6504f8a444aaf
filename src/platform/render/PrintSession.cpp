#include "platform/render/PrintSession.h"

#include <QCoreApplication>
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
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // A printer that has shown a preview cannot outlive the application's windowing.
        qAddPostRoutine([] { instance().m_printer.reset(); });
    }
    return *m_printer;
}

bool PrintSession::systemHasPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::optional<PrintOutcome> PrintSession::run(PageOrientation orientation,
                                              const PrintJob::Drawing &draw, bool printersInstalled,
                                              const QString &pdfName, const AskPdfPath &askPdfPath)
{
    QPrinter &p = printer();
    // Without any printer, the file a printer setup dialog put on the printer was not the
    // user's choice (it proposes one of its own); every job asks afresh instead.
    const bool askForFile = !printersInstalled || (p.outputFormat() == QPrinter::PdfFormat &&
                                                   p.outputFileName().isEmpty());
    if (!askForFile)
        return PrintJob::run(p, orientation, draw);
    QString folder = m_lastFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString path = askPdfPath ? askPdfPath(QDir(folder).filePath(pdfName)) : QString();
    if (path.isEmpty())
        return std::nullopt;
    m_lastFolder = QFileInfo(path).absolutePath();
    return PrintJob::runToPdf(path, orientation, draw, &p);
}

QString PrintSession::outcomeText(const PrintOutcome &outcome, bool printersInstalled)
{
    if (outcome.pdfPath.isEmpty())
        return {};
    const QString saved = printersInstalled
                              ? QStringLiteral("The output was saved as the PDF file")
                              : QStringLiteral("No printer is installed, so the output was saved "
                                               "as the PDF file");
    return saved + QLatin1Char('\r') + QDir::toNativeSeparators(outcome.pdfPath);
}

} // namespace rost
