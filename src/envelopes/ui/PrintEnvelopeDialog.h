#pragma once

#include "directory/Tables.h"
#include "names/FamilyAddress.h"
#include "names/HouseholdNameComposer.h"
#include "names/HouseholdNames.h"

#include <QDialog>

#include <array>
#include <memory>

class QRadioButton;

namespace Ui {
class PrintEnvelopeDialog;
}

namespace rost {

class DialogLauncher;
class ProgramContext;
class RostConnection;

// "Print single envelope": one envelope to the household of one individual, in a chosen or typed
// name line, with or without the return address.
class PrintEnvelopeDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 8;
    static constexpr int MaxLine = 255;

    // The layout and the return address are the context's; the nested layout and return address
    // dialogs and the print job go through the launcher.
    PrintEnvelopeDialog(RostConnection &connection, ProgramContext &context,
                        DialogLauncher &launcher, QWidget *parent = nullptr);
    ~PrintEnvelopeDialog() override;

    // Composes the eight lines for the individual; throws NamesError when there is none.
    void GetNames(IndivId indivIdNum);

    void FormActivate();
    // The line the envelope will carry: the chosen line, or the user's text, cut to 255.
    QString chosenNameLine() const;
    QStringList deliveryLines() const;
    void PrintButtonClick();
    void EnvPrefsButtonClick();
    void EnterReturnAddressButtonClick();
    void SelectPrinterButtonClick();

    QRadioButton *nameChoice(NameLine line) const;
    const HouseholdNames &names() const { return m_names; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setCaption(NameLine line);

    std::unique_ptr<Ui::PrintEnvelopeDialog> m_ui;
    ProgramContext &m_context;
    DialogLauncher &m_launcher;
    HouseholdNameComposer m_composer; // tbIndivInfo and tbFamilyInfo
    HouseholdNames m_names;
    FamilyAddress m_family;
    std::array<QRadioButton *, NameLineCount> m_nameChoices{};
    bool m_activated = false;
};

} // namespace rost
