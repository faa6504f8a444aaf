#pragma once

#include <QDialog>
#include <QPrinter>

#include <memory>

namespace Ui {
class OutputOptionsDialog;
}

namespace rost {

// What the user chose in "Output Options".
struct OutputOptions
{
    bool preview = false;
    int copies = 1;
    bool collate = true;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
};

// "Output Options": printer or preview, copies, collation, duplex, and the printer setup.
class OutputOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // The choice is part of making lists, and told of there.
    static constexpr int HelpTopic = 12;

    explicit OutputOptionsDialog(QPrinter &printer, QWidget *parent = nullptr);
    ~OutputOptionsDialog() override;

    OutputOptions options() const;
    void setOptions(const OutputOptions &options);
    // The choices made on the printer the job will use.
    static void apply(const OutputOptions &options, QPrinter &printer);

private:
    void showPrinterName();

    std::unique_ptr<Ui::OutputOptionsDialog> m_ui;
    QPrinter &m_printer;
};

} // namespace rost
