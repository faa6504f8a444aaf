// A family move in the main window with the whole display rebuilt (address block, member tabs,
// member lines, bound displays), at 1,000, 10,000 and 32,767 individuals. The generated
// directories carry no pictures, so picture decoding is not part of the figure.
#include "BenchData.h"
#include "BenchMain.h"

#include "app/exe/AppDialogLauncher.h"
#include "app/ui/MainWindow.h"
#include "directory/Cursor.h"
#include "directory/ProgramContext.h"

#include <benchmark/benchmark.h>

#include <QApplication>

using namespace rost;

namespace {

void BM_FamilyMoveWithDisplayRebuild(benchmark::State &state)
{
    ProgramContext context(bench::benchDirectory(int(state.range(0))));
    AppDialogLauncher launcher(context);
    MainWindow window(context, launcher);
    if (!window.OpenDirectory()) {
        state.SkipWithError("the directory did not open");
        return;
    }
    Cursor &tbFam = window.browser().families();
    for (auto _ : state) {
        tbFam.next();
        if (tbFam.eof())
            tbFam.first();
    }
}

} // namespace

BENCHMARK(BM_FamilyMoveWithDisplayRebuild)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    return rost::bench::runBenchmarks<QApplication>(argc, argv);
}
