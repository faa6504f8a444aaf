#include "lists/ui/ReportPreviewDialog.h"

#include "platform/render/PainterSurface.h"
#include "platform/render/PrintJob.h"
#include "platform/ui/Prompts.h"

#include <QPainter>
#include <QPrintPreviewWidget>

namespace rost {

ReportPreviewDialog::ReportPreviewDialog(QPrinter &printer, Drawing drawing, QWidget *parent)
    : QPrintPreviewDialog(&printer, parent), m_drawing(std::move(drawing))
{
    setWindowTitle(tr("Report Preview"));
    setWindowState(windowState() | Qt::WindowMaximized);
    if (auto *view = findChild<QPrintPreviewWidget *>()) {
        view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view->setZoomFactor(1.0);
    }
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreviewDialog::paintPages);
}

double ReportPreviewDialog::zoomFactor() const
{
    const auto *view = findChild<QPrintPreviewWidget *>();
    return view ? view->zoomFactor() : 0;
}

void ReportPreviewDialog::paintPages(QPrinter *printer)
{
    printer->setDocName(QLatin1String(PrintJob::Title));
    printer->setFullPage(true);
    QPainter painter;
    if (!painter.begin(printer))
        return;
    PainterSurface surface(painter, *printer);
    guarded(this, [&] { m_drawing(surface); });
    painter.end();
}

} // namespace rost
