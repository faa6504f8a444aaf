#include "app/ui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace rost {

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("About Rostella"));
    auto *title = new QLabel(tr("<b>Rostella Church Directory</b>"), this);
    auto *version = new QLabel(tr("Version %1").arg(QLatin1String(ROST_VERSION)), this);
    auto *text = new QLabel(tr("Your congregation's membership directory at home: browse the "
                               "families, find people, print envelopes and lists.\n\nThe "
                               "directory data come from your church office."),
                            this);
    text->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(text);
    layout->addWidget(buttons);
    // The wrapped paragraph needs more height the narrower the box; the layout alone would leave
    // it the height of its unwrapped minimum and clip it.
    constexpr int Width = 360;
    setFixedSize(Width, heightForWidth(Width));
}

} // namespace rost
