#include "lists/ui/ReportRunner.h"

#include "envelopes/ui/PrintWithPrompts.h"
#include "lists/ui/OutputOptionsDialog.h"
#include "lists/ui/ReportPreviewDialog.h"
#include "lists/ui/ReportStatusDialog.h"
#include "platform/render/PrintSession.h"

#include <QScopeGuard>

namespace rost {

bool runReport(QWidget *parent, const ReportDrawing &drawing, const QString &pdfName,
               PageOrientation orientation)
{
    QPrinter &printer = PrintSession::instance().printer();
    OutputOptionsDialog options(printer, parent);
    if (options.exec() != QDialog::Accepted)
        return false;
    const OutputOptions chosen = options.options();
    if (chosen.preview) {
        // The preview shows the pages as the job will print them.
        printer.setPageOrientation(orientation == PageOrientation::Landscape
                                       ? QPageLayout::Landscape
                                       : QPageLayout::Portrait);
        ReportPreviewDialog preview(
            printer, [&](PrintSurface &s) { drawing(s, {}); }, parent);
        preview.exec();
        if (!preview.printRequested())
            return true;
    }
    // Copies, collation and duplex are this report's; the envelope jobs after it keep theirs.
    const OutputOptions before{false, printer.copyCount(), printer.collateCopies(),
                               printer.duplex()};
    OutputOptionsDialog::apply(chosen, printer);
    const auto restore = qScopeGuard([&] { OutputOptionsDialog::apply(before, printer); });
    ReportStatusDialog status(parent);
    status.show();
    int current = 0;
    return runPrintJob(
        parent, orientation,
        [&](PrintSurface &s) {
            drawing(s, [&](int page) {
                if (current > 0)
                    status.printing(current);
                current = page;
                status.generating(page);
            });
            if (current > 0)
                status.printing(current);
        },
        pdfName);
}

} // namespace rost
