#pragma once

#include "platform/print/PrintSurface.h"
#include "platform/render/PrintJob.h"

#include <QString>

class QWidget;

namespace rost {

// Runs a print job where this run prints (PrintSession). When the system has no printer the user
// names a PDF file (offered pdfName in the folder used last) and is told afterwards where the
// output went. A failure is shown by the application's error display. True when the job ran.
bool runPrintJob(QWidget *parent, PageOrientation orientation, const PrintJob::Drawing &draw,
                 const QString &pdfName);

// The printer setup dialog on the run's printer; its choice applies to every later job.
void runPrinterSetup(QWidget *parent);

} // namespace rost
