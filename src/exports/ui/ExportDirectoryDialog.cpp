#include "exports/ui/ExportDirectoryDialog.h"

#include "exports/ui/ExportRunner.h"
#include "platform/ui/HelpViewer.h"

#include "ui_ExportDirectoryDialog.h"

#include <QPushButton>

namespace rost {

ExportDirectoryDialog::ExportDirectoryDialog(RostConnection &connection, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ExportDirectoryDialog>()), m_connection(connection)
{
    m_ui->setupUi(this);
    m_ui->Buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Export..."));
    m_ui->Buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ExportButton"));
    switch (ExportRunner::rememberedFormat()) {
    case DirectoryExportFormat::VCard:
        m_ui->VCardRadio->setChecked(true);
        break;
    case DirectoryExportFormat::CsvPeople:
        m_ui->CsvPeopleRadio->setChecked(true);
        break;
    case DirectoryExportFormat::CsvHouseholds:
        m_ui->CsvHouseholdsRadio->setChecked(true);
        break;
    }
    m_ui->PhotosCheck->setChecked(ExportRunner::rememberedPhotos());
    m_ui->BomCheck->setChecked(ExportRunner::rememberedByteOrderMark());
    formatChanged();

    connect(m_ui->VCardRadio, &QRadioButton::toggled, this, &ExportDirectoryDialog::formatChanged);
    connect(m_ui->Buttons, &QDialogButtonBox::accepted, this,
            &ExportDirectoryDialog::ExportButtonClick);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    installHelp(this, HelpTopic, m_ui->Buttons->button(QDialogButtonBox::Help));
}

ExportDirectoryDialog::~ExportDirectoryDialog() = default;

void ExportDirectoryDialog::formatChanged()
{
    // Pictures go only into cards, the byte-order mark only into a spreadsheet's file.
    const bool vcard = m_ui->VCardRadio->isChecked();
    m_ui->PhotosCheck->setEnabled(vcard);
    m_ui->BomCheck->setEnabled(!vcard);
}

void ExportDirectoryDialog::ExportButtonClick()
{
    const DirectoryExportFormat format =
        m_ui->VCardRadio->isChecked()       ? DirectoryExportFormat::VCard
        : m_ui->CsvPeopleRadio->isChecked() ? DirectoryExportFormat::CsvPeople
                                            : DirectoryExportFormat::CsvHouseholds;
    if (ExportRunner(this, m_connection)
            .directory(format, m_ui->PhotosCheck->isChecked(), m_ui->BomCheck->isChecked()))
        accept();
}

} // namespace rost
