#pragma once

#include "platform/print/PrintSurface.h"

class QWidget;

namespace rost {

// Runs a report as the lists do: "Output Options" first, then either the job on the run's
// printer (or a PDF file when there is none) under the "Report Status" window, or the modal
// preview. False when the user cancelled or the job failed (the failure shown).
bool runReport(QWidget *parent, const ReportDrawing &drawing);

} // namespace rost
