#pragma once

#include <QString>
#include <QStringList>

namespace rost {

class Cursor;

// The address fields of one family, as read (trailing blanks already removed).
struct DisplayedAddress
{
    QString Address1;
    QString Address2;
    QString City;
    QString State;
    QString Zip;
    QString Country;
    QString IntlAddress;
};

// The fields of one member that its name line and phones line are made of.
struct MemberLineFields
{
    QString Title;
    QString FirstName;
    QString MiddleName;
    QString LastName;
    QString Suffix;
    QString GoesBy;
    QString WorkPhone;
    QString Fax;
    QString Cell;
    QString Pager;
    QString OtherPhoneLabel;
    QString OtherPhone;
};

// What the main window shows of a family and its members, composed from plain values or from a
// cursor's current row. The blanks in these lines are part of what members have always seen and
// of what gets copied out of the window, so they are kept exactly.
class FamilyDisplay
{
public:
    static DisplayedAddress displayedAddress(const Cursor &tbFam);
    static MemberLineFields memberFields(const Cursor &tbInd);

    // The lines of the composed address: Address1, Address2, "City State  Zip" (only when there
    // is a city), Country; empty fields add no line.
    static QStringList composedAddress(const DisplayedAddress &a);
    // The address block as shown: the international address line for line when there is one,
    // the composed lines otherwise.
    static QStringList addressBlock(const DisplayedAddress &a);
    // An international address split at its own line breaks (CR LF, CR or LF).
    static QStringList intlAddressLines(const QString &intlAddress);

    static QString nameLine(const MemberLineFields &m);
    static QString phonesLine(const MemberLineFields &m);
};

} // namespace rost
