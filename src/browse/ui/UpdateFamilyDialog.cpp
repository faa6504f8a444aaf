#include "browse/ui/UpdateFamilyDialog.h"

#include "ui_RecordDialog.h"

#include "browse/ui/RecordPanel.h"
#include "directory/Cursor.h"
#include "directory/Tables.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/RecordNavigator.h"

#include <QGuiApplication>
#include <QScreen>

namespace rost {

UpdateFamilyDialog::UpdateFamilyDialog(RostConnection &connection, QWidget *owner)
    : QDialog(owner), m_ui(std::make_unique<Ui::RecordDialog>()),
      m_tbFam(std::make_unique<Cursor>(connection, tbl::Families))
{
    setObjectName(QStringLiteral("FamUpdateForm"));
    m_ui->setupUi(this);
    setWindowTitle(QStringLiteral("Update Family"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    m_tbFam->setIndexName(idx::FamilyIdNumOrder);

    m_ui->Nav->setButtons(RecordNavigator::allButtons());
    m_ui->wwRecordViewPanel1->setFields({
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
    m_ui->wwRecordViewPanel1->editor(fld::IntlAddress)->setObjectName(QStringLiteral("IntlMemo"));
    m_ui->Nav->setCursor(m_tbFam.get());
    m_ui->wwRecordViewPanel1->setCursor(m_tbFam.get());

    connect(m_ui->OKButton, &QPushButton::clicked, this, &UpdateFamilyDialog::OKButtonClick);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &UpdateFamilyDialog::reject);

    // Centred on the screen, not on the owner.
    adjustSize();
    if (const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

UpdateFamilyDialog::~UpdateFamilyDialog()
{
    m_ui->Nav->setCursor(nullptr);
    m_ui->wwRecordViewPanel1->setCursor(nullptr);
}

void UpdateFamilyDialog::openTable()
{
    m_tbFam->open();
}

RecordNavigator *UpdateFamilyDialog::nav() const
{
    return m_ui->Nav;
}

RecordPanel *UpdateFamilyDialog::panel() const
{
    return m_ui->wwRecordViewPanel1;
}

void UpdateFamilyDialog::OKButtonClick()
{
    const bool saved = guarded(this, [this] {
        if (m_tbFam->isOpen() && m_tbFam->state() == CursorState::Edit)
            m_tbFam->post();
    });
    if (saved)
        accept();
}

void UpdateFamilyDialog::reject()
{
    m_tbFam->cancel();
    QDialog::reject();
}

} // namespace rost
