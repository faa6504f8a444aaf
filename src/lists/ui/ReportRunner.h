#pragma once

#include "platform/print/PrintSurface.h"

class QWidget;

namespace rost {

// Runs a report as the lists do: "Output Options" first, then either the job on the run's
// printer (or a PDF file offered as pdfName when there is none) under the "Report Status"
// window, or the modal preview, whose Print runs that same job. False when the user cancelled or
// the job failed (the failure shown).
bool runReport(QWidget *parent, const ReportDrawing &drawing, const QString &pdfName,
               PageOrientation orientation = PageOrientation::Portrait);

} // namespace rost
