#pragma once

#include "app/FamilyDisplay.h"
#include "browse/DirectorySearch.h"
#include "directory/Cursor.h"
#include "directory/DirectorySetup.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace rost {

struct FoundIndividual;

// What the main window shows of the current family.
struct FamilyView
{
    FamilyId familyId = 0;
    QString name;  // Vorel Name
    QString phone; // Home Phone
    QStringList address;
    // The address block is the family's own free-form address, which the window shows as stored
    // and lets the member edit; otherwise it is composed from the address fields.
    bool intlAddress = false;
};

// What the main window shows of the current member.
struct MemberView
{
    QString nameLine;
    QString phonesLine;
    QString eMail;
};

// One member tab: the member's number and the tab's caption.
struct MemberTab
{
    IndivId indivId = 0;
    QString goesBy;
};

// The member tabs of the current family.
struct MemberTabs
{
    // False when the family has no members at all: the tab row is then disabled.
    bool enabled = false;
    std::vector<MemberTab> tabs;
    int selected = -1; // index into tabs, -1 when there is none
};

// The directory as the main window browses it: the connection, the families cursor (tbFam), the
// members of its current family in rank order (tbInd, a detail of tbFam) and the setup table, with
// the moves the window's commands make and the display they lead to. It is QtCore only, so
// rostella-batch and the benchmarks browse through the very object the window uses.
class FamilyBrowser
{
public:
    FamilyBrowser();
    ~FamilyBrowser();
    FamilyBrowser(const FamilyBrowser &) = delete;
    FamilyBrowser &operator=(const FamilyBrowser &) = delete;

    RostConnection &connection() { return m_connection; }
    Cursor &families() { return m_families; }
    Cursor &members() { return m_members; }
    const Cursor &families() const { return m_families; }
    const Cursor &members() const { return m_members; }
    // The list settings of the directory, read each time it is opened.
    const DirectorySetup &setup() const { return m_setup; }
    bool isOpen() const { return m_families.isOpen() && m_members.isOpen(); }

    // Connects to the folder and opens the members, then the families (a move to the first
    // family, which the families' after-scroll listeners see), then the setup table, whose values
    // are read. Engine errors pass to the caller; the steps after a failed one have not run.
    void open(const QString &folder);
    // Checks the table files open() attaches, so that an open that follows in this process finds
    // their verdicts made; safe on any thread. Reports no verdict; throws DataFolderBusy at once,
    // checking nothing, while an import holds the folder, and IoError when it cannot be opened.
    static void checkTablesAhead(const QString &folder);
    // Disconnects: every cursor over the connection closes.
    void close();

    // Saves a row being edited among the members, then among the families. Throws the engine's
    // error when a save fails; the row then stays in edit state.
    void postPendingEdits();
    void cancelPendingEdits();
    // What the pending edits of the family and its member would save, "Field: text" each.
    QStringList pendingChanges() const;

    // The family a family find chose, by exact key in family-number order. From then on the
    // families are walked in family-name order. A number no family has leaves the cursor.
    bool goToFamily(FamilyId familyId);
    // The family of the person an individual find chose, with the members in rank order. False
    // when no family has the person's family number; the cursor then stays.
    bool goToFamilyOf(const FoundIndividual &person);
    // The family with this number, found in the current order.
    bool locateFamily(FamilyId familyId);

    // The forgiving search over the directory the connection holds, its persons' rows named by
    // their name lines as the window shows them. Reads the tables; engine errors pass.
    static DirectorySearch buildSearch(RostConnection &connection);

    FamilyView familyView() const;
    MemberView memberView() const;
    // The current member's Indiv ID Num; 0 when there is none.
    IndivId currentIndivId() const;

    // Builds the member tabs of the current family anew, one per member in rank order however
    // many there are, and makes the member of tab `position` (1 for the first) current; a position
    // the family does not have selects the first tab. A family numbered 0 has no tabs. An engine
    // error ends the walk unreported: the tabs found so far stay.
    const MemberTabs &rebuildMemberTabs(int position);
    const MemberTabs &memberTabs() const { return m_tabs; }
    // Makes the member of the tab at index (0 for the first) current; false when there is none.
    bool selectMemberTab(int index);

private:
    RostConnection m_connection;
    Cursor m_families;
    Cursor m_members;
    Cursor m_setupTable;
    DirectorySetup m_setup;
    MemberTabs m_tabs;
};

} // namespace rost
