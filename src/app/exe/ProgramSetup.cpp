#include "app/exe/ProgramSetup.h"

#include "platform/ui/WindowFit.h"

#include <QApplication>
#include <QIcon>

namespace rost {

void setUpProgram(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Rostella"));
    QApplication::setApplicationVersion(QStringLiteral(ROST_VERSION));
    // The desktop entry, the icon and the software centre's record all go by this one name.
    QApplication::setDesktopFileName(QStringLiteral(ROST_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ROST_APP_ID)));
    app.installEventFilter(new TitleWidthGuard(&app));
}

} // namespace rost
