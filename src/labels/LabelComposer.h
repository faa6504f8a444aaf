#pragma once

#include "directory/Tables.h"
#include "lists/ListEnvelopes.h"
#include "names/HouseholdNameComposer.h"

#include <QStringList>

#include <vector>

namespace rost {

class Preferences;
class Query;
class RostConnection;

// What goes on one label, top to bottom.
using LabelLines = QStringList;

// The people of a label job, in the order their labels print.
std::vector<IndivId> everyoneInDirectory(RostConnection &connection); // households by family name
std::vector<IndivId> peopleOfList(Query &tbSQL); // leaves tbSQL on its first row

// Composes address labels as the list envelopes compose their delivery blocks: the name line in
// the chosen style (or the typed text), then the household's address lines, the address only
// when Address1 holds text.
//
// With perHousehold, the people of one family get one label between them, where the first of
// them appears: when a husband and wife (or two partners) are both among them, it carries the
// couple line built on the chosen name, for the one of them ranked first in the family; else the
// chosen line of the one ranked first. People of family 0 belong to no household and keep a
// label each.
//
// A person the table does not hold gets no label and a warning; one whose family is missing gets
// the name line alone and a warning.
class LabelComposer
{
public:
    explicit LabelComposer(RostConnection &connection);

    std::vector<LabelLines> compose(const std::vector<IndivId> &people,
                                    const ListEnvelopeStyle &style, bool perHousehold);
    const QStringList &warnings() const { return m_warnings; }

private:
    HouseholdNameComposer m_names;
    QStringList m_warnings;
};

// A sheet of return-address labels: count labels, each the stored return address; none when it
// is empty.
std::vector<LabelLines> returnLabels(const Preferences &prefs, int count);

} // namespace rost
