#include "app/exe/ProgramWindows.h"

#include "directory/ProgramContext.h"
#include "import/ImportJournal.h"

namespace rost {

namespace {

// Runs before any window is made, so that no window reads tables a crash left half-replaced.
ProgramContext &recovered(ProgramContext &context)
{
    ImportJournal::recoverBeforeReading(context.dataFolder());
    return context;
}

} // namespace

ProgramWindows::ProgramWindows(ProgramContext &context)
    : m_launcher(recovered(context)), RostMainForm(context, m_launcher)
{
    m_launcher.setFindDialogMaker([this] {
        fdIndLookupForm = std::make_unique<FindIndividualDialog>(&RostMainForm);
        fdFamLookupForm = std::make_unique<FindFamilyDialog>(&RostMainForm);
        m_launcher.setFindDialogs(*fdIndLookupForm, *fdFamLookupForm);
    });
}

} // namespace rost
