#pragma once

#include "directory/Cursor.h"
#include "directory/RostConnection.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace Ui {
class TRostMainForm;
}

namespace rost {

class RecordNavigator;
class TRostMainForm;

// The person an individual find has chosen.
struct FoundIndividual
{
    qint16 FoundFamID = 0;
    qint16 FoundNameID = 0;
    qint16 FoundRank = 0;
};

// The dialogs the main window opens, installed by whoever builds the program. Each runs its dialog
// modally with the window as owner; the window does its own part before and after (saving pending
// edits, moving its cursors, rebuilding the display). A hook left empty makes its command do
// nothing.
struct MainFormHooks
{
    // The find-family dialog: the chosen Family ID Num, or nothing when cancelled.
    std::function<std::optional<int>(TRostMainForm &)> findFamily;
    // The find-individual dialog: the chosen person, or nothing when cancelled.
    std::function<std::optional<FoundIndividual>(TRostMainForm &)> findIndividual;
    // The update-family dialog, opened on the family with this Family ID Num.
    std::function<void(TRostMainForm &, int familyId)> updateFamily;
    // The update-individual dialog over the window's member cursor.
    std::function<void(TRostMainForm &)> updateIndividual;
    // The dialogs that work for one person receive the current member's Indiv ID Num.
    std::function<void(TRostMainForm &, qint16 indivId)> printEnvelope;
    std::function<void(TRostMainForm &, qint16 indivId)> sendToClipboard;
    std::function<void(TRostMainForm &)> envelopePreferences;
    std::function<void(TRostMainForm &)> returnAddress;
    std::function<void(TRostMainForm &)> makeLists;
    std::function<void(TRostMainForm &)> viewListFields;
    // The import roads. The window has closed the directory before the hook runs and opens it
    // again afterwards when the families file is there.
    std::function<void(TRostMainForm &)> importMenuRoad;
    std::function<void(TRostMainForm &)> importStartupRoad;
};

// The main window: one family at a time with its members on tabs, and every command of the
// program. It owns the connection to the directory and the three main cursors.
class TRostMainForm : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int MemberSlots = 20;

    explicit TRostMainForm(QWidget *parent = nullptr);
    ~TRostMainForm() override;

    void setHooks(MainFormHooks hooks) { m_hooks = std::move(hooks); }
    MainFormHooks &hooks() { return m_hooks; }

    RostConnection &connection() { return m_connection; }
    Cursor &famCursor() { return tbFam; }
    Cursor &indCursor() { return tbInd; }
    Cursor &setupCursor() { return tbSetup; }
    bool isDirectoryOpen() const;
    // Slot k (1 to 20) of MemberIds: the Indiv ID Num shown on tab k, or -1.
    qint64 memberId(int slot) const;
    // Where the pop-up menu of "Features  " lives, for the code that wires its commands.
    QMenu *featuresMenu() const { return m_puMenu; }
    // The record navigator over the families.
    RecordNavigator *navigator() const;

    // Start-up and the directory. FormActivate runs once, the first time the window is shown.
    void FormActivate();
    // Connects to DataFolder and opens the three cursors; false (the error shown) when a step
    // failed, in which case the steps after it have not run.
    bool OpenDirectory();
    // Disconnects: every cursor closes and the displays empty.
    void CloseDirectory();
    void CheckSetupInfo();
    static bool familiesFilePresent();

    // The display of the current family and member, rebuilt as the cursors move.
    void tbFamAfterScroll();
    void GetFamInfo();
    void GetFamilyMembers(int position);
    void NamePagesChange(int index);
    void GetIndInfo();

    // Saves a row being edited in tbInd, then in tbFam; false (the error shown, the row still in
    // edit state) when a save failed.
    bool PostPendingEdits();

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
    void FormCreate();
    bool FormClose();
    void connectCommands();
    void updateCommandStates();
    void clearMemberDisplays();
    qint16 currentIndivId() const;
    void runHook(const std::function<void(TRostMainForm &)> &hook);

    std::unique_ptr<Ui::TRostMainForm> ui;
    QMenu *m_puMenu = nullptr;

    RostConnection m_connection;
    Cursor tbFam;
    Cursor tbInd;
    Cursor tbSetup;

    std::array<qint64, MemberSlots> MemberIds;
    bool m_activated = false;
    bool m_rebuildingTabs = false;
    MainFormHooks m_hooks;
};

} // namespace rost
