#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class RetAddDefForm;
}

namespace rost {

class ProgramContext;
class TPreferences;

// "Return address definition": edits the four return lines of the context and saves them on OK.
// The close box leaves lines and file as they were.
class TRetAddDefForm : public QDialog
{
    Q_OBJECT

public:
    explicit TRetAddDefForm(ProgramContext &context, QWidget *parent = nullptr);
    ~TRetAddDefForm() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
    void OKButtonClick();

    std::unique_ptr<Ui::RetAddDefForm> m_ui;
    TPreferences &m_prefs;
};

} // namespace rost
