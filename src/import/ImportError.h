#pragma once

#include "directory/RostError.h"

namespace rost {

// An import that could not start: the archive cannot be opened or is not a zip archive, or the
// data folder cannot take files. Nothing in the data folder has changed when it is thrown.
class ImportError : public RostError
{
public:
    using RostError::RostError;
};

} // namespace rost
