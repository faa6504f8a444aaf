#include "envelopes/ui/PrintEnvelopeDialog.h"

#include "directory/ProgramContext.h"
#include "envelopes/EnvelopeDrawing.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "names/ui/NameChoices.h"
#include "platform/ui/DialogLauncher.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"
#include "ui_PrintEnvelopeDialog.h"

namespace rost {

PrintEnvelopeDialog::PrintEnvelopeDialog(RostConnection &connection, ProgramContext &context,
                                         DialogLauncher &launcher, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrintEnvelopeDialog>()), m_context(context),
      m_launcher(launcher), m_composer(connection)
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    makeCaptionBold(m_ui->GroupBox2);
    m_nameChoices = nameChoiceButtons(*m_ui);
    connect(m_ui->PrintButton, &QPushButton::clicked, this,
            [this] { guarded(this, [this] { PrintButtonClick(); }); });
    connect(m_ui->EnvPrefsButton, &QPushButton::clicked, this,
            &PrintEnvelopeDialog::EnvPrefsButtonClick);
    connect(m_ui->EnterRetunAddressButton, &QPushButton::clicked, this,
            &PrintEnvelopeDialog::EnterReturnAddressButtonClick);
    connect(m_ui->SelectPrinterButton, &QPushButton::clicked, this,
            &PrintEnvelopeDialog::SelectPrinterButtonClick);
    connect(m_ui->CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    installHelp(this, HelpTopic, m_ui->HelpButton);
    // Typing a line of one's own chooses it.
    connect(m_ui->UserDefinedEdit, &QLineEdit::textEdited, this,
            [this] { m_ui->rbUserDefined->setChecked(true); });
}

PrintEnvelopeDialog::~PrintEnvelopeDialog() = default;

QRadioButton *PrintEnvelopeDialog::nameChoice(NameLine line) const
{
    return m_nameChoices[lineIndex(line)];
}

void PrintEnvelopeDialog::setCaption(NameLine line)
{
    showNameChoice(nameChoice(line), m_names.line(line));
}

void PrintEnvelopeDialog::GetNames(IndivId indivIdNum)
{
    m_names = m_composer.GetNames(indivIdNum);
    for (NameLine line : allNameLines())
        if (isCoupleLine(line))
            setCaption(line);
}

void PrintEnvelopeDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        guarded(this, [this] { FormActivate(); });
    }
}

void PrintEnvelopeDialog::FormActivate()
{
    m_ui->cbPrintReturnAddress->setChecked(m_context.envelopeLayout().PrintRetAdd);
    for (NameLine line : allNameLines())
        if (!isCoupleLine(line))
            setCaption(line);
    // A family that is missing gives the name line alone, never another family's address.
    m_family = m_composer.familyAddress(m_names.FamilyIdNum);
}

QString PrintEnvelopeDialog::chosenNameLine() const
{
    QString line;
    if (m_ui->rbUserDefined->isChecked()) {
        line = m_ui->UserDefinedEdit->text();
    } else {
        for (NameLine which : allNameLines())
            if (nameChoice(which)->isChecked()) {
                line = m_names.line(which);
                break;
            }
    }
    return line.left(MaxLine);
}

QStringList PrintEnvelopeDialog::deliveryLines() const
{
    return householdDeliveryLines(chosenNameLine(), m_family);
}

void PrintEnvelopeDialog::PrintButtonClick()
{
    const QStringList delivery = deliveryLines();
    // The layout is read again from its file; when a damaged file cannot be rewritten the error
    // is shown and nothing is printed.
    EnvelopeLayout &layout = m_context.envelopeLayout();
    showWarnings(this, layout.Load());
    const bool printReturn = m_ui->cbPrintReturnAddress->isChecked();
    const EnvelopeText text = envelopeText(m_context.preferences(), delivery);
    const PageOrientation orientation =
        envelopeOrientation(layout.Orientation).value_or(PageOrientation::Portrait);
    const bool printed = m_launcher.printPages(
        this, orientation,
        [&](PrintSurface &surface) { drawEnvelope(surface, layout, printReturn, text); },
        printoutName(QStringLiteral("Envelope"),
                     m_family.found ? m_family.FamilyName : m_names.Names.LastName));
    if (printed)
        accept();
}

void PrintEnvelopeDialog::EnvPrefsButtonClick()
{
    guarded(this, [this] { m_launcher.envelopePreferences(this); });
    m_ui->cbPrintReturnAddress->setChecked(m_context.envelopeLayout().PrintRetAdd);
}

void PrintEnvelopeDialog::EnterReturnAddressButtonClick()
{
    guarded(this, [this] { m_launcher.returnAddress(this); });
}

void PrintEnvelopeDialog::SelectPrinterButtonClick()
{
    runPrinterSetup(this);
}

} // namespace rost
