#pragma once

#include "Command.h"

#include <vector>

namespace rost::batch {

// Every command of rostella-batch, in the order the help lists them.
const std::vector<Command> &commands();

} // namespace rost::batch
