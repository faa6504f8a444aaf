#pragma once

#include "app/FamilyDisplay.h"
#include "directory/Cursor.h"
#include "directory/Tables.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

namespace rost {

class RostConnection;

// Where an export's bytes go, a piece at a time, so that no export holds a whole file.
using ByteSink = std::function<void(QByteArrayView bytes)>;
// Called now and then while an export runs: how many of total rows are written.
using ExportProgress = std::function<void(int done, int total)>;

// The household fields of a contact, as the main window shows them.
struct ContactHousehold
{
    bool found = false; // false: no household (numbered 0, or not in the table); all empty
    FamilyId familyId = 0;
    QString familyName;
    QString vorelName;
    DisplayedAddress address;
    QString homePhone;
};

// One individual with the household it belongs to.
struct Contact
{
    IndivId indivId = 0;
    QString title;
    QString firstName;
    QString middleName;
    QString lastName;
    QString suffix;
    QString goesBy;
    QString familyStatus;
    QString eMail;
    QString workPhone;
    QString fax;
    QString cell;
    QString pager;
    QString otherPhoneLabel;
    QString otherPhone;
    ContactHousehold household;
};

// Reads individuals with their households through cursors of its own, so that no window's
// cursor moves. A household is read again only when the next contact belongs to another one.
class ContactReader
{
public:
    explicit ContactReader(RostConnection &connection);

    // The individual with this number; false when the table holds none.
    bool individual(IndivId indivId, Contact &contact);
    // Every individual in LAST NAME AND GOES BY ORDER, the order a contacts list is read in.
    void forEach(const std::function<void(const Contact &)> &each);
    int individualCount() const;

    // The family picture of a household read; empty when it has none.
    QByteArray picture(const ContactHousehold &household);

private:
    void read(const Cursor &individual, Contact &contact);
    void readHousehold(FamilyId familyId, ContactHousehold &household);

    Cursor m_individuals;
    Cursor m_families;
};

} // namespace rost
