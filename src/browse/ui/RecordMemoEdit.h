#pragma once

#include <QPlainTextEdit>

namespace rost {

// A multi-line box for one text field of a record panel. Line breaks are stored as CR LF, the
// directory's own convention; any of CR LF, CR or LF read from the table shows as a line break.
class RecordMemoEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    RecordMemoEdit(const QString &field, int widthChars, QWidget *parent = nullptr);

    QString field() const { return m_field; }
    void showValue(const QString &stored);
    // The text as it is stored.
    QString storedText() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void typed(const QString &field, const QString &stored);

private:
    QString m_field;
    int m_widthChars;
    bool m_showing = false;
};

} // namespace rost
