#include "browse/ui/LookupDialog.h"

#include "ui_LookupDialog.h"

#include "directory/Cursor.h"
#include "platform/ui/GridView.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include <QKeyEvent>

namespace rost {

LookupDialog::LookupDialog(const Setup &setup, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LookupDialog>()), m_tableFile(setup.tableFile),
      m_indexName(setup.indexName), m_helpTopic(setup.helpTopic)
{
    m_ui->setupUi(this);
    setWindowTitle(setup.caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_ui->Label1->setText(setup.label);
    m_ui->CallButton->setText(setup.callCaption);
    m_ui->NamesList->setColumns(setup.columns);
    m_ui->SearchEdit->installEventFilter(this);

    connect(m_ui->SearchEdit, &QLineEdit::textChanged, this, &LookupDialog::SearchEditChange);
    connect(m_ui->CallButton, &QPushButton::clicked, this, &LookupDialog::CallButtonClick);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &LookupDialog::reject);
    connect(m_ui->HelpButton, &QPushButton::clicked, this, [this] {
        Q_EMIT helpRequested(m_helpTopic);
        showHelpTopic(this, m_helpTopic);
    });
    connect(m_ui->NamesList, &QAbstractItemView::doubleClicked, this,
            &LookupDialog::NamesListDblClick);
}

LookupDialog::~LookupDialog()
{
    closeCursor();
}

QLineEdit *LookupDialog::searchEdit() const
{
    return m_ui->SearchEdit;
}

GridView *LookupDialog::namesList() const
{
    return m_ui->NamesList;
}

QPushButton *LookupDialog::callButton() const
{
    return m_ui->CallButton;
}

QPushButton *LookupDialog::cancelButton() const
{
    return m_ui->CancelButton;
}

QPushButton *LookupDialog::helpButton() const
{
    return m_ui->HelpButton;
}

int LookupDialog::execLookup(RostConnection &connection)
{
    openCursor(connection);
    struct CloseAfter
    {
        LookupDialog *dialog;
        ~CloseAfter() { dialog->closeCursor(); }
    } closeAfter{this};
    return exec();
}

void LookupDialog::openCursor(RostConnection &connection)
{
    closeCursor();
    auto cursor = std::make_unique<Cursor>(connection, m_tableFile);
    cursor->setIndexName(m_indexName);
    cursor->open();
    m_cursor = std::move(cursor);
    m_ui->NamesList->setSource(m_cursor.get());
}

void LookupDialog::closeCursor()
{
    m_ui->NamesList->setSource(nullptr);
    m_cursor.reset();
}

void LookupDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window restored by the window system is the same showing, not a new search.
    if (!event->spontaneous())
        FormActivate();
}

void LookupDialog::FormActivate()
{
    m_listChosen = false;
    m_ui->SearchEdit->clear();
    m_ui->SearchEdit->setFocus();
}

void LookupDialog::SearchEditChange()
{
    if (!m_cursor || !m_cursor->isOpen())
        return;
    const QString text = m_ui->SearchEdit->text();
    guarded(this, [&] {
        if (text.isEmpty())
            m_cursor->first();
        else
            m_cursor->findNearest(text);
    });
}

bool LookupDialog::eventFilter(QObject *watched, QEvent *event)
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

void LookupDialog::SearchEditKeyDown(int key)
{
    if (m_cursor && m_cursor->isOpen()) {
        guarded(this, [&] {
            switch (key) {
            case Qt::Key_Up:
                m_cursor->prior();
                break;
            case Qt::Key_Down:
                m_cursor->next();
                break;
            case Qt::Key_Home:
                m_cursor->first();
                break;
            case Qt::Key_End:
                m_cursor->last();
                break;
            default:
                break;
            }
        });
    }
    m_ui->SearchEdit->end(false);
    m_ui->SearchEdit->setFocus();
}

void LookupDialog::CallButtonClick()
{
    // With no row there is nothing to call; accepting would hand over the last find's values.
    if (!m_cursor || !m_cursor->isOpen() || !m_cursor->hasRow()) {
        reject();
        return;
    }
    takeChoice(*m_cursor);
    accept();
}

void LookupDialog::NamesListDblClick(const QModelIndex &index)
{
    if (!index.isValid() || !m_cursor || !m_cursor->isOpen())
        return;
    bool moved = false;
    guarded(this, [&] { moved = m_ui->NamesList->gridModel()->setCurrentRow(index.row()); });
    if (!moved || !m_cursor->hasRow())
        return;
    takeChoice(*m_cursor);
    m_listChosen = true;
    close();
}

void LookupDialog::done(int result)
{
    if (m_listChosen)
        result = QDialog::Accepted;
    else if (result == QDialog::Rejected)
        m_ui->SearchEdit->clear();
    QDialog::done(result);
}

} // namespace rost
