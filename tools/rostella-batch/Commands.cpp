#include "Commands.h"

namespace rost::batch {

// Each command lives in its own Cmd*.cpp file.
Command sampleCommand();
Command packCommand();
Command importCommand();
Command queryCommand();
Command findCommand();
Command householdCommand();
Command namesCommand();
Command clipboardCommand();
Command envelopeCommand();
Command itemsCommand();
Command listCommand();
Command listFieldsCommand();
Command directoryCommand();
Command searchCommand();
Command labelsCommand();
Command vcardCommand();
Command csvCommand();

const std::vector<Command> &commands()
{
    static const std::vector<Command> all{
        sampleCommand(),    packCommand(),      importCommand(), queryCommand(),
        findCommand(),      householdCommand(), namesCommand(),  clipboardCommand(),
        envelopeCommand(),  itemsCommand(),     listCommand(),   listFieldsCommand(),
        directoryCommand(), searchCommand(),    labelsCommand(), vcardCommand(),
        csvCommand(),
    };
    return all;
}

} // namespace rost::batch
