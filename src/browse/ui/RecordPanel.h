#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QFormLayout;
class QLabel;

namespace rost {

class Cursor;

struct RecordField
{
    QString field;
    int width = 0; // display width in characters
    QString label;
    bool multiLine = false;
};

// One label and one framed edit box per field of the current row of a cursor, in the given
// order: the data-bound edits and memos the main window shows its fields with. The boxes follow
// every move and change of the cursor; typing changes the cursor's row, which the cursor saves on
// post or on its next move. With no current row the boxes are read-only.
//
// Detach the cursor with setCursor(nullptr) before the cursor is destroyed.
class RecordPanel : public QWidget
{
    Q_OBJECT

public:
    explicit RecordPanel(QWidget *parent = nullptr);
    ~RecordPanel() override;

    void setFields(const QList<RecordField> &fields);
    void setCursor(Cursor *cursor);
    Cursor *cursor() const { return m_cursor; }

    // The edit box of the field (a DataBoundEdit or a DataBoundMemo), or nullptr.
    QWidget *editor(const QString &field) const;

private:
    void bindEditors();

    Cursor *m_cursor = nullptr;
    QFormLayout *m_layout;
    QList<RecordField> m_fields;
    QList<QWidget *> m_editors;
};

} // namespace rost
