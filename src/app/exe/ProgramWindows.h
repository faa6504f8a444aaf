#pragma once

#include "app/exe/AppDialogLauncher.h"
#include "app/ui/MainWindow.h"
#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"

#include <memory>

namespace rost {

class ProgramContext;

// The program's windows on one data folder, made as the program makes them: an import that a
// crash interrupted is finished first, then the main window; the two find dialogs are made at
// their first use, which the first family's paint does not wait for, and kept hidden between
// uses. The program and the start-up benchmark both start here.
class ProgramWindows
{
public:
    explicit ProgramWindows(ProgramContext &context);

    MainWindow &main() { return RostMainForm; }

private:
    AppDialogLauncher m_launcher;
    MainWindow RostMainForm;
    std::unique_ptr<FindIndividualDialog> fdIndLookupForm;
    std::unique_ptr<FindFamilyDialog> fdFamLookupForm;
};

} // namespace rost
