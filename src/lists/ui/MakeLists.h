#pragma once

#include "lists/ListMaker.h"
#include "lists/ListReports.h"
#include "lists/ui/ListDialogHooks.h"
#include "lists/ui/ReportRunner.h"

#include <QDialog>

#include <memory>

class QAction;
class QMenu;

namespace Ui {
class MakeListsForm;
}

namespace rost {

class Cursor;
class RostConnection;
class GridView;

// "Make Lists": finds the people who hold an item of a list field, shows them in a grid and
// prints them as a list or on envelopes.
//
// tbFam is the main window's families cursor: the name, address and home phone list moves it
// (and so the main window) and leaves it in family number order. Creating the dialog opens the
// list table of every kind the setup uses and throws the engine's EngineError for a missing one.
class TMakeListsForm : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 12;

    TMakeListsForm(RostConnection &connection, const TDirectorySetup &setup, Cursor &tbFam,
                   ListDialogHooks hooks, QWidget *parent = nullptr);
    ~TMakeListsForm() override;

    // Creates the dialog, shows it modally and destroys it; an error (a missing list table) is
    // shown by the application's error display.
    static void run(QWidget *parent, RostConnection &connection, const TDirectorySetup &setup,
                    Cursor &tbFam, const ListDialogHooks &hooks);

    void FormActivate();
    void ToViewComboChange(const QString &text);
    void ItemsComboChange(const QString &text);
    void Namephoneemailaddress1Click();
    void Nameandaddresslist1Click();
    void Envelopeforselectedname1Click();
    void Envelopesforentirelist1Click();
    // The page producer of the list job: the list the selector names.
    void RvSystemPrint(PrintSurface &report, const PageStarted &pageStarted);

    // Seams for tests: how a list job is run (default: runReport) and how the list envelope
    // dialog is shown (default: exec).
    void setReportRunner(std::function<bool(const ReportDrawing &)> runner);
    void setModalRunner(ModalRunner runner);

    Query &tbSQL() { return m_maker.tbSQL(); }
    Query &tbSQLList() { return m_maker.tbSQLList(); }
    GridView *grid() const;
    QMenu *popupMenu() const { return m_puMenu; }
    QAction *Namephoneemailaddress1 = nullptr;
    QAction *Nameandaddresslist1 = nullptr;
    QAction *Envelopeforselectedname1 = nullptr;
    QAction *Envelopesforentirelist1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void RvSystemExecute();
    void updateCommands();
    bool refuseEmptyList(const QString &what);

    std::unique_ptr<Ui::MakeListsForm> m_ui;
    RostConnection &m_connection;
    Cursor &m_tbFam;
    ListDialogHooks m_hooks;
    ListMaker m_maker;
    QMenu *m_puMenu = nullptr;
    ListReport m_listSelector = ListReport::NamePhoneEMail;
    std::function<bool(const ReportDrawing &)> m_reportRunner;
    ModalRunner m_modalRunner;
    QStringList m_warnings;
    bool m_activated = false;
};

} // namespace rost
