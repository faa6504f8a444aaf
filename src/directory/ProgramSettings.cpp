#include "directory/ProgramSettings.h"

#include <QDir>
#include <QStandardPaths>

namespace rost {

std::unique_ptr<QSettings> programSettings()
{
    // Through the standard paths, so that tests in the toolkit's test mode keep to a folder of
    // their own.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(
        QDir(folder).filePath(QStringLiteral("Rostella/rostella.ini")), QSettings::IniFormat);
}

} // namespace rost
