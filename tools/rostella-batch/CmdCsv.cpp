#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "directory/AtomicSave.h"
#include "exports/DirectoryCsv.h"

namespace rost::batch {

namespace {

constexpr Option People{"people", nullptr,
                        "one row per individual with the household's fields, by last name"};
constexpr Option Households{"households", nullptr, "one row per household, by family name"};
constexpr Option Bom{"bom", nullptr, "begin with a byte-order mark, for older spreadsheets"};
constexpr Option Out{"out", "FILE.csv", "the CSV file to write"};

// The whole directory for a spreadsheet, written whole or not at all.
int cmdCsv(const Arguments &args, DataContext &data)
{
    const QString path = args.value(Out);
    DirectoryCsvOptions options;
    options.rows = args.isSet(People) ? CsvRows::People : CsvRows::Households;
    options.byteOrderMark = args.isSet(Bom);
    AtomicSave save(path);
    const int rows = writeDirectoryCsv(data.connection(), options,
                                       [&](QByteArrayView bytes) { save.write(bytes); });
    save.commit();
    printWritten(path, rows, "row");
    return 0;
}

} // namespace

Command csvCommand()
{
    return Command::onData("csv",
                           "The whole directory as CSV for a spreadsheet: one row per individual "
                           "or one per household.",
                           {oneOf({People, Households}), optional(Bom), Out}, cmdCsv);
}

} // namespace rost::batch
