#include "browse/ui/RecordPanel.h"

#include "platform/ui/DataBoundEdit.h"
#include "platform/ui/DataBoundMemo.h"

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
    m_editors.clear();
    m_fields = fields;
    for (const RecordField &f : m_fields) {
        auto *label = new QLabel(f.label, this);
        QWidget *editor = nullptr;
        if (f.multiLine) {
            auto *memo = new DataBoundMemo(this);
            memo->setFramed(true);
            memo->setTabChangesFocus(true);
            memo->setWidthChars(f.width);
            editor = memo;
        } else {
            auto *edit = new DataBoundEdit(this);
            edit->setFrame(true);
            edit->setWidthChars(f.width);
            editor = edit;
        }
        editor->setObjectName(f.field);
        label->setBuddy(editor);
        m_layout->addRow(label, editor);
        m_editors << editor;
    }
    bindEditors();
}

void RecordPanel::setCursor(Cursor *cursor)
{
    m_cursor = cursor;
    bindEditors();
}

void RecordPanel::bindEditors()
{
    for (int i = 0; i < m_fields.size(); ++i) {
        auto bindBox = [this, &field = m_fields.at(i).field](auto *box) {
            if (m_cursor)
                box->bind(m_cursor, field);
            else
                box->unbind();
        };
        if (auto *edit = qobject_cast<DataBoundEdit *>(m_editors.at(i)))
            bindBox(edit);
        else if (auto *memo = qobject_cast<DataBoundMemo *>(m_editors.at(i)))
            bindBox(memo);
    }
}

QWidget *RecordPanel::editor(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).field == field)
            return m_editors.at(i);
    return nullptr;
}

} // namespace rost
