#pragma once

#include "app/FamilyBrowser.h"
#include "browse/FoundIndividual.h"
#include "directory/DataFolderLock.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QMenu;

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

public Q_SLOTS:
    void FindFamilyButtonClick();
    void FindIndButtonClick();
    void UpdateAddressButtonClick();
    void UpdateIndButtonClick();
    void fPrintEnvelopeClick();
    void fSendToClipClick();
    void pEnvPrefsClick();
    void pReturnAddClick();
    void mMakeListsClick();
    void ViewListFieldsButtonClick();
    void fPrintDirectoryClick();
    void fImportDataClick();
    void TryToImportData();
    void hContentsClick();
    void hSearchClick();
    void hAboutClick();
    void HelpButtonClick();
    void fExitClick();

protected:
    void showEvent(QShowEvent *event) override;
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
    // A family without members has no one to work for: text says so, and true is returned.
    bool refuseWithoutMembers(const QString &text);

    std::unique_ptr<Ui::MainWindow> m_ui;
    QMenu *m_puMenu = nullptr;

    ProgramContext &m_context;
    DialogLauncher &m_launcher;
    // Held while the directory is open, so that no other run replaces it under the window.
    std::optional<DataFolderLock> m_folderLock;
    FamilyBrowser m_browser;
    bool m_activated = false;
    bool m_rebuildingTabs = false;
};

} // namespace rost
