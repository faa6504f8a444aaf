#include "platform/ui/RecordNavigator.h"

#include "directory/Cursor.h"
#include "platform/ui/Prompts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>

namespace rost {

namespace {

struct ButtonLook
{
    const char *glyph;
    const char *hint;
    bool repeats;
};

// Indexed by RecordNavigator::Button.
constexpr std::array<ButtonLook, RecordNavigator::ButtonCount> looks{{
    {"|\u25C0", "Move to first record", true},
    {"\u25C0\u25C0", "Move backward 10 records", true},
    {"\u25C0", "Move to prior record", true},
    {"\u25B6", "Move to next record", true},
    {"\u25B6\u25B6", "Move forward 10 records", true},
    {"\u25B6|", "Move to last record", true},
    {"\u2212", "Delete current record", false},
    {"\u270E", "Edit current record", false},
    {"\u2714", "Post changes of current record", false},
    {"\u2718", "Cancel changes made to current record", false},
    {"\u21BB", "Refresh the contents of the dataset", false},
}};

} // namespace

RecordNavigator::RecordNavigator(QWidget *parent) : QWidget(parent)
{
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        const auto which = Button(i);
        const ButtonLook &look = looks[size_t(i)];
        auto *b = new QToolButton(this);
        b->setText(QString::fromUtf8(look.glyph));
        b->setToolTip(hint(which));
        b->setAccessibleName(hint(which));
        // Reached by Tab, not taken by a click: a click must leave the keyboard in the line
        // being edited.
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
        if (look.repeats) {
            b->setAutoRepeat(true);
            b->setAutoRepeatDelay(500);
            b->setAutoRepeatInterval(100);
        }
        connect(b, &QToolButton::clicked, this, [this, which] { trigger(which); });
        m_buttons[size_t(i)] = b;
    }
    setButtons(allButtons());
    updateStates();
}

RecordNavigator::~RecordNavigator()
{
    setCursor(nullptr);
}

QList<RecordNavigator::Button> RecordNavigator::allButtons()
{
    QList<Button> all;
    for (int i = 0; i < ButtonCount; ++i)
        all << Button(i);
    return all;
}

QString RecordNavigator::hint(Button which)
{
    return QString::fromUtf8(looks[size_t(which)].hint);
}

void RecordNavigator::setCursor(Cursor *cursor)
{
    if (m_cursor && m_listener >= 0)
        m_cursor->removeListener(m_listener);
    m_cursor = cursor;
    m_listener = -1;
    if (m_cursor)
        m_listener = m_cursor->addListener([this](auto) { updateStates(); });
    updateStates();
}

void RecordNavigator::setButtons(const QList<Button> &buttons)
{
    for (QToolButton *b : m_buttons) {
        m_layout->removeWidget(b);
        b->hide();
    }
    m_order = buttons;
    for (Button which : m_order) {
        QToolButton *b = button(which);
        m_layout->addWidget(b);
        b->show();
    }
    const QList<QWidget *> stops = tabStops();
    for (qsizetype i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1], stops[i]);
}

QList<QWidget *> RecordNavigator::tabStops() const
{
    QList<QWidget *> stops;
    for (Button which : m_order)
        stops << button(which);
    return stops;
}

bool RecordNavigator::eventFilter(QObject *watched, QEvent *event)
{
    // Enter and Return press a focused button as Space does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *b = qobject_cast<QToolButton *>(watched);
        if (b && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            if (b->isEnabled())
                b->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RecordNavigator::setFlat(bool flat)
{
    for (QToolButton *b : m_buttons)
        b->setAutoRaise(flat);
}

void RecordNavigator::updateStates()
{
    const bool open = m_cursor && m_cursor->isOpen();
    const bool hasRow = open && m_cursor->hasRow();
    const bool editing = open && m_cursor->state() == CursorState::Edit;
    const bool up = hasRow && !m_cursor->bof();
    const bool down = hasRow && !m_cursor->eof();
    const std::array<bool, ButtonCount> enabled{
        up, up, up, down, down, down, hasRow, hasRow && !editing, editing, editing, open};
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[size_t(i)]->setEnabled(enabled[size_t(i)]);
}

void RecordNavigator::trigger(Button which)
{
    if (!m_cursor || !m_cursor->isOpen())
        return;
    // Enter must never delete: Cancel is the default answer.
    if (which == Button::Delete &&
        Prompts::instance().message(
            this, MessageKind::Confirmation, QStringLiteral("Confirm"),
            QStringLiteral("Delete record?"), QMessageBox::Ok | QMessageBox::Cancel,
            QMessageBox::Cancel, m_deleteDetail ? m_deleteDetail() : QString()) != QMessageBox::Ok)
        return;
    if (which == Button::Cancel && m_cursor->isModified() &&
        !confirmDiscard(this, m_cursor->pendingChanges()))
        return;
    const bool moves = which == Button::First || which == Button::PriorPage ||
                       which == Button::Prior || which == Button::Next ||
                       which == Button::NextPage || which == Button::Last;
    if (moves && m_beforeMove && !m_beforeMove())
        return;
    guarded(this, [this, which] { run(which); });
    updateStates();
    Q_EMIT clicked(which);
}

void RecordNavigator::run(Button which)
{
    Cursor &c = *m_cursor;
    switch (which) {
    case Button::First:
        c.first();
        break;
    case Button::PriorPage:
        c.moveBy(-PageRows);
        break;
    case Button::Prior:
        c.prior();
        break;
    case Button::Next:
        c.next();
        break;
    case Button::NextPage:
        c.moveBy(PageRows);
        break;
    case Button::Last:
        c.last();
        break;
    case Button::Delete:
        c.deleteRecord();
        break;
    case Button::Edit:
        c.edit();
        break;
    case Button::Post:
        c.post();
        break;
    case Button::Cancel:
        c.cancel();
        break;
    case Button::Refresh:
        c.refresh();
        break;
    }
}

} // namespace rost
