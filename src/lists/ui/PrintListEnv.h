#pragma once

#include "lists/ListEnvelopes.h"
#include "lists/ui/ListDialogHooks.h"
#include "names/HouseholdNameComposer.h"
#include "platform/print/PrintSurface.h"
#include "platform/render/PrintJob.h"

#include <QDialog>

#include <array>
#include <memory>

class QRadioButton;

namespace Ui {
class PrintListEnvForm;
}

namespace rost {

class Query;
class RostConnection;

// "Print Envelopes for Entire List": one envelope for every row of the Make Lists people query,
// all in one name style (or one free text), with or without the return address.
class TPrintListEnvForm : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 13;
    using JobRunner = std::function<bool(PageOrientation, const PrintJob::Drawing &)>;

    // tbSQL is the people query of Make Lists; printing walks it and leaves it at its end.
    TPrintListEnvForm(RostConnection &connection, Query &tbSQL, ListDialogHooks hooks,
                      QWidget *parent = nullptr);
    ~TPrintListEnvForm() override;

    void FormActivate();
    void PrintButtonClick();
    void EnvPrefsButtonClick();
    void SelectPrinterButtonClick();
    void EnterRetunAddressButtonClick();

    // The chosen style: a name line, or none with the user's text.
    ListEnvelopeStyle chosenStyle() const;
    QRadioButton *nameChoice(NameLine line) const;
    // How the job is run (default: on the run's printer, or a PDF file when there is none).
    void setJobRunner(JobRunner runner);
    // What the last PrintButtonClick printed: envelopes drawn and warnings shown.
    int printedEnvelopes() const { return m_printed; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::PrintListEnvForm> m_ui;
    Query &m_tbSQL;
    ListDialogHooks m_hooks;
    HouseholdNameComposer m_names; // tbIndivInfo and tbFamilyInfo
    std::array<QRadioButton *, NameLineCount> m_nameChoices{};
    JobRunner m_jobRunner;
    int m_printed = 0;
    bool m_activated = false;
};

} // namespace rost
