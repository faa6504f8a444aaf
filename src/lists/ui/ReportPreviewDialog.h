#pragma once

#include "platform/print/PrintSurface.h"

#include <QPrintPreviewDialog>

#include <functional>

namespace rost {

// "Report Preview": the pages at 100 % in a maximized window, from which they can be printed.
class ReportPreviewDialog : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    using Drawing = std::function<void(PrintSurface &)>;
    ReportPreviewDialog(QPrinter &printer, Drawing drawing, QWidget *parent = nullptr);

private:
    void paintPages(QPrinter *printer);
    Drawing m_drawing;
};

} // namespace rost
