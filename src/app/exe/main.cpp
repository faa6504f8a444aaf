#include "app/exe/AppDialogLauncher.h"
#include "app/exe/ProgramSetup.h"
#include "app/exe/SingleInstance.h"
#include "app/exe/StartOptions.h"
#include "app/ui/MainWindow.h"
#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"
#include "directory/ProgramContext.h"
#include "import/ImportJournal.h"
#include "platform/render/AllocatorTuning.h"
#include "platform/ui/GuardedApplication.h"

#include <cstdio>

int main(int argc, char **argv)
{
    rost::tuneAllocatorForPrinting();
    rost::GuardedApplication app(argc, argv);
    rost::setUpProgram(app);
    const rost::StartOptions options = rost::readStartOptions(
        QCoreApplication::arguments(), rost::ProgramContext::currentFolder());
    if (options.exitCode) {
        const QByteArray text = options.output.toLocal8Bit();
        std::fwrite(text.constData(), 1, size_t(text.size()),
                    *options.exitCode == 0 ? stdout : stderr);
        return *options.exitCode;
    }
    // A program already open on the folder is brought to the front, and its tables are not
    // opened a second time.
    rost::SingleInstance instance(options.dataFolder);
    if (instance.handOverOrListen())
        return 0;

    // The main window comes first, then the two find dialogs, kept hidden between uses.
    rost::ProgramContext context(options.dataFolder, options.archiveFolder);
    // An import that a crash interrupted is finished before the tables are looked for.
    rost::ImportJournal::recoverBeforeReading(context.dataFolder());
    rost::AppDialogLauncher launcher(context);
    rost::MainWindow RostMainForm(context, launcher);
    rost::FindIndividualDialog fdIndLookupForm(&RostMainForm);
    rost::FindFamilyDialog fdFamLookupForm(&RostMainForm);
    launcher.setFindDialogs(fdIndLookupForm, fdFamLookupForm);
    QObject::connect(&instance, &rost::SingleInstance::activationRequested, &RostMainForm,
                     [&RostMainForm] { rost::bringToFront(RostMainForm); });
    RostMainForm.show();
    return app.exec();
}
