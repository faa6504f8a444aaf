#include "import/ui/ImportData.h"

#include "directory/DataFolder.h"
#include "directory/Tables.h"
#include "import/ImportError.h"
#include "platform/ui/Prompts.h"
#include "ui_ImportData.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace rost {

namespace {

// The busy pointer for the time of an extraction, restored also when it fails.
class BusyPointer
{
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

TImportDataForm::TImportDataForm(const QString &dataFolder, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TImportDataForm>()), m_dataFolder(dataFolder)
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ui->FindDataButton, &QPushButton::clicked, this,
            &TImportDataForm::FindDataButtonClick);
    connect(m_ui->CloseButton, &QPushButton::clicked, this, &QDialog::reject);
}

TImportDataForm::~TImportDataForm() = default;

void TImportDataForm::ImportTheData(const QString &archivePath)
{
    if (!QDir::setCurrent(m_dataFolder))
        throw ImportError(QStringLiteral("The data folder %1 cannot be made the current folder")
                              .arg(QDir::toNativeSeparators(m_dataFolder)));
    BusyPointer busy;
    m_summary = ZipImport(m_dataFolder, m_limits)
                    .importArchive(archivePath, [this](const MemberFailure &failure) {
                        UnzipperProcessItemFailure(failure);
                    });
}

void TImportDataForm::UnzipperProcessItemFailure(const MemberFailure &failure)
{
    Prompts::instance().message(this, MessageKind::Warning, QStringLiteral("Warning"),
                                memberWarningText(failure));
    if (failure.errorClass == FailureClass::ZipReader)
        Prompts::instance().message(this, MessageKind::Plain,
                                    QGuiApplication::applicationDisplayName(), failure.readerText);
}

QString TImportDataForm::runOpenDialog()
{
    return Prompts::instance().openFile(this, QStringLiteral("Search for Rostella Data Files"),
                                        m_dataFolder, QStringLiteral("Zip files (*.zip)"));
}

void TImportDataForm::FindDataButtonClick()
{
    const QString path = runOpenDialog();
    if (path.isEmpty())
        return;
    // An archive that cannot be opened keeps the dialog open for another choice.
    if (guarded(this, [&] { ImportTheData(path); }))
        accept();
}

QString startupArchivePath(const QString &dataFolder)
{
    return DataFolder::join(dataFolder, QStringLiteral("RostData.zip"));
}

bool familiesFilePresent(const QString &dataFolder)
{
    const QDir dir(dataFolder);
    if (dir.exists(QLatin1String(tbl::FamiliesPresenceName)))
        return true;
    const QStringList files = dir.entryList(QDir::Files);
    for (const QString &f : files)
        if (f.compare(QLatin1String(tbl::FamiliesPresenceName), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

namespace {

void reopenIfPresent(const QString &dataFolder, const ImportRoadHooks &hooks)
{
    if (familiesFilePresent(dataFolder) && hooks.reopen)
        hooks.reopen();
}

} // namespace

void runMenuImport(QWidget *owner, const QString &dataFolder, const ImportRoadHooks &hooks)
{
    if (hooks.disconnect)
        hooks.disconnect();
    {
        TImportDataForm form(dataFolder, owner);
        const QString path = form.runOpenDialog();
        if (!path.isEmpty())
            guarded(owner, [&] { form.ImportTheData(path); });
    }
    reopenIfPresent(dataFolder, hooks);
    if (hooks.focusFindFamily)
        hooks.focusFindFamily();
}

void runStartupImport(QWidget *owner, const QString &dataFolder, const ImportRoadHooks &hooks)
{
    if (hooks.disconnect)
        hooks.disconnect();
    {
        TImportDataForm form(dataFolder, owner);
        const QString fixed = startupArchivePath(dataFolder);
        if (QFileInfo::exists(fixed))
            guarded(owner, [&] { form.ImportTheData(fixed); });
        else
            form.exec();
    }
    reopenIfPresent(dataFolder, hooks);
    if (hooks.focusFindFamily)
        hooks.focusFindFamily();
}

} // namespace rost
