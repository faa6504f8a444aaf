#include "app/FamilyBrowser.h"

#include "browse/FoundIndividual.h"
#include "directory/DataFolderLock.h"

#include <exception>

namespace rost {

FamilyBrowser::FamilyBrowser()
    : m_families(m_connection, tbl::Families), m_members(m_connection, tbl::Individuals),
      m_setupTable(m_connection, tbl::Setup)
{
    m_members.setIndexName(idx::FamilyIdRankOrder);
    m_members.setMasterSource(&m_families, fld::FamilyIdNum);
}

FamilyBrowser::~FamilyBrowser()
{
    m_connection.disconnect();
}

void FamilyBrowser::open(const QString &folder)
{
    if (m_connection.isConnected())
        m_connection.disconnect();
    m_tabs = {};
    m_connection.setPath(folder);
    m_connection.connect();
    m_members.open();
    m_families.open();
    m_setupTable.open();
    readDirectorySetup(m_setupTable, m_setup);
}

void FamilyBrowser::checkTablesAhead(const QString &folder)
{
    // Never beside an import, which holds the folder while it replaces the files, and never
    // waiting for one either: the open that follows waits and tells.
    const DataFolderLock shared(folder, DataFolderLock::Mode::Shared, std::chrono::milliseconds(0));
    RostConnection::checkAhead(folder, {tbl::Individuals, tbl::Families, tbl::Setup});
}

void FamilyBrowser::close()
{
    m_connection.disconnect();
    m_tabs = {};
}

void FamilyBrowser::postPendingEdits()
{
    if (m_members.state() == CursorState::Edit)
        m_members.post();
    if (m_families.state() == CursorState::Edit)
        m_families.post();
}

void FamilyBrowser::cancelPendingEdits()
{
    m_members.cancel();
    m_families.cancel();
}

QStringList FamilyBrowser::pendingChanges() const
{
    return m_families.pendingChanges() + m_members.pendingChanges();
}

bool FamilyBrowser::goToFamily(FamilyId familyId)
{
    m_families.setIndexName(idx::FamilyIdNumOrder);
    const bool found = m_families.findKey({familyId});
    m_families.setIndexName(idx::FamilyNameOrder);
    return found;
}

bool FamilyBrowser::goToFamilyOf(const FoundIndividual &person)
{
    if (!m_members.inOrder(idx::FamilyIdRankOrder))
        m_members.setIndexName(idx::FamilyIdRankOrder);
    return locateFamily(person.FoundFamID);
}

bool FamilyBrowser::locateFamily(FamilyId familyId)
{
    return m_families.locate(fld::FamilyIdNum, familyId);
}

DirectorySearch FamilyBrowser::buildSearch(RostConnection &connection)
{
    return DirectorySearch::build(connection, [](const SearchName &name) {
        MemberLineFields fields;
        fields.Title = name.title;
        fields.FirstName = name.first;
        fields.MiddleName = name.middle;
        fields.LastName = name.last;
        fields.Suffix = name.suffix;
        fields.GoesBy = name.goesBy;
        // The blanks that end every name line have no place in a list row.
        return FamilyDisplay::nameLine(fields).trimmed();
    });
}

FamilyView FamilyBrowser::familyView() const
{
    if (!m_families.isOpen())
        return {};
    const DisplayedAddress address = FamilyDisplay::displayedAddress(m_families);
    return {FamilyId(m_families.integer(fld::FamilyIdNum)), m_families.text(fld::VorelName),
            m_families.text(fld::HomePhone), FamilyDisplay::addressBlock(address),
            !address.IntlAddress.isEmpty()};
}

MemberView FamilyBrowser::memberView() const
{
    if (!m_members.isOpen())
        return {};
    const MemberLineFields member = FamilyDisplay::memberFields(m_members);
    return {FamilyDisplay::nameLine(member), FamilyDisplay::phonesLine(member),
            m_members.text(fld::EMailAddress)};
}

IndivId FamilyBrowser::currentIndivId() const
{
    if (!m_members.isOpen() || !m_members.hasRow())
        return 0;
    return IndivId(m_members.integer(fld::IndivIdNum));
}

const MemberTabs &FamilyBrowser::rebuildMemberTabs(int position)
{
    m_tabs = {};
    try {
        m_members.setCountMode(CountMode::RespectWhenCounting);
        if (m_members.recordCount() > 0) {
            m_tabs.enabled = true;
            if (m_families.integer(fld::FamilyIdNum) != 0) {
                for (m_members.first(); !m_members.eof() && m_members.hasRow(); m_members.next())
                    m_tabs.tabs.push_back(
                        {IndivId(m_members.integer(fld::IndivIdNum)), m_members.text(fld::GoesBy)});
            }
            // Asked for a tab the family does not have (a rank past its last member, or ranks
            // with gaps), the first member is shown rather than whoever the walk ended on.
            const int count = int(m_tabs.tabs.size());
            if (count > 0) {
                m_tabs.selected = position >= 1 && position <= count ? position - 1 : 0;
                selectMemberTab(m_tabs.selected);
            }
        }
    } catch (const std::exception &) {
    }
    if (m_members.isOpen())
        m_members.setCountMode(CountMode::IgnoreWhenCounting);
    return m_tabs;
}

bool FamilyBrowser::selectMemberTab(int index)
{
    if (index < 0 || index >= int(m_tabs.tabs.size()) || !m_members.isOpen())
        return false;
    m_tabs.selected = index;
    return m_members.locate(fld::IndivIdNum, m_tabs.tabs[size_t(index)].indivId);
}

} // namespace rost
