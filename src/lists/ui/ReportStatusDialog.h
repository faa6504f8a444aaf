#pragma once

#include <QDialog>

class QLabel;

namespace rost {

// "Report Status": the page a job is working on, shown while the pages are drawn and sent.
class ReportStatusDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ReportStatusDialog(QWidget *parent = nullptr);
    void generating(int page);
    void printing(int page);

private:
    void showStatus(const QString &pattern, int page);
    QLabel *m_label;
};

} // namespace rost
