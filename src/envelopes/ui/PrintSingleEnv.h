#pragma once

#include "names/FamilyAddress.h"
#include "names/HouseholdNameComposer.h"
#include "names/HouseholdNames.h"

#include <QDialog>

#include <array>
#include <memory>

class QRadioButton;

namespace Ui {
class TPrintSingleEnvForm;
}

namespace rost {

class RostConnection;

// "Print single envelope": one envelope to the household of one individual, in a chosen or typed
// name line, with or without the return address.
class TPrintSingleEnvForm : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 8;
    static constexpr int MaxLine = 255;

    explicit TPrintSingleEnvForm(RostConnection &connection, QWidget *parent = nullptr);
    ~TPrintSingleEnvForm() override;

    // Composes the eight lines for the individual; throws NamesError when there is none.
    void GetNames(qint16 indivIdNum);
    // Creates the dialog for the individual, shows it modally and destroys it; errors are shown.
    static void run(QWidget *parent, RostConnection &connection, qint16 indivIdNum);

    void FormActivate();
    // The line the envelope will carry: the chosen line, or the user's text, cut to 255.
    QString chosenNameLine() const;
    QStringList deliveryLines() const;
    void PrintButtonClick();
    void EnvPrefsButtonClick();
    void EnterRetunAddressButtonClick();
    void SelectPrinterButtonClick();

    QRadioButton *nameChoice(NameLine line) const;
    const THouseholdNames &names() const { return m_names; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setCaption(NameLine line);

    std::unique_ptr<Ui::TPrintSingleEnvForm> m_ui;
    HouseholdNameComposer m_composer; // tbIndivInfo and tbFamilyInfo
    THouseholdNames m_names;
    FamilyAddress m_family;
    std::array<QRadioButton *, NameLineCount> m_nameChoices{};
    bool m_activated = false;
};

} // namespace rost
