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

// A record form: a navigator and one labelled edit box per field over one cursor, with OK and
// Cancel. OK saves the row being edited and closes; a failed save is shown and keeps the form
// open with the changes, so nothing typed is lost. The form lets go of its cursor before the
// cursor goes, also when it owns it.
class RecordDialog : public QDialog
{
    Q_OBJECT

public:
    ~RecordDialog() override;

    void OKButtonClick();

protected:
    // Over a cursor of the form's own, destroyed with it.
    RecordDialog(std::unique_ptr<Cursor> cursor, QWidget *owner);
    // Over a cursor someone else owns, which must outlive the form.
    RecordDialog(Cursor &cursor, QWidget *owner);

    Cursor &cursor() const { return *m_cursor; }
    RecordNavigator *nav() const;
    RecordPanel *panel() const;

private:
    RecordDialog(Cursor *shared, std::unique_ptr<Cursor> owned, QWidget *owner);

    std::unique_ptr<Cursor> m_owned;
    Cursor *m_cursor;
    std::unique_ptr<Ui::RecordDialog> m_ui;
};

} // namespace rost
