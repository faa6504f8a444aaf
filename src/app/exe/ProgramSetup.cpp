#include "app/exe/ProgramSetup.h"

#include "app/FamilyBrowser.h"

#include "platform/ui/DeferredIconStyle.h"
#include "platform/ui/WindowFit.h"

#include <QApplication>
#include <QBuffer>
#include <QFontDatabase>
#include <QIcon>
#include <QImageReader>
#include <QThreadPool>

#include <exception>

namespace rost {

void setUpProgram(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Rostella"));
    QApplication::setApplicationVersion(QStringLiteral(ROST_VERSION));
    // The desktop entry, the icon and the software centre's record all go by this one name.
    QApplication::setDesktopFileName(QStringLiteral(ROST_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ROST_APP_ID)));
    app.installEventFilter(new TitleWidthGuard(&app));
    // The style Qt chose (a desktop's, or one named by -style or QT_STYLE_OVERRIDE) stays.
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()->name()));
}

void startWorkAhead(const QString &dataFolder)
{
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->start([] { QFontDatabase::families(); });
    pool->start([dataFolder] {
        try {
            FamilyBrowser::checkTablesAhead(dataFolder);
        } catch (const std::exception &) {
        }
    });
    pool->start([] {
        QBuffer nothing;
        nothing.open(QIODevice::ReadOnly);
        QImageReader::imageFormat(&nothing);
    });
}

} // namespace rost
