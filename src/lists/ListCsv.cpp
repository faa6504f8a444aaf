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

QString csvField(const QString &value)
{
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
    QString out =
        csvLine({QLatin1String(fld::LastName), QLatin1String(fld::FirstName),
                 QLatin1String(fld::HomePhone), QLatin1String(fld::EMailAddress),
                 QLatin1String(fld::Address1), QLatin1String(fld::Address2),
                 QLatin1String(fld::City), QLatin1String(fld::State), QLatin1String(fld::Zip)});
    for (tbSQL.first(); !tbSQL.eof(); tbSQL.next()) {
        const auto familyId = static_cast<qint16>(tbSQL.integer(QLatin1String(fld::FamilyIdNum)));
        const FamilyAddress address = readFamilyAddress(families, familyId);
        const QString first = tbSQL.text(QLatin1String(fld::FirstName));
        const QString last = tbSQL.text(QLatin1String(fld::LastName));
        if (!address.found)
            warnings << QStringLiteral(
                            "Family %1 of %2 %3 was not found; the address was left out.")
                            .arg(familyId)
                            .arg(first, last);
        out += csvLine({last, first, tbSQL.text(QLatin1String(fld::HomePhone)),
                        tbSQL.text(QLatin1String(fld::EMailAddress)), address.Address1,
                        address.Address2, address.City, address.State, address.Zip});
    }
    tbSQL.first();
    return out.toUtf8();
}

} // namespace rost
