#include "MainFormWiring.h"
#include "app/ui/RostMain.h"
#include "browse/ui/TfdFamLookupForm.h"
#include "browse/ui/TfdIndLookupForm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rostella"));
    QApplication::setApplicationDisplayName(QStringLiteral("Rostella 2006.3"));
    QApplication::setApplicationVersion(QStringLiteral("2006.3"));

    // The main window first, then the two find dialogs, kept hidden between uses.
    rost::TRostMainForm RostMainForm;
    rost::TfdIndLookupForm fdIndLookupForm(&RostMainForm);
    rost::TfdFamLookupForm fdFamLookupForm(&RostMainForm);
    rost::installMainFormHooks(RostMainForm, fdIndLookupForm, fdFamLookupForm);
    RostMainForm.show();
    return app.exec();
}
