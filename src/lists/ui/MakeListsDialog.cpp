#include "lists/ui/MakeListsDialog.h"

#include "directory/Cursor.h"
#include "directory/Tables.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "exports/ui/ExportRunner.h"
#include "platform/ui/ComboEnterFilter.h"
#include "platform/ui/DialogLauncher.h"
#include "platform/ui/GridView.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_MakeListsDialog.h"

#include <QMenu>
#include <QPushButton>

namespace rost {

MakeListsDialog::MakeListsDialog(RostConnection &connection, const DirectorySetup &setup,
                                 Cursor &tbFam, DialogLauncher &launcher, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::MakeListsDialog>()), m_connection(connection),
      m_tbFam(tbFam), m_launcher(launcher), m_maker(connection, setup)
{
    m_ui->setupUi(this);
    ComboEnterFilter::install(m_ui->ToViewCombo);
    ComboEnterFilter::install(m_ui->ItemsCombo);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_ui->ListGrid->setBoldTitles(true);
    m_ui->ListGrid->setColumns({
        {fld::LastName, 20, QStringLiteral("Last Name")},
        {fld::FirstName, 20, QStringLiteral("First Name")},
        {fld::HomePhone, 20, QStringLiteral("Home Phone")},
        {fld::EMailAddress, 40, QStringLiteral("EMail Address")},
    });
    m_ui->ListGrid->setSource(&m_maker.tbSQL());

    m_puMenu = new QMenu(this);
    m_puMenu->setObjectName(QStringLiteral("puMenu"));
    const auto addCommand = [this](const char *name, const QString &caption,
                                   void (MakeListsDialog::*command)()) {
        QAction *action = m_puMenu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, command);
    };
    addCommand("Namephoneemailaddress1", QStringLiteral("Name, phone, && e-mail address list"),
               &MakeListsDialog::printNamePhoneList);
    addCommand("Nameandaddresslist1", QStringLiteral("Name, address, && home phone list"),
               &MakeListsDialog::printNameAddressList);
    addCommand("Envelopeforselectedname1", QStringLiteral("Envelope for selected name"),
               &MakeListsDialog::printSelectedEnvelope);
    addCommand("Envelopesforentirelist1", QStringLiteral("Envelopes for entire list"),
               &MakeListsDialog::printListEnvelopes);
    addCommand("Labelsforentirelist1", QStringLiteral("Labels for entire list..."),
               &MakeListsDialog::printListLabels);
    addCommand("Exportlistascontacts1", QStringLiteral("Export list as contacts..."),
               &MakeListsDialog::exportListContacts);
    m_ui->PrintButton->setMenu(m_puMenu);

    connect(m_ui->ToViewCombo, &QComboBox::editTextChanged, this,
            &MakeListsDialog::ToViewComboChange);
    connect(m_ui->ItemsCombo, &QComboBox::editTextChanged, this,
            &MakeListsDialog::ItemsComboChange);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    installHelp(this, HelpTopic, m_ui->Buttons->button(QDialogButtonBox::Help));

    FormCreate();
    updateCommands();
}

MakeListsDialog::~MakeListsDialog()
{
    // The grid outlives the queries it shows: the widgets go after the members.
    m_ui->ListGrid->setSource(nullptr);
    m_maker.close();
}

void MakeListsDialog::FormCreate()
{
    m_maker.openKindTables();
    // Filling the box would pick its first entry; no kind is chosen until the user chooses one.
    const QSignalBlocker block(m_ui->ToViewCombo);
    m_ui->ToViewCombo->addItems(m_maker.captions());
}

void MakeListsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void MakeListsDialog::FormActivate()
{
    m_ui->ToViewCombo->setCurrentIndex(-1);
    m_ui->ToViewCombo->clearEditText();
    m_ui->ToViewCombo->setFocus();
}

void MakeListsDialog::ToViewComboChange(const QString &text)
{
    guarded(this, [&] {
        if (!m_maker.chooseKind(text))
            return;
        {
            // Emptying and refilling the item box chooses no item: the grid keeps its people.
            const QSignalBlocker block(m_ui->ItemsCombo);
            m_ui->ItemsCombo->clear();
            m_ui->ItemsCombo->addItems(m_maker.items());
            m_ui->ItemsCombo->setCurrentIndex(-1);
            m_ui->ItemsCombo->clearEditText();
        }
        if (isVisible())
            m_ui->ItemsCombo->showPopup();
    });
}

void MakeListsDialog::ItemsComboChange(const QString &text)
{
    guarded(this, [&] { m_maker.chooseItem(m_ui->ToViewCombo->currentText(), text); });
    updateCommands();
}

void MakeListsDialog::updateCommands()
{
    // Until an item is chosen there is no list to print.
    const bool haveList = m_maker.hasPeople();
    for (QAction *a : m_puMenu->actions())
        a->setEnabled(haveList);
}

bool MakeListsDialog::refuseEmptyList(const QString &what)
{
    if (m_maker.hasPeople() && m_maker.tbSQL().recordCount() > 0)
        return false;
    Prompts::instance().message(this, MessageKind::Information, applicationTitle(),
                                QStringLiteral("The list is empty, so there is no %1.").arg(what));
    return true;
}

void MakeListsDialog::printNamePhoneList()
{
    m_listSelector = ListReport::NamePhoneEMail;
    RvSystemExecute();
}

void MakeListsDialog::printNameAddressList()
{
    m_listSelector = ListReport::NameAddress;
    RvSystemExecute();
}

void MakeListsDialog::RvSystemPrint(PrintSurface &report, const PageStarted &pageStarted)
{
    m_warnings = printListReport(m_listSelector, report, m_maker.tbSQL(), m_tbFam, pageStarted);
}

void MakeListsDialog::RvSystemExecute()
{
    if (refuseEmptyList(QStringLiteral("list to print")))
        return;
    m_warnings.clear();
    guarded(this, [&] {
        m_launcher.printReport(
            this,
            [this](PrintSurface &report, const PageStarted &pageStarted) {
                RvSystemPrint(report, pageStarted);
            },
            printoutName(m_listSelector == ListReport::NameAddress ? QStringLiteral("Address list")
                                                                   : QStringLiteral("Phone list"),
                         m_maker.chosenItem()));
    });
    m_maker.tbSQL().first();
    if (!m_warnings.isEmpty())
        Prompts::instance().message(this, MessageKind::Warning, applicationTitle(),
                                    m_warnings.join(QLatin1Char('\r')));
}

void MakeListsDialog::printSelectedEnvelope()
{
    if (refuseEmptyList(QStringLiteral("name to print an envelope for")))
        return;
    const auto indivId = IndivId(m_maker.tbSQL().integer(fld::IndivIdNum));
    guarded(this, [&] { m_launcher.printEnvelope(this, m_connection, indivId); });
}

void MakeListsDialog::printListEnvelopes()
{
    if (refuseEmptyList(QStringLiteral("envelope to print")))
        return;
    guarded(this, [&] {
        m_launcher.listEnvelopes(this, m_connection, m_maker.tbSQL(), m_maker.chosenItem());
    });
    m_maker.tbSQL().first();
}

void MakeListsDialog::printListLabels()
{
    if (refuseEmptyList(QStringLiteral("label to print")))
        return;
    guarded(this, [&] {
        m_launcher.printLabels(this, m_connection, m_maker.setup(), m_maker.chosenKind(),
                               m_maker.chosenItem());
    });
}

void MakeListsDialog::exportListContacts()
{
    if (refuseEmptyList(QStringLiteral("contact to export")))
        return;
    guarded(this, [&] {
        ExportRunner(this, m_connection)
            .list(m_maker.tbSQL(), m_maker.setup(), m_maker.chosenKind(), m_maker.chosenItem());
    });
    m_maker.tbSQL().first();
}

} // namespace rost
