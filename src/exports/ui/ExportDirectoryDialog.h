#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class ExportDirectoryDialog;
}

namespace rost {

class RostConnection;

// "Export Directory": the whole directory as contacts (vCard) or as a spreadsheet (CSV), the
// last choices offered again.
class ExportDirectoryDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 35;

    ExportDirectoryDialog(RostConnection &connection, QWidget *parent = nullptr);
    ~ExportDirectoryDialog() override;

    void ExportButtonClick();

private:
    void formatChanged();

    std::unique_ptr<Ui::ExportDirectoryDialog> m_ui;
    RostConnection &m_connection;
};

} // namespace rost
