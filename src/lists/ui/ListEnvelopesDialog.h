#pragma once

#include "lists/ListEnvelopes.h"
#include "names/HouseholdNameComposer.h"

#include <QDialog>

#include <array>
#include <memory>

class QRadioButton;

namespace Ui {
class ListEnvelopesDialog;
}

namespace rost {

class DialogLauncher;
class ProgramContext;
class Query;
class RostConnection;

// "Print Envelopes for Entire List": one envelope for every row of the Make Lists people query,
// all in one name style (or one free text), with or without the return address.
class ListEnvelopesDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 13;

    // tbSQL is the people query of Make Lists; printing walks it and leaves it at its end.
    // listItem, the item its people hold, names the printout. The layout and the return address
    // are the context's; the nested layout and return address dialogs and the print job go
    // through the launcher.
    ListEnvelopesDialog(RostConnection &connection, Query &tbSQL, const QString &listItem,
                        ProgramContext &context, DialogLauncher &launcher,
                        QWidget *parent = nullptr);
    ~ListEnvelopesDialog() override;

    void FormActivate();
    void PrintButtonClick();
    void EnvPrefsButtonClick();
    void SelectPrinterButtonClick();
    void EnterReturnAddressButtonClick();

    // The chosen style: a name line, or none with the user's text.
    ListEnvelopeStyle chosenStyle() const;
    QRadioButton *nameChoice(NameLine line) const;
    // What the last PrintButtonClick printed: envelopes drawn and warnings shown.
    int printedEnvelopes() const { return m_printed; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::ListEnvelopesDialog> m_ui;
    Query &m_tbSQL;
    QString m_listItem;
    ProgramContext &m_context;
    DialogLauncher &m_launcher;
    HouseholdNameComposer m_names; // tbIndivInfo and tbFamilyInfo
    std::array<QRadioButton *, NameLineCount> m_nameChoices{};
    int m_printed = 0;
    bool m_activated = false;
};

} // namespace rost
