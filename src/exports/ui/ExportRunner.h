#pragma once

#include "directory/Tables.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace rost {

class Query;
class RostConnection;
struct DirectorySetup;

// What the directory is exported as from the File menu.
enum class DirectoryExportFormat { VCard, CsvPeople, CsvHouseholds };

// The windows' exports: each asks for the file through the save dialog (starting in the folder
// last used), writes it whole or not at all, shows the progress of a long one and the pictures
// left out, and shows a failure with the error display, leaving a file it would have replaced as
// it was. The folder and the choices are remembered in the program's settings.
class ExportRunner
{
public:
    ExportRunner(QWidget *owner, RostConnection &connection);

    // The person's card, with the family picture when the member last chose pictures; the file
    // is offered under the person's informal name.
    void contact(IndivId indivId);
    // A card for each person of a Make Lists list.
    void list(Query &people, const DirectorySetup &setup, const QString &kind, const QString &item);
    // The whole directory. False when the member cancelled the save dialog or it failed.
    bool directory(DirectoryExportFormat format, bool photos, bool byteOrderMark);

    // The choices remembered from the last export of the directory.
    static DirectoryExportFormat rememberedFormat();
    static bool rememberedPhotos();
    static bool rememberedByteOrderMark();

private:
    using Writer = std::function<QStringList(const std::function<void(QByteArrayView)> &sink,
                                             const std::function<void(int, int)> &progress)>;
    QString askPath(const QString &title, const QString &name, const QString &filter) const;
    bool run(const QString &path, const Writer &writer);

    QWidget *m_owner;
    RostConnection &m_connection;
};

} // namespace rost
