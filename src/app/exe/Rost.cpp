#include "app/ui/RostMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rostella"));
    QApplication::setApplicationDisplayName(QStringLiteral("Rostella 2006.3"));
    QApplication::setApplicationVersion(QStringLiteral("2006.3"));

    rost::TRostMainForm RostMainForm;
    // The find dialogs are made here, hidden, once their folder provides them, and given to the
    // window through its hooks.
    RostMainForm.show();
    return app.exec();
}
