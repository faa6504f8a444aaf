#pragma once

#include "platform/ui/DialogLauncher.h"

#include <functional>

namespace rost {

class ProgramContext;
class FindFamilyDialog;
class FindIndividualDialog;

// The program's windows: each dialog created with its owner, prepared, shown modally and
// destroyed, except the two find dialogs, which are made once at start and kept hidden between
// uses. Print jobs go to the run's printer, or to PDF files when the system has none.
class AppDialogLauncher : public DialogLauncher
{
public:
    explicit AppDialogLauncher(ProgramContext &context);

    // The find dialogs, made after the main window that owns them.
    void setFindDialogs(FindIndividualDialog &findIndividual, FindFamilyDialog &findFamily);
    // Or made by make, which calls setFindDialogs, when a find first needs them.
    void setFindDialogMaker(std::function<void()> make) { m_makeFindDialogs = std::move(make); }

    std::optional<FamilyId> findFamily(QWidget *owner, RostConnection &connection) override;
    std::optional<FoundIndividual> findIndividual(QWidget *owner,
                                                  RostConnection &connection) override;
    void updateFamily(QWidget *owner, RostConnection &connection, FamilyId familyId) override;
    void updateIndividual(QWidget *owner, Cursor &members) override;
    void printEnvelope(QWidget *owner, RostConnection &connection, IndivId indivId) override;
    void sendToClipboard(QWidget *owner, RostConnection &connection, IndivId indivId) override;
    void envelopePreferences(QWidget *owner) override;
    void returnAddress(QWidget *owner) override;
    void makeLists(QWidget *owner, RostConnection &connection, const DirectorySetup &setup,
                   Cursor &families) override;
    void listEnvelopes(QWidget *owner, RostConnection &connection, Query &people,
                       const QString &listItem) override;
    void viewListFields(QWidget *owner, RostConnection &connection, const DirectorySetup &setup,
                        Cursor &members) override;
    void importFromMenu(QWidget *owner) override;
    void importAtStartup(QWidget *owner) override;
    void about(QWidget *owner) override;
    void printDirectory(QWidget *owner, RostConnection &connection,
                        const DirectorySetup &setup) override;
    void printLabels(QWidget *owner, RostConnection &connection, const DirectorySetup &setup,
                     const QString &kind, const QString &item) override;
    void exportDirectory(QWidget *owner, RostConnection &connection) override;
    bool printReport(QWidget *owner, const ReportDrawing &drawing, const QString &pdfName,
                     PageOrientation orientation) override;
    bool printPages(QWidget *owner, PageOrientation orientation, const PrintJob::Drawing &drawing,
                    const QString &pdfName) override;

private:
    ProgramContext &m_context;
    FindIndividualDialog *m_findIndividual = nullptr;
    FindFamilyDialog *m_findFamily = nullptr;
    std::function<void()> m_makeFindDialogs;

    void makeFindDialogs();
};

} // namespace rost
