#pragma once

#include <QString>

namespace rost {

class Cursor;

// The program-wide values read from the setup table each time the directory is opened.
struct DirectorySetup
{
    bool UseOffices = false;
    bool UseTalents = false;
    bool UseActivities = false;
    bool UseUser1 = false;
    bool UseUser2 = false;
    QString User1Name; // at most 20 characters
    QString User2Name;

    bool anyListInUse() const
    {
        return UseOffices || UseTalents || UseActivities || UseUser1 || UseUser2;
    }
};

// Reads the first row of the setup cursor into setup: each flag is true exactly when its field
// is; a name is taken (cut to 20 characters) only when its flag is set, and keeps its earlier
// value otherwise. An empty setup table turns every list off.
void readDirectorySetup(Cursor &tbSetup, DirectorySetup &setup);

} // namespace rost
