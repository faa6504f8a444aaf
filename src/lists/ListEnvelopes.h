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

// The name line every envelope of a list carries: one of the eight composed styles, or, when
// style is empty, the same free text on each (cut to 255 characters).
struct ListEnvelopeStyle
{
    std::optional<NameLine> style = NameLine::FormalName;
    QString userDefined;
};

struct ListEnvelopePages
{
    std::vector<EnvelopeText> pages; // one per envelope, in the list's order
    QStringList warnings;            // one per row that was skipped or printed without address
};

// The envelopes of every row of the people query tbSQL, first to last. Each row's individual is
// found afresh by its Indiv ID Num and named in the chosen style (the couple styles fall back to
// the one-person line without a spouse); the delivery block is the household's, the return block
// the stored return address.
//
// A row whose individual the table does not hold gives no envelope and a warning naming the
// number; one whose family is missing gets the name line alone and a warning. tbSQL is left at
// its end.
ListEnvelopePages composeListEnvelopes(Query &tbSQL, HouseholdNameComposer &names,
                                       const Preferences &prefs, const ListEnvelopeStyle &style);

// One page per envelope, a new page before every one but the first.
void drawListEnvelopes(PrintSurface &surface, const EnvelopeLayout &layout, bool printReturn,
                       const std::vector<EnvelopeText> &pages, const PageStarted &pageStarted = {});

} // namespace rost
