#include "TestFolder.h"

#include <stdexcept>

namespace rost::test {

TestFolder::TestFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

} // namespace rost::test
