#include "browse/ui/UpdateIndividualDialog.h"

#include "browse/ui/RecordPanel.h"
#include "directory/Cursor.h"
#include "directory/Tables.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/RecordNavigator.h"

namespace rost {

using Button = RecordNavigator::Button;

UpdateIndividualDialog::UpdateIndividualDialog(Cursor &tbInd, QWidget *owner)
    : RecordDialog(tbInd, owner)
{
    setObjectName(QStringLiteral("IndUpdateDialog"));
    setWindowTitle(QStringLiteral("Update individual"));
    installHelp(this, HelpTopic);
    nav()->setButtons({Button::First, Button::Prior, Button::Next, Button::Last, Button::Delete,
                       Button::Edit, Button::Post, Button::Cancel, Button::Refresh,
                       Button::PriorPage, Button::NextPage});
    nav()->setFlat(true);
    panel()->setFields({
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
}

void UpdateIndividualDialog::reject()
{
    if (cursor().isOpen() && cursor().isModified()) {
        const auto answer = Prompts::instance().message(
            this, MessageKind::Confirmation, QStringLiteral("Confirm"),
            QStringLiteral("Changes have been made!  Do you wish to save your changes?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            if (!guarded(this, [this] { cursor().post(); }))
                return;
        } else if (answer != QMessageBox::No) {
            return;
        }
    }
    cursor().cancel();
    QDialog::reject();
}

} // namespace rost
