#pragma once

#include <QList>
#include <QWidget>

#include <array>
#include <functional>

class QToolButton;
class QHBoxLayout;

namespace rost {

class Cursor;

// A row of buttons that moves, edits and deletes the current row of a cursor. The buttons shown
// and their order are the caller's; their enabled states follow the cursor. Engine errors end the
// action and are shown by the error display, so a failed post on a move leaves the row in edit
// state as it was.
//
// The navigator listens to its cursor: detach it with setCursor(nullptr) before the cursor is
// destroyed.
class RecordNavigator : public QWidget
{
    Q_OBJECT

public:
    enum class Button {
        First,
        PriorPage,
        Prior,
        Next,
        NextPage,
        Last,
        Delete,
        Edit,
        Post,
        Cancel,
        Refresh,
    };
    static constexpr int ButtonCount = 11;
    // How far PriorPage and NextPage move.
    static constexpr int PageRows = 10;

    explicit RecordNavigator(QWidget *parent = nullptr);
    ~RecordNavigator() override;

    void setCursor(Cursor *cursor);
    Cursor *cursor() const { return m_cursor; }

    // The buttons shown, left to right; the others are hidden.
    void setButtons(const QList<Button> &buttons);
    QList<Button> buttons() const { return m_order; }
    // Every button, in the order of the enumeration.
    static QList<Button> allButtons();

    // Flat buttons draw no frame until the pointer is over them.
    void setFlat(bool flat);

    QToolButton *button(Button which) const { return m_buttons[size_t(which)]; }
    static QString hint(Button which);

    // Runs the button's action as a click would (Delete asks first).
    void trigger(Button which);

    // Runs before a button moves the cursor; a false answer leaves the cursor where it is. The
    // owner posts its pending edits here, and asks what to do when they cannot be saved.
    void setBeforeMove(std::function<bool()> beforeMove) { m_beforeMove = std::move(beforeMove); }
    // Names the row in the question Delete asks, under "Delete record?".
    void setDeleteDetail(std::function<QString()> detail) { m_deleteDetail = std::move(detail); }

    // The buttons shown, left to right, for the owner's tab order.
    QList<QWidget *> tabStops() const;

Q_SIGNALS:
    // After a button's action has run (also when it failed and the error was shown).
    void clicked(rost::RecordNavigator::Button which);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateStates();
    void run(Button which);

    Cursor *m_cursor = nullptr;
    int m_listener = -1;
    std::array<QToolButton *, ButtonCount> m_buttons{};
    QList<Button> m_order;
    QHBoxLayout *m_layout = nullptr;
    std::function<bool()> m_beforeMove;
    std::function<QString()> m_deleteDetail;
};

} // namespace rost
