#pragma once

#include "import/ImportStaging.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace rost {

// The record, kept in the data folder while the table files of an import are being replaced,
// of which files are replaced and where the new and the old ones wait. Written whole and made
// durable before the first rename, removed after the last one is durable: a journal that is
// present and complete means a replacement may be half done, and it is finished from here.
//
// Text, UTF-8, one record a line, fields separated by tabs:
//   Rostella import journal
//   staging <TAB> absolute path of the staging folder
//   file <TAB> target name <TAB> 1 if an old file was there, else 0 [<TAB> side file name]...
//   commit
// In the staging folder the new file of line i (from 0) waits under its target name, the old
// one is parked as "old-i", and its side file j as "aside-i-j".
class ImportJournal
{
public:
    using Rename = std::function<QString(const QString &from, const QString &to)>;

    struct Content
    {
        QString staging;
        std::vector<UnitFile> files;
    };

    static QString path(const QString &dataFolder);
    static QString parkedName(std::size_t file);
    static QString asideName(std::size_t file, qsizetype side);
    static QByteArray text(const Content &content);
    // The journal of dataFolder; nothing when there is none, or it is incomplete or not ours
    // (names that are no bare file name, a staging folder that is no import's).
    static std::optional<Content> read(const QString &dataFolder);

    // Whether every new file is either still staged or already in place.
    static bool canRollForward(const QString &dataFolder, const Content &content);
    // Puts the staged files in place, parking the old ones first; safe to repeat.
    static QString rollForward(const QString &dataFolder, const Content &content,
                               const Rename &rename);
    // Puts the parked files back and the new ones into the staging folder; safe to repeat.
    static QString rollBack(const QString &dataFolder, const Content &content,
                            const Rename &rename);

    // Run before the data folder's tables are opened or replaced: finishes a replacement a crash
    // interrupted (forward when every new file is at hand, else back), then removes the staging
    // folders abandoned imports left behind. A failure leaves the journal for the next try.
    // The caller holds the data folder's exclusive lock: a journal is also there while an import
    // is under way, and must then be left alone.
    static void recover(const QString &dataFolder);
    // recover() for a program or command about to read the directory, which holds no lock yet:
    // it takes the exclusive lock for the recovery when there is a journal, and leaves the
    // journal to an import that holds the folder now.
    static void recoverBeforeReading(const QString &dataFolder);

    // rename(2): an existing file at `to` is replaced atomically. Empty text on success.
    static QString renameFile(const QString &from, const QString &to);
    // Makes the entries of `folder` durable. Empty text on success.
    static QString syncFolder(const QString &folder);
    // A file, or a link even when it leads nowhere, is at `path`.
    static bool present(const QString &path);
};

} // namespace rost
