#include "lists/ListEnvelopes.h"

#include "directory/Query.h"
#include "directory/Tables.h"
#include "names/HouseholdNameComposer.h"

namespace rost {

namespace {

constexpr qsizetype NameLineWidth = 255;

} // namespace

ListEnvelopePages composeListEnvelopes(Query &tbSQL, HouseholdNameComposer &names,
                                       const Preferences &prefs, const ListEnvelopeStyle &style)
{
    ListEnvelopePages result;
    for (tbSQL.first(); !tbSQL.eof(); tbSQL.next()) {
        const auto indivId = IndivId(tbSQL.integer(fld::IndivIdNum));
        const std::optional<IndividualNameRow> row = names.findIndividual(indivId);
        if (!row) {
            result.warnings << QStringLiteral("Individual %1 was not found; no envelope was "
                                              "printed for that row.")
                                   .arg(indivId);
            continue;
        }
        const QString nameLine = style.style
                                     ? names.listLine(*style.style, *row).left(NameLineWidth)
                                     : style.userDefined.left(NameLineWidth);
        const FamilyAddress family = names.familyAddress(row->FamilyIdNum);
        QStringList delivery;
        if (family.found) {
            delivery = householdDeliveryLines(nameLine, family);
        } else {
            delivery << nameLine;
            result.warnings << QStringLiteral("Family %1 of individual %2 was not found; that "
                                              "envelope carries the name line only.")
                                   .arg(row->FamilyIdNum)
                                   .arg(indivId);
        }
        result.pages.push_back(envelopeText(prefs, delivery));
    }
    return result;
}

void drawListEnvelopes(PrintSurface &surface, const EnvelopeLayout &layout, bool printReturn,
                       const std::vector<EnvelopeText> &pages, const PageStarted &pageStarted)
{
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            surface.newPage();
        if (pageStarted)
            pageStarted(surface.pageNumber());
        drawEnvelope(surface, layout, printReturn, pages[i]);
    }
}

} // namespace rost
