#pragma once

#include "directory/RostError.h"

namespace rost {

// A name composition that cannot be made, such as for an individual the table does not hold.
class NamesError : public RostError
{
public:
    using RostError::RostError;
};

} // namespace rost
