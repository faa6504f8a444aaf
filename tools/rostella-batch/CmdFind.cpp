#include "Commands.h"

#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include <QTextStream>

namespace rost::batch {

// The nearest-key search of the find dialogs: the family search in FAMILY NAME ORDER, the person
// search in LAST NAME AND GOES BY ORDER with the text upper-cased as the dialog types it.
int cmdFind(const QStringList &args)
{
    const Options opt(args,
                      {QStringLiteral("data"), QStringLiteral("family"), QStringLiteral("person"),
                       QStringLiteral("rows")},
                      {});
    const bool families = opt.has(QStringLiteral("family"));
    if (families == opt.has(QStringLiteral("person")))
        throw Failure{QStringLiteral("Give either --family TEXT or --person TEXT."), 2};
    const int rows = opt.intValue(QStringLiteral("rows"), 5);
    if (rows < 0)
        throw Failure{QStringLiteral("--rows must not be negative."), 2};

    RostConnection connection;
    connection.setPath(opt.required(QStringLiteral("data")));
    connection.connect();
    Cursor cursor(connection, QLatin1String(families ? tbl::Families : tbl::Individuals));
    cursor.setIndexName(
        QLatin1String(families ? idx::FamilyNameOrder : idx::LastNameAndGoesByOrder));
    cursor.open();
    const QString text = families ? opt.value(QStringLiteral("family"))
                                  : opt.value(QStringLiteral("person")).toUpper();
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

} // namespace rost::batch
