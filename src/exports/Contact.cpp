#include "exports/Contact.h"

namespace rost {

ContactReader::ContactReader(RostConnection &connection)
    : m_individuals(connection, tbl::Individuals), m_families(connection, tbl::Families)
{
    m_families.setIndexName(idx::FamilyIdNumOrder);
    m_families.open();
}

bool ContactReader::individual(IndivId indivId, Contact &contact)
{
    m_individuals.setIndexName(idx::IndivIdNumOrder);
    if (!m_individuals.isOpen())
        m_individuals.open();
    if (!m_individuals.findKey({QVariant(static_cast<int>(indivId))}))
        return false;
    read(m_individuals, contact);
    return true;
}

void ContactReader::forEach(const std::function<void(const Contact &)> &each)
{
    m_individuals.setIndexName(idx::LastNameAndGoesByOrder);
    if (!m_individuals.isOpen())
        m_individuals.open();
    Contact contact;
    for (m_individuals.first(); m_individuals.hasRow() && !m_individuals.eof();
         m_individuals.next()) {
        read(m_individuals, contact);
        each(contact);
    }
}

int ContactReader::individualCount() const
{
    Cursor all(m_individuals.connection(), tbl::Individuals);
    all.open();
    return all.recordCount();
}

void ContactReader::read(const Cursor &individual, Contact &contact)
{
    contact.indivId = IndivId(individual.integer(fld::IndivIdNum));
    contact.title = individual.text(fld::Title);
    contact.firstName = individual.text(fld::FirstName);
    contact.middleName = individual.text(fld::MiddleName);
    contact.lastName = individual.text(fld::LastName);
    contact.suffix = individual.text(fld::Suffix);
    contact.goesBy = individual.text(fld::GoesBy);
    contact.familyStatus = individual.text(fld::FamilyStatus);
    contact.eMail = individual.text(fld::EMailAddress);
    contact.workPhone = individual.text(fld::WorkPhone);
    contact.fax = individual.text(fld::Fax);
    contact.cell = individual.text(fld::Cell);
    contact.pager = individual.text(fld::Pager);
    contact.otherPhoneLabel = individual.text(fld::OtherPhoneLabel);
    contact.otherPhone = individual.text(fld::OtherPhone);
    readHousehold(FamilyId(individual.integer(fld::FamilyIdNum)), contact.household);
}

void ContactReader::readHousehold(FamilyId familyId, ContactHousehold &household)
{
    // A family numbered 0 holds the people of no household, as the main window shows it.
    if (household.found && household.familyId == familyId)
        return;
    household = ContactHousehold();
    household.familyId = familyId;
    if (familyId == 0 || !m_families.findKey({QVariant(static_cast<int>(familyId))}))
        return;
    household.found = true;
    household.familyName = m_families.text(fld::FamilyName);
    household.vorelName = m_families.text(fld::VorelName);
    household.address = FamilyDisplay::displayedAddress(m_families);
    household.homePhone = m_families.text(fld::HomePhone);
}

QByteArray ContactReader::picture(const ContactHousehold &household)
{
    if (!household.found)
        return {};
    const bool onIt =
        m_families.hasRow() && m_families.integer(fld::FamilyIdNum) == household.familyId;
    if (!onIt && !m_families.findKey({QVariant(static_cast<int>(household.familyId))}))
        return {};
    return m_families.blob(fld::FamilyPicture);
}

} // namespace rost
