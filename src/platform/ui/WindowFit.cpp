#include "platform/ui/WindowFit.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

#include <algorithm>

namespace rost {

int titleWidth(const QWidget &window)
{
    // Window managers draw titles in a bold face of about this size; the frame holds an icon and
    // up to three buttons, each about as wide as the title bar is high.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int buttons = 4 * (metrics.height() + 8);
    return metrics.horizontalAdvance(window.windowTitle()) + buttons + 24;
}

namespace {

// Wider margins on both sides: the contents stay centred, and a layout that sizes its window
// counts them.
void widenMargins(QWidget &window, int missing)
{
    const QMargins margins = window.contentsMargins();
    window.setContentsMargins(margins.left() + missing / 2, margins.top(),
                              margins.right() + missing - missing / 2, margins.bottom());
    window.layout()->activate();
}

void widenForTitle(QWidget &window)
{
    const int need = titleWidth(window);
    QLayout *layout = window.layout();
    // A message box sizes itself to its layout's minimum once shown, after this.
    if (layout && qobject_cast<QMessageBox *>(&window)) {
        if (const int missing = need - layout->totalMinimumSize().width(); missing > 0)
            widenMargins(window, missing);
        return;
    }
    const int missing = need - window.width();
    if (missing <= 0)
        return;
    // A fixed-size layout makes the window its size hint whenever it is laid out again.
    if (layout && layout->sizeConstraint() == QLayout::SetFixedSize) {
        widenMargins(window, missing);
        return;
    }
    window.setMaximumWidth(std::max(window.maximumWidth(), need));
    window.setMinimumWidth(need);
}

} // namespace

bool TitleWidthGuard::eventFilter(QObject *watched, QEvent *event)
{
    // Show arrives before the window is mapped, so the window system sees the wider size only.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *window = static_cast<QWidget *>(watched);
        const Qt::WindowType type = window->windowType();
        if (window->isWindow() && (type == Qt::Window || type == Qt::Dialog))
            widenForTitle(*window);
    }
    return QObject::eventFilter(watched, event);
}

void showWholeText(QLineEdit &box, const QString &text)
{
    box.setText(text);
    box.setCursorPosition(0);
    // A line edit's size hint is seventeen x's plus its frame and margins; the same frame and
    // margins around the text, and a pixel for the cursor after it, show all of it.
    const QFontMetrics metrics = box.fontMetrics();
    const int chrome = box.sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    box.setMinimumWidth(std::max(box.minimumWidth(), metrics.horizontalAdvance(text) + chrome + 1));
}

} // namespace rost
