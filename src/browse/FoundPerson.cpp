#include "browse/FoundPerson.h"

namespace rost {

qint16 FoundFamID = 0;
qint16 FoundNameID = 0;
qint16 FoundRank = 0;

} // namespace rost
