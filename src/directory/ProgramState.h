#pragma once

#include "directory/DirectorySetup.h"
#include "directory/Preferences.h"

namespace rost {

// The program-wide values that live for the whole run and that every window reads directly:
// the setup values of the open directory and the two settings records. They start zeroed; the
// main window's creation fixes their folder and loads them.
TDirectorySetup &directorySetup();
TPreferences &preferences();
tEnvDef &envDef();

} // namespace rost
