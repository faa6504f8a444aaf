#pragma once

#include "browse/FoundIndividual.h"
#include "directory/Cursor.h"

#include <QString>

namespace rost {

class RostConnection;

// The nearest-key search behind the two find commands: all families in family-name order, or all
// individuals by last name and goes-by name, where every change of the typed text is one index
// probe. The find dialogs and rostella-batch find search through it, so both find the same row.
class NameSearch
{
public:
    enum class Kind { Families, Individuals };

    // Opens a cursor of its own over the connection, on its first row.
    NameSearch(RostConnection &connection, Kind kind);

    Kind kind() const { return m_kind; }
    Cursor &cursor() { return m_cursor; }
    const Cursor &cursor() const { return m_cursor; }

    // The text as the search box holds it: a person's name is typed and searched in upper case.
    static QString typedText(Kind kind, const QString &text);
    // Moves to the first row whose first key is not less than the text; empty text: the first row.
    void search(const QString &text);

    FamilyId chosenFamily() const;
    FoundIndividual chosenIndividual() const;

private:
    Kind m_kind;
    Cursor m_cursor;
};

} // namespace rost
