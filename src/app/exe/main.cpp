#include "app/exe/AppDialogLauncher.h"
#include "app/exe/ProgramSetup.h"
#include "app/ui/MainWindow.h"
#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"
#include "directory/ProgramContext.h"
#include "import/ImportJournal.h"
#include "platform/render/AllocatorTuning.h"
#include "platform/ui/GuardedApplication.h"

int main(int argc, char **argv)
{
    rost::tuneAllocatorForPrinting();
    rost::GuardedApplication app(argc, argv);
    rost::setUpProgram(app);

    // The data folder is the folder the program starts in. The main window comes first, then
    // the two find dialogs, kept hidden between uses.
    rost::ProgramContext context(rost::ProgramContext::currentFolder());
    // An import that a crash interrupted is finished before the tables are looked for.
    rost::ImportJournal::recoverBeforeReading(context.dataFolder());
    rost::AppDialogLauncher launcher(context);
    rost::MainWindow RostMainForm(context, launcher);
    rost::FindIndividualDialog fdIndLookupForm(&RostMainForm);
    rost::FindFamilyDialog fdFamLookupForm(&RostMainForm);
    launcher.setFindDialogs(fdIndLookupForm, fdFamLookupForm);
    RostMainForm.show();
    return app.exec();
}
