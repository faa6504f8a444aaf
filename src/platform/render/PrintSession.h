#pragma once

#include "platform/render/PrintJob.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QPrinter;

namespace rost {

// Where this run prints. The printer chosen in the printer setup applies to every later job of
// the run. When the system has no printer at all, jobs go to PDF files: the user names one for
// each job, offered in the folder used last (at first the Documents folder), so a second envelope
// never silently replaces the first.
class PrintSession
{
public:
    static PrintSession &instance();

    // The printer every job uses; printer setup dialogs work on this object.
    QPrinter &printer();
    static bool systemHasPrinter();

    // Asks for the PDF file of one job, offering `suggested`; an empty answer cancels the job.
    using AskPdfPath = std::function<QString(const QString &suggested)>;

    // Runs a job on the run's printer, or into a PDF file as above (printersInstalled false), the
    // file offered under the name pdfName. A printer set up for a file of the user's choosing
    // writes that file. nullopt when the user cancelled the file choice; throws IoError when the
    // job failed.
    std::optional<PrintOutcome> run(PageOrientation orientation, const PrintJob::Drawing &draw,
                                    bool printersInstalled, const QString &pdfName,
                                    const AskPdfPath &askPdfPath);

    // What the user is told after a job that went to a file, the path on a line of its own;
    // empty after a printed job.
    static QString outcomeText(const PrintOutcome &outcome, bool printersInstalled);

private:
    PrintSession() = default;
    std::unique_ptr<QPrinter> m_printer;
    QString m_lastFolder;
};

} // namespace rost
