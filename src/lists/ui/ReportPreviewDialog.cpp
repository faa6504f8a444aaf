#include "lists/ui/ReportPreviewDialog.h"

#include "lists/ui/OutputOptionsDialog.h"
#include "platform/render/PainterSurface.h"
#include "platform/render/PrintJob.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include <QAction>
#include <QCoreApplication>
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
    // The toolkit's Print would ask for a file by itself and say nothing afterwards.
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction *action : findChildren<QAction *>())
        if (action->text() == printText)
            m_printAction = action;
    if (m_printAction) {
        disconnect(m_printAction, nullptr, this, nullptr);
        connect(m_printAction, &QAction::triggered, this, [this] {
            m_printRequested = true;
            accept();
        });
    }
}

void ReportPreviewDialog::paintPages(QPrinter *printer)
{
    guarded(this, [&] { PrintJob::paintOn(*printer, m_drawing); });
}

} // namespace rost
