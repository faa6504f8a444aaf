#include "lists/ListEnvelopes.h"

#include "directory/Query.h"
#include "directory/Tables.h"
#include "names/HouseholdNameComposer.h"

#include <utility>

namespace rost {

namespace {

constexpr qsizetype NameLineWidth = 255;

} // namespace

QString styledNameLine(HouseholdNameComposer &names, const ListEnvelopeStyle &style,
                       const IndividualNameRow &row)
{
    return style.style ? names.listLine(*style.style, row).left(NameLineWidth)
                       : style.userDefined.left(NameLineWidth);
}

QStringList householdLinesOf(HouseholdNameComposer &names, const IndividualNameRow &row,
                             const QString &nameLine, const QString &piece, QStringList &warnings)
{
    const FamilyAddress family = names.familyAddress(row.FamilyIdNum);
    if (family.found)
        return householdDeliveryLines(nameLine, family);
    warnings << QStringLiteral("Family %1 of individual %2 was not found; that %3 carries the "
                               "name line only.")
                    .arg(row.FamilyIdNum)
                    .arg(row.IndivIdNum)
                    .arg(piece);
    return {nameLine};
}

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
        const QStringList delivery =
            householdLinesOf(m_names, *row, styledNameLine(m_names, m_style, *row),
                             QStringLiteral("envelope"), m_warnings);
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
