#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "book/DirectoryBook.h"
#include "directory/Preferences.h"
#include "lists/ListMaker.h"
#include "platform/render/PrintJob.h"

#include <QPageSize>
#include <QPrinter>

namespace rost::batch {

namespace {

constexpr Option Layout{"layout", "photo1|photo2|compact2|compact3",
                        "one or two columns with pictures, or two or three without (photo2)"};
constexpr Option Booklet{"booklet", nullptr,
                         "two half-size pages on each side of a sheet, in booklet order"};
constexpr Option Paper{"paper", "letter|a4", "the paper size (letter)"};
constexpr Option Index{"index", nullptr, "end with the index of individuals (the default)"};
constexpr Option NoIndex{"no-index", nullptr, "leave the index of individuals out"};
constexpr Option Title{"title", "TEXT", "the title page's title (Church Directory)"};

// The value of option among choices, in order; fallback when it is not given.
int choiceOf(const Arguments &args, const Option &option, const QStringList &choices, int fallback)
{
    if (!args.isSet(option))
        return fallback;
    const QString value = args.value(option);
    const auto at = choices.indexOf(value);
    if (at < 0)
        throw UsageError{
            QStringLiteral("Option --%1 takes %2, not \"%3\".")
                .arg(QLatin1String(option.name), QLatin1String(option.valueName), value)};
    return int(at);
}

// The households of the people holding one item of one list field, as Make Lists finds them.
QSet<FamilyId> listHouseholds(const Arguments &args, RostConnection &connection)
{
    ListMaker maker(connection, readSetupOf(connection));
    chooseListOf(maker, args);
    return familiesOfPeople(maker.tbSQL());
}

// The printed church directory to PDF, laid out and drawn by the code the window prints with;
// the title page carries the return address lines under the title, and today's date.
int cmdDirectory(const Arguments &args, DataContext &data)
{
    BookOptions options;
    options.style = BookStyle(choiceOf(args, Layout,
                                       {QStringLiteral("photo1"), QStringLiteral("photo2"),
                                        QStringLiteral("compact2"), QStringLiteral("compact3")},
                                       int(BookStyle::Photo2)));
    const bool a4 = choiceOf(args, Paper, {QStringLiteral("letter"), QStringLiteral("a4")}, 0) == 1;
    options.booklet = args.isSet(Booklet);
    options.index = !args.isSet(NoIndex);
    if (args.isSet(Title))
        options.title = args.value(Title);
    Preferences prefs(data.folder());
    prefs.Load();
    options.titleLines = defaultTitleLines(prefs);
    options.printedOn = QDate::currentDate();

    RostConnection &connection = data.connection();
    std::optional<QSet<FamilyId>> only;
    if (args.isSet(KindOption))
        only = listHouseholds(args, connection);
    const BookContents contents = readBookContents(connection, only, options.index);
    if (contents.households.empty())
        throw Failure{QStringLiteral("No household is in the directory or on this list; nothing "
                                     "was written."),
                      1};
    FamilyPictures pictures(connection);

    QPrinter paper(QPrinter::HighResolution);
    paper.setPageSize(QPageSize(a4 ? QPageSize::A4 : QPageSize::Letter));
    QStringList warnings;
    const PrintOutcome outcome = PrintJob::runToPdf(
        args.value(PdfOutOption), bookOrientation(options),
        [&](PrintSurface &s) { warnings = printDirectoryBook(s, contents, options, pictures); },
        &paper);
    printWarnings(warnings);
    printWritten(outcome.pdfPath, outcome.pages, "page");
    return 0;
}

} // namespace

Command directoryCommand()
{
    return Command::onData("directory",
                           "The printed church directory to PDF: every household in family name "
                           "order with its picture, and an index of individuals.",
                           {PdfOutOption, optional(Layout), optional(Booklet), optional(Paper),
                            optional(oneOf({Index, NoIndex})), optional(Title),
                            optional(sequence({KindOption, ItemOption}))},
                           cmdDirectory);
}

} // namespace rost::batch
