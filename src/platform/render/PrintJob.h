#pragma once

#include "platform/print/PrintSurface.h"

#include <QString>

#include <functional>

class QPrinter;

namespace rost {

// What a finished job did; a job that did not happen throws instead (IoError).
struct PrintOutcome
{
    int pages = 0;
    QString printerName; // the printer the job went to, or empty
    QString pdfPath;     // the PDF file the job went to, or empty
};

// One print job named "ReportPrinter Report": the drawing routine is called once with the first
// page begun, and the job ends when it returns. A routine that throws ends the job without
// output (nothing half-printed is claimed, no half-written file is left) and the exception goes
// on to the caller.
class PrintJob
{
public:
    static constexpr char Title[] = "ReportPrinter Report";
    using Drawing = std::function<void(PrintSurface &)>;

    // On printer as it is set up (or into its output file when it is set up for PDF output).
    // Only the orientation and the job's name are changed on it.
    static PrintOutcome run(QPrinter &printer, PageOrientation orientation, const Drawing &draw);
    // Into a PDF file: written beside path under another name and renamed over it once whole,
    // so a failed job leaves an existing file as it was. The page size is taken from
    // pageSetup when given, else the printer system's default.
    static PrintOutcome runToPdf(const QString &path, PageOrientation orientation,
                                 const Drawing &draw, const QPrinter *pageSetup = nullptr);

    // Paints the pages of draw on printer as set up (orientation included): for a print preview's
    // paint request. Returns the number of pages; throws IoError when the printer fails.
    static int paintOn(QPrinter &printer, const Drawing &draw);
};

} // namespace rost
