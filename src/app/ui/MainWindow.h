#pragma once

#include "app/FamilyBrowser.h"
#include "browse/FoundIndividual.h"
#include "directory/DataFolderLock.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QMenu;
class QThread;

namespace Ui {
class MainWindow;
}

namespace rost {

class DialogLauncher;
class ProgramContext;
class RecordNavigator;

// The main window: one family at a time with its members on tabs, and every command of the
// program. It owns the connection to the directory and the three main cursors, through its
// browser; every other window it opens through the launcher.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Creating the window loads the context's two settings records.
    MainWindow(ProgramContext &context, DialogLauncher &launcher, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The directory the window shows, its cursors and the member tabs.
    FamilyBrowser &browser() { return m_browser; }
    bool isDirectoryOpen() const { return m_browser.isOpen(); }
    // Where the pop-up menu of "Features  " lives, for the code that wires its commands.
    QMenu *featuresMenu() const { return m_puMenu; }

    // Start-up and the directory. FormActivate runs once, the first time the window is shown.
    void FormActivate();
    // Takes the data folder's shared lock, connects to DataFolder and opens the three cursors;
    // false (the error shown) when a step failed, in which case the steps after it have not run.
    bool OpenDirectory();
    // Disconnects: every cursor closes, the displays empty and the folder's lock is let go.
    void CloseDirectory();
    void CheckSetupInfo();

    // The display of the current family and member, rebuilt as the cursors move.
    void tbFamAfterScroll();
    void GetFamInfo();
    void GetFamilyMembers(int position);
    void NamePagesChange(int index);
    void GetIndInfo();

    // Saves a row being edited in tbInd, then in tbFam, before the window moves on. When a save
    // fails the error is shown and the member chooses: keep editing (false, the rows still in
    // edit state) or discard the change (true, the rows as they were saved).
    bool PostPendingEdits();
    // Esc: drops the pending edits once the member has seen what they would have saved.
    void DiscardPendingEdits();

    // Reads the open directory into the search box's index anew, on a thread of its own with a
    // connection of its own; the box searches the index read before until this one is ready,
    // and is turned on when the first is. Called when the directory opens and after a change
    // is saved.
    void rebuildSearchIndex();

public Q_SLOTS:
    void FindFamilyButtonClick();
    void FindIndButtonClick();
    void UpdateAddressButtonClick();
    void UpdateIndButtonClick();
    void fPrintEnvelopeClick();
    void fSendToClipClick();
    void fExportContactClick();
    void pEnvPrefsClick();
    void pReturnAddClick();
    void mMakeListsClick();
    void ViewListFieldsButtonClick();
    void fPrintDirectoryClick();
    void fPrintLabelsClick();
    void fExportDirectoryClick();
    void fImportDataClick();
    void TryToImportData();
    void hContentsClick();
    void hSearchClick();
    void hAboutClick();
    void HelpButtonClick();
    void fExitClick();
    void fSearchClick();
    // A row chosen in the search box's list: its family, and a person's tab, by the roads of
    // the find dialogs.
    void SearchBoxChosen(const rost::SearchHit &hit);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // One attempt at saving, without the question; false (the error shown) when it failed.
    bool TrySavingPendingEdits();
    void keyPressEvent(QKeyEvent *event) override;
    void FormCreate();
    bool FormClose();
    void connectCommands();
    void updateCommandStates();
    void clearMemberDisplays();
    void showFoundFamily(std::optional<FamilyId> familyId);
    void showFoundIndividual(const FoundIndividual &found);
    // Lets every index build still reading the tables finish; what they read is dropped.
    void stopSearchIndexBuilds();
    // A family without members has no one to work for: text says so, and true is returned.
    bool refuseWithoutMembers(const QString &text);

    std::unique_ptr<Ui::MainWindow> m_ui;
    QMenu *m_puMenu = nullptr;

    ProgramContext &m_context;
    DialogLauncher &m_launcher;
    // Held while the directory is open, so that no other run replaces it under the window.
    std::optional<DataFolderLock> m_folderLock;
    FamilyBrowser m_browser;
    // The index build whose result the box is to get; earlier ones are outdated.
    QThread *m_searchBuild = nullptr;
    // The directory just opened on screen: its index is read once the window has painted it.
    bool m_searchAfterPaint = false;
    bool m_activated = false;
    bool m_rebuildingTabs = false;
};

} // namespace rost
