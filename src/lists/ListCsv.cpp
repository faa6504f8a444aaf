#include "lists/ListCsv.h"

#include "directory/Cursor.h"
#include "directory/Query.h"
#include "directory/Tables.h"
#include "names/FamilyAddress.h"

namespace rost {

namespace {

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &f : fields)
        quoted << csvField(f);
    return quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

} // namespace

QString csvField(const QString &text)
{
    // A spreadsheet runs a cell that begins like a formula; the quote makes it plain text.
    static const QString formulaStart = QStringLiteral("=+-@\t\r");
    const QString value =
        !text.isEmpty() && formulaStart.contains(text.front()) ? QLatin1Char('\'') + text : text;
    static const QString needsQuoting = QStringLiteral(",\"\r\n");
    bool needsQuotes = false;
    for (QChar c : value)
        needsQuotes = needsQuotes || needsQuoting.contains(c);
    if (!needsQuotes)
        return value;
    QString doubled = value;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QByteArray listCsv(Query &tbSQL, Cursor &families, QStringList &warnings)
{
    QString out = csvLine({fld::LastName, fld::FirstName, fld::HomePhone, fld::EMailAddress,
                           fld::Address1, fld::Address2, fld::City, fld::State, fld::Zip});
    for (tbSQL.first(); !tbSQL.eof(); tbSQL.next()) {
        const auto familyId = FamilyId(tbSQL.integer(fld::FamilyIdNum));
        const FamilyAddress address = readFamilyAddress(families, familyId);
        const QString first = tbSQL.text(fld::FirstName);
        const QString last = tbSQL.text(fld::LastName);
        if (!address.found)
            warnings << QStringLiteral(
                            "Family %1 of %2 %3 was not found; the address was left out.")
                            .arg(familyId)
                            .arg(first, last);
        out +=
            csvLine({last, first, tbSQL.text(fld::HomePhone), tbSQL.text(fld::EMailAddress),
                     address.Address1, address.Address2, address.City, address.State, address.Zip});
    }
    tbSQL.first();
    return out.toUtf8();
}

} // namespace rost
