#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace rost::bench {

// The main of a benchmark that needs an application object (App: QGuiApplication to print,
// QApplication for windows), on the offscreen platform, so that it runs without a display.
template <typename App> int runBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace rost::bench
