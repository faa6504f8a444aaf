#include "import/ui/ImportDialog.h"

#include "directory/DataFolder.h"
#include "directory/DataFolderLock.h"
#include "directory/ProgramContext.h"
#include "import/ImportError.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"
#include "ui_ImportDialog.h"

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

ImportDialog::ImportDialog(const ProgramContext &context, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ImportDialog>()),
      m_dataFolder(context.dataFolder()), m_archiveFolder(context.archiveFolder())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    installHelp(this, HelpTopic);
    connect(m_ui->FindDataButton, &QPushButton::clicked, this, &ImportDialog::FindDataButtonClick);
    connect(m_ui->CloseButton, &QPushButton::clicked, this, &QDialog::reject);
}

ImportDialog::~ImportDialog() = default;

void ImportDialog::ImportTheData(const QString &archivePath)
{
    if (!QDir::setCurrent(m_dataFolder))
        throw ImportError(QStringLiteral("The data folder %1 cannot be made the current folder")
                              .arg(QDir::toNativeSeparators(m_dataFolder)));
    BusyPointer busy;
    // Other runs reading the directory let go of it first; this window's own tables are closed.
    const DataFolderLock lock(m_dataFolder, DataFolderLock::Mode::Exclusive);
    ZipImport(m_dataFolder).importArchive(archivePath, [this](const MemberFailure &failure) {
        UnzipperProcessItemFailure(failure);
    });
}

void ImportDialog::UnzipperProcessItemFailure(const MemberFailure &failure)
{
    Prompts::instance().message(this, MessageKind::Warning, QStringLiteral("Warning"),
                                memberWarningText(failure));
    if (failure.errorClass == FailureClass::ZipReader)
        Prompts::instance().message(this, MessageKind::Plain, applicationTitle(),
                                    failure.readerText);
}

QString ImportDialog::runOpenDialog()
{
    return Prompts::instance().openFile(this, QStringLiteral("Search for Rostella Data Files"),
                                        m_archiveFolder, QStringLiteral("Zip files (*.zip)"));
}

void ImportDialog::FindDataButtonClick()
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

void runMenuImport(QWidget *owner, const ProgramContext &context)
{
    ImportDialog form(context, owner);
    const QString path = form.runOpenDialog();
    if (!path.isEmpty())
        guarded(owner, [&] { form.ImportTheData(path); });
}

void runStartupImport(QWidget *owner, const ProgramContext &context)
{
    ImportDialog form(context, owner);
    const QString fixed = startupArchivePath(context.dataFolder());
    if (QFileInfo::exists(fixed))
        guarded(owner, [&] { form.ImportTheData(fixed); });
    else
        form.exec();
}

} // namespace rost
