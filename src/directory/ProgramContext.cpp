#include "directory/ProgramContext.h"

#include <QDir>

namespace rost {

namespace {
constexpr int MaxFolderLength = 255;
}

ProgramContext::ProgramContext(const QString &dataFolder, const QString &archiveFolder)
    : m_dataFolder(dataFolder.left(MaxFolderLength)),
      m_archiveFolder(archiveFolder.isEmpty() ? m_dataFolder : archiveFolder),
      m_preferences(m_dataFolder), m_envelopeLayout(m_dataFolder)
{}

QString ProgramContext::currentFolder()
{
    return QDir::currentPath();
}

} // namespace rost
