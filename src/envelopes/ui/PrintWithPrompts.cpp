#include "envelopes/ui/PrintWithPrompts.h"

#include "platform/render/PrintSession.h"
#include "platform/ui/Prompts.h"

namespace rost {

bool runPrintJob(QWidget *parent, PageOrientation orientation, const PrintJob::Drawing &draw,
                 const QString &pdfName)
{
    std::optional<PrintOutcome> outcome;
    const bool ran = guarded(parent, [&] {
        outcome = PrintSession::instance().run(
            orientation, draw, pdfName, [parent](const QString &suggested) {
                return Prompts::instance().saveFile(parent, QStringLiteral("Save the printout as"),
                                                    suggested, QStringLiteral("PDF files (*.pdf)"));
            });
    });
    if (!ran || !outcome)
        return false;
    const QString where = PrintSession::outcomeText(*outcome);
    if (!where.isEmpty())
        Prompts::instance().message(parent, MessageKind::Information, applicationTitle(), where);
    return true;
}

void runPrinterSetup(QWidget *parent)
{
    Prompts::instance().printerSetup(parent, &PrintSession::instance().printer());
}

} // namespace rost
