#pragma once

#include "lists/ListKindTables.h"

#include <QDialog>

#include <memory>

namespace Ui {
class ListFieldsDialog;
}

namespace rost {

class GridView;
class RostConnection;

// "View List Fields": the entries one individual holds, one list kind at a time, read only. The
// list tables are details of tbInd, the main window's individuals cursor, so the grid shows the
// current member's entries in ascending item order. Creating the dialog opens the table of every
// kind in use and throws the engine's EngineError for a missing one.
class ListFieldsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 11;

    ListFieldsDialog(RostConnection &connection, const DirectorySetup &setup, Cursor &tbInd,
                     QWidget *parent = nullptr);
    ~ListFieldsDialog() override;

    void FormActivate();
    void ToViewComboChange(const QString &text);
    void FormClose();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void FormCreate(Cursor &tbInd);

    std::unique_ptr<Ui::ListFieldsDialog> m_ui;
    DirectorySetup m_setup;
    std::vector<OfferedKind> m_offered;
    ListKindTables m_tables;
    bool m_activated = false;
};

} // namespace rost
