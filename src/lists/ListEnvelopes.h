#pragma once

#include "envelopes/EnvelopeDrawing.h"
#include "lists/ListReports.h"
#include "names/NameLine.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace rost {

class HouseholdNameComposer;
class Query;
struct IndividualNameRow;

// The name line every envelope of a list carries: one of the eight composed styles, or, when
// style is empty, the same free text on each (cut to 255 characters).
struct ListEnvelopeStyle
{
    std::optional<NameLine> style = NameLine::FormalName;
    QString userDefined;
};

// The name line of the style for the row, cut to 255 characters: the chosen line, or the text.
QString styledNameLine(HouseholdNameComposer &names, const ListEnvelopeStyle &style,
                       const IndividualNameRow &row);

// The delivery lines for the row's household under nameLine. A family the table does not hold
// gives the name line alone and a warning naming the piece (an "envelope", a "label").
QStringList householdLinesOf(HouseholdNameComposer &names, const IndividualNameRow &row,
                             const QString &nameLine, const QString &piece, QStringList &warnings);

// The envelopes of every row of the people query tbSQL, first to last, composed one at a time
// as they are drawn, so that a list of any length costs the memory of one envelope. Each row's
// individual is found afresh by its Indiv ID Num and named in the chosen style (the couple
// styles fall back to the one-person line without a spouse); the delivery block is the
// household's, the return block the stored return address.
//
// A row whose individual the table does not hold gives no envelope and a warning naming the
// number; one whose family is missing gets the name line alone and a warning.
class ListEnvelopeSource
{
public:
    // Composes ahead up to the first envelope, so that empty() is known before a job starts.
    ListEnvelopeSource(Query &tbSQL, HouseholdNameComposer &names, const Preferences &prefs,
                       ListEnvelopeStyle style);
    // The preferences are read while the envelopes are composed, so they must outlive the source.
    ListEnvelopeSource(Query &, HouseholdNameComposer &, Preferences &&,
                       ListEnvelopeStyle) = delete;

    // Back to the first row, the warnings forgotten: a preview draws the pages more than once.
    void restart();
    // No row of the list gives an envelope.
    bool empty() const { return m_composed == 0 && !m_ahead; }
    std::optional<EnvelopeText> next();
    // Composes the rows not drawn, for their warnings (a job that did not run drew none).
    void finish();

    int composed() const { return m_composed; } // envelopes handed out since the start
    const QStringList &warnings() const { return m_warnings; }

private:
    void composeAhead();

    Query &m_tbSQL;
    HouseholdNameComposer &m_names;
    const Preferences &m_prefs;
    ListEnvelopeStyle m_style;
    std::optional<EnvelopeText> m_ahead;
    int m_composed = 0;
    QStringList m_warnings;
};

// One page per envelope, from the first row on, a new page before every one but the first.
void drawListEnvelopes(PrintSurface &surface, const EnvelopeLayout &layout, bool printReturn,
                       ListEnvelopeSource &source, const PageStarted &pageStarted = {});

} // namespace rost
