#pragma once

#include <QtGlobal>

namespace rost {

// The person chosen in the find-individual dialog, read by the main window after an accepted
// find. They keep their last values between finds.
extern qint16 FoundFamID;  // "Family ID Num"
extern qint16 FoundNameID; // "Indiv ID Num"
extern qint16 FoundRank;   // "Family Rank Order"

} // namespace rost
