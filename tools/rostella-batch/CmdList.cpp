#include "Commands.h"

#include "directory/Cursor.h"
#include "directory/Preferences.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "lists/ListCsv.h"
#include "lists/ListEnvelopes.h"
#include "lists/ListKindTables.h"
#include "lists/ListMaker.h"
#include "lists/ListReports.h"
#include "names/HouseholdNameComposer.h"
#include "platform/render/PrintJob.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace rost::batch {

namespace {

void warn(const QStringList &warnings)
{
    QTextStream err(stderr);
    err.setEncoding(QStringConverter::Utf8);
    for (const QString &w : warnings)
        err << "Warning: " << w << '\n';
}

void reportWritten(const PrintOutcome &outcome)
{
    QTextStream(stdout) << "Wrote " << outcome.pdfPath << " (" << outcome.pages
                        << (outcome.pages == 1 ? " page" : " pages") << ").\n";
}

int writeReport(ListReport which, Query &tbSQL, RostConnection &connection, const QString &out)
{
    // The families cursor stands in for the main window's, opened as the window opens it.
    Cursor tbFam(connection, QLatin1String(tbl::Families));
    tbFam.setIndexName(QLatin1String(idx::FamilyNameOrder));
    tbFam.open();
    QStringList warnings;
    const PrintOutcome outcome =
        PrintJob::runToPdf(out, PageOrientation::Portrait, [&](PrintSurface &s) {
            warnings = printListReport(which, s, tbSQL, tbFam);
        });
    warn(warnings);
    reportWritten(outcome);
    return 0;
}

int writeEnvelopes(const Options &opt, Query &tbSQL, RostConnection &connection,
                   const QString &data, const QString &out)
{
    if (opt.has(QStringLiteral("name")) == opt.has(QStringLiteral("text")))
        throw Failure{QStringLiteral("Give the name style with either --name LINENAME or --text "
                                     "TEXT."),
                      2};
    if (opt.has(QStringLiteral("return")) && opt.has(QStringLiteral("no-return")))
        throw Failure{QStringLiteral("Give --return or --no-return, not both."), 2};
    ListEnvelopeStyle style;
    if (opt.has(QStringLiteral("name"))) {
        style.style = nameLineFromName(opt.value(QStringLiteral("name")));
        if (!style.style) {
            QStringList names;
            for (NameLine line : allNameLines())
                names << nameLineName(line);
            throw Failure{
                QStringLiteral("Unknown name style \"%1\"; use one of %2.")
                    .arg(opt.value(QStringLiteral("name")), names.join(QStringLiteral(", "))),
                2};
        }
    } else {
        style.style.reset();
        style.userDefined = opt.value(QStringLiteral("text"));
    }

    tEnvDef layout(data);
    layout.Load();
    TPreferences prefs(data);
    prefs.Load();
    bool printReturn = layout.PrintRetAdd;
    if (opt.has(QStringLiteral("return")))
        printReturn = true;
    else if (opt.has(QStringLiteral("no-return")))
        printReturn = false;

    HouseholdNameComposer names(connection);
    const ListEnvelopePages pages = composeListEnvelopes(tbSQL, names, prefs, style);
    tbSQL.first();
    warn(pages.warnings);
    if (pages.pages.empty())
        throw Failure{QStringLiteral("No envelope can be printed for this list; nothing was "
                                     "written."),
                      1};
    const PageOrientation orientation =
        envelopeOrientation(layout.Orientation).value_or(PageOrientation::Portrait);
    reportWritten(PrintJob::runToPdf(out, orientation, [&](PrintSurface &s) {
        drawListEnvelopes(s, layout, printReturn, pages.pages);
    }));
    return 0;
}

int writeCsv(Query &tbSQL, RostConnection &connection, const QString &path)
{
    Cursor families(connection, QLatin1String(tbl::Families));
    families.setIndexName(QLatin1String(idx::FamilyIdNumOrder));
    families.open();
    QStringList warnings;
    const QByteArray csv = listCsv(tbSQL, families, warnings);
    warn(warnings);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        throw Failure{QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()), 1};
    QTextStream(stdout) << "Wrote " << path << " (" << tbSQL.recordCount()
                        << (tbSQL.recordCount() == 1 ? " row" : " rows") << ").\n";
    return 0;
}

} // namespace

// The people holding one item of one list field, as Make Lists finds them, printed as one of its
// two lists, as envelopes for the whole list, or written as CSV.
int cmdList(const QStringList &args)
{
    const Options opt(
        args,
        {QStringLiteral("data"), QStringLiteral("kind"), QStringLiteral("item"),
         QStringLiteral("report"), QStringLiteral("out"), QStringLiteral("name"),
         QStringLiteral("text"), QStringLiteral("csv")},
        {QStringLiteral("envelopes"), QStringLiteral("return"), QStringLiteral("no-return")});
    const QString data = opt.required(QStringLiteral("data"));
    const QString kind = opt.required(QStringLiteral("kind"));
    const QString item = opt.required(QStringLiteral("item"));
    const int outputs = int(opt.has(QStringLiteral("report"))) +
                        int(opt.has(QStringLiteral("envelopes"))) +
                        int(opt.has(QStringLiteral("csv")));
    if (outputs != 1)
        throw Failure{QStringLiteral("Give exactly one of --report, --envelopes and --csv."), 2};
    ListReport which = ListReport::NamePhoneEMail;
    if (opt.has(QStringLiteral("report"))) {
        const QString r = opt.value(QStringLiteral("report"));
        if (r == QLatin1String("address"))
            which = ListReport::NameAddress;
        else if (r != QLatin1String("phone-email"))
            throw Failure{QStringLiteral("--report is phone-email or address, not \"%1\".").arg(r),
                          2};
    }
    if (!opt.has(QStringLiteral("csv")))
        opt.required(QStringLiteral("out"));
    if (!QFileInfo(data).isDir())
        throw Failure{QStringLiteral("The data folder %1 does not exist.").arg(data), 1};

    RostConnection connection;
    connection.setPath(data);
    connection.connect();
    ListMaker maker(connection, readSetupOf(connection));
    maker.openKindTables();
    if (!maker.chooseItem(kind, item))
        throw Failure{
            QStringLiteral("No list field \"%1\" is in use here; the list fields are: %2.")
                .arg(kind, maker.captions().join(QStringLiteral(", "))),
            1};
    Query &tbSQL = maker.tbSQL();
    if (opt.has(QStringLiteral("csv")))
        return writeCsv(tbSQL, connection, opt.value(QStringLiteral("csv")));
    if (tbSQL.recordCount() == 0)
        throw Failure{QStringLiteral("The list of \"%1\" in %2 is empty; nothing was printed.")
                          .arg(item, kind),
                      1};
    const QString out = opt.value(QStringLiteral("out"));
    if (opt.has(QStringLiteral("envelopes")))
        return writeEnvelopes(opt, tbSQL, connection, data, out);
    return writeReport(which, tbSQL, connection, out);
}

} // namespace rost::batch
