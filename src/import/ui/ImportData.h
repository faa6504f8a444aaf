#pragma once

#include "import/ZipImport.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TImportDataForm;
}

namespace rost {

// The import dialog: shown on the start-up road when no archive is found, used unseen for its
// open dialog on the menu road. Every member that cannot be written is reported to the user.
class TImportDataForm : public QDialog
{
    Q_OBJECT

public:
    explicit TImportDataForm(const QString &dataFolder, QWidget *parent = nullptr);
    ~TImportDataForm() override;

    // Extracts the archive into the data folder. Throws ImportError (nothing changed) when the
    // archive cannot be opened; members that fail are shown and skipped.
    void ImportTheData(const QString &archivePath);
    // The open dialog: the chosen archive's path, empty when cancelled.
    QString runOpenDialog();
    void FindDataButtonClick();
    void UnzipperProcessItemFailure(const MemberFailure &failure);

    // For tests: the per-member limits of the import.
    void setLimits(const ImportLimits &limits) { m_limits = limits; }
    const ImportSummary &lastSummary() const { return m_summary; }

private:
    std::unique_ptr<Ui::TImportDataForm> m_ui;
    QString m_dataFolder;
    ImportLimits m_limits;
    ImportSummary m_summary;
};

// The two roads into an import, as the main window takes them. disconnect closes the main
// window's tables; reopen opens the directory again (only called when the families file is in
// the data folder); both roads end with the focus on the main window's "Find family".
struct ImportRoadHooks
{
    std::function<void()> disconnect;
    std::function<void()> reopen;
    std::function<void()> focusFindFamily;
};

// "&Import data": the open dialog directly, then the import; the tables come back also when the
// user cancels or the archive cannot be opened.
void runMenuImport(QWidget *owner, const QString &dataFolder, const ImportRoadHooks &hooks);
// The first start without tables: the fixed archive is imported at once and unseen when it is
// there; otherwise the dialog is shown.
void runStartupImport(QWidget *owner, const QString &dataFolder, const ImportRoadHooks &hooks);
// The archive the start-up road looks for: RostData.zip in the data folder.
QString startupArchivePath(const QString &dataFolder);
// Whether the families table file is in the data folder (its name matched without regard to case).
bool familiesFilePresent(const QString &dataFolder);

} // namespace rost
