#pragma once

#include "directory/Tables.h"
#include "names/ClipboardText.h"
#include "names/HouseholdNameComposer.h"
#include "names/HouseholdNames.h"
#include "names/ui/NameChoices.h"

#include <QDialog>

#include <array>
#include <memory>

class QRadioButton;

namespace Ui {
class ClipboardDialog;
}

namespace rost {

class RostConnection;

// "Send data to clipboard...": one individual's name line with the family's address, the home
// phone, or the individual's e-mail address, put on the clipboard as plain text with CR line
// ends. Made for one use: create, GetNames, exec, destroy.
class ClipboardDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HelpTopic = 10;

    explicit ClipboardDialog(RostConnection &connection, QWidget *parent = nullptr);
    ~ClipboardDialog() override;

    // Composes the individual's eight name lines (with the e-mail address) through the dialog's
    // own cursors and captions the name choices with them. Throws NamesError "No individual N"
    // when the table holds no such individual, and EngineError for a table that cannot be read.
    void GetNames(IndivId indivIdNum);

    const HouseholdNames &names() const { return m_names; }
    ClipboardData chosenData() const;
    NameLine chosenNameLine() const;
    // The line as composed, whatever its caption shows of an "&".
    QString chosenLine() const { return m_names.line(chosenNameLine()); }
    // The text "&Send data" puts on the clipboard for the current choices.
    QString composedText();

    QRadioButton *nameChoice(NameLine line) const;
    QRadioButton *dataChoice(ClipboardData which) const;

    // Captions the four one-person choices from the stored parts; the same text every time.
    void FormActivate();
    // On "&Send data": the text replaces the clipboard's content, and the dialog closes.
    void SendDataButtonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setCaption(NameLine line);

    std::unique_ptr<Ui::ClipboardDialog> m_ui;
    HouseholdNameComposer m_composer; // tbIndivInfo and tbFamilyInfo
    HouseholdNames m_names;
    std::array<QRadioButton *, NameLineCount> m_nameChoices{};
};

} // namespace rost
