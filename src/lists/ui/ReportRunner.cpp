#include "lists/ui/ReportRunner.h"

#include "envelopes/ui/PrintWithPrompts.h"
#include "platform/render/PainterSurface.h"
#include "platform/render/PrintJob.h"
#include "platform/render/PrintSession.h"
#include "platform/ui/Prompts.h"

#include "ui_OutputOptions.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace rost {

TOutputOptionsForm::TOutputOptionsForm(QPrinter &printer, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OutputOptionsForm>()), m_printer(printer)
{
    m_ui->setupUi(this);
    setOptions({false, printer.copyCount(), printer.collateCopies(), printer.duplex()});
    showPrinterName();
    connect(m_ui->SetupButton, &QPushButton::clicked, this, [this] {
        runPrinterSetup(this);
        showPrinterName();
    });
    connect(m_ui->PreviewRadio, &QRadioButton::toggled, this,
            [this](bool preview) { m_ui->PrinterGroup->setEnabled(!preview); });
    connect(m_ui->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TOutputOptionsForm::~TOutputOptionsForm() = default;

void TOutputOptionsForm::showPrinterName()
{
    m_ui->PrinterName->setText(PrintSession::systemHasPrinter() ? m_printer.printerName()
                                                                : tr("No printer (PDF file)"));
}

OutputOptions TOutputOptionsForm::options() const
{
    static const QPrinter::DuplexMode modes[] = {QPrinter::DuplexNone, QPrinter::DuplexLongSide,
                                                 QPrinter::DuplexShortSide};
    const int d = std::clamp(m_ui->DuplexCombo->currentIndex(), 0, 2);
    return {m_ui->PreviewRadio->isChecked(), m_ui->CopiesSpin->value(),
            m_ui->CollateCheck->isChecked(), modes[d]};
}

void TOutputOptionsForm::setOptions(const OutputOptions &o)
{
    m_ui->PreviewRadio->setChecked(o.preview);
    m_ui->PrinterRadio->setChecked(!o.preview);
    m_ui->CopiesSpin->setValue(o.copies);
    m_ui->CollateCheck->setChecked(o.collate);
    m_ui->DuplexCombo->setCurrentIndex(o.duplex == QPrinter::DuplexLongSide    ? 1
                                       : o.duplex == QPrinter::DuplexShortSide ? 2
                                                                               : 0);
}

void TOutputOptionsForm::apply(const OutputOptions &o, QPrinter &printer)
{
    printer.setCopyCount(o.copies);
    printer.setCollateCopies(o.collate);
    printer.setDuplex(o.duplex);
}

TReportStatusForm::TReportStatusForm(QWidget *parent) : QDialog(parent), m_label(new QLabel(this))
{
    setWindowTitle(tr("Report Status"));
    auto *layout = new QVBoxLayout(this);
    m_label->setMinimumWidth(220);
    m_label->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_label);
}

void TReportStatusForm::showStatus(const QString &pattern, int page)
{
    QString text = pattern;
    text.replace(QLatin1String("%p"), QString::number(page));
    m_label->setText(text);
    // The job runs on this thread: let the window show its text before the next page.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TReportStatusForm::generating(int page)
{
    showStatus(QStringLiteral("Generating page %p"), page);
}

void TReportStatusForm::printing(int page)
{
    showStatus(QStringLiteral("Printing page %p"), page);
}

QString TReportStatusForm::statusText() const
{
    return m_label->text();
}

TReportPreviewForm::TReportPreviewForm(QPrinter &printer, Drawing drawing, QWidget *parent)
    : QPrintPreviewDialog(&printer, parent), m_drawing(std::move(drawing))
{
    setWindowTitle(tr("Report Preview"));
    setWindowState(windowState() | Qt::WindowMaximized);
    if (auto *view = findChild<QPrintPreviewWidget *>()) {
        view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view->setZoomFactor(1.0);
    }
    connect(this, &QPrintPreviewDialog::paintRequested, this, &TReportPreviewForm::paintPages);
}

double TReportPreviewForm::zoomFactor() const
{
    const auto *view = findChild<QPrintPreviewWidget *>();
    return view ? view->zoomFactor() : 0;
}

void TReportPreviewForm::paintPages(QPrinter *printer)
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

bool runReport(QWidget *parent, const ReportDrawing &drawing)
{
    QPrinter &printer = PrintSession::instance().printer();
    TOutputOptionsForm options(printer, parent);
    if (options.exec() != QDialog::Accepted)
        return false;
    const OutputOptions chosen = options.options();
    if (chosen.preview) {
        TReportPreviewForm preview(
            printer, [&](PrintSurface &s) { drawing(s, {}); }, parent);
        preview.exec();
        return true;
    }
    // Copies, collation and duplex are this report's; the envelope jobs after it keep theirs.
    const OutputOptions before{false, printer.copyCount(), printer.collateCopies(),
                               printer.duplex()};
    TOutputOptionsForm::apply(chosen, printer);
    const auto restore = qScopeGuard([&] { TOutputOptionsForm::apply(before, printer); });
    TReportStatusForm status(parent);
    status.show();
    int current = 0;
    return runPrintJob(
        parent, PageOrientation::Portrait,
        [&](PrintSurface &s) {
            drawing(s, [&](int page) {
                if (current > 0)
                    status.printing(current);
                current = page;
                status.generating(page);
            });
            if (current > 0)
                status.printing(current);
        },
        QStringLiteral("Report.pdf"));
}

} // namespace rost
