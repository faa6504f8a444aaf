#pragma once

#include "browse/NameSearch.h"
#include "platform/ui/GridColumn.h"

#include <QDialog>
#include <QList>

#include <memory>

class QLineEdit;
class QModelIndex;
class QPushButton;

namespace Ui {
class FindDialog;
}

namespace rost {

class GridView;
class RostConnection;

// What the find-family and find-individual dialogs share: a search box over a list of a whole
// table in one name order, where every change of the search text is one nearest-key search.
// The dialog's cursor exists only while the dialog is shown; between uses the dialog is hidden
// and holds no cursor.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    ~FindDialog() override;

    // Opens the dialog's cursor over connection, shows the dialog modally and closes the cursor
    // again, also when opening fails (the error then propagates). Returns QDialog::Accepted or
    // QDialog::Rejected.
    int execLookup(RostConnection &connection);

    // The two halves of execLookup, for callers that show the dialog themselves.
    void openCursor(RostConnection &connection);
    void closeCursor();
    Cursor *cursor() const { return m_search ? &m_search->cursor() : nullptr; }

    // True once the list was double-clicked during this showing.
    bool ListChosen() const { return m_listChosen; }

    QLineEdit *searchEdit() const;
    GridView *namesList() const;

    void FormActivate();
    void SearchEditChange();
    // Runs before the search box handles the key; never consumes it.
    void SearchEditKeyDown(int key);
    void CallButtonClick();
    void NamesListDblClick(const QModelIndex &index);
    // FormClose: a double-click wins over however the dialog was closed; a cancelled dialog
    // leaves an empty search box.
    void done(int result) override;

protected:
    struct Setup
    {
        QString caption;
        QString label;
        QString callCaption;
        QString callName; // the accept button's objectName
        NameSearch::Kind kind;
        QList<GridColumn> columns;
        int helpTopic = 0;
    };
    FindDialog(const Setup &setup, QWidget *parent);

    // Copies the chosen row's values to where the caller reads them.
    virtual void takeChoice(const NameSearch &search) = 0;

    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::FindDialog> m_ui;
    std::unique_ptr<NameSearch> m_search;
    NameSearch::Kind m_kind;
    bool m_listChosen = false;
};

} // namespace rost
