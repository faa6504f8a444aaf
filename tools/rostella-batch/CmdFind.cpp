#include "Command.h"
#include "DataContext.h"

#include "browse/NameSearch.h"
#include "directory/Tables.h"

#include <QTextStream>

#include <limits>

namespace rost::batch {

namespace {

constexpr Option FamilyText{"family", "TEXT", "the first letters of a family name"};
constexpr Option PersonText{"person", "TEXT", "the first letters of a last name"};
constexpr Option Rows{"rows", "N", "how many rows to print, from the row found on",
                      NumberRange{0, std::numeric_limits<int>::max()}};

// The nearest-key search of the find dialogs, through the same search object.
int cmdFind(const Arguments &opt, DataContext &data)
{
    const bool families = opt.isSet(FamilyText);
    const int rows = opt.number(Rows, 5);

    NameSearch search(data.connection(),
                      families ? NameSearch::Kind::Families : NameSearch::Kind::Individuals);
    search.search(opt.value(families ? FamilyText : PersonText));
    Cursor &cursor = search.cursor();

    QStringList fields;
    if (families)
        fields = {fld::FamilyIdNum, fld::FamilyName};
    else
        fields = {fld::IndivIdNum, fld::LastName,    fld::GoesBy,
                  fld::Title,      fld::FamilyIdNum, fld::FamilyRankOrder};
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (int printed = 0; printed < rows && cursor.hasRow(); ++printed) {
        QStringList cells;
        for (const QString &f : fields)
            cells << cursor.text(f);
        out << cells.join(QLatin1Char('\t')) << '\n';
        cursor.next();
        if (cursor.eof())
            break;
    }
    return 0;
}

} // namespace

Command findCommand()
{
    return Command::onData("find",
                           "The find dialogs' nearest-key search: N rows from the row found.",
                           {oneOf({FamilyText, PersonText}), optional(Rows)}, cmdFind);
}

} // namespace rost::batch
