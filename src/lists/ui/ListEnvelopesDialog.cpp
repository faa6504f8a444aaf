#include "lists/ui/ListEnvelopesDialog.h"

#include "directory/ProgramContext.h"
#include "envelopes/EnvelopeDrawing.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "names/ui/NameChoices.h"
#include "platform/ui/DialogLauncher.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_ListEnvelopesDialog.h"

namespace rost {

ListEnvelopesDialog::ListEnvelopesDialog(RostConnection &connection, Query &tbSQL,
                                         const QString &listItem, ProgramContext &context,
                                         DialogLauncher &launcher, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ListEnvelopesDialog>()), m_tbSQL(tbSQL),
      m_listItem(listItem), m_context(context), m_launcher(launcher), m_names(connection)
{
    m_ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    makeCaptionBold(m_ui->GroupBox2);
    m_nameChoices = nameChoiceButtons(*m_ui);
    QWidget *order[] = {m_ui->GroupBox2,
                        m_ui->rbFormalName,
                        m_ui->rbFormalTitle,
                        m_ui->rbFormalNameAndSpouse,
                        m_ui->rbFormalNameAndSpouseTitle,
                        m_ui->rbInformalName,
                        m_ui->rbInformalTitle,
                        m_ui->rbInformalNameAndSpouse,
                        m_ui->rbInformalNameAndSpouseTitle,
                        m_ui->rbUserDefined,
                        m_ui->UserDefinedEdit,
                        m_ui->cbPrintReturnAddress,
                        m_ui->PrintButton,
                        m_ui->EnvPrefsButton,
                        m_ui->SelectPrinterButton,
                        m_ui->HelpButton,
                        m_ui->CloseButton,
                        m_ui->EnterRetunAddressButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_ui->PrintButton, &QPushButton::clicked, this, &ListEnvelopesDialog::PrintButtonClick);
    connect(m_ui->EnvPrefsButton, &QPushButton::clicked, this,
            &ListEnvelopesDialog::EnvPrefsButtonClick);
    connect(m_ui->SelectPrinterButton, &QPushButton::clicked, this,
            &ListEnvelopesDialog::SelectPrinterButtonClick);
    connect(m_ui->EnterRetunAddressButton, &QPushButton::clicked, this,
            &ListEnvelopesDialog::EnterReturnAddressButtonClick);
    installHelp(this, HelpTopic, m_ui->HelpButton);
    connect(m_ui->CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    // Typing a free line chooses it.
    connect(m_ui->UserDefinedEdit, &QLineEdit::textEdited, this,
            [this] { m_ui->rbUserDefined->setChecked(true); });
}

ListEnvelopesDialog::~ListEnvelopesDialog() = default;

QRadioButton *ListEnvelopesDialog::nameChoice(NameLine line) const
{
    return m_nameChoices[lineIndex(line)];
}

void ListEnvelopesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void ListEnvelopesDialog::FormActivate()
{
    m_ui->cbPrintReturnAddress->setChecked(m_context.envelopeLayout().PrintRetAdd);
}

ListEnvelopeStyle ListEnvelopesDialog::chosenStyle() const
{
    ListEnvelopeStyle style;
    style.style.reset();
    for (NameLine line : allNameLines())
        if (nameChoice(line)->isChecked())
            style.style = line;
    if (!style.style)
        style.userDefined = m_ui->UserDefinedEdit->text();
    return style;
}

void ListEnvelopesDialog::PrintButtonClick()
{
    m_printed = 0;
    std::optional<ListEnvelopeSource> envelopes;
    EnvelopeLayout &layout = m_context.envelopeLayout();
    const bool composed = guarded(this, [&] {
        showWarnings(this, layout.Load());
        envelopes.emplace(m_tbSQL, m_names, m_context.preferences(), chosenStyle());
    });
    if (!composed)
        return;
    const QString title = applicationTitle();
    if (envelopes->empty()) {
        QStringList text{QStringLiteral("No envelope can be printed for this list, so nothing was "
                                        "sent to the printer.")};
        Prompts::instance().message(this, MessageKind::Information, title,
                                    (text + envelopes->warnings()).join(QLatin1Char('\r')));
        return;
    }
    const bool printReturn = m_ui->cbPrintReturnAddress->isChecked();
    const PageOrientation orientation =
        envelopeOrientation(layout.Orientation).value_or(PageOrientation::Portrait);
    const bool ran = m_launcher.printPages(
        this, orientation,
        [&](PrintSurface &surface) { drawListEnvelopes(surface, layout, printReturn, *envelopes); },
        printoutName(QStringLiteral("Envelopes"), m_listItem));
    if (ran)
        m_printed = envelopes->composed();
    else if (!guarded(this, [&] { envelopes->finish(); }))
        return;
    if (!envelopes->warnings().isEmpty())
        Prompts::instance().message(this, MessageKind::Warning, title,
                                    envelopes->warnings().join(QLatin1Char('\r')));
    if (ran)
        accept();
}

void ListEnvelopesDialog::EnvPrefsButtonClick()
{
    guarded(this, [this] { m_launcher.envelopePreferences(this); });
    m_ui->cbPrintReturnAddress->setChecked(m_context.envelopeLayout().PrintRetAdd);
}

void ListEnvelopesDialog::SelectPrinterButtonClick()
{
    runPrinterSetup(this);
}

void ListEnvelopesDialog::EnterReturnAddressButtonClick()
{
    guarded(this, [this] { m_launcher.returnAddress(this); });
}

} // namespace rost
