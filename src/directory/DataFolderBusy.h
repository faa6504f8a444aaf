#pragma once

#include "directory/RostError.h"

namespace rost {

// The data folder is held by another run of the program for longer than the caller would wait:
// an import by readers of the directory, or a reader by an import. The text names the folder and
// the programs that hold it. Nothing has been read or changed when it is thrown.
class DataFolderBusy : public RostError
{
public:
    using RostError::RostError;
};

} // namespace rost
