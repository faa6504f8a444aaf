#include "Command.h"

#include "sample/CsvPack.h"

#include <QTextStream>

namespace rost::batch {

namespace {

constexpr Option Csv{"csv", "DIR", "the folder of CSV files, one per table, named after it"};
constexpr Option Out{"out", "FILE.zip", "the archive to write"};

int cmdPack(const Arguments &args)
{
    const QString csvDir = args.value(Csv);
    const QString out = args.value(Out);
    try {
        const PackResult result = packCsv(csvDir, out);
        QTextStream stream(stdout);
        for (const QString &line : result.filled)
            stream << line << "\n";
        for (const QString &note : result.notes)
            stream << note << "\n";
        stream << "Wrote " << out << "\n";
    } catch (const SampleError &e) {
        throw Failure{e.text(), 1};
    }
    return 0;
}

} // namespace

Command packCommand()
{
    return Command("pack",
                   "Builds the table files from CSV and zips them. A field a CSV file leaves "
                   "out takes its default in every row, and one line a file names the fields "
                   "filled; a column that is no field of the table is refused with the nearest "
                   "field name. A bad value is reported with file, line and field, and then "
                   "nothing is written.",
                   {Csv, Out}, cmdPack);
}

} // namespace rost::batch
