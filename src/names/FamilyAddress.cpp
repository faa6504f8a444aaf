#include "names/FamilyAddress.h"

#include "directory/Cursor.h"
#include "directory/Tables.h"

namespace rost {

QString FamilyAddress::cityLine() const
{
    if (!found)
        return {};
    return City + QLatin1String(", ") + State + QLatin1Char(' ') + Zip;
}

FamilyAddress readFamilyAddress(Cursor &families, qint16 familyIdNum)
{
    const bool keyed = families.indexName().compare(QLatin1String(idx::FamilyIdNumOrder),
                                                    Qt::CaseInsensitive) == 0;
    const bool hit = keyed ? families.findKey({QVariant(static_cast<int>(familyIdNum))})
                           : families.locate(QLatin1String(fld::FamilyIdNum),
                                             QVariant(static_cast<int>(familyIdNum)));
    FamilyAddress address;
    if (!hit)
        return address;
    address.found = true;
    address.Address1 = families.text(QLatin1String(fld::Address1));
    address.Address2 = families.text(QLatin1String(fld::Address2));
    address.City = families.text(QLatin1String(fld::City));
    address.State = families.text(QLatin1String(fld::State));
    address.Zip = families.text(QLatin1String(fld::Zip));
    address.HomePhone = families.text(QLatin1String(fld::HomePhone));
    return address;
}

} // namespace rost
