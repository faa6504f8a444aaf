#pragma once

#include "directory/RostError.h"

namespace rost {

// A request the sample generator, the CSV packer or the zip writer cannot carry out.
class SampleError : public RostError
{
public:
    using RostError::RostError;
};

} // namespace rost
