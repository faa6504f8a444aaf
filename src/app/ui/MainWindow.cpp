#include "app/ui/MainWindow.h"

#include "browse/ui/SearchBox.h"
#include "directory/DataFolder.h"
#include "directory/ProgramContext.h"
#include "directory/Tables.h"
#include "exports/ui/ExportRunner.h"
#include "platform/ui/DialogLauncher.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/RecordNavigator.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <exception>

namespace rost {

namespace {
constexpr int MainWindowHelpTopic = 5;
}

MainWindow::MainWindow(ProgramContext &context, DialogLauncher &launcher, QWidget *parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_context(context),
      m_launcher(launcher)
{
    m_ui->setupUi(this);

    // The group's caption is bold, its lines are not. The weight is set on the lines' font
    // explicitly: a font that sets nothing would take the group's bold.
    QFont bold = m_ui->FamInfoGroup->font();
    bold.setBold(true);
    QFont normal = font();
    normal.setBold(false);
    m_ui->FamInfoGroup->setFont(bold);
    for (QWidget *w : m_ui->FamInfoGroup->findChildren<QWidget *>())
        w->setFont(normal);

    m_puMenu = new QMenu(this);
    m_puMenu->setObjectName(QStringLiteral("puMenu"));
    m_puMenu->addAction(m_ui->fPrintEnvelope);
    m_puMenu->addAction(m_ui->fSendToClip);
    m_puMenu->addAction(m_ui->fExportContact);
    m_ui->EsMenuButton1->setMenu(m_puMenu);
    m_ui->NamePages->setExpanding(false);
    m_ui->Pic->setFocusPolicy(Qt::TabFocus);

    Cursor &tbFam = m_browser.families();
    tbFam.addAfterScroll([this] { tbFamAfterScroll(); });
    using B = RecordNavigator::Button;
    m_ui->Nav->setButtons({B::First, B::Prior, B::Next, B::Last, B::Delete, B::Refresh});
    m_ui->Nav->setCursor(&tbFam);
    m_ui->Nav->setBeforeMove([this] { return PostPendingEdits(); });
    m_ui->Nav->setDeleteDetail([this] {
        return tr("The family \u201C%1\u201D will be deleted; its members stay in the directory.")
            .arg(m_browser.families().text(fld::VorelName));
    });
    QWidget *previous = m_ui->ViewListFieldsButton;
    for (QWidget *stop : m_ui->Nav->tabStops()) {
        setTabOrder(previous, stop);
        previous = stop;
    }

    // Outside a dialog a push button takes Enter only when it is an auto-default one.
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(true);

    m_ui->VorelNameEdit->bind(&tbFam, fld::VorelName);
    m_ui->HomePhoneEdit->bind(&tbFam, fld::HomePhone);
    m_ui->Pic->bind(&tbFam, fld::FamilyPicture);
    m_ui->EMailEdit->bind(&m_browser.members(), fld::EMailAddress);
    m_ui->SearchBox->setReturnFocus(m_ui->FindFamilyButton);

    connectCommands();
    updateCommandStates();

    // A fixed window, centred on its screen.
    setFixedSize(size());
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());

    FormCreate();
}

MainWindow::~MainWindow()
{
    stopSearchIndexBuilds();
    // The displays listen to the cursors, which go before the widgets do.
    m_ui->Nav->setCursor(nullptr);
    m_ui->VorelNameEdit->unbind();
    m_ui->HomePhoneEdit->unbind();
    m_ui->Pic->unbind();
    m_ui->EMailEdit->unbind();
    m_ui->AddEdit->unbind();
    m_browser.close();
}

void MainWindow::connectCommands()
{
    connect(m_ui->FindFamilyButton, &QPushButton::clicked, this,
            &MainWindow::FindFamilyButtonClick);
    connect(m_ui->FindIndButton, &QPushButton::clicked, this, &MainWindow::FindIndButtonClick);
    connect(m_ui->UpdateAddressButton, &QPushButton::clicked, this,
            &MainWindow::UpdateAddressButtonClick);
    connect(m_ui->UpdateIndButton, &QPushButton::clicked, this, &MainWindow::UpdateIndButtonClick);
    connect(m_ui->ViewListFieldsButton, &QPushButton::clicked, this,
            &MainWindow::ViewListFieldsButtonClick);
    connect(m_ui->HelpButton, &QPushButton::clicked, this, &MainWindow::HelpButtonClick);
    connect(m_ui->NamePages, &QTabBar::currentChanged, this, &MainWindow::NamePagesChange);
    connect(m_ui->SearchBox, &SearchBox::chosen, this, &MainWindow::SearchBoxChosen);
    // A family deleted, or an edit saved by Refresh, changes what the search finds.
    connect(m_ui->Nav, &RecordNavigator::clicked, this, [this](RecordNavigator::Button which) {
        if (which == RecordNavigator::Button::Delete || which == RecordNavigator::Button::Refresh)
            rebuildSearchIndex();
    });

    connect(m_ui->fPrintDirectory, &QAction::triggered, this, &MainWindow::fPrintDirectoryClick);
    connect(m_ui->fPrintLabels, &QAction::triggered, this, &MainWindow::fPrintLabelsClick);
    connect(m_ui->fExportDirectory, &QAction::triggered, this, &MainWindow::fExportDirectoryClick);
    connect(m_ui->fImportData, &QAction::triggered, this, &MainWindow::fImportDataClick);
    connect(m_ui->fExit, &QAction::triggered, this, &MainWindow::fExitClick);
    connect(m_ui->fSearch, &QAction::triggered, this, &MainWindow::fSearchClick);
    connect(m_ui->mMakeLists, &QAction::triggered, this, &MainWindow::mMakeListsClick);
    connect(m_ui->pEnvPrefs, &QAction::triggered, this, &MainWindow::pEnvPrefsClick);
    connect(m_ui->pReturnAdd, &QAction::triggered, this, &MainWindow::pReturnAddClick);
    connect(m_ui->hContents, &QAction::triggered, this, &MainWindow::hContentsClick);
    connect(m_ui->hSearch, &QAction::triggered, this, &MainWindow::hSearchClick);
    connect(m_ui->hAbout, &QAction::triggered, this, &MainWindow::hAboutClick);
    connect(m_ui->fPrintEnvelope, &QAction::triggered, this, &MainWindow::fPrintEnvelopeClick);
    connect(m_ui->fSendToClip, &QAction::triggered, this, &MainWindow::fSendToClipClick);
    connect(m_ui->fExportContact, &QAction::triggered, this, &MainWindow::fExportContactClick);
}

void MainWindow::updateCommandStates()
{
    // Without open tables there is nothing to find, update, print or list.
    const bool open = isDirectoryOpen();
    for (QWidget *w :
         {static_cast<QWidget *>(m_ui->FindFamilyButton),
          static_cast<QWidget *>(m_ui->FindIndButton),
          static_cast<QWidget *>(m_ui->UpdateAddressButton),
          static_cast<QWidget *>(m_ui->UpdateIndButton),
          static_cast<QWidget *>(m_ui->EsMenuButton1),
          static_cast<QWidget *>(m_ui->ViewListFieldsButton), static_cast<QWidget *>(m_ui->Nav)})
        w->setEnabled(open);
    for (QAction *a :
         {m_ui->mMakeLists, m_ui->fPrintEnvelope, m_ui->fSendToClip, m_ui->fExportContact})
        a->setEnabled(open);
    if (!open)
        m_ui->NamePages->setEnabled(false);
}

void MainWindow::FormCreate()
{
    // A settings file that cannot be written is told, and the program goes on with the values
    // in memory.
    guarded(this, [this] { m_context.preferences().Load(); });
    guarded(this, [this] { showWarnings(this, m_context.envelopeLayout().Load()); });
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Activation work runs once, after the window is on screen, so that the dialogs it may open
    // have their owner showing.
    if (!m_activated)
        QTimer::singleShot(0, this, &MainWindow::FormActivate);
}

void MainWindow::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    if (!guarded(this, [this] { DataFolder::makeCurrent(m_context.dataFolder()); }))
        return;
    if (DataFolder::familiesFilePresent(m_context.dataFolder()))
        OpenDirectory();
    else
        TryToImportData();
    m_ui->FindFamilyButton->setFocus();
}

bool MainWindow::OpenDirectory()
{
    const bool ok = guarded(this, [this] {
        m_folderLock.emplace(m_context.dataFolder(), DataFolderLock::Mode::Shared);
        // Opening the families moves to the first family, which already builds the display.
        m_browser.open(m_context.dataFolder());
        CheckSetupInfo();
        GetFamilyMembers(1);
    });
    updateCommandStates();
    // On two cores the index's reading would hold up the paint of the family just opened.
    if (ok && isVisible()) {
        m_searchAfterPaint = true;
        update();
    } else if (ok)
        rebuildSearchIndex();
    return ok;
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    if (m_searchAfterPaint) {
        m_searchAfterPaint = false;
        // Queued, so that the paint reaches the screen first.
        QTimer::singleShot(0, this, &MainWindow::rebuildSearchIndex);
    }
}

void MainWindow::rebuildSearchIndex()
{
    if (!isDirectoryOpen())
        return;
    const QString folder = m_context.dataFolder();
    auto built = std::make_shared<std::shared_ptr<const DirectorySearch>>();
    QThread *build = QThread::create([folder, built] {
        // A directory the index cannot be read from leaves the box as it was: browsing, which
        // tells its own errors, goes on without it.
        try {
            RostConnection connection;
            connection.setPath(folder);
            connection.connect();
            *built =
                std::make_shared<const DirectorySearch>(FamilyBrowser::buildSearch(connection));
        } catch (const std::exception &) {
        }
    });
    build->setParent(this);
    m_searchBuild = build;
    connect(build, &QThread::finished, this, [this, build, built] {
        if (build == m_searchBuild) {
            m_searchBuild = nullptr;
            if (*built)
                m_ui->SearchBox->setSearch(*built);
        }
        build->deleteLater();
    });
    build->start();
}

void MainWindow::stopSearchIndexBuilds()
{
    m_searchBuild = nullptr;
    for (QThread *build : findChildren<QThread *>(Qt::FindDirectChildrenOnly))
        build->wait();
}

void MainWindow::CloseDirectory()
{
    m_searchAfterPaint = false;
    // No build may go on reading table files that an import is about to replace.
    stopSearchIndexBuilds();
    m_ui->SearchBox->setSearch(nullptr);
    m_browser.close();
    m_folderLock.reset();
    m_ui->AddEdit->unbind();
    m_ui->AddEdit->setLines({});
    m_rebuildingTabs = true;
    while (m_ui->NamePages->count() > 0)
        m_ui->NamePages->removeTab(0);
    m_rebuildingTabs = false;
    clearMemberDisplays();
    updateCommandStates();
}

void MainWindow::CheckSetupInfo()
{
    const DirectorySetup &setup = m_browser.setup();
    // Once shown, the list commands stay: a later directory without lists does not hide them.
    if (setup.anyListInUse()) {
        m_ui->mMakeLists->setVisible(true);
        m_ui->ViewListFieldsButton->setVisible(true);
    }
}

bool MainWindow::TrySavingPendingEdits()
{
    const bool changed = !m_browser.pendingChanges().isEmpty();
    const bool saved = guarded(this, [this] { m_browser.postPendingEdits(); });
    if (saved && changed)
        rebuildSearchIndex();
    return saved;
}

bool MainWindow::PostPendingEdits()
{
    if (TrySavingPendingEdits())
        return true;
    // Asked once a move: without a way out, every later move would fail again the same way.
    const int keepEditing = 0;
    if (Prompts::instance().choose(this, tr("Confirm"), tr("Your change could not be saved."),
                                   {tr("Keep editing"), tr("Discard the change")},
                                   keepEditing) == keepEditing)
        return false;
    m_browser.cancelPendingEdits();
    return true;
}

void MainWindow::DiscardPendingEdits()
{
    const QStringList changes = m_browser.pendingChanges();
    if (changes.isEmpty() || !confirmDiscard(this, changes))
        return;
    m_browser.cancelPendingEdits();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && isDirectoryOpen()) {
        DiscardPendingEdits();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool MainWindow::FormClose()
{
    // A change typed into one of the lines is saved before the tables close. When it cannot be,
    // the member decides whether to leave it behind.
    if (!TrySavingPendingEdits()) {
        const auto answer = Prompts::instance().message(
            this, MessageKind::Confirmation, tr("Confirm"),
            tr("Your change could not be saved.\rClose Rostella without saving it?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
        m_browser.cancelPendingEdits();
    }
    CloseDirectory();
    return true;
}

void MainWindow::FindFamilyButtonClick()
{
    if (!isDirectoryOpen() || !PostPendingEdits())
        return;
    std::optional<FamilyId> tag;
    guarded(this, [&] { tag = m_launcher.findFamily(this, m_browser.connection()); });
    showFoundFamily(tag);
}

void MainWindow::showFoundFamily(std::optional<FamilyId> familyId)
{
    if (familyId)
        guarded(this, [&] { m_browser.goToFamily(*familyId); });
    GetFamilyMembers(1);
}

void MainWindow::FindIndButtonClick()
{
    if (!isDirectoryOpen() || !PostPendingEdits())
        return;
    std::optional<FoundIndividual> found;
    if (!guarded(this, [&] { found = m_launcher.findIndividual(this, m_browser.connection()); }) ||
        !found)
        return;
    showFoundIndividual(*found);
}

void MainWindow::showFoundIndividual(const FoundIndividual &found)
{
    guarded(this, [&] {
        if (!m_browser.goToFamilyOf(found))
            Prompts::instance().message(this, MessageKind::Information, tr("Information"),
                                        found.locateFailedText());
    });
    GetFamilyMembers(found.FoundRank);
}

void MainWindow::fSearchClick()
{
    m_ui->SearchBox->activate();
}

void MainWindow::SearchBoxChosen(const SearchHit &hit)
{
    if (!isDirectoryOpen() || !PostPendingEdits())
        return;
    if (hit.kind == SearchHit::Kind::Household)
        showFoundFamily(hit.familyId);
    else
        showFoundIndividual(hit.found());
}

void MainWindow::UpdateAddressButtonClick()
{
    // The dialog saves through a cursor of its own: a change still pending here would be saved
    // over the dialog's when the window next moved.
    if (!isDirectoryOpen() || !PostPendingEdits())
        return;
    guarded(this, [this] {
        m_launcher.updateFamily(this, m_browser.connection(), m_browser.familyView().familyId);
    });
    // Rows saved through the dialog's own cursor show once the window's cursor reads them again.
    guarded(this, [this] {
        m_browser.families().refresh();
        GetFamInfo();
    });
    rebuildSearchIndex();
}

void MainWindow::UpdateIndButtonClick()
{
    if (!isDirectoryOpen() || !PostPendingEdits())
        return;
    guarded(this, [this] { m_launcher.updateIndividual(this, m_browser.members()); });
    GetIndInfo();
    rebuildSearchIndex();
}

bool MainWindow::refuseWithoutMembers(const QString &text)
{
    if (m_browser.members().isOpen() && m_browser.members().hasRow())
        return false;
    Prompts::instance().message(this, MessageKind::Information, tr("Information"), text);
    return true;
}

void MainWindow::fPrintEnvelopeClick()
{
    if (isDirectoryOpen() && !refuseWithoutMembers(tr("This family has no members to print for.")))
        guarded(this, [this] {
            m_launcher.printEnvelope(this, m_browser.connection(), m_browser.currentIndivId());
        });
}

void MainWindow::fSendToClipClick()
{
    if (isDirectoryOpen() && !refuseWithoutMembers(tr("This family has no members to copy.")))
        guarded(this, [this] {
            m_launcher.sendToClipboard(this, m_browser.connection(), m_browser.currentIndivId());
        });
}

void MainWindow::fExportContactClick()
{
    if (isDirectoryOpen() && !refuseWithoutMembers(tr("This family has no members to export.")))
        guarded(this, [this] {
            ExportRunner(this, m_browser.connection()).contact(m_browser.currentIndivId());
        });
}

void MainWindow::pEnvPrefsClick()
{
    guarded(this, [this] { m_launcher.envelopePreferences(this); });
}

void MainWindow::pReturnAddClick()
{
    guarded(this, [this] { m_launcher.returnAddress(this); });
}

void MainWindow::mMakeListsClick()
{
    if (isDirectoryOpen())
        guarded(this, [this] {
            m_launcher.makeLists(this, m_browser.connection(), m_browser.setup(),
                                 m_browser.families());
        });
}

void MainWindow::ViewListFieldsButtonClick()
{
    if (isDirectoryOpen())
        guarded(this, [this] {
            m_launcher.viewListFields(this, m_browser.connection(), m_browser.setup(),
                                      m_browser.members());
        });
}

void MainWindow::fPrintDirectoryClick()
{
    if (isDirectoryOpen())
        guarded(this, [this] {
            m_launcher.printDirectory(this, m_browser.connection(), m_browser.setup());
        });
}

void MainWindow::fPrintLabelsClick()
{
    if (isDirectoryOpen())
        guarded(this, [this] {
            m_launcher.printLabels(this, m_browser.connection(), m_browser.setup(), {}, {});
        });
}

void MainWindow::fExportDirectoryClick()
{
    if (isDirectoryOpen())
        guarded(this, [this] { m_launcher.exportDirectory(this, m_browser.connection()); });
}

void MainWindow::fImportDataClick()
{
    // No table file may be held open while the import replaces it.
    if (!PostPendingEdits())
        return;
    CloseDirectory();
    guarded(this, [this] { m_launcher.importFromMenu(this); });
    if (DataFolder::familiesFilePresent(m_context.dataFolder()))
        OpenDirectory();
    m_ui->FindFamilyButton->setFocus();
}

void MainWindow::TryToImportData()
{
    CloseDirectory();
    guarded(this, [this] { m_launcher.importAtStartup(this); });
    if (DataFolder::familiesFilePresent(m_context.dataFolder()))
        OpenDirectory();
    m_ui->FindFamilyButton->setFocus();
}

void MainWindow::hContentsClick()
{
    showHelpContents(this);
}

void MainWindow::hSearchClick()
{
    showHelpSearch(this);
}

void MainWindow::HelpButtonClick()
{
    showHelpTopic(this, MainWindowHelpTopic);
}

void MainWindow::hAboutClick()
{
    guarded(this, [this] { m_launcher.about(this); });
}

void MainWindow::fExitClick()
{
    close();
}

} // namespace rost
