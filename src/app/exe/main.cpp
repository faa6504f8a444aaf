#include "app/exe/ProgramSetup.h"
#include "app/exe/ProgramWindows.h"
#include "app/exe/SingleInstance.h"
#include "app/exe/StartOptions.h"
#include "app/ui/MainWindow.h"
#include "directory/ProgramContext.h"
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

    rost::ProgramContext context(options.dataFolder, options.archiveFolder);
    rost::startWorkAhead(context.dataFolder());
    rost::ProgramWindows windows(context);
    rost::MainWindow &RostMainForm = windows.main();
    QObject::connect(&instance, &rost::SingleInstance::activationRequested, &RostMainForm,
                     [&RostMainForm] { rost::bringToFront(RostMainForm); });
    RostMainForm.show();
    return app.exec();
}
