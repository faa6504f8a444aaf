// The find dialogs' costs at 1,000, 10,000 and 32,767 individuals: opening the dialog's cursor
// with its grid model, and one search keystroke from the text change to the model reporting the
// new current row.
#include "BenchData.h"
#include "BenchMain.h"

#include "browse/NameSearch.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/ui/GridModel.h"

#include <benchmark/benchmark.h>

#include <QApplication>

using namespace rost;

namespace {

const QList<GridColumn> columns{{fld::LastName, 20, QStringLiteral("Last Name")},
                                {fld::GoesBy, 20, QStringLiteral("Goes By")},
                                {fld::Title, 10, QStringLiteral("Title")}};

void BM_OpenFindIndividual(benchmark::State &state)
{
    RostConnection conn;
    conn.setPath(bench::benchDirectory(int(state.range(0))));
    conn.connect();
    for (auto _ : state) {
        NameSearch search(conn, NameSearch::Kind::Individuals);
        GridModel model;
        model.setColumns(columns);
        model.setSource(&search.cursor());
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_SearchKeystroke(benchmark::State &state)
{
    RostConnection conn;
    conn.setPath(bench::benchDirectory(int(state.range(0))));
    conn.connect();
    NameSearch search(conn, NameSearch::Kind::Individuals);
    GridModel model;
    model.setColumns(columns);
    model.setSource(&search.cursor());
    int reported = -1;
    QObject::connect(&model, &GridModel::currentRowChanged, [&](int row) { reported = row; });
    // What a user types letter by letter, deleted again at the end.
    const QStringList texts{
        QStringLiteral("W"),   QStringLiteral("WI"), QStringLiteral("WIL"), QStringLiteral("WILS"),
        QStringLiteral("WIL"), QStringLiteral("WI"), QStringLiteral("W"),   QString()};
    qsizetype i = 0;
    for (auto _ : state) {
        search.search(texts.at(i++ % texts.size()));
        benchmark::DoNotOptimize(reported);
    }
}

} // namespace

#define ROST_SIZES Arg(1000)->Arg(10000)->Arg(32767)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_OpenFindIndividual)->ROST_SIZES;
BENCHMARK(BM_SearchKeystroke)->ROST_SIZES;

int main(int argc, char **argv)
{
    return rost::bench::runBenchmarks<QApplication>(argc, argv);
}
