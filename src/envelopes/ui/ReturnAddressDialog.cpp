#include "envelopes/ui/ReturnAddressDialog.h"

#include "directory/ProgramContext.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_ReturnAddressDialog.h"

#include <QLayout>

namespace rost {

ReturnAddressDialog::ReturnAddressDialog(ProgramContext &context, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ReturnAddressDialog>()),
      m_prefs(context.preferences())
{
    m_ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    installHelp(this, HelpTopic);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &ReturnAddressDialog::OKButtonClick);
}

ReturnAddressDialog::~ReturnAddressDialog() = default;

void ReturnAddressDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

// The lines in memory, not the file: the file was read once at start.
void ReturnAddressDialog::FormActivate()
{
    m_ui->RetAddEditA->setText(m_prefs.RetAddLine1);
    m_ui->RetAddEditB->setText(m_prefs.RetAddLine2);
    m_ui->RetAddEditC->setText(m_prefs.RetAddLine3);
    m_ui->RetAddEditD->setText(m_prefs.RetAddLine4);
}

// The new lines stay in memory even when the file cannot be written, so they print for the
// rest of the run; the user is told that the file keeps the old ones.
void ReturnAddressDialog::OKButtonClick()
{
    const auto line = [](const QLineEdit *edit) {
        return edit->text().left(Preferences::LineCapacity);
    };
    m_prefs.RetAddLine1 = line(m_ui->RetAddEditA);
    m_prefs.RetAddLine2 = line(m_ui->RetAddEditB);
    m_prefs.RetAddLine3 = line(m_ui->RetAddEditC);
    m_prefs.RetAddLine4 = line(m_ui->RetAddEditD);
    guarded(this, [this] { m_prefs.Save(); });
    accept();
}

} // namespace rost
