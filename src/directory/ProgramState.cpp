#include "directory/ProgramState.h"

namespace rost {

TDirectorySetup &directorySetup()
{
    static TDirectorySetup setup;
    return setup;
}

TPreferences &preferences()
{
    static TPreferences prefs;
    return prefs;
}

tEnvDef &envDef()
{
    static tEnvDef def;
    return def;
}

} // namespace rost
