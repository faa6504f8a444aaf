#pragma once

#include "platform/print/PrintSurface.h"
#include "platform/render/PrintJob.h"

#include <QString>

class QWidget;

namespace rost {

// Runs a print job where this run prints (PrintSession). When the system has no printer the user
// names a PDF file (offered pdfName in the folder used last), asked before an existing file is
// replaced. After every PDF file the user is told its whole path and may open it. A failure is
// shown by the application's error display. True when the job ran.
bool runPrintJob(QWidget *parent, PageOrientation orientation, const PrintJob::Drawing &draw,
                 const QString &pdfName);

// The PDF file name offered for a printout: "Envelope - Smith.pdf" for what "Envelope" and
// subject "Smith". Characters that no file name may hold become blanks; without a subject the
// name is what alone.
QString printoutName(const QString &what, const QString &subject);

// The printer setup dialog on the run's printer; its choice applies to every later job.
void runPrinterSetup(QWidget *parent);

} // namespace rost
