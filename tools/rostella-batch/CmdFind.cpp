#include "Command.h"
#include "DataContext.h"

#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include <QTextStream>

#include <limits>

namespace rost::batch {

namespace {

constexpr Option FamilyText{"family", "TEXT", "the first letters of a family name"};
constexpr Option PersonText{"person", "TEXT", "the first letters of a last name"};
constexpr Option Rows{"rows", "N", "how many rows to print, from the row found on",
                      NumberRange{0, std::numeric_limits<int>::max()}};

// The nearest-key search of the find dialogs: the family search in FAMILY NAME ORDER, the person
// search in LAST NAME AND GOES BY ORDER with the text upper-cased as the dialog types it.
int cmdFind(const Arguments &opt, DataContext &data)
{
    const bool families = opt.isSet(FamilyText);
    const int rows = opt.number(Rows, 5);

    RostConnection &connection = data.connection();
    Cursor cursor(connection, QLatin1String(families ? tbl::Families : tbl::Individuals));
    cursor.setIndexName(
        QLatin1String(families ? idx::FamilyNameOrder : idx::LastNameAndGoesByOrder));
    cursor.open();
    const QString text = families ? opt.value(FamilyText) : opt.value(PersonText).toUpper();
    cursor.findNearest(text);

    QStringList fields;
    if (families)
        fields = {QLatin1String(fld::FamilyIdNum), QLatin1String(fld::FamilyName)};
    else
        fields = {QLatin1String(fld::IndivIdNum),  QLatin1String(fld::LastName),
                  QLatin1String(fld::GoesBy),      QLatin1String(fld::Title),
                  QLatin1String(fld::FamilyIdNum), QLatin1String(fld::FamilyRankOrder)};
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
