#pragma once

#include "directory/Tables.h"
#include "platform/render/PrintJob.h"

#include <QString>

#include <optional>

class QWidget;

namespace rost {

class Cursor;
class Query;
class RostConnection;
struct FoundIndividual;
struct DirectorySetup;

// The one road by which a window opens another window and runs a print job. The program's
// implementation creates each dialog with owner as its owner, prepares it, shows it modally and
// destroys it; a test gives the windows a fake that records what was asked and answers in their
// place. Engine and file errors pass to the caller, which shows them.
class DialogLauncher
{
public:
    virtual ~DialogLauncher() = default;

    // The find dialogs, kept hidden between uses: the chosen family's number, or the chosen
    // person; nothing when cancelled.
    virtual std::optional<FamilyId> findFamily(QWidget *owner, RostConnection &connection) = 0;
    virtual std::optional<FoundIndividual> findIndividual(QWidget *owner,
                                                          RostConnection &connection) = 0;
    // "Update Family" on its own families cursor, opened on the family with this number.
    virtual void updateFamily(QWidget *owner, RostConnection &connection, FamilyId familyId) = 0;
    // "Update individual" over the main window's members cursor, which it moves.
    virtual void updateIndividual(QWidget *owner, Cursor &members) = 0;
    // The dialogs that work for one person, given that person's Indiv ID Num.
    virtual void printEnvelope(QWidget *owner, RostConnection &connection, IndivId indivId) = 0;
    virtual void sendToClipboard(QWidget *owner, RostConnection &connection, IndivId indivId) = 0;
    virtual void envelopePreferences(QWidget *owner) = 0;
    virtual void returnAddress(QWidget *owner) = 0;
    // "Make Lists" moves the main window's families cursor when it prints the address list.
    virtual void makeLists(QWidget *owner, RostConnection &connection, const DirectorySetup &setup,
                           Cursor &families) = 0;
    // One envelope for every row of a Make Lists people query, whose people hold listItem.
    virtual void listEnvelopes(QWidget *owner, RostConnection &connection, Query &people,
                               const QString &listItem) = 0;
    virtual void viewListFields(QWidget *owner, RostConnection &connection,
                                const DirectorySetup &setup, Cursor &members) = 0;
    // The two roads of an import into the data folder. The caller has closed every table file
    // before and opens the directory again afterwards.
    virtual void importFromMenu(QWidget *owner) = 0;
    virtual void importAtStartup(QWidget *owner) = 0;
    virtual void about(QWidget *owner) = 0;
    // "Print Directory", the church directory as a book.
    virtual void printDirectory(QWidget *owner, RostConnection &connection,
                                const DirectorySetup &setup) = 0;
    // "Export Directory", the whole directory as contacts or a spreadsheet.
    virtual void exportDirectory(QWidget *owner, RostConnection &connection) = 0;

    // "Print Labels"; on the people holding item of the list field kind when kind is given.
    virtual void printLabels(QWidget *owner, RostConnection &connection,
                             const DirectorySetup &setup, const QString &kind,
                             const QString &item) = 0;

    // A list report: the output options first, then the printer (or a PDF file offered as
    // pdfName when the system has none) or the preview, from which it may be printed the same
    // way. False when the user cancelled or the job failed (then shown). A report of pages side by
    // side (a booklet) prints in landscape.
    virtual bool printReport(QWidget *owner, const ReportDrawing &drawing, const QString &pdfName,
                             PageOrientation orientation = PageOrientation::Portrait) = 0;
    // Envelope pages on the run's printer, or into a PDF file offered as pdfName when the system
    // has no printer. False when the user cancelled or the job failed (then shown).
    virtual bool printPages(QWidget *owner, PageOrientation orientation,
                            const PrintJob::Drawing &drawing, const QString &pdfName) = 0;
};

} // namespace rost
