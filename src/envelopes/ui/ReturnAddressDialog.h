#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class ReturnAddressDialog;
}

namespace rost {

class ProgramContext;
class Preferences;

// "Return address definition": edits the four return lines of the context and saves them on OK.
// The close box leaves lines and file as they were.
class ReturnAddressDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 23;

    explicit ReturnAddressDialog(ProgramContext &context, QWidget *parent = nullptr);
    ~ReturnAddressDialog() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
    void OKButtonClick();

    std::unique_ptr<Ui::ReturnAddressDialog> m_ui;
    Preferences &m_prefs;
};

} // namespace rost
