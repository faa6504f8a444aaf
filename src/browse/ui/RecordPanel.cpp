#include "browse/ui/RecordPanel.h"

#include "browse/ui/RecordFieldEdit.h"
#include "browse/ui/RecordMemoEdit.h"
#include "directory/Cursor.h"
#include "platform/ui/Prompts.h"

#include <QFormLayout>
#include <QLabel>

namespace rost {

RecordPanel::RecordPanel(QWidget *parent) : QWidget(parent), m_layout(new QFormLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
}

RecordPanel::~RecordPanel()
{
    setCursor(nullptr);
}

void RecordPanel::setFields(const QList<RecordField> &fields)
{
    while (m_layout->rowCount() > 0)
        m_layout->removeRow(0);
    m_labels.clear();
    m_editors.clear();
    m_fields = fields;
    for (const RecordField &f : m_fields) {
        auto *label = new QLabel(f.label, this);
        QWidget *editor = nullptr;
        if (f.multiLine) {
            auto *memo = new RecordMemoEdit(f.field, f.width, this);
            connect(memo, &RecordMemoEdit::typed, this, &RecordPanel::write);
            editor = memo;
        } else {
            auto *edit = new RecordFieldEdit(f.field, f.width, this);
            edit->setMaxLength(f.width);
            connect(edit, &RecordFieldEdit::typed, this, &RecordPanel::write);
            editor = edit;
        }
        label->setBuddy(editor);
        m_layout->addRow(label, editor);
        m_labels << label;
        m_editors << editor;
    }
    load();
}

void RecordPanel::setCursor(Cursor *cursor)
{
    if (m_cursor && m_listener >= 0)
        m_cursor->removeListener(m_listener);
    m_cursor = cursor;
    m_listener = -1;
    if (m_cursor)
        m_listener = m_cursor->addListener([this](Cursor::Event) { load(); });
    load();
}

QWidget *RecordPanel::editor(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).field == field)
            return m_editors.at(i);
    return nullptr;
}

QLabel *RecordPanel::label(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).field == field)
            return m_labels.at(i);
    return nullptr;
}

void RecordPanel::load()
{
    const bool hasRow = m_cursor && m_cursor->isOpen() && m_cursor->hasRow();
    for (int i = 0; i < m_fields.size(); ++i) {
        const QString &field = m_fields.at(i).field;
        QString value;
        if (hasRow && m_cursor->hasField(field))
            value = m_cursor->text(field);
        if (auto *edit = qobject_cast<RecordFieldEdit *>(m_editors.at(i))) {
            // The table's own width limits typing, so nothing typed is cut off on saving.
            if (m_cursor && m_cursor->isOpen() && m_cursor->fieldWidth(field) > 0)
                edit->setMaxLength(m_cursor->fieldWidth(field));
            edit->showValue(value);
            edit->setReadOnly(!hasRow);
        } else if (auto *memo = qobject_cast<RecordMemoEdit *>(m_editors.at(i))) {
            memo->showValue(value);
            memo->setReadOnly(!hasRow);
        }
    }
}

void RecordPanel::write(const QString &field, const QString &text)
{
    if (!m_cursor || !m_cursor->isOpen() || !m_cursor->hasRow())
        return;
    if (!guarded(this, [&] { m_cursor->setText(field, text); }))
        load();
}

} // namespace rost
