#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "directory/AtomicSave.h"
#include "directory/Cursor.h"
#include "directory/EnvelopeLayout.h"
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

namespace rost::batch {

namespace {

constexpr Option Report{"report", "phone-email|address",
                        "print the name, phone and e-mail list, or the name and address list"};
constexpr Option Envelopes{"envelopes", nullptr, "print an envelope for each person on the list"};
constexpr Option Csv{"csv", "FILE", "write the list as CSV"};

int writeReport(ListReport which, Query &tbSQL, RostConnection &connection, const QString &out)
{
    // The families cursor stands in for the main window's, opened as the window opens it.
    Cursor tbFam(connection, tbl::Families);
    tbFam.setIndexName(idx::FamilyNameOrder);
    tbFam.open();
    QStringList warnings;
    const PrintOutcome outcome =
        PrintJob::runToPdf(out, PageOrientation::Portrait, [&](PrintSurface &s) {
            warnings = printListReport(which, s, tbSQL, tbFam);
        });
    printWarnings(warnings);
    printWritten(outcome.pdfPath, outcome.pages, "page");
    return 0;
}

ListEnvelopeStyle envelopeStyle(const Arguments &args)
{
    ListEnvelopeStyle style;
    if (args.isSet(NameLineOption)) {
        style.style = nameLineOf(args);
    } else {
        style.style.reset();
        style.userDefined = args.value(NameTextOption);
    }
    return style;
}

int writeEnvelopes(const Arguments &args, const ListEnvelopeStyle &style, Query &tbSQL,
                   RostConnection &connection, const QString &data, const QString &out)
{
    EnvelopeLayout layout(data);
    printWarnings(layout.Load());
    Preferences prefs(data);
    prefs.Load();
    const bool printReturn = printReturnOf(args, layout.PrintRetAdd);

    HouseholdNameComposer names(connection);
    ListEnvelopeSource envelopes(tbSQL, names, prefs, style);
    if (envelopes.empty()) {
        printWarnings(envelopes.warnings());
        throw Failure{QStringLiteral("No envelope can be printed for this list; nothing was "
                                     "written."),
                      1};
    }
    const PageOrientation orientation =
        envelopeOrientation(layout.Orientation).value_or(PageOrientation::Portrait);
    const auto written = PrintJob::runToPdf(out, orientation, [&](PrintSurface &s) {
        drawListEnvelopes(s, layout, printReturn, envelopes);
    });
    printWarnings(envelopes.warnings());
    printWritten(written.pdfPath, written.pages, "page");
    return 0;
}

int writeCsv(Query &tbSQL, RostConnection &connection, const QString &path)
{
    Cursor families(connection, tbl::Families);
    families.setIndexName(idx::FamilyIdNumOrder);
    families.open();
    QStringList warnings;
    const QByteArray csv = listCsv(tbSQL, families, warnings);
    printWarnings(warnings);
    AtomicSave::save(path, csv);
    printWritten(path, tbSQL.recordCount(), "row");
    return 0;
}

// The people holding one item of one list field, as Make Lists finds them, printed as one of its
// two lists, as envelopes for the whole list, or written as CSV.
int cmdList(const Arguments &args, DataContext &data)
{
    const QString kind = args.value(KindOption);
    const QString item = args.value(ItemOption);
    ListReport which = ListReport::NamePhoneEMail;
    if (args.isSet(Report)) {
        const QString r = args.value(Report);
        if (r == QLatin1String("address"))
            which = ListReport::NameAddress;
        else if (r != QLatin1String("phone-email"))
            throw UsageError{QStringLiteral("Option --report takes %1, not \"%2\".")
                                 .arg(QLatin1String(Report.valueName), r)};
    }
    const ListEnvelopeStyle style =
        args.isSet(Envelopes) ? envelopeStyle(args) : ListEnvelopeStyle();

    RostConnection &connection = data.connection();
    ListMaker maker(connection, readSetupOf(connection));
    chooseListOf(maker, args);
    Query &tbSQL = maker.tbSQL();
    if (args.isSet(Csv))
        return writeCsv(tbSQL, connection, args.value(Csv));
    if (tbSQL.recordCount() == 0)
        throw Failure{QStringLiteral("The list of \"%1\" in %2 is empty; nothing was printed.")
                          .arg(item, kind),
                      1};
    const QString out = args.value(PdfOutOption);
    if (args.isSet(Envelopes))
        return writeEnvelopes(args, style, tbSQL, connection, data.folder(), out);
    return writeReport(which, tbSQL, connection, out);
}

} // namespace

Command listCommand()
{
    return Command::onData(
        "list",
        "The people holding an item: one of the two lists to PDF, an envelope for each to PDF, "
        "or the list as CSV.",
        {KindOption, ItemOption,
         oneOf({sequence({Report, PdfOutOption}),
                sequence({Envelopes, oneOf({NameLineOption, NameTextOption}),
                          optional(oneOf({ReturnOption, NoReturnOption})), PdfOutOption}),
                Csv})},
        cmdList);
}

} // namespace rost::batch
