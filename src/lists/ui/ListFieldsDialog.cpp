#include "lists/ui/ListFieldsDialog.h"

#include "platform/ui/ComboEnterFilter.h"
#include "platform/ui/GridView.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_ListFieldsDialog.h"

#include <QPushButton>

namespace rost {

ListFieldsDialog::ListFieldsDialog(RostConnection &connection, const DirectorySetup &setup,
                                   Cursor &tbInd, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ListFieldsDialog>()), m_setup(setup),
      m_offered(offeredKinds(setup)), m_tables(connection)
{
    m_ui->setupUi(this);
    ComboEnterFilter::install(m_ui->ToViewCombo);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_ui->ListGrid->setBoldTitles(true);
    connect(m_ui->ToViewCombo, &QComboBox::editTextChanged, this,
            &ListFieldsDialog::ToViewComboChange);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    installHelp(this, HelpTopic, m_ui->Buttons->button(QDialogButtonBox::Help));
    FormCreate(tbInd);
}

ListFieldsDialog::~ListFieldsDialog()
{
    FormClose();
}

void ListFieldsDialog::FormCreate(Cursor &tbInd)
{
    m_tables.open(m_setup, &tbInd);
    // No kind is shown until the dialog is activated.
    const QSignalBlocker block(m_ui->ToViewCombo);
    m_ui->ToViewCombo->addItems(offeredCaptions(m_offered));
    m_ui->ToViewCombo->setCurrentIndex(-1);
}

void ListFieldsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

void ListFieldsDialog::FormActivate()
{
    if (m_ui->ToViewCombo->count() > 0) {
        m_ui->ToViewCombo->setCurrentIndex(0);
        // An editable box may already show this text; the grid is bound either way.
        ToViewComboChange(m_ui->ToViewCombo->currentText());
    }
    m_ui->ToViewCombo->setFocus();
}

void ListFieldsDialog::ToViewComboChange(const QString &text)
{
    guarded(this, [&] {
        for (ListKind kind : kindsMatching(m_offered, text)) {
            m_ui->ListGrid->setColumns({{kindItemField(kind), 20, kindColumnTitle(kind, m_setup)}});
            m_ui->ListGrid->setSource(&m_tables.cursor(kind));
        }
    });
}

void ListFieldsDialog::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void ListFieldsDialog::FormClose()
{
    m_ui->ListGrid->setSource(nullptr);
    m_tables.close();
}

} // namespace rost
