#pragma once

#include "import/ZipImport.h"

#include <QDialog>

#include <memory>

namespace Ui {
class ImportDialog;
}

namespace rost {

class ProgramContext;

// The import dialog: shown on the start-up road when no archive is found, used unseen for its
// open dialog on the menu road. Every member that cannot be written is reported to the user.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 22;

    explicit ImportDialog(const ProgramContext &context, QWidget *parent = nullptr);
    ~ImportDialog() override;

    // Extracts the archive into the data folder. Throws ImportError (nothing changed) when the
    // archive cannot be opened, and DataFolderBusy (nothing changed) when other runs of the
    // program keep reading the directory; members that fail are shown and skipped.
    void ImportTheData(const QString &archivePath);
    // The open dialog: the chosen archive's path, empty when cancelled.
    QString runOpenDialog();
    void FindDataButtonClick();
    void UnzipperProcessItemFailure(const MemberFailure &failure);

private:
    std::unique_ptr<Ui::ImportDialog> m_ui;
    QString m_dataFolder;
    QString m_archiveFolder;
};

// The two roads into an import. Every table file must have been closed before; the caller opens
// the directory again afterwards when the families file is there, also when the user cancelled or
// the archive could not be opened (that error is shown here).
//
// "&Import data": the open dialog directly, then the import.
void runMenuImport(QWidget *owner, const ProgramContext &context);
// The first start without tables: the fixed archive is imported at once and unseen when it is
// there; otherwise the dialog is shown.
void runStartupImport(QWidget *owner, const ProgramContext &context);
// The archive the start-up road looks for: RostData.zip in the data folder.
QString startupArchivePath(const QString &dataFolder);

} // namespace rost
