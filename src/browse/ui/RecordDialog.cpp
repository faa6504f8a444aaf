#include "browse/ui/RecordDialog.h"

#include "ui_RecordDialog.h"

#include "browse/ui/RecordPanel.h"
#include "directory/Cursor.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/RecordNavigator.h"

namespace rost {

RecordDialog::RecordDialog(std::unique_ptr<Cursor> cursor, QWidget *owner)
    : RecordDialog(nullptr, std::move(cursor), owner)
{}

RecordDialog::RecordDialog(Cursor &cursor, QWidget *owner) : RecordDialog(&cursor, nullptr, owner)
{}

RecordDialog::RecordDialog(Cursor *shared, std::unique_ptr<Cursor> owned, QWidget *owner)
    : QDialog(owner), m_owned(std::move(owned)), m_cursor(shared ? shared : m_owned.get()),
      m_ui(std::make_unique<Ui::RecordDialog>())
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_ui->Nav->setCursor(m_cursor);
    m_ui->wwRecordViewPanel1->setCursor(m_cursor);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &RecordDialog::OKButtonClick);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &RecordDialog::reject);
}

RecordDialog::~RecordDialog()
{
    m_ui->Nav->setCursor(nullptr);
    m_ui->wwRecordViewPanel1->setCursor(nullptr);
}

RecordNavigator *RecordDialog::nav() const
{
    return m_ui->Nav;
}

RecordPanel *RecordDialog::panel() const
{
    return m_ui->wwRecordViewPanel1;
}

void RecordDialog::OKButtonClick()
{
    const bool saved = guarded(this, [this] {
        if (m_cursor->isOpen() && m_cursor->state() == CursorState::Edit)
            m_cursor->post();
    });
    if (saved)
        accept();
}

} // namespace rost
