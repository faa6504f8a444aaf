#pragma once

#include "lists/ListMaker.h"
#include "lists/ListReports.h"

#include <QDialog>

#include <memory>

class QAction;
class QMenu;

namespace Ui {
class MakeListsDialog;
}

namespace rost {

class Cursor;
class DialogLauncher;
class RostConnection;
class GridView;

// "Make Lists": finds the people who hold an item of a list field, shows them in a grid and
// prints them as a list or on envelopes.
//
// tbFam is the main window's families cursor: the name, address and home phone list moves it
// (and so the main window) and leaves it in family number order. Creating the dialog opens the
// list table of every kind the setup uses and throws the engine's EngineError for a missing one.
// The print jobs and the envelope dialogs it opens go through the launcher.
class MakeListsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 12;

    MakeListsDialog(RostConnection &connection, const DirectorySetup &setup, Cursor &tbFam,
                    DialogLauncher &launcher, QWidget *parent = nullptr);
    ~MakeListsDialog() override;

    void FormActivate();
    void ToViewComboChange(const QString &text);
    void ItemsComboChange(const QString &text);
    // The four commands of "Print items from list  ", each refused with a message when the list
    // is empty.
    void printNamePhoneList();
    void printNameAddressList();
    void printSelectedEnvelope();
    void printListEnvelopes();
    // "Print Labels" on the list.
    void printListLabels();
    void exportListContacts();
    // The page producer of the list job: the list the selector names.
    void RvSystemPrint(PrintSurface &report, const PageStarted &pageStarted);

    Query &tbSQL() { return m_maker.tbSQL(); }
    Query &tbSQLList() { return m_maker.tbSQLList(); }
    QMenu *popupMenu() const { return m_puMenu; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void RvSystemExecute();
    void updateCommands();
    bool refuseEmptyList(const QString &what);

    std::unique_ptr<Ui::MakeListsDialog> m_ui;
    RostConnection &m_connection;
    Cursor &m_tbFam;
    DialogLauncher &m_launcher;
    ListMaker m_maker;
    QMenu *m_puMenu = nullptr;
    ListReport m_listSelector = ListReport::NamePhoneEMail;
    QStringList m_warnings;
    bool m_activated = false;
};

} // namespace rost
