#pragma once

#include "directory/Tables.h"

#include <QString>

namespace rost {

class Cursor;

// The person an individual find has chosen: what the main window needs to show that person.
struct FoundIndividual
{
    FamilyId FoundFamID = 0; // "Family ID Num"
    IndivId FoundNameID = 0; // "Indiv ID Num"
    qint16 FoundRank = 0;    // "Family Rank Order"

    // The person on which an individuals cursor stands.
    static FoundIndividual fromRow(const Cursor &individuals);
    // What the member is told when the person's family is not in the families table; the blanks
    // after FamID and Rank line the equals signs up.
    QString locateFailedText() const;
};

} // namespace rost
