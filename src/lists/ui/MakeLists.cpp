#include "lists/ui/MakeLists.h"

#include "directory/Cursor.h"
#include "directory/Tables.h"
#include "platform/ui/DialogLauncher.h"
#include "platform/ui/GridView.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_MakeLists.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>

namespace rost {

TMakeListsForm::TMakeListsForm(RostConnection &connection, const TDirectorySetup &setup,
                               Cursor &tbFam, DialogLauncher &launcher, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::MakeListsForm>()), m_connection(connection),
      m_tbFam(tbFam), m_launcher(launcher), m_maker(connection, setup)
{
    m_ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_ui->ListGrid->setBoldTitles(true);
    m_ui->ListGrid->setColumns({
        {QLatin1String(fld::LastName), 20, QStringLiteral("Last Name")},
        {QLatin1String(fld::FirstName), 20, QStringLiteral("First Name")},
        {QLatin1String(fld::HomePhone), 20, QStringLiteral("Home Phone")},
        {QLatin1String(fld::EMailAddress), 40, QStringLiteral("EMail Address")},
    });
    m_ui->ListGrid->setSource(&m_maker.tbSQL());

    m_puMenu = new QMenu(this);
    Namephoneemailaddress1 =
        m_puMenu->addAction(QStringLiteral("Name, phone, && e-mail address list"));
    Nameandaddresslist1 = m_puMenu->addAction(QStringLiteral("Name, address, && home phone list"));
    Envelopeforselectedname1 = m_puMenu->addAction(QStringLiteral("Envelope for selected name"));
    Envelopesforentirelist1 = m_puMenu->addAction(QStringLiteral("Envelopes for entire list"));
    m_ui->PrintButton->setMenu(m_puMenu);
    connect(Namephoneemailaddress1, &QAction::triggered, this,
            &TMakeListsForm::Namephoneemailaddress1Click);
    connect(Nameandaddresslist1, &QAction::triggered, this,
            &TMakeListsForm::Nameandaddresslist1Click);
    connect(Envelopeforselectedname1, &QAction::triggered, this,
            &TMakeListsForm::Envelopeforselectedname1Click);
    connect(Envelopesforentirelist1, &QAction::triggered, this,
            &TMakeListsForm::Envelopesforentirelist1Click);

    connect(m_ui->ToViewCombo, &QComboBox::editTextChanged, this,
            &TMakeListsForm::ToViewComboChange);
    connect(m_ui->ItemsCombo, &QComboBox::editTextChanged, this, &TMakeListsForm::ItemsComboChange);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->Buttons, &QDialogButtonBox::helpRequested, this,
            [this] { HelpViewer::instance(this)->showTopic(HelpTopic); });

    FormCreate();
    updateCommands();
}

TMakeListsForm::~TMakeListsForm()
{
    // The grid outlives the queries it shows: the widgets go after the members.
    m_ui->ListGrid->setSource(nullptr);
    m_maker.close();
}

GridView *TMakeListsForm::grid() const
{
    return m_ui->ListGrid;
}

void TMakeListsForm::FormCreate()
{
    m_maker.openKindTables();
    // Filling the box would pick its first entry; no kind is chosen until the user chooses one.
    const QSignalBlocker block(m_ui->ToViewCombo);
    m_ui->ToViewCombo->addItems(m_maker.captions());
}

void TMakeListsForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void TMakeListsForm::FormActivate()
{
    m_ui->ToViewCombo->setCurrentIndex(-1);
    m_ui->ToViewCombo->clearEditText();
    m_ui->ToViewCombo->setFocus();
}

void TMakeListsForm::ToViewComboChange(const QString &text)
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

void TMakeListsForm::ItemsComboChange(const QString &text)
{
    guarded(this, [&] { m_maker.chooseItem(m_ui->ToViewCombo->currentText(), text); });
    updateCommands();
}

void TMakeListsForm::updateCommands()
{
    // Until an item is chosen there is no list to print.
    const bool haveList = m_maker.hasPeople();
    for (QAction *a : m_puMenu->actions())
        a->setEnabled(haveList);
}

bool TMakeListsForm::refuseEmptyList(const QString &what)
{
    if (m_maker.hasPeople() && m_maker.tbSQL().recordCount() > 0)
        return false;
    Prompts::instance().message(this, MessageKind::Information,
                                QGuiApplication::applicationDisplayName(),
                                QStringLiteral("The list is empty, so there is no %1.").arg(what));
    return true;
}

void TMakeListsForm::Namephoneemailaddress1Click()
{
    m_listSelector = ListReport::NamePhoneEMail;
    RvSystemExecute();
}

void TMakeListsForm::Nameandaddresslist1Click()
{
    m_listSelector = ListReport::NameAddress;
    RvSystemExecute();
}

void TMakeListsForm::RvSystemPrint(PrintSurface &report, const PageStarted &pageStarted)
{
    m_warnings = printListReport(m_listSelector, report, m_maker.tbSQL(), m_tbFam, pageStarted);
}

void TMakeListsForm::RvSystemExecute()
{
    if (refuseEmptyList(QStringLiteral("list to print")))
        return;
    m_warnings.clear();
    guarded(this, [&] {
        m_launcher.printReport(this, [this](PrintSurface &report, const PageStarted &pageStarted) {
            RvSystemPrint(report, pageStarted);
        });
    });
    m_maker.tbSQL().first();
    if (!m_warnings.isEmpty())
        Prompts::instance().message(this, MessageKind::Warning,
                                    QGuiApplication::applicationDisplayName(),
                                    m_warnings.join(QLatin1Char('\r')));
}

void TMakeListsForm::Envelopeforselectedname1Click()
{
    if (refuseEmptyList(QStringLiteral("name to print an envelope for")))
        return;
    const auto indivId = IndivId(m_maker.tbSQL().integer(QLatin1String(fld::IndivIdNum)));
    guarded(this, [&] { m_launcher.printEnvelope(this, m_connection, indivId); });
}

void TMakeListsForm::Envelopesforentirelist1Click()
{
    if (refuseEmptyList(QStringLiteral("envelope to print")))
        return;
    guarded(this, [&] { m_launcher.listEnvelopes(this, m_connection, m_maker.tbSQL()); });
    m_maker.tbSQL().first();
}

} // namespace rost
