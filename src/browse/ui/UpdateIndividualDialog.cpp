#include "browse/ui/UpdateIndividualDialog.h"

#include "ui_RecordDialog.h"

#include "browse/ui/RecordPanel.h"
#include "directory/Cursor.h"
#include "directory/Tables.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/RecordNavigator.h"

namespace rost {

using Button = RecordNavigator::Button;

UpdateIndividualDialog::UpdateIndividualDialog(Cursor &tbInd, QWidget *owner)
    : QDialog(owner), m_ui(std::make_unique<Ui::RecordDialog>()), m_tbInd(tbInd)
{
    setObjectName(QStringLiteral("IndUpdateDialog"));
    m_ui->setupUi(this);
    setWindowTitle(QStringLiteral("Update individual"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_ui->Nav->setButtons({Button::First, Button::Prior, Button::Next, Button::Last, Button::Delete,
                           Button::Edit, Button::Post, Button::Cancel, Button::Refresh,
                           Button::PriorPage, Button::NextPage});
    m_ui->Nav->setFlat(true);
    m_ui->wwRecordViewPanel1->setFields({
        {fld::Title, 10, QStringLiteral("Title")},
        {fld::GoesBy, 20, QStringLiteral("Goes By")},
        {fld::FirstName, 20, QStringLiteral("First Name")},
        {fld::MiddleName, 20, QStringLiteral("Middle Name")},
        {fld::LastName, 20, QStringLiteral("Last Name")},
        {fld::Suffix, 6, QStringLiteral("Suffix")},
        {fld::EMailAddress, 40, QStringLiteral("E-Mail Address")},
        {fld::WorkPhone, 20, QStringLiteral("Work Phone")},
        {fld::Fax, 20, QStringLiteral("Fax")},
        {fld::Cell, 20, QStringLiteral("Cell")},
        {fld::Pager, 20, QStringLiteral("Pager")},
        {fld::OtherPhoneLabel, 8, QStringLiteral("Other Phone Label")},
        {fld::OtherPhone, 20, QStringLiteral("Other Phone")},
    });
    m_ui->Nav->setCursor(&m_tbInd);
    m_ui->wwRecordViewPanel1->setCursor(&m_tbInd);

    connect(m_ui->OKButton, &QPushButton::clicked, this, &UpdateIndividualDialog::OKButtonClick);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &UpdateIndividualDialog::reject);
}

UpdateIndividualDialog::~UpdateIndividualDialog()
{
    m_ui->Nav->setCursor(nullptr);
    m_ui->wwRecordViewPanel1->setCursor(nullptr);
}

RecordNavigator *UpdateIndividualDialog::nav() const
{
    return m_ui->Nav;
}

RecordPanel *UpdateIndividualDialog::panel() const
{
    return m_ui->wwRecordViewPanel1;
}

void UpdateIndividualDialog::OKButtonClick()
{
    const bool saved = guarded(this, [this] {
        if (m_tbInd.isOpen() && m_tbInd.state() == CursorState::Edit)
            m_tbInd.post();
    });
    if (saved)
        accept();
}

void UpdateIndividualDialog::reject()
{
    if (m_tbInd.isOpen() && m_tbInd.isModified()) {
        const auto answer = Prompts::instance().message(
            this, MessageKind::Confirmation, QStringLiteral("Confirm"),
            QStringLiteral("Changes have been made!  Do you wish to save your changes?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            if (!guarded(this, [this] { m_tbInd.post(); }))
                return;
        } else if (answer != QMessageBox::No) {
            return;
        }
    }
    m_tbInd.cancel();
    QDialog::reject();
}

} // namespace rost
