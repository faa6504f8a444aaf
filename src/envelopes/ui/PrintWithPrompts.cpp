#include "envelopes/ui/PrintWithPrompts.h"

#include "platform/render/PrintSession.h"
#include "platform/ui/Prompts.h"

namespace rost {

bool runPrintJob(QWidget *parent, PageOrientation orientation, const PrintJob::Drawing &draw,
                 const QString &pdfName)
{
    Prompts &prompts = Prompts::instance();
    const bool printers = prompts.printersInstalled();
    std::optional<PrintOutcome> outcome;
    const bool ran = guarded(parent, [&] {
        outcome = PrintSession::instance().run(
            orientation, draw, printers, pdfName, [&](const QString &suggested) {
                return prompts.saveFile(parent, QStringLiteral("Save the printout as"), suggested,
                                        QStringLiteral("PDF files (*.pdf)"), true);
            });
    });
    if (!ran || !outcome)
        return false;
    const QString where = PrintSession::outcomeText(*outcome, printers);
    if (!where.isEmpty() && prompts.message(parent, MessageKind::Information, applicationTitle(),
                                            where, QMessageBox::Open | QMessageBox::Close,
                                            QMessageBox::Close) == QMessageBox::Open)
        prompts.openDocument(parent, outcome->pdfPath);
    return true;
}

QString printoutName(const QString &what, const QString &subject)
{
    QString name = subject;
    for (QChar &c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char(' ');
    name = name.simplified();
    if (name.isEmpty())
        return what + QLatin1String(".pdf");
    return what + QLatin1String(" - ") + name + QLatin1String(".pdf");
}

void runPrinterSetup(QWidget *parent)
{
    Prompts::instance().printerSetup(parent, &PrintSession::instance().printer());
}

} // namespace rost
