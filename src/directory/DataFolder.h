#pragma once

#include <QString>

namespace rost {

// Files of the data folder: the tables and the settings records.
class DataFolder
{
public:
    // A file in the folder, joined with exactly one separator (a root folder already ends in one,
    // and a folder written the Windows way may end in a backslash); no folder: the name alone.
    static QString join(const QString &folder, const QString &name);
    // Whether the families table file is in the folder, its name matched without regard to case:
    // the test at start-up and after an import of whether there is a directory to open.
    static bool familiesFilePresent(const QString &folder);
    // Makes folder the program's current folder. Throws IoError naming the folder, with the
    // system's own text for why it cannot be entered.
    static void makeCurrent(const QString &folder);
    // Why folder, which is no folder, cannot be the data folder, without a full stop: that it does
    // not exist, or that its name cannot be read. The system's names are bytes; a name whose bytes
    // are not UTF-8 reaches the program with U+FFFD in their place, names no folder, and is
    // reported as unreadable rather than absent.
    static QString missingText(const QString &folder);
};

} // namespace rost
