#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "directory/EnvelopeLayout.h"
#include "directory/Preferences.h"
#include "directory/RostConnection.h"
#include "labels/LabelJob.h"
#include "lists/ListKindTables.h"
#include "lists/ListMaker.h"
#include "platform/render/PrintJob.h"

#include <QPageSize>
#include <QPrinter>
#include <QTextStream>

namespace rost::batch {

namespace {

constexpr Option Sheets{"sheets", nullptr, "list the built-in sheets and their geometry"};
constexpr Option All{"all", nullptr,
                     "everyone in the directory, household by household in family name order"};
constexpr Option ReturnLabels{"return-labels", nullptr,
                              "a sheet of return address labels, from the start label on"};
constexpr Option Sheet{"sheet", "NAME", "the sheet, by its name as --sheets lists it"};
constexpr Option Custom{"custom", "W,H,ROWS,COLS,TOP,LEFT,LW,LH,HP,VP",
                        "a sheet of your own: paper, rows, columns, margins, label size and "
                        "pitch, in inches"};
constexpr Option Start{"start", "ROW,COL", "the first label to use on the first sheet (1,1)"};
constexpr Option PerHousehold{"per-household", nullptr,
                              "one label for the people of one household, the couple named "
                              "together"};

int listSheets()
{
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const LabelSheet &sheet : builtInSheets())
        out << sheetSummary(sheet) << '\n';
    return 0;
}

LabelSheet sheetOf(const Arguments &args)
{
    if (args.isSet(Custom)) {
        try {
            return customSheet(args.value(Custom));
        } catch (const LabelSheetError &e) {
            throw UsageError{QStringLiteral("Option --custom: %1").arg(e.text)};
        }
    }
    const std::optional<LabelSheet> sheet = builtInSheet(args.value(Sheet));
    if (!sheet) {
        QStringList names;
        for (const LabelSheet &s : builtInSheets())
            names << s.name;
        throw UsageError{QStringLiteral("No sheet is named \"%1\"; the sheets are: %2.")
                             .arg(args.value(Sheet), names.join(QStringLiteral(", ")))};
    }
    return *sheet;
}

LabelStart startOf(const Arguments &args, const LabelSheet &sheet)
{
    if (!args.isSet(Start))
        return {};
    const QStringList parts = args.value(Start).split(QLatin1Char(','));
    bool rowOk = false;
    bool columnOk = false;
    const LabelStart start{parts.value(0).toInt(&rowOk), parts.value(1).toInt(&columnOk)};
    if (parts.size() != 2 || !rowOk || !columnOk || !start.skipped(sheet))
        throw UsageError{QStringLiteral("Option --start takes ROW,COL within the sheet's %1 rows "
                                        "and %2 columns, not \"%3\".")
                             .arg(sheet.rows)
                             .arg(sheet.columns)
                             .arg(args.value(Start))};
    return start;
}

// Address labels for everyone or for the people of a list, or a sheet of return labels, to PDF,
// by the job the window prints with.
int cmdLabels(const Arguments &args)
{
    if (args.isSet(Sheets))
        return listSheets();
    LabelJob job;
    job.sheet = sheetOf(args);
    job.start = startOf(args, job.sheet);
    job.perHousehold = args.isSet(PerHousehold);
    if (args.isSet(NameLineOption))
        job.style.style = nameLineOf(args);
    else {
        job.style.style.reset();
        job.style.userDefined = args.value(NameTextOption);
    }

    DataContext data(args.value(DataOption), DataFolderLock::Mode::Shared);
    EnvelopeLayout layout(data.folder());
    printWarnings(layout.Load());
    Preferences prefs(data.folder());
    prefs.Load();
    RostConnection &connection = data.connection();
    if (args.isSet(ReturnLabels)) {
        job.returnAddress = true;
    } else if (args.isSet(All)) {
        job.people = everyoneInDirectory(connection);
    } else {
        ListMaker maker(connection, readSetupOf(connection));
        chooseListOf(maker, args);
        job.people = peopleOfList(maker.tbSQL());
    }
    const LabelPrintout printout = composeLabels(connection, prefs, job);
    printWarnings(printout.warnings);
    if (printout.labels.empty())
        throw Failure{QStringLiteral("No label can be printed for these people; nothing was "
                                     "written."),
                      1};
    QPrinter paper(QPrinter::HighResolution);
    paper.setPageSize(QPageSize(job.sheet.paper, QPageSize::Inch));
    QStringList cut;
    const PrintOutcome outcome = PrintJob::runToPdf(
        args.value(PdfOutOption), PageOrientation::Portrait,
        [&](PrintSurface &s) { cut = printout.draw(s, layout.DelFont); }, &paper);
    printWarnings(cut);
    const auto count = printout.labels.size();
    QTextStream(stdout) << "Wrote " << outcome.pdfPath << " (" << count
                        << (count == 1 ? " label, " : " labels, ") << outcome.pages
                        << (outcome.pages == 1 ? " page" : " pages") << ").\n";
    return 0;
}

} // namespace

Command labelsCommand()
{
    const Usage sheet = oneOf({Sheet, Custom});
    return Command(
        "labels",
        "Address labels by the sheet to PDF: for everyone, for the people holding an item, or "
        "a sheet of return address labels; or the list of built-in sheets.",
        {oneOf({Sheets, sequence({DataOption,
                                  oneOf({sequence({oneOf({All, sequence({KindOption, ItemOption})}),
                                                   sheet, optional(Start), optional(PerHousehold),
                                                   oneOf({NameLineOption, NameTextOption})}),
                                         sequence({ReturnLabels, sheet, optional(Start)})}),
                                  PdfOutOption})})},
        cmdLabels);
}

} // namespace rost::batch
