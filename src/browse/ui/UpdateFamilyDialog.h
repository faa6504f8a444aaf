#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class RecordDialog;
}

namespace rost {

class Cursor;
class RecordNavigator;
class RecordPanel;
class RostConnection;

// "Update Family": a record form over a families cursor of its own in family-number order, so
// moving in it never moves the main window. Created for one use; destroying it closes its cursor
// and discards the current row's unsaved changes.
class UpdateFamilyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateFamilyDialog(RostConnection &connection, QWidget *owner = nullptr);
    ~UpdateFamilyDialog() override;

    // Opens tbFam on its first row.
    void openTable();
    Cursor &tbFam() const { return *m_tbFam; }

    RecordNavigator *nav() const;
    RecordPanel *panel() const;

    // Saves the row being edited, then closes as accepted. A failed save is shown and keeps the
    // dialog open with the changes, so nothing typed is lost.
    void OKButtonClick();
    // Discards the unsaved changes of the current row and closes.
    void reject() override;

private:
    std::unique_ptr<Ui::RecordDialog> m_ui;
    std::unique_ptr<Cursor> m_tbFam;
};

} // namespace rost
