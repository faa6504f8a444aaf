#include "names/ui/NameChoices.h"

#include <QGroupBox>
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

void makeCaptionBold(QGroupBox *box)
{
    // A group box hands its font down to its controls; only the caption is to be bold.
    QFont plain = box->font();
    QFont bold = plain;
    bold.setBold(true);
    // Set explicitly, so that the controls do not inherit the caption's weight.
    plain.setBold(false);
    box->setFont(bold);
    for (QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->setFont(plain);
}

} // namespace rost
