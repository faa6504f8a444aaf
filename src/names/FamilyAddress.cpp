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

FamilyAddress readFamilyAddress(Cursor &families, FamilyId familyIdNum)
{
    const bool keyed = families.inOrder(idx::FamilyIdNumOrder);
    const bool hit =
        keyed ? families.findKey({familyIdNum}) : families.locate(fld::FamilyIdNum, familyIdNum);
    FamilyAddress address;
    if (!hit)
        return address;
    address.found = true;
    address.FamilyName = families.text(fld::FamilyName);
    address.Address1 = families.text(fld::Address1);
    address.Address2 = families.text(fld::Address2);
    address.City = families.text(fld::City);
    address.State = families.text(fld::State);
    address.Zip = families.text(fld::Zip);
    address.HomePhone = families.text(fld::HomePhone);
    return address;
}

} // namespace rost
