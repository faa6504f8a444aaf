#pragma once

#include <QDialog>

class QLabel;

namespace rost {

// "Report Status": the page a job is working on, shown while the pages are drawn and sent. Its
// Cancel (or its close box) stops the job at the next page: that status throws IoError, which
// ends the job without output, so no half-written file is left behind.
class ReportStatusDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ReportStatusDialog(QWidget *parent = nullptr);
    void generating(int page);
    void printing(int page);

    void reject() override;

private:
    void showStatus(const QString &pattern, int page);
    QLabel *m_label;
    bool m_cancelled = false;
};

} // namespace rost
