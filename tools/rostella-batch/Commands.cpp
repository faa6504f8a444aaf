#include "Commands.h"

namespace rost::batch {

// Each command lives in its own Cmd*.cpp file.

const std::vector<Command> &commands()
{
    static const std::vector<Command> all{};
    return all;
}

} // namespace rost::batch
