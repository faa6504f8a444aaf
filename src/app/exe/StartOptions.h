#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace rost {

// What a run of the program was asked for on its command line.
struct StartOptions
{
    // The folder that holds the directory, absolute.
    QString dataFolder;
    // Where the import's open dialog starts.
    QString archiveFolder;
    // Set when the run ends at once: after the help or the version (0), or after a command line
    // that cannot run (2); output is then printed to standard output, or to standard error for 2.
    std::optional<int> exitCode;
    QString output;
};

// Reads the arguments of a run started in currentFolder (the program's own name first, Qt's
// options already taken out). Without --data or --standard-data the current folder is the data
// folder, as it has always been. The folder named by either option is created when missing;
// when that fails, the start-up reports the folder as it reports any data folder it cannot use.
StartOptions readStartOptions(const QStringList &arguments, const QString &currentFolder);

} // namespace rost
