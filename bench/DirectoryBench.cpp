// The table engine's steps at 1,000, 10,000 and 32,767 individuals, each beside the cost of the
// same operation on a sorted in-memory vector as the reference.
#include "BenchData.h"

#include "app/FamilyBrowser.h"
#include "directory/Cursor.h"
#include "directory/Query.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include <benchmark/benchmark.h>

#include <QHash>

#include <algorithm>
#include <vector>

using namespace rost;

namespace {

struct Directory
{
    explicit Directory(int individuals)
    {
        connection.setPath(bench::benchDirectory(individuals));
        connection.connect();
    }
    RostConnection connection;
};

QStringList probes()
{
    QStringList p;
    for (const char *n : {"SMITH1", "JO", "WIL3", "BROWN25", "KING", "ZZZ", "A", "MOORE399"})
        p << QString::fromLatin1(n);
    return p;
}

std::vector<QString> sortedLastNames(Cursor &ind)
{
    std::vector<QString> names;
    for (qint64 id : ind.orderedRowIds())
        names.push_back(ind.rowValues(id, {fld::LastName}).value(0).toString().toUpper());
    return names;
}

void BM_OpenDirectory(benchmark::State &state)
{
    const QString folder = bench::benchDirectory(int(state.range(0)));
    // The table files are checked once a process, at their first opening; that first start is
    // not what this measures.
    FamilyBrowser().open(folder);
    for (auto _ : state) {
        FamilyBrowser browser;
        browser.open(folder);
        benchmark::DoNotOptimize(browser.members().text(fld::FirstName));
        browser.close();
    }
}

void BM_OpenCursor(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    for (auto _ : state) {
        Cursor c(dir.connection, tbl::Individuals);
        c.setIndexName(idx::LastNameAndGoesByOrder);
        c.open();
        benchmark::DoNotOptimize(c.rowId());
    }
}

void BM_NearestSeek(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Cursor c(dir.connection, tbl::Individuals);
    c.setIndexName(idx::LastNameAndGoesByOrder);
    c.open();
    const QStringList keys = probes();
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(c.findNearest(keys.at(i++ % keys.size())));
}

void BM_NearestSeekInMemory(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Cursor c(dir.connection, tbl::Individuals);
    c.setIndexName(idx::LastNameAndGoesByOrder);
    c.open();
    const std::vector<QString> names = sortedLastNames(c);
    const QStringList keys = probes();
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            std::lower_bound(names.begin(), names.end(), keys.at(i++ % keys.size())));
}

void BM_NextPrior(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Cursor c(dir.connection, tbl::Individuals);
    c.setIndexName(idx::LastNameAndGoesByOrder);
    c.open();
    c.findNearest(QStringLiteral("M"));
    bool forward = true;
    for (auto _ : state) {
        if (forward)
            c.next();
        else
            c.prior();
        forward = !forward;
        benchmark::DoNotOptimize(c.rowId());
    }
}

void BM_NextPriorInMemory(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Cursor c(dir.connection, tbl::Individuals);
    c.setIndexName(idx::LastNameAndGoesByOrder);
    c.open();
    const std::vector<QString> names = sortedLastNames(c);
    // The in-memory step: the key after the current one, found by binary search.
    size_t pos = names.size() / 2;
    bool forward = true;
    for (auto _ : state) {
        auto it = forward ? std::upper_bound(names.begin(), names.end(), names[pos])
                          : std::lower_bound(names.begin(), names.end(), names[pos]);
        pos = size_t(std::clamp<std::ptrdiff_t>(it - names.begin() - (forward ? 0 : 1), 0,
                                                std::ptrdiff_t(names.size()) - 1));
        forward = !forward;
        benchmark::DoNotOptimize(pos);
    }
}

// The directory browsed as the window does, moving from family to family by number.
struct Families
{
    explicit Families(int individuals)
    {
        browser.open(bench::benchDirectory(individuals));
        browser.families().setIndexName(idx::FamilyIdNumOrder);
        browser.families().last();
        count = int(browser.families().integer(fld::FamilyIdNum));
    }
    void next()
    {
        id = id % count + 1;
        browser.families().findKey({id});
    }

    FamilyBrowser browser;
    int count = 0;
    int id = 1;
};

void BM_FamilyRestrictCountWalk(benchmark::State &state)
{
    // The engine's part of showing one family: the members follow the family, are counted within
    // the restriction and walked.
    Families f(int(state.range(0)));
    Cursor &ind = f.browser.members();
    ind.setCountMode(CountMode::RespectWhenCounting);
    for (auto _ : state) {
        f.next();
        int walked = 0;
        const int count = ind.recordCount();
        for (ind.first(); !ind.eof(); ind.next())
            ++walked;
        benchmark::DoNotOptimize(count + walked);
    }
}

void BM_MemberTabs(benchmark::State &state)
{
    // The member tabs of one family as the main window builds them: the same, plus each tab's
    // caption and number, and the first member made current again.
    Families f(int(state.range(0)));
    for (auto _ : state) {
        f.next();
        benchmark::DoNotOptimize(f.browser.rebuildMemberTabs(1).tabs.size());
    }
}

void BM_FamilyRestrictCountWalkInMemory(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Cursor ind(dir.connection, tbl::Individuals);
    ind.setIndexName(idx::FamilyIdRankOrder);
    ind.open();
    std::vector<std::pair<qint64, qint64>> keys;
    for (qint64 rid : ind.orderedRowIds()) {
        const QVariantList v = ind.rowValues(rid, {fld::FamilyIdNum, fld::FamilyRankOrder});
        keys.emplace_back(v.value(0).toLongLong(), v.value(1).toLongLong());
    }
    const qint64 families = keys.back().first;
    qint64 id = 1;
    for (auto _ : state) {
        id = id % families + 1;
        auto range =
            std::equal_range(keys.begin(), keys.end(), std::pair<qint64, qint64>{id, 0},
                             [](const auto &a, const auto &b) { return a.first < b.first; });
        qint64 sum = 0;
        for (auto it = range.first; it != range.second; ++it)
            sum += it->second;
        benchmark::DoNotOptimize(sum + (range.second - range.first));
    }
}

void BM_LocateIndivIdNum(benchmark::State &state)
{
    const int n = int(state.range(0));
    Directory dir(n);
    Cursor c(dir.connection, tbl::Individuals);
    c.setIndexName(idx::IndivIdNumOrder);
    c.open();
    int id = 1;
    for (auto _ : state) {
        id = (id * 7919) % n + 1;
        benchmark::DoNotOptimize(c.locate(fld::IndivIdNum, id));
    }
}

void BM_RowNumberOfCurrentRow(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Cursor c(dir.connection, tbl::Individuals);
    c.setIndexName(idx::LastNameAndGoesByOrder);
    c.open();
    const std::vector<qint64> ids = c.orderedRowIds();
    QHash<qint64, int> rowOf;
    rowOf.reserve(qsizetype(ids.size()));
    for (size_t i = 0; i < ids.size(); ++i)
        rowOf.insert(ids[i], int(i));
    const QStringList keys = probes();
    qsizetype i = 0;
    for (auto _ : state) {
        c.findNearest(keys.at(i++ % keys.size()));
        benchmark::DoNotOptimize(rowOf.value(c.rowId(), -1));
    }
}

void BM_GridSnapshot(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Cursor c(dir.connection, tbl::Individuals);
    c.setIndexName(idx::LastNameAndGoesByOrder);
    c.open();
    for (auto _ : state)
        benchmark::DoNotOptimize(c.orderedRowIds().size());
}

void BM_PageOf40Rows(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Cursor c(dir.connection, tbl::Individuals);
    c.setIndexName(idx::LastNameAndGoesByOrder);
    c.open();
    const std::vector<qint64> ids = c.orderedRowIds();
    const QStringList fields{fld::LastName, fld::GoesBy, fld::Title};
    size_t from = 0;
    for (auto _ : state) {
        from = (from + 997) % (ids.size() - 40);
        for (size_t k = from; k < from + 40; ++k)
            benchmark::DoNotOptimize(c.rowValues(ids[k], fields));
    }
}

void BM_ThreeTableListJoin(benchmark::State &state)
{
    Directory dir(int(state.range(0)));
    Query q(dir.connection);
    const QString sql = QStringLiteral(
        "Select \"Last Name\", \"First Name\", RostIndividuals.\"Indiv ID Num\", \"EMail "
        "Address\", RostFamilies.\"Family ID NUm\", \"Home Phone\", RostFamilies.\"Family ID "
        "Num\", Office from RostIndividuals, RostFamilies, RostOffices where "
        "(RostIndividuals.\"Indiv ID Num\" = RostOffices.\"Indiv ID Num\") and "
        "(RostIndividuals.\"Family ID Num\" = RostFamilies.\"Family ID Num\") and "
        "(RostOffices.Office = 'Office 7') Order by \"Last Name\", \"First Name\"");
    for (auto _ : state) {
        q.setSql(sql);
        q.open();
        benchmark::DoNotOptimize(q.recordCount());
    }
}

} // namespace

#define ROST_SIZES Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_OpenDirectory)->ROST_SIZES;
BENCHMARK(BM_OpenCursor)->ROST_SIZES;
BENCHMARK(BM_NearestSeek)->ROST_SIZES;
BENCHMARK(BM_NearestSeekInMemory)->ROST_SIZES;
BENCHMARK(BM_NextPrior)->ROST_SIZES;
BENCHMARK(BM_NextPriorInMemory)->ROST_SIZES;
BENCHMARK(BM_FamilyRestrictCountWalk)->ROST_SIZES;
BENCHMARK(BM_MemberTabs)->ROST_SIZES;
BENCHMARK(BM_FamilyRestrictCountWalkInMemory)->ROST_SIZES;
BENCHMARK(BM_LocateIndivIdNum)->ROST_SIZES;
BENCHMARK(BM_RowNumberOfCurrentRow)->ROST_SIZES;
BENCHMARK(BM_GridSnapshot)->ROST_SIZES;
BENCHMARK(BM_PageOf40Rows)->ROST_SIZES;
BENCHMARK(BM_ThreeTableListJoin)->ROST_SIZES;

BENCHMARK_MAIN();
