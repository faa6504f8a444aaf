#include "app/FamilyDisplay.h"

#include "directory/Cursor.h"
#include "directory/Tables.h"

#include <QRegularExpression>

namespace rost {

DisplayedAddress FamilyDisplay::displayedAddress(const Cursor &tbFam)
{
    return {tbFam.text(fld::Address1),   tbFam.text(fld::Address2), tbFam.text(fld::City),
            tbFam.text(fld::State),      tbFam.text(fld::Zip),      tbFam.text(fld::Country),
            tbFam.text(fld::IntlAddress)};
}

MemberLineFields FamilyDisplay::memberFields(const Cursor &tbInd)
{
    return {tbInd.text(fld::Title),
            tbInd.text(fld::FirstName),
            tbInd.text(fld::MiddleName),
            tbInd.text(fld::LastName),
            tbInd.text(fld::Suffix),
            tbInd.text(fld::GoesBy),
            tbInd.text(fld::WorkPhone),
            tbInd.text(fld::Fax),
            tbInd.text(fld::Cell),
            tbInd.text(fld::Pager),
            tbInd.text(fld::OtherPhoneLabel),
            tbInd.text(fld::OtherPhone)};
}

QStringList FamilyDisplay::composedAddress(const DisplayedAddress &a)
{
    QStringList lines;
    if (!a.Address1.isEmpty())
        lines << a.Address1;
    if (!a.Address2.isEmpty())
        lines << a.Address2;
    // State and zip ride on the city line: without a city neither is shown.
    if (!a.City.isEmpty())
        lines << a.City + QLatin1Char(' ') + a.State + QLatin1String("  ") + a.Zip;
    if (!a.Country.isEmpty())
        lines << a.Country;
    return lines;
}

QStringList FamilyDisplay::intlAddressLines(const QString &intlAddress)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = intlAddress.split(breaks);
    // A break at the very end closes the last line; it does not open an empty one.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList FamilyDisplay::addressBlock(const DisplayedAddress &a)
{
    if (!a.IntlAddress.isEmpty())
        return intlAddressLines(a.IntlAddress);
    return composedAddress(a);
}

QString FamilyDisplay::nameLine(const MemberLineFields &m)
{
    // Composed in one buffer: the search index makes a line for every person in the directory.
    QString line;
    line.reserve(m.Title.size() + m.FirstName.size() + m.MiddleName.size() + m.LastName.size() +
                 m.Suffix.size() + m.GoesBy.size() + 16);
    if (!m.Title.isEmpty()) {
        line += m.Title;
        line += QLatin1Char(' ');
    }
    line += m.FirstName;
    line += QLatin1Char(' ');
    if (!m.MiddleName.isEmpty()) {
        line += m.MiddleName;
        line += QLatin1Char(' ');
    }
    line += m.LastName;
    line += QLatin1Char(' ');
    line += m.Suffix;
    line += QLatin1String("  ");
    if (m.FirstName != m.GoesBy) {
        line += QLatin1String("(Goes by ");
        line += m.GoesBy;
        line += QLatin1String(") ");
    }
    return line;
}

QString FamilyDisplay::phonesLine(const MemberLineFields &m)
{
    static const QString gap = QStringLiteral("   ");
    QString line;
    if (!m.WorkPhone.isEmpty())
        line += QLatin1String("Work: ") + m.WorkPhone + gap;
    if (!m.Fax.isEmpty())
        line += QLatin1String("Fax: ") + m.Fax + gap;
    if (!m.Cell.isEmpty())
        line += QLatin1String("Cell: ") + m.Cell + gap;
    if (!m.Pager.isEmpty())
        line += QLatin1String("Pager: ") + m.Pager + gap;
    if (!m.OtherPhone.isEmpty())
        line += m.OtherPhoneLabel + QLatin1String(": ") + m.OtherPhone;
    return line;
}

} // namespace rost
