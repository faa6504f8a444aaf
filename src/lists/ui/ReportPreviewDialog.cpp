#include "lists/ui/ReportPreviewDialog.h"

#include "lists/ui/OutputOptionsDialog.h"
#include "platform/render/PainterSurface.h"
#include "platform/render/PrintJob.h"
#include "platform/ui/HelpViewer.h"
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
    installHelp(this, OutputOptionsDialog::HelpTopic);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreviewDialog::paintPages);
}

void ReportPreviewDialog::paintPages(QPrinter *printer)
{
    guarded(this, [&] { PrintJob::paintOn(*printer, m_drawing); });
}

} // namespace rost
