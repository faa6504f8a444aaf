#include "lists/ListEnvelopes.h"

#include "directory/Query.h"
#include "directory/Tables.h"
#include "names/HouseholdNameComposer.h"

#include <utility>

namespace rost {

namespace {

constexpr qsizetype NameLineWidth = 255;

} // namespace

ListEnvelopeSource::ListEnvelopeSource(Query &tbSQL, HouseholdNameComposer &names,
                                       const Preferences &prefs, ListEnvelopeStyle style)
    : m_tbSQL(tbSQL), m_names(names), m_prefs(prefs), m_style(std::move(style))
{
    restart();
}

void ListEnvelopeSource::restart()
{
    m_warnings.clear();
    m_composed = 0;
    m_tbSQL.first();
    composeAhead();
}

std::optional<EnvelopeText> ListEnvelopeSource::next()
{
    std::optional<EnvelopeText> envelope = std::move(m_ahead);
    if (envelope) {
        ++m_composed;
        composeAhead();
    }
    return envelope;
}

void ListEnvelopeSource::finish()
{
    while (next()) {
    }
}

void ListEnvelopeSource::composeAhead()
{
    m_ahead.reset();
    for (; !m_tbSQL.eof() && !m_ahead; m_tbSQL.next()) {
        const auto indivId = IndivId(m_tbSQL.integer(fld::IndivIdNum));
        const std::optional<IndividualNameRow> row = m_names.findIndividual(indivId);
        if (!row) {
            m_warnings << QStringLiteral("Individual %1 was not found; no envelope was "
                                         "printed for that row.")
                              .arg(indivId);
            continue;
        }
        const QString nameLine = m_style.style
                                     ? m_names.listLine(*m_style.style, *row).left(NameLineWidth)
                                     : m_style.userDefined.left(NameLineWidth);
        const FamilyAddress family = m_names.familyAddress(row->FamilyIdNum);
        QStringList delivery;
        if (family.found) {
            delivery = householdDeliveryLines(nameLine, family);
        } else {
            delivery << nameLine;
            m_warnings << QStringLiteral("Family %1 of individual %2 was not found; that "
                                         "envelope carries the name line only.")
                              .arg(row->FamilyIdNum)
                              .arg(indivId);
        }
        m_ahead = envelopeText(m_prefs, delivery);
    }
}

void drawListEnvelopes(PrintSurface &surface, const EnvelopeLayout &layout, bool printReturn,
                       ListEnvelopeSource &source, const PageStarted &pageStarted)
{
    source.restart();
    bool first = true;
    while (const std::optional<EnvelopeText> envelope = source.next()) {
        if (!first)
            surface.newPage();
        first = false;
        if (pageStarted)
            pageStarted(surface.pageNumber());
        drawEnvelope(surface, layout, printReturn, *envelope);
    }
}

} // namespace rost
