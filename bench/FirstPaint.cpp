#include "app/exe/AppDialogLauncher.h"
#include "app/exe/ProgramSetup.h"
#include "app/ui/MainWindow.h"
#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"
#include "directory/ProgramContext.h"
#include "import/ImportJournal.h"
#include "platform/render/AllocatorTuning.h"
#include "platform/ui/GuardedApplication.h"

#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>

// A fresh process from its start to the first paint of a window, which bench/run-all.sh times
// from outside:
//   FirstPaint bare          an empty main window, the floor any Qt program pays;
//   FirstPaint rostella DIR  Rostella started as main() starts it, on the data folder DIR, up to
//                            the paint that shows the first family.

namespace {

// Quits once a widget of window has painted while ready() holds.
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
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

    bool done() const { return m_done; }

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
        return app.exec();
    }

    rost::tuneAllocatorForPrinting();
    rost::GuardedApplication app(argc, argv);
    rost::setUpProgram(app);
    rost::ProgramContext context(QString::fromLocal8Bit(argv[2]));
    rost::ImportJournal::recoverBeforeReading(context.dataFolder());
    rost::AppDialogLauncher launcher(context);
    rost::MainWindow RostMainForm(context, launcher);
    rost::FindIndividualDialog fdIndLookupForm(&RostMainForm);
    rost::FindFamilyDialog fdFamLookupForm(&RostMainForm);
    launcher.setFindDialogs(fdIndLookupForm, fdFamLookupForm);
    PaintWatch watch(RostMainForm, [&] { return RostMainForm.isDirectoryOpen(); });
    RostMainForm.show();
    const int status = app.exec();
    return watch.done() ? status : 1; // the window closed without showing a family
}
