#pragma once

#include "directory/RostError.h"

namespace rost {

// An export cannot be made: the person asked for is not there, or the list is empty.
class ExportError : public RostError
{
public:
    using RostError::RostError;
};

} // namespace rost
