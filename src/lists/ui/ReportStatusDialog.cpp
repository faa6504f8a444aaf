#include "lists/ui/ReportStatusDialog.h"

#include "directory/IoError.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rost {

ReportStatusDialog::ReportStatusDialog(QWidget *parent) : QDialog(parent), m_label(new QLabel(this))
{
    setWindowTitle(tr("Report Status"));
    auto *layout = new QVBoxLayout(this);
    m_label->setMinimumWidth(220);
    m_label->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_label);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    layout->addWidget(cancel, 0, Qt::AlignCenter);
    connect(cancel, &QPushButton::clicked, this, &ReportStatusDialog::reject);
    // Modal, so that while the job lets the window take clicks only its Cancel can be pressed.
    setModal(true);
}

void ReportStatusDialog::reject()
{
    m_cancelled = true;
}

void ReportStatusDialog::showStatus(const QString &pattern, int page)
{
    QString text = pattern;
    text.replace(QLatin1String("%p"), QString::number(page));
    m_label->setText(text);
    // The job runs on this thread: let the window show its text, and take a click on Cancel,
    // before the next page.
    QApplication::processEvents();
    if (m_cancelled)
        throw IoError(QStringLiteral("The print job was cancelled; nothing was printed."));
}

void ReportStatusDialog::generating(int page)
{
    showStatus(QStringLiteral("Generating page %p"), page);
}

void ReportStatusDialog::printing(int page)
{
    showStatus(QStringLiteral("Printing page %p"), page);
}

} // namespace rost
