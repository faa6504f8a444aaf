#pragma once

#include "app/exe/AppDialogLauncher.h"
#include "app/ui/MainWindow.h"
#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"

namespace rost {

class ProgramContext;

// The program's windows on one data folder, made as the program makes them: an import that a
// crash interrupted is finished first, then the main window, then the two find dialogs, kept
// hidden between uses. The program and the start-up benchmark both start here.
class ProgramWindows
{
public:
    explicit ProgramWindows(ProgramContext &context);

    MainWindow &main() { return RostMainForm; }

private:
    AppDialogLauncher m_launcher;
    MainWindow RostMainForm;
    FindIndividualDialog fdIndLookupForm;
    FindFamilyDialog fdFamLookupForm;
};

} // namespace rost
