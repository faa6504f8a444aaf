#include "browse/FoundIndividual.h"

#include "directory/Cursor.h"

namespace rost {

FoundIndividual FoundIndividual::fromRow(const Cursor &individuals)
{
    return {FamilyId(individuals.integer(fld::FamilyIdNum)),
            IndivId(individuals.integer(fld::IndivIdNum)),
            qint16(individuals.integer(fld::FamilyRankOrder))};
}

QString FoundIndividual::locateFailedText() const
{
    return QStringLiteral("Locate failed.\rFamID  = %1\rNameID = %2\rRank   = %3")
        .arg(FoundFamID)
        .arg(FoundNameID)
        .arg(FoundRank);
}

} // namespace rost
