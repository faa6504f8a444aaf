// The directory exported for phones and spreadsheets through the code behind File → Export
// directory and rostella-batch vcard and csv: every individual as a vCard, written through the
// whole-or-nothing save to a file, for the bench directories of 1,000, 10,000 and 32,767 people;
// the 32,767-person sample with its family pictures scaled into the cards; and the people CSV.
#include "BenchData.h"
#include "BenchMain.h"

#include "directory/AtomicSave.h"
#include "directory/RostConnection.h"
#include "exports/DirectoryCsv.h"
#include "exports/VCardExport.h"
#include "sample/SampleDirectory.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

using namespace rost;

namespace {

QString outFile(const char *name)
{
    return QDir::temp().filePath(QString::fromLatin1(name));
}

// The generated sample of 32,767 individuals, pictures included, made once per process.
QString sampleWithPictures()
{
    static const QString folder = [] {
        const QString dir = QDir::temp().filePath(QStringLiteral("rostella-export-bench-sample"));
        if (!QFileInfo::exists(dir + QStringLiteral("/RostFamilies.adt"))) {
            SampleOptions options;
            options.individuals = 32767;
            writeSampleDirectory(dir, options);
        }
        return dir;
    }();
    return folder;
}

void exportCards(benchmark::State &state, const QString &folder, bool photos)
{
    RostConnection connection;
    connection.setPath(folder);
    connection.connect();
    const QString out = outFile("rostella-export-bench.vcf");
    int cards = 0;
    for (auto _ : state) {
        AtomicSave save(out);
        VCardExport e(
            connection, [&](QByteArrayView bytes) { save.write(bytes); }, photos);
        e.writeAll();
        e.finish();
        save.commit();
        cards = e.cards();
    }
    state.counters["cards"] = cards;
    state.counters["file_MB"] = double(QFileInfo(out).size()) / (1024 * 1024);
}

void BM_VCardAll(benchmark::State &state)
{
    exportCards(state, bench::benchDirectory(int(state.range(0))), false);
}

void BM_VCardSampleWithPictures(benchmark::State &state)
{
    exportCards(state, sampleWithPictures(), true);
}

void BM_CsvPeople(benchmark::State &state)
{
    RostConnection connection;
    connection.setPath(bench::benchDirectory(int(state.range(0))));
    connection.connect();
    const QString out = outFile("rostella-export-bench.csv");
    int rows = 0;
    for (auto _ : state) {
        AtomicSave save(out);
        rows = writeDirectoryCsv(connection, {CsvRows::People, true},
                                 [&](QByteArrayView bytes) { save.write(bytes); });
        save.commit();
    }
    state.counters["rows"] = rows;
}

} // namespace

BENCHMARK(BM_VCardAll)->Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VCardSampleWithPictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvPeople)->Arg(32767)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return rost::bench::runBenchmarks<QGuiApplication>(argc, argv);
}
