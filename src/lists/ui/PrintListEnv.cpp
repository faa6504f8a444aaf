#include "lists/ui/PrintListEnv.h"

#include "directory/ProgramState.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "names/ui/NameChoices.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_PrintListEnv.h"

#include <QGuiApplication>

namespace rost {

TPrintListEnvForm::TPrintListEnvForm(RostConnection &connection, Query &tbSQL,
                                     ListDialogHooks hooks, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrintListEnvForm>()), m_tbSQL(tbSQL),
      m_hooks(std::move(hooks)), m_names(connection)
{
    m_ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
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

    connect(m_ui->PrintButton, &QPushButton::clicked, this, &TPrintListEnvForm::PrintButtonClick);
    connect(m_ui->EnvPrefsButton, &QPushButton::clicked, this,
            &TPrintListEnvForm::EnvPrefsButtonClick);
    connect(m_ui->SelectPrinterButton, &QPushButton::clicked, this,
            &TPrintListEnvForm::SelectPrinterButtonClick);
    connect(m_ui->EnterRetunAddressButton, &QPushButton::clicked, this,
            &TPrintListEnvForm::EnterRetunAddressButtonClick);
    connect(m_ui->HelpButton, &QPushButton::clicked, this,
            [this] { HelpViewer::instance(this)->showTopic(HelpTopic); });
    connect(m_ui->CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    // Typing a free line chooses it.
    connect(m_ui->UserDefinedEdit, &QLineEdit::textEdited, this,
            [this] { m_ui->rbUserDefined->setChecked(true); });

    m_jobRunner = [this](PageOrientation orientation, const PrintJob::Drawing &draw) {
        return runPrintJob(this, orientation, draw, QStringLiteral("Envelopes.pdf"));
    };
}

TPrintListEnvForm::~TPrintListEnvForm() = default;

void TPrintListEnvForm::setJobRunner(JobRunner runner)
{
    m_jobRunner = std::move(runner);
}

QRadioButton *TPrintListEnvForm::nameChoice(NameLine line) const
{
    return m_nameChoices[lineIndex(line)];
}

void TPrintListEnvForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void TPrintListEnvForm::FormActivate()
{
    m_ui->cbPrintReturnAddress->setChecked(envDef().PrintRetAdd);
}

ListEnvelopeStyle TPrintListEnvForm::chosenStyle() const
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

void TPrintListEnvForm::PrintButtonClick()
{
    m_printed = 0;
    ListEnvelopePages pages;
    tEnvDef &layout = envDef();
    const bool composed = guarded(this, [&] {
        layout.Load();
        pages = composeListEnvelopes(m_tbSQL, m_names, preferences(), chosenStyle());
    });
    if (!composed)
        return;
    const QString title = QGuiApplication::applicationDisplayName();
    if (pages.pages.empty()) {
        QStringList text{QStringLiteral("No envelope can be printed for this list, so nothing was "
                                        "sent to the printer.")};
        Prompts::instance().message(this, MessageKind::Information, title,
                                    (text + pages.warnings).join(QLatin1Char('\r')));
        return;
    }
    const bool printReturn = m_ui->cbPrintReturnAddress->isChecked();
    const PageOrientation orientation =
        envelopeOrientation(layout.Orientation).value_or(PageOrientation::Portrait);
    const bool ran = m_jobRunner(orientation, [&](PrintSurface &surface) {
        drawListEnvelopes(surface, layout, printReturn, pages.pages);
    });
    if (ran)
        m_printed = int(pages.pages.size());
    if (!pages.warnings.isEmpty())
        Prompts::instance().message(this, MessageKind::Warning, title,
                                    pages.warnings.join(QLatin1Char('\r')));
    if (ran)
        accept();
}

void TPrintListEnvForm::EnvPrefsButtonClick()
{
    if (m_hooks.envelopePreferences)
        m_hooks.envelopePreferences(this);
    m_ui->cbPrintReturnAddress->setChecked(envDef().PrintRetAdd);
}

void TPrintListEnvForm::SelectPrinterButtonClick()
{
    runPrinterSetup(this);
}

void TPrintListEnvForm::EnterRetunAddressButtonClick()
{
    if (m_hooks.returnAddress)
        m_hooks.returnAddress(this);
}

} // namespace rost
