#include "lists/ui/OutputOptionsDialog.h"

#include "envelopes/ui/PrintWithPrompts.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_OutputOptionsDialog.h"

#include <QPushButton>

#include <algorithm>

namespace rost {

OutputOptionsDialog::OutputOptionsDialog(QPrinter &printer, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OutputOptionsDialog>()), m_printer(printer)
{
    m_ui->setupUi(this);
    setOptions({false, printer.copyCount(), printer.collateCopies(), printer.duplex()});
    showPrinterName();
    installHelp(this, HelpTopic);
    connect(m_ui->SetupButton, &QPushButton::clicked, this, [this] {
        runPrinterSetup(this);
        showPrinterName();
    });
    connect(m_ui->PreviewRadio, &QRadioButton::toggled, this,
            [this](bool preview) { m_ui->PrinterGroup->setEnabled(!preview); });
    connect(m_ui->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

OutputOptionsDialog::~OutputOptionsDialog() = default;

void OutputOptionsDialog::showPrinterName()
{
    m_ui->PrinterName->setText(Prompts::instance().printersInstalled()
                                   ? m_printer.printerName()
                                   : tr("No printer (PDF file)"));
}

OutputOptions OutputOptionsDialog::options() const
{
    static const QPrinter::DuplexMode modes[] = {QPrinter::DuplexNone, QPrinter::DuplexLongSide,
                                                 QPrinter::DuplexShortSide};
    const int d = std::clamp(m_ui->DuplexCombo->currentIndex(), 0, 2);
    return {m_ui->PreviewRadio->isChecked(), m_ui->CopiesSpin->value(),
            m_ui->CollateCheck->isChecked(), modes[d]};
}

void OutputOptionsDialog::setOptions(const OutputOptions &o)
{
    m_ui->PreviewRadio->setChecked(o.preview);
    m_ui->PrinterRadio->setChecked(!o.preview);
    m_ui->CopiesSpin->setValue(o.copies);
    m_ui->CollateCheck->setChecked(o.collate);
    m_ui->DuplexCombo->setCurrentIndex(o.duplex == QPrinter::DuplexLongSide    ? 1
                                       : o.duplex == QPrinter::DuplexShortSide ? 2
                                                                               : 0);
}

void OutputOptionsDialog::apply(const OutputOptions &o, QPrinter &printer)
{
    printer.setCopyCount(o.copies);
    printer.setCollateCopies(o.collate);
    printer.setDuplex(o.duplex);
}

} // namespace rost
