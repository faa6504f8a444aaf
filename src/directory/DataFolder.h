#pragma once

#include <QString>

namespace rost {

// The folder of the tables and the settings files: the current directory when the main window is
// created, at most 255 characters, fixed for the life of the process.
class DataFolder
{
public:
    // Fixes the folder from the current directory (first call only) and returns it.
    static QString initFromCurrentDirectory();
    static QString path();
    // A file in the folder, joined with exactly one separator (a root folder already ends in one).
    static QString file(const QString &name);
    static QString join(const QString &folder, const QString &name);
    // Makes the folder the current directory; false when that fails.
    static bool makeCurrent();
    // For tests and the batch tool, which name their folder explicitly.
    static void setPathForTesting(const QString &folder);
};

} // namespace rost
