#pragma once

#include "RecordingSurface.h"
#include "browse/FoundIndividual.h"
#include "platform/ui/DialogLauncher.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace rost::test {

// A launcher that opens nothing: it records every request ("updateFamily 10", "printEnvelope
// 12", "printPages Envelopes.pdf"), answers the finds with what the test put in, lets the test
// act while a dialog would be open, and draws every print job onto recording surfaces.
class RecordingLauncher : public DialogLauncher
{
public:
    QStringList calls;
    std::optional<FamilyId> familyFound;
    std::optional<FoundIndividual> individualFound;
    // Runs after a request is recorded, in place of the user's work in that dialog.
    std::function<void(const QString &call)> whileOpen;
    bool jobsSucceed = true;
    // Envelope jobs run as the program runs them (to the printer, or a PDF file the test names
    // through the prompts) instead of onto recording surfaces.
    bool realJobs = false;
    // The pages of every print job, one surface a job; reports on letter paper.
    std::vector<std::unique_ptr<RecordingSurface>> jobs;
    // The page numbers the report drawings told of.
    std::vector<int> reportPages;

    std::optional<FamilyId> findFamily(QWidget *, RostConnection &) override;
    std::optional<FoundIndividual> findIndividual(QWidget *, RostConnection &) override;
    void updateFamily(QWidget *, RostConnection &, FamilyId familyId) override;
    void updateIndividual(QWidget *, Cursor &) override;
    void printEnvelope(QWidget *, RostConnection &, IndivId indivId) override;
    void sendToClipboard(QWidget *, RostConnection &, IndivId indivId) override;
    void envelopePreferences(QWidget *) override;
    void returnAddress(QWidget *) override;
    void makeLists(QWidget *, RostConnection &, const DirectorySetup &, Cursor &) override;
    void listEnvelopes(QWidget *, RostConnection &, Query &people,
                       const QString &listItem) override;
    void viewListFields(QWidget *, RostConnection &, const DirectorySetup &, Cursor &) override;
    void importFromMenu(QWidget *) override;
    void importAtStartup(QWidget *) override;
    void about(QWidget *) override;
    void printDirectory(QWidget *, RostConnection &, const DirectorySetup &) override;
    void printLabels(QWidget *, RostConnection &, const DirectorySetup &, const QString &kind,
                     const QString &item) override;
    void exportDirectory(QWidget *, RostConnection &) override;
    bool printReport(QWidget *, const ReportDrawing &drawing, const QString &pdfName,
                     PageOrientation orientation) override;
    bool printPages(QWidget *, PageOrientation orientation, const PrintJob::Drawing &drawing,
                    const QString &pdfName) override;

    // The texts of one job, in drawing order.
    QStringList texts(std::size_t job) const;

private:
    void record(const QString &call);
};

} // namespace rost::test
