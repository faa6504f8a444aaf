#include "browse/ui/FindDialog.h"

#include "ui_FindDialog.h"

#include "directory/Cursor.h"
#include "platform/ui/GridView.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include <QKeyEvent>

namespace rost {

FindDialog::FindDialog(const Setup &setup, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FindDialog>()), m_kind(setup.kind)
{
    m_ui->setupUi(this);
    setWindowTitle(setup.caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_ui->Label1->setText(setup.label);
    m_ui->CallButton->setText(setup.callCaption);
    m_ui->CallButton->setObjectName(setup.callName);
    m_ui->NamesList->setColumns(setup.columns);
    m_ui->SearchEdit->installEventFilter(this);

    connect(m_ui->SearchEdit, &QLineEdit::textChanged, this, &FindDialog::SearchEditChange);
    connect(m_ui->CallButton, &QPushButton::clicked, this, &FindDialog::CallButtonClick);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &FindDialog::reject);
    installHelp(this, setup.helpTopic, m_ui->HelpButton);
    connect(m_ui->NamesList, &QAbstractItemView::doubleClicked, this,
            &FindDialog::NamesListDblClick);
}

FindDialog::~FindDialog()
{
    closeCursor();
}

QLineEdit *FindDialog::searchEdit() const
{
    return m_ui->SearchEdit;
}

GridView *FindDialog::namesList() const
{
    return m_ui->NamesList;
}

int FindDialog::execLookup(RostConnection &connection)
{
    openCursor(connection);
    struct CloseAfter
    {
        FindDialog *dialog;
        ~CloseAfter() { dialog->closeCursor(); }
    } closeAfter{this};
    return exec();
}

void FindDialog::openCursor(RostConnection &connection)
{
    closeCursor();
    m_search = std::make_unique<NameSearch>(connection, m_kind);
    m_ui->NamesList->setSource(&m_search->cursor());
}

void FindDialog::closeCursor()
{
    m_ui->NamesList->setSource(nullptr);
    m_search.reset();
}

void FindDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window restored by the window system is the same showing, not a new search.
    if (!event->spontaneous())
        FormActivate();
}

void FindDialog::FormActivate()
{
    m_listChosen = false;
    m_ui->SearchEdit->clear();
    m_ui->SearchEdit->setFocus();
}

void FindDialog::SearchEditChange()
{
    if (!m_search)
        return;
    guarded(this, [&] { m_search->search(m_ui->SearchEdit->text()); });
}

bool FindDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->SearchEdit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(m_ui->NamesList, &copy);
        }
        SearchEditKeyDown(key->key());
    }
    return QDialog::eventFilter(watched, event);
}

void FindDialog::SearchEditKeyDown(int key)
{
    if (m_search) {
        guarded(this, [&] {
            switch (key) {
            case Qt::Key_Up:
                m_search->cursor().prior();
                break;
            case Qt::Key_Down:
                m_search->cursor().next();
                break;
            case Qt::Key_Home:
                m_search->cursor().first();
                break;
            case Qt::Key_End:
                m_search->cursor().last();
                break;
            default:
                break;
            }
        });
    }
    m_ui->SearchEdit->end(false);
    m_ui->SearchEdit->setFocus();
}

void FindDialog::CallButtonClick()
{
    // With no row there is nothing to call; accepting would hand over the last find's values.
    if (!m_search || !m_search->cursor().hasRow()) {
        reject();
        return;
    }
    takeChoice(*m_search);
    accept();
}

void FindDialog::NamesListDblClick(const QModelIndex &index)
{
    if (!index.isValid() || !m_search)
        return;
    bool moved = false;
    guarded(this, [&] { moved = m_ui->NamesList->gridModel()->setCurrentRow(index.row()); });
    if (!moved || !m_search->cursor().hasRow())
        return;
    takeChoice(*m_search);
    m_listChosen = true;
    close();
}

void FindDialog::done(int result)
{
    if (m_listChosen)
        result = QDialog::Accepted;
    else if (result == QDialog::Rejected)
        m_ui->SearchEdit->clear();
    QDialog::done(result);
}

} // namespace rost
