// The search box at 32,767 individuals: building its index when the directory opens, its memory,
// and one keystroke from the text to the rows shown.
#include "app/FamilyBrowser.h"
#include "browse/DirectorySearch.h"
#include "directory/DataFolder.h"
#include "directory/RostConnection.h"
#include "sample/SampleDirectory.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>

#include <malloc.h>

using namespace rost;

namespace {

// The sample directory of the whole 16-bit number space: phones, e-mails and streets as the
// office's exports hold them. Built once under the temporary folder and kept.
QString sampleFolder()
{
    const QString folder = QDir::temp().filePath(QStringLiteral("rostella-search-bench-v1"));
    if (!QFileInfo::exists(DataFolder::join(folder, tbl::Families))) {
        SampleOptions options;
        options.individuals = MaxIndividuals;
        writeSampleDirectory(folder, options);
    }
    return folder;
}

struct Directory
{
    Directory()
    {
        connection.setPath(sampleFolder());
        connection.connect();
    }
    RostConnection connection;
};

const DirectorySearch &builtSearch()
{
    static Directory directory;
    static const DirectorySearch search = FamilyBrowser::buildSearch(directory.connection);
    return search;
}

void BM_BuildIndex(benchmark::State &state)
{
    Directory directory;
    // The table files are checked once a process, at their first opening; that first start is
    // not what this measures.
    FamilyBrowser::buildSearch(directory.connection);
    for (auto _ : state)
        benchmark::DoNotOptimize(FamilyBrowser::buildSearch(directory.connection));
}

// The heap the index holds once built, read from the allocator.
void BM_IndexMemory(benchmark::State &state)
{
    Directory directory;
    FamilyBrowser::buildSearch(directory.connection);
    double bytes = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        const DirectorySearch search = FamilyBrowser::buildSearch(directory.connection);
        bytes = double(mallinfo2().uordblks - before);
        benchmark::DoNotOptimize(search);
    }
    state.counters["MB"] = bytes / (1024.0 * 1024.0);
}

void keystrokes(benchmark::State &state, const QStringList &texts)
{
    const DirectorySearch &search = builtSearch();
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(search.search(texts[i++ % texts.size()]));
}

// Two letters typed: the start of a common name.
void BM_TwoLetterPrefix(benchmark::State &state)
{
    keystrokes(state, {QStringLiteral("ma"), QStringLiteral("jo"), QStringLiteral("sm"),
                       QStringLiteral("an"), QStringLiteral("st")});
}

// The worst found: one letter that begins a word in most rows, then digits in every phone.
void BM_WorstCase(benchmark::State &state)
{
    keystrokes(state, {QStringLiteral("s 555")});
}

void BM_OneCommonLetter(benchmark::State &state)
{
    keystrokes(state, {QStringLiteral("s")});
}

void BM_PhoneDigits(benchmark::State &state)
{
    keystrokes(state, {QStringLiteral("555")});
}

} // namespace

// Two threads read the tables: the time a member waits is the wall-clock time.
BENCHMARK(BM_BuildIndex)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoLetterPrefix)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstCase)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneCommonLetter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PhoneDigits)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
