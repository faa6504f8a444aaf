#pragma once

#include "directory/RostError.h"

namespace rost {

// A file could not be written (or read where reading matters). The text carries the system's own
// error text.
class IoError : public RostError
{
public:
    using RostError::RostError;
};

} // namespace rost
