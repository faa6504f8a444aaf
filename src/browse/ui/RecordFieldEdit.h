#pragma once

#include <QLineEdit>

namespace rost {

// A single-line box for one text field of a record panel. What the user types goes to the
// panel's cursor at once (putting the row in edit state); the panel fills it from the cursor.
class RecordFieldEdit : public QLineEdit
{
    Q_OBJECT

public:
    RecordFieldEdit(const QString &field, int widthChars, QWidget *parent = nullptr);

    QString field() const { return m_field; }
    // Replaces the shown text without counting as typing.
    void showValue(const QString &text);

    QSize sizeHint() const override;

Q_SIGNALS:
    void typed(const QString &field, const QString &text);

private:
    QString m_field;
    int m_widthChars;
};

} // namespace rost
