#include "platform/ui/ComboEnterFilter.h"

#include <QComboBox>
#include <QKeyEvent>

namespace rost {

void ComboEnterFilter::install(QComboBox *box)
{
    box->installEventFilter(new ComboEnterFilter(box));
}

bool ComboEnterFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rost
