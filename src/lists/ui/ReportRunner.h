#pragma once

#include "lists/ListReports.h"

#include <QDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <functional>
#include <memory>

class QLabel;

namespace Ui {
class OutputOptionsForm;
}

namespace rost {

class PrintSurface;

// What the user chose in "Output Options".
struct OutputOptions
{
    bool preview = false;
    int copies = 1;
    bool collate = true;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
};

// "Output Options": printer or preview, copies, collation, duplex, and the printer setup.
class TOutputOptionsForm : public QDialog
{
    Q_OBJECT

public:
    explicit TOutputOptionsForm(QPrinter &printer, QWidget *parent = nullptr);
    ~TOutputOptionsForm() override;

    OutputOptions options() const;
    void setOptions(const OutputOptions &options);
    // The choices made on the printer the job will use.
    static void apply(const OutputOptions &options, QPrinter &printer);

private:
    void showPrinterName();

    std::unique_ptr<Ui::OutputOptionsForm> m_ui;
    QPrinter &m_printer;
};

// "Report Status": the page a job is working on, shown while the pages are drawn and sent.
class TReportStatusForm : public QDialog
{
    Q_OBJECT

public:
    explicit TReportStatusForm(QWidget *parent = nullptr);
    void generating(int page);
    void printing(int page);
    QString statusText() const;

private:
    void showStatus(const QString &pattern, int page);
    QLabel *m_label;
};

// "Report Preview": the pages at 100 % in a maximized window, from which they can be printed.
class TReportPreviewForm : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    using Drawing = std::function<void(PrintSurface &)>;
    TReportPreviewForm(QPrinter &printer, Drawing drawing, QWidget *parent = nullptr);
    double zoomFactor() const;

private:
    void paintPages(QPrinter *printer);
    Drawing m_drawing;
};

// Runs a report as the lists do: "Output Options" first, then either the job on the run's
// printer (or a PDF file when there is none) under the "Report Status" window, or the modal
// preview. False when the user cancelled or the job failed (the failure shown).
bool runReport(QWidget *parent, const ReportDrawing &drawing);

} // namespace rost
