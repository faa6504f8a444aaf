#include "names/ui/NameChoices.h"

#include <QRadioButton>

namespace rost {

QString captionOf(const QString &line)
{
    QString caption = line;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

void showNameChoice(QRadioButton *choice, const QString &line)
{
    choice->setText(captionOf(line));
    choice->setAccessibleName(line.isEmpty() ? choice->accessibleDescription() : line);
}

} // namespace rost
