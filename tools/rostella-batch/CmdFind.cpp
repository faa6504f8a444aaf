#include "Commands.h"

#include "browse/NameSearch.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include <QTextStream>

namespace rost::batch {

// The nearest-key search of the find dialogs, through the same search object.
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
    NameSearch search(connection,
                      families ? NameSearch::Kind::Families : NameSearch::Kind::Individuals);
    search.search(opt.value(families ? QStringLiteral("family") : QStringLiteral("person")));
    Cursor &cursor = search.cursor();

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
