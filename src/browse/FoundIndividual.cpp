#include "browse/FoundIndividual.h"

#include "directory/Cursor.h"

namespace rost {

FoundIndividual FoundIndividual::fromRow(const Cursor &individuals)
{
    return {FamilyId(individuals.integer(QLatin1String(fld::FamilyIdNum))),
            IndivId(individuals.integer(QLatin1String(fld::IndivIdNum))),
            qint16(individuals.integer(QLatin1String(fld::FamilyRankOrder)))};
}

QString FoundIndividual::locateFailedText() const
{
    return QStringLiteral("Locate failed.\rFamID  = %1\rNameID = %2\rRank   = %3")
        .arg(FoundFamID)
        .arg(FoundNameID)
        .arg(FoundRank);
}

} // namespace rost
