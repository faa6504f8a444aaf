#pragma once

#include "directory/EnvelopeLayout.h"
#include "directory/Preferences.h"

#include <QString>

namespace rost {

// What the windows of one run share: the data folder, fixed when the run starts, and the two
// settings records kept in it. The main window loads the records; every dialog that reads or
// changes them is handed this object, so a test gives each window a context of its own.
class ProgramContext
{
public:
    // The folder is cut to 255 characters, the longest path the settings records were made for.
    // archiveFolder is where the import's open dialog starts: the member's downloads when the
    // directory lives in a folder the member never browses; none, the data folder.
    explicit ProgramContext(const QString &dataFolder, const QString &archiveFolder = {});
    ProgramContext(const ProgramContext &) = delete;
    ProgramContext &operator=(const ProgramContext &) = delete;

    // The current directory: the data folder of a run of the program.
    static QString currentFolder();

    const QString &dataFolder() const { return m_dataFolder; }
    const QString &archiveFolder() const { return m_archiveFolder; }
    Preferences &preferences() { return m_preferences; }
    EnvelopeLayout &envelopeLayout() { return m_envelopeLayout; }

private:
    QString m_dataFolder;
    QString m_archiveFolder;
    Preferences m_preferences;
    EnvelopeLayout m_envelopeLayout;
};

} // namespace rost
