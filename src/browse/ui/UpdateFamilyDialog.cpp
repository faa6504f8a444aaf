#include "browse/ui/UpdateFamilyDialog.h"

#include "browse/ui/RecordPanel.h"
#include "directory/Cursor.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/RecordNavigator.h"

#include <QGuiApplication>
#include <QScreen>

namespace rost {

UpdateFamilyDialog::UpdateFamilyDialog(RostConnection &connection, QWidget *owner)
    : RecordDialog(std::make_unique<Cursor>(connection, tbl::Families), owner)
{
    setObjectName(QStringLiteral("FamUpdateForm"));
    setWindowTitle(QStringLiteral("Update Family"));
    installHelp(this, HelpTopic);
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    cursor().setIndexName(idx::FamilyIdNumOrder);

    nav()->setButtons(RecordNavigator::allButtons());
    panel()->setFields({
        {fld::VorelName, 40, QStringLiteral("Name")},
        {fld::Address1, 40, QStringLiteral("Address1")},
        {fld::Address2, 40, QStringLiteral("Address2")},
        {fld::City, 20, QStringLiteral("City")},
        {fld::State, 4, QStringLiteral("State")},
        {fld::Zip, 10, QStringLiteral("Zip")},
        {fld::Country, 20, QStringLiteral("Country")},
        {fld::IntlAddress, 120, QStringLiteral("IntlAddress"), true},
        {fld::HomePhone, 20, QStringLiteral("Home Phone")},
    });
    panel()->editor(fld::IntlAddress)->setObjectName(QStringLiteral("IntlMemo"));

    // Centred on the screen, not on the owner.
    adjustSize();
    if (const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void UpdateFamilyDialog::openAt(FamilyId familyId)
{
    cursor().open();
    cursor().findKey({familyId});
}

void UpdateFamilyDialog::reject()
{
    cursor().cancel();
    QDialog::reject();
}

} // namespace rost
