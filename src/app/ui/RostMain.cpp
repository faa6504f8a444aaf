#include "app/ui/RostMain.h"

#include "app/ui/About.h"
#include "browse/ui/BrowseCommands.h"
#include "directory/DataFolder.h"
#include "directory/ProgramState.h"
#include "directory/Tables.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/RecordNavigator.h"
#include "ui_RostMain.h"

#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace rost {

namespace {
constexpr int MainWindowHelpTopic = 5;
}

TRostMainForm::TRostMainForm(QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TRostMainForm>()),
      tbFam(m_connection, QLatin1String(tbl::Families)),
      tbInd(m_connection, QLatin1String(tbl::Individuals)),
      tbSetup(m_connection, QLatin1String(tbl::Setup))
{
    ui->setupUi(this);
    MemberIds.fill(-1);

    // The group's caption is bold, its lines are not.
    QFont bold = ui->FamInfoGroup->font();
    bold.setBold(true);
    const QFont normal = font();
    ui->FamInfoGroup->setFont(bold);
    for (QWidget *w : ui->FamInfoGroup->findChildren<QWidget *>())
        w->setFont(normal);

    m_puMenu = new QMenu(this);
    m_puMenu->setObjectName(QStringLiteral("puMenu"));
    m_puMenu->addAction(ui->fPrintEnvelope);
    m_puMenu->addAction(ui->fSendToClip);
    ui->EsMenuButton1->setMenu(m_puMenu);
    ui->Pic->setFocusPolicy(Qt::NoFocus);
    ui->NamePages->setExpanding(false);
    setTabOrder(ui->ViewListFieldsButton, ui->Nav);

    tbInd.setIndexName(QLatin1String(idx::FamilyIdRankOrder));
    tbInd.setMasterSource(&tbFam, QLatin1String(fld::FamilyIdNum));
    tbFam.addAfterScroll([this] { tbFamAfterScroll(); });
    using B = RecordNavigator::Button;
    ui->Nav->setButtons({B::First, B::Prior, B::Next, B::Last, B::Delete, B::Refresh});
    ui->Nav->setCursor(&tbFam);

    ui->VorelNameEdit->bind(&tbFam, QLatin1String(fld::VorelName));
    ui->HomePhoneEdit->bind(&tbFam, QLatin1String(fld::HomePhone));
    ui->Pic->bind(&tbFam, QLatin1String(fld::FamilyPicture));
    ui->EMailEdit->bind(&tbInd, QLatin1String(fld::EMailAddress));

    connectCommands();
    updateCommandStates();

    // A fixed window, centred on its screen.
    setFixedSize(size());
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());

    FormCreate();
}

TRostMainForm::~TRostMainForm()
{
    // The displays listen to the cursors, which go before the widgets do.
    ui->Nav->setCursor(nullptr);
    ui->VorelNameEdit->unbind();
    ui->HomePhoneEdit->unbind();
    ui->Pic->unbind();
    ui->EMailEdit->unbind();
    ui->AddEdit->unbind();
    m_connection.disconnect();
}

void TRostMainForm::connectCommands()
{
    connect(ui->FindFamilyButton, &QPushButton::clicked, this,
            &TRostMainForm::FindFamilyButtonClick);
    connect(ui->FindIndButton, &QPushButton::clicked, this, &TRostMainForm::FindIndButtonClick);
    connect(ui->UpdateAddressButton, &QPushButton::clicked, this,
            &TRostMainForm::UpdateAddressButtonClick);
    connect(ui->UpdateIndButton, &QPushButton::clicked, this, &TRostMainForm::UpdateIndButtonClick);
    connect(ui->ViewListFieldsButton, &QPushButton::clicked, this,
            &TRostMainForm::ViewListFieldsButtonClick);
    connect(ui->HelpButton, &QPushButton::clicked, this, &TRostMainForm::HelpButtonClick);
    connect(ui->NamePages, &QTabBar::currentChanged, this, &TRostMainForm::NamePagesChange);

    connect(ui->fImportData, &QAction::triggered, this, &TRostMainForm::fImportDataClick);
    connect(ui->fExit, &QAction::triggered, this, &TRostMainForm::fExitClick);
    connect(ui->mMakeLists, &QAction::triggered, this, &TRostMainForm::mMakeListsClick);
    connect(ui->pEnvPrefs, &QAction::triggered, this, &TRostMainForm::pEnvPrefsClick);
    connect(ui->pReturnAdd, &QAction::triggered, this, &TRostMainForm::pReturnAddClick);
    connect(ui->hContents, &QAction::triggered, this, &TRostMainForm::hContentsClick);
    connect(ui->hSearch, &QAction::triggered, this, &TRostMainForm::hSearchClick);
    connect(ui->hAbout, &QAction::triggered, this, &TRostMainForm::hAboutClick);
    connect(ui->fPrintEnvelope, &QAction::triggered, this, &TRostMainForm::fPrintEnvelopeClick);
    connect(ui->fSendToClip, &QAction::triggered, this, &TRostMainForm::fSendToClipClick);
}

RecordNavigator *TRostMainForm::navigator() const
{
    return ui->Nav;
}

bool TRostMainForm::isDirectoryOpen() const
{
    return tbFam.isOpen() && tbInd.isOpen();
}

void TRostMainForm::updateCommandStates()
{
    // Without open tables there is nothing to find, update, print or list.
    const bool open = isDirectoryOpen();
    for (QWidget *w :
         {static_cast<QWidget *>(ui->FindFamilyButton), static_cast<QWidget *>(ui->FindIndButton),
          static_cast<QWidget *>(ui->UpdateAddressButton),
          static_cast<QWidget *>(ui->UpdateIndButton), static_cast<QWidget *>(ui->EsMenuButton1),
          static_cast<QWidget *>(ui->ViewListFieldsButton), static_cast<QWidget *>(ui->Nav)})
        w->setEnabled(open);
    for (QAction *a : {ui->mMakeLists, ui->fPrintEnvelope, ui->fSendToClip})
        a->setEnabled(open);
    if (!open)
        ui->NamePages->setEnabled(false);
}

void TRostMainForm::FormCreate()
{
    const QString folder = DataFolder::initFromCurrentDirectory();
    // A settings file that cannot be written is told, and the program goes on with the values
    // in memory.
    preferences().setFolder(folder);
    guarded(this, [] { preferences().Load(); });
    envDef().setFolder(folder);
    guarded(this, [] { envDef().Load(); });
}

void TRostMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Activation work runs once, after the window is on screen, so that the dialogs it may open
    // have their owner showing.
    if (!m_activated)
        QTimer::singleShot(0, this, &TRostMainForm::FormActivate);
}

void TRostMainForm::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    if (!DataFolder::makeCurrent()) {
        showError(this, tr("The data folder %1 cannot be opened")
                            .arg(QDir::toNativeSeparators(DataFolder::path())));
        return;
    }
    if (familiesFilePresent())
        OpenDirectory();
    else
        TryToImportData();
    ui->FindFamilyButton->setFocus();
}

bool TRostMainForm::familiesFilePresent()
{
    const QDir dir(DataFolder::path());
    const QString wanted = QLatin1String(tbl::FamiliesPresenceName);
    const QStringList files = dir.entryList(QDir::Files);
    return std::any_of(files.begin(), files.end(), [&](const QString &f) {
        return f.compare(wanted, Qt::CaseInsensitive) == 0;
    });
}

bool TRostMainForm::OpenDirectory()
{
    const bool ok = guarded(this, [this] {
        if (m_connection.isConnected())
            m_connection.disconnect();
        m_connection.setPath(DataFolder::path());
        m_connection.connect();
        // Opening the families moves to the first family, which already builds the display.
        tbInd.open();
        tbFam.open();
        updateCommandStates();
        tbSetup.open();
        CheckSetupInfo();
        GetFamilyMembers(1);
    });
    updateCommandStates();
    return ok;
}

void TRostMainForm::CloseDirectory()
{
    m_connection.disconnect();
    ui->AddEdit->unbind();
    ui->AddEdit->setLines({});
    m_rebuildingTabs = true;
    while (ui->NamePages->count() > 0)
        ui->NamePages->removeTab(0);
    m_rebuildingTabs = false;
    MemberIds.fill(-1);
    clearMemberDisplays();
    updateCommandStates();
}

void TRostMainForm::CheckSetupInfo()
{
    TDirectorySetup &setup = directorySetup();
    readDirectorySetup(tbSetup, setup);
    // Once shown, the list commands stay: a later directory without lists does not hide them.
    if (setup.anyListInUse()) {
        ui->mMakeLists->setVisible(true);
        ui->ViewListFieldsButton->setVisible(true);
    }
}

bool TRostMainForm::PostPendingEdits()
{
    return guarded(this, [this] {
        if (tbInd.state() == CursorState::Edit)
            tbInd.post();
        if (tbFam.state() == CursorState::Edit)
            tbFam.post();
    });
}

void TRostMainForm::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TRostMainForm::FormClose()
{
    // A change typed into one of the lines is saved before the tables close. When it cannot be,
    // the member decides whether to leave it behind.
    if (!PostPendingEdits()) {
        const auto answer = Prompts::instance().message(
            this, MessageKind::Confirmation, tr("Confirm"),
            tr("Your change could not be saved.\rClose Rostella without saving it?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
        tbInd.cancel();
        tbFam.cancel();
    }
    CloseDirectory();
    return true;
}

qint16 TRostMainForm::currentIndivId() const
{
    if (!tbInd.isOpen() || !tbInd.hasRow())
        return 0;
    return qint16(tbInd.integer(QLatin1String(fld::IndivIdNum)));
}

void TRostMainForm::runHook(const std::function<void(TRostMainForm &)> &hook)
{
    if (hook)
        guarded(this, [&] { hook(*this); });
}

void TRostMainForm::FindFamilyButtonClick()
{
    if (!isDirectoryOpen() || !PostPendingEdits())
        return;
    guarded(this, [this] {
        std::optional<int> tag;
        if (m_hooks.findFamily)
            tag = m_hooks.findFamily(*this);
        if (tag) {
            // From now on the navigator walks the families by name.
            tbFam.setIndexName(QLatin1String(idx::FamilyIdNumOrder));
            tbFam.findKey({*tag});
            tbFam.setIndexName(QLatin1String(idx::FamilyNameOrder));
        }
    });
    GetFamilyMembers(1);
}

void TRostMainForm::FindIndButtonClick()
{
    if (!isDirectoryOpen() || !PostPendingEdits() || !m_hooks.findIndividual)
        return;
    std::optional<FoundIndividual> found;
    if (!guarded(this, [&] { found = m_hooks.findIndividual(*this); }) || !found)
        return;
    guarded(this, [&] {
        if (tbInd.indexName().compare(QLatin1String(idx::FamilyIdRankOrder), Qt::CaseInsensitive) !=
            0)
            tbInd.setIndexName(QLatin1String(idx::FamilyIdRankOrder));
        if (!tbFam.locate(QLatin1String(fld::FamilyIdNum), int(found->FoundFamID))) {
            Prompts::instance().message(
                this, MessageKind::Information, tr("Information"),
                locateFailedText(found->FoundFamID, found->FoundNameID, found->FoundRank));
        }
    });
    GetFamilyMembers(found->FoundRank);
}

void TRostMainForm::UpdateAddressButtonClick()
{
    if (!isDirectoryOpen() || !m_hooks.updateFamily)
        return;
    guarded(this, [this] {
        m_hooks.updateFamily(*this, int(tbFam.integer(QLatin1String(fld::FamilyIdNum))));
    });
    // Rows saved through the dialog's own cursor show once the window's cursor reads them again.
    guarded(this, [this] {
        tbFam.refresh();
        GetFamInfo();
    });
}

void TRostMainForm::UpdateIndButtonClick()
{
    if (!isDirectoryOpen() || !m_hooks.updateIndividual)
        return;
    runHook(m_hooks.updateIndividual);
    GetIndInfo();
}

void TRostMainForm::fPrintEnvelopeClick()
{
    if (isDirectoryOpen() && m_hooks.printEnvelope)
        guarded(this, [this] { m_hooks.printEnvelope(*this, currentIndivId()); });
}

void TRostMainForm::fSendToClipClick()
{
    if (isDirectoryOpen() && m_hooks.sendToClipboard)
        guarded(this, [this] { m_hooks.sendToClipboard(*this, currentIndivId()); });
}

void TRostMainForm::pEnvPrefsClick()
{
    runHook(m_hooks.envelopePreferences);
}

void TRostMainForm::pReturnAddClick()
{
    runHook(m_hooks.returnAddress);
}

void TRostMainForm::mMakeListsClick()
{
    if (isDirectoryOpen())
        runHook(m_hooks.makeLists);
}

void TRostMainForm::ViewListFieldsButtonClick()
{
    if (isDirectoryOpen())
        runHook(m_hooks.viewListFields);
}

void TRostMainForm::fImportDataClick()
{
    // No table file may be held open while the import replaces it.
    if (!PostPendingEdits())
        return;
    CloseDirectory();
    runHook(m_hooks.importMenuRoad);
    if (familiesFilePresent())
        OpenDirectory();
    ui->FindFamilyButton->setFocus();
}

void TRostMainForm::TryToImportData()
{
    CloseDirectory();
    runHook(m_hooks.importStartupRoad);
    if (familiesFilePresent())
        OpenDirectory();
    ui->FindFamilyButton->setFocus();
}

void TRostMainForm::hContentsClick()
{
    showHelpContents(this);
}

void TRostMainForm::hSearchClick()
{
    showHelpSearch(this);
}

void TRostMainForm::HelpButtonClick()
{
    showHelpTopic(this, MainWindowHelpTopic);
}

void TRostMainForm::hAboutClick()
{
    TAboutForm about(this);
    about.exec();
}

void TRostMainForm::fExitClick()
{
    close();
}

} // namespace rost
