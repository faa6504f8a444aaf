#include "app/exe/ProgramSetup.h"

#include "platform/ui/WindowFit.h"

#include <QApplication>

namespace rost {

void setUpProgram(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Rostella"));
    QApplication::setApplicationVersion(QStringLiteral(ROST_VERSION));
    app.installEventFilter(new TitleWidthGuard(&app));
}

} // namespace rost
