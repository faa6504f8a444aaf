#include "Commands.h"

namespace rost::batch {

// Each command lives in its own Cmd*.cpp file.
int cmdQuery(const QStringList &args);
int cmdFind(const QStringList &args);

const std::vector<Command> &commands()
{
    static const std::vector<Command> all{
        {"query", "--data DIR \"SQL\"", cmdQuery},
        {"find", "--data DIR (--family TEXT | --person TEXT) [--rows N]", cmdFind},
    };
    return all;
}

} // namespace rost::batch
