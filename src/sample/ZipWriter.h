#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace rost {

// Writes files into a new zip archive at zipPath, each under its bare file name. The archive is
// written beside its final name and renamed into place, so a reader sees either the old archive
// or the complete new one. A valid mtime gives every member that time (reproducible archives);
// otherwise members keep their files' times. Throws SampleError.
void writeZip(const QString &zipPath, const QStringList &files, const QDateTime &mtime = {});

// Moves from onto to, replacing to if it exists. Throws SampleError.
void replaceFile(const QString &from, const QString &to);

} // namespace rost
