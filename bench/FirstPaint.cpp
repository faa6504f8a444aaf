#include "app/exe/ProgramSetup.h"
#include "app/exe/ProgramWindows.h"
#include "app/ui/MainWindow.h"
#include "directory/ProgramContext.h"
#include "platform/render/AllocatorTuning.h"
#include "platform/ui/GuardedApplication.h"

#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>

// A fresh process from its start to the first paint of a window, timed from the moment
// bench/run-all.sh starts it:
//   FirstPaint bare          an empty main window, the floor any Qt program pays;
//   FirstPaint rostella DIR  Rostella started as main() starts it, on the data folder DIR, up to
//                            the paint that shows the first family.

namespace {

// Prints the microseconds since ROST_BENCH_T0 (nanoseconds of the real-time clock, taken by the
// script just before it started this process) and ends at once: what the member waits for is
// the paint, not the closing of the window and its directory.
void reportAndExit()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long start = std::atoll(qgetenv("ROST_BENCH_T0").constData());
    const long long elapsed = (now.tv_sec * 1000000000LL + now.tv_nsec - start) / 1000;
    std::printf("%lld\n", start > 0 ? elapsed : 0);
    std::fflush(stdout);
    std::_Exit(0);
}

// Ends the process once a widget of window has painted while ready() holds.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget &window, std::function<bool()> ready)
        : m_window(window), m_ready(std::move(ready))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window() == &m_window && m_ready() && !m_done) {
            m_done = true;
            QTimer::singleShot(0, qApp, &reportAndExit);
        }
        return false;
    }

private:
    QWidget &m_window;
    std::function<bool()> m_ready;
    bool m_done = false;
};

} // namespace

int main(int argc, char **argv)
{
    const bool bare = argc == 2 && std::strcmp(argv[1], "bare") == 0;
    if (!bare && !(argc == 3 && std::strcmp(argv[1], "rostella") == 0)) {
        std::fprintf(stderr, "usage: FirstPaint bare | FirstPaint rostella DIR\n");
        return 2;
    }
    if (bare) {
        QApplication app(argc, argv);
        QMainWindow window;
        window.setCentralWidget(new QLabel(QStringLiteral("Church Directory"), &window));
        window.resize(640, 480);
        PaintWatch watch(window, [] { return true; });
        window.show();
        app.exec();
        return 1;
    }

    rost::tuneAllocatorForPrinting();
    rost::GuardedApplication app(argc, argv);
    rost::setUpProgram(app);
    rost::ProgramContext context(QString::fromLocal8Bit(argv[2]));
    rost::startWorkAhead(context.dataFolder());
    rost::ProgramWindows windows(context);
    rost::MainWindow &RostMainForm = windows.main();
    PaintWatch watch(RostMainForm, [&] { return RostMainForm.isDirectoryOpen(); });
    RostMainForm.show();
    app.exec();
    return 1; // the window closed without showing a family
}
