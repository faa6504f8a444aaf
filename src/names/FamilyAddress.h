#pragma once

#include "directory/Tables.h"

#include <QString>

namespace rost {

class Cursor;

// The fields of a family's row that the clipboard texts and the envelopes' delivery lines use.
// Country and IntlAddress are not among them: only the main window shows those.
struct FamilyAddress
{
    bool found = false; // false: the family is not in the families table, every field is empty
    QString FamilyName;
    QString Address1;
    QString Address2;
    QString City;
    QString State;
    QString Zip;
    QString HomePhone;

    // City, ", ", State, " ", Zip with both separators whatever is empty; empty when the family
    // was not found, so that a missing family never shows as a line of stray punctuation.
    QString cityLine() const;
};

// The address of the family with this number, located in families (which stays there). In
// FAMILY ID NUM ORDER the lookup is a key search, in any other order a locate. A family that is
// not in the table gives an address with found false and no text, never another family's.
FamilyAddress readFamilyAddress(Cursor &families, FamilyId familyIdNum);

} // namespace rost
