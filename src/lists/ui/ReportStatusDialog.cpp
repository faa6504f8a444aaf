#include "lists/ui/ReportStatusDialog.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace rost {

ReportStatusDialog::ReportStatusDialog(QWidget *parent) : QDialog(parent), m_label(new QLabel(this))
{
    setWindowTitle(tr("Report Status"));
    auto *layout = new QVBoxLayout(this);
    m_label->setMinimumWidth(220);
    m_label->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_label);
}

void ReportStatusDialog::showStatus(const QString &pattern, int page)
{
    QString text = pattern;
    text.replace(QLatin1String("%p"), QString::number(page));
    m_label->setText(text);
    // The job runs on this thread: let the window show its text before the next page.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
