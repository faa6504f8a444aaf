#pragma once

#include <QString>

namespace rost {

// The defensive check a table file passes before the engine works on it: an SQLite 3 database
// that passes its integrity check and holds the table named after its file (RostFamilies.adt
// holds "RostFamilies") with every field the program reads. Returns an empty text when the file
// is sound, otherwise a message that names the file and the problem. Files that are not among
// the directory's known tables only need to be sound SQLite databases.
QString checkTableFile(const QString &path);

} // namespace rost
