#pragma once

#include "platform/print/PrintSurface.h"

#include <QPrintPreviewDialog>

#include <functional>

namespace rost {

// "Report Preview": the pages at 100 % in a maximized window. Its Print closes the preview and
// leaves the job to the caller, so that a report printed from here takes the road of every other
// job (the PDF file asked for and reported when there is no printer).
class ReportPreviewDialog : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    using Drawing = std::function<void(PrintSurface &)>;
    ReportPreviewDialog(QPrinter &printer, Drawing drawing, QWidget *parent = nullptr);

    // The preview's own Print command.
    QAction *printAction() const { return m_printAction; }
    // The user closed the preview with Print.
    bool printRequested() const { return m_printRequested; }

private:
    void paintPages(QPrinter *printer);
    Drawing m_drawing;
    QAction *m_printAction = nullptr;
    bool m_printRequested = false;
};

} // namespace rost
