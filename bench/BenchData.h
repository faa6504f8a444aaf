#pragma once

#include <QString>

namespace rost::bench {

// A generated directory of about the given number of individuals (families of one to five
// members, list tables with a few items each), built once per size under the temporary folder
// and reused by later runs. Returns the folder.
QString benchDirectory(int individuals);

} // namespace rost::bench
