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

// "Update individual": a record form over the main window's own member cursor, so a move here is
// a move of the main window's current member. Leaving with changes pending asks whether to save
// them.
class UpdateIndividualDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateIndividualDialog(Cursor &tbInd, QWidget *owner = nullptr);
    ~UpdateIndividualDialog() override;

    RecordNavigator *nav() const;
    RecordPanel *panel() const;

    // Saves the row being edited and closes; a failed save is shown and keeps the dialog open.
    void OKButtonClick();
    // Cancel, Escape and the close box: with changes pending, asks "save?" (Yes saves and
    // closes, No discards and closes, Cancel stays); otherwise discards any edit and closes.
    void reject() override;

private:
    std::unique_ptr<Ui::RecordDialog> m_ui;
    Cursor &m_tbInd;
};

} // namespace rost
