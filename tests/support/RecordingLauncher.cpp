#include "RecordingLauncher.h"

#include "directory/Query.h"
#include "envelopes/ui/PrintWithPrompts.h"

namespace rost::test {

void RecordingLauncher::record(const QString &call)
{
    calls << call;
    if (whileOpen)
        whileOpen(call);
}

std::optional<FamilyId> RecordingLauncher::findFamily(QWidget *, RostConnection &)
{
    record(QStringLiteral("findFamily"));
    return familyFound;
}

std::optional<FoundIndividual> RecordingLauncher::findIndividual(QWidget *, RostConnection &)
{
    record(QStringLiteral("findIndividual"));
    return individualFound;
}

void RecordingLauncher::updateFamily(QWidget *, RostConnection &, FamilyId familyId)
{
    record(QStringLiteral("updateFamily %1").arg(familyId));
}

void RecordingLauncher::updateIndividual(QWidget *, Cursor &)
{
    record(QStringLiteral("updateIndividual"));
}

void RecordingLauncher::printEnvelope(QWidget *, RostConnection &, IndivId indivId)
{
    record(QStringLiteral("printEnvelope %1").arg(indivId));
}

void RecordingLauncher::sendToClipboard(QWidget *, RostConnection &, IndivId indivId)
{
    record(QStringLiteral("sendToClipboard %1").arg(indivId));
}

void RecordingLauncher::envelopePreferences(QWidget *)
{
    record(QStringLiteral("envelopePreferences"));
}

void RecordingLauncher::returnAddress(QWidget *)
{
    record(QStringLiteral("returnAddress"));
}

void RecordingLauncher::makeLists(QWidget *, RostConnection &, const DirectorySetup &, Cursor &)
{
    record(QStringLiteral("makeLists"));
}

void RecordingLauncher::listEnvelopes(QWidget *, RostConnection &, Query &people,
                                      const QString &listItem)
{
    record(QStringLiteral("listEnvelopes %1 %2").arg(people.recordCount()).arg(listItem));
}

void RecordingLauncher::viewListFields(QWidget *, RostConnection &, const DirectorySetup &,
                                       Cursor &)
{
    record(QStringLiteral("viewListFields"));
}

void RecordingLauncher::importFromMenu(QWidget *)
{
    record(QStringLiteral("importFromMenu"));
}

void RecordingLauncher::importAtStartup(QWidget *)
{
    record(QStringLiteral("importAtStartup"));
}

void RecordingLauncher::about(QWidget *)
{
    record(QStringLiteral("about"));
}

void RecordingLauncher::printDirectory(QWidget *, RostConnection &, const DirectorySetup &)
{
    record(QStringLiteral("printDirectory"));
}

void RecordingLauncher::printLabels(QWidget *, RostConnection &, const DirectorySetup &,
                                    const QString &kind, const QString &item)
{
    record(QStringLiteral("printLabels %1 %2").arg(kind, item).trimmed());
}

void RecordingLauncher::exportDirectory(QWidget *, RostConnection &)
{
    record(QStringLiteral("exportDirectory"));
}

bool RecordingLauncher::printReport(QWidget *, const ReportDrawing &drawing, const QString &pdfName,
                                    PageOrientation orientation)
{
    record(QStringLiteral("printReport ") + pdfName);
    const QSizeF letter =
        orientation == PageOrientation::Landscape ? QSizeF(11, 8.5) : QSizeF(8.5, 11);
    auto &surface = jobs.emplace_back(std::make_unique<RecordingSurface>(0.25 / 72, letter));
    drawing(*surface, [this](int page) { reportPages.push_back(page); });
    return jobsSucceed;
}

bool RecordingLauncher::printPages(QWidget *owner, PageOrientation orientation,
                                   const PrintJob::Drawing &drawing, const QString &pdfName)
{
    record(QStringLiteral("printPages ") + pdfName);
    if (realJobs)
        return runPrintJob(owner, orientation, drawing, pdfName);
    auto &surface = jobs.emplace_back(std::make_unique<RecordingSurface>());
    drawing(*surface);
    return jobsSucceed;
}

QStringList RecordingLauncher::texts(std::size_t job) const
{
    QStringList out;
    for (const auto &t : jobs.at(job)->texts())
        out << t.text;
    return out;
}

} // namespace rost::test
