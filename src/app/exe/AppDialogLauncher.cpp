#include "app/exe/AppDialogLauncher.h"

#include "app/ui/AboutDialog.h"
#include "book/ui/PrintDirectoryDialog.h"
#include "browse/FoundIndividual.h"
#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"
#include "browse/ui/UpdateFamilyDialog.h"
#include "browse/ui/UpdateIndividualDialog.h"
#include "envelopes/ui/EnvelopePreferencesDialog.h"
#include "envelopes/ui/PrintEnvelopeDialog.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "envelopes/ui/ReturnAddressDialog.h"
#include "exports/ui/ExportDirectoryDialog.h"
#include "import/ui/ImportDialog.h"
#include "labels/ui/PrintLabelsDialog.h"
#include "lists/ui/ListEnvelopesDialog.h"
#include "lists/ui/ListFieldsDialog.h"
#include "lists/ui/MakeListsDialog.h"
#include "lists/ui/ReportRunner.h"
#include "names/ui/ClipboardDialog.h"

#include <utility>

namespace rost {

AppDialogLauncher::AppDialogLauncher(ProgramContext &context) : m_context(context) {}

void AppDialogLauncher::setFindDialogs(FindIndividualDialog &findIndividual,
                                       FindFamilyDialog &findFamily)
{
    m_findIndividual = &findIndividual;
    m_findFamily = &findFamily;
}

void AppDialogLauncher::makeFindDialogs()
{
    if (m_makeFindDialogs)
        std::exchange(m_makeFindDialogs, {})();
}

std::optional<FamilyId> AppDialogLauncher::findFamily(QWidget *, RostConnection &connection)
{
    makeFindDialogs();
    if (!m_findFamily || m_findFamily->execLookup(connection) != QDialog::Accepted)
        return std::nullopt;
    return m_findFamily->Tag();
}

std::optional<FoundIndividual> AppDialogLauncher::findIndividual(QWidget *,
                                                                 RostConnection &connection)
{
    makeFindDialogs();
    if (!m_findIndividual || m_findIndividual->execLookup(connection) != QDialog::Accepted)
        return std::nullopt;
    return m_findIndividual->Found();
}

void AppDialogLauncher::updateFamily(QWidget *owner, RostConnection &connection, FamilyId familyId)
{
    UpdateFamilyDialog form(connection, owner);
    form.openAt(familyId);
    form.exec();
}

void AppDialogLauncher::updateIndividual(QWidget *owner, Cursor &members)
{
    UpdateIndividualDialog dialog(members, owner);
    dialog.exec();
}

void AppDialogLauncher::printEnvelope(QWidget *owner, RostConnection &connection, IndivId indivId)
{
    PrintEnvelopeDialog form(connection, m_context, *this, owner);
    form.GetNames(indivId);
    form.exec();
}

void AppDialogLauncher::sendToClipboard(QWidget *owner, RostConnection &connection, IndivId indivId)
{
    ClipboardDialog form(connection, owner);
    form.GetNames(indivId);
    form.exec();
}

void AppDialogLauncher::envelopePreferences(QWidget *owner)
{
    EnvelopePreferencesDialog form(m_context, *this, owner);
    form.exec();
}

void AppDialogLauncher::returnAddress(QWidget *owner)
{
    ReturnAddressDialog form(m_context, owner);
    form.exec();
}

void AppDialogLauncher::makeLists(QWidget *owner, RostConnection &connection,
                                  const DirectorySetup &setup, Cursor &families)
{
    MakeListsDialog form(connection, setup, families, *this, owner);
    form.exec();
}

void AppDialogLauncher::listEnvelopes(QWidget *owner, RostConnection &connection, Query &people,
                                      const QString &listItem)
{
    ListEnvelopesDialog form(connection, people, listItem, m_context, *this, owner);
    form.exec();
}

void AppDialogLauncher::viewListFields(QWidget *owner, RostConnection &connection,
                                       const DirectorySetup &setup, Cursor &members)
{
    ListFieldsDialog form(connection, setup, members, owner);
    form.exec();
}

void AppDialogLauncher::importFromMenu(QWidget *owner)
{
    runMenuImport(owner, m_context);
}

void AppDialogLauncher::importAtStartup(QWidget *owner)
{
    runStartupImport(owner, m_context);
}

void AppDialogLauncher::about(QWidget *owner)
{
    AboutDialog form(owner);
    form.exec();
}

void AppDialogLauncher::printDirectory(QWidget *owner, RostConnection &connection,
                                       const DirectorySetup &setup)
{
    PrintDirectoryDialog dialog(connection, setup, m_context, *this, owner);
    dialog.exec();
}

void AppDialogLauncher::printLabels(QWidget *owner, RostConnection &connection,
                                    const DirectorySetup &setup, const QString &kind,
                                    const QString &item)
{
    PrintLabelsDialog dialog(connection, setup, m_context, *this, kind, item, owner);
    dialog.exec();
}

void AppDialogLauncher::exportDirectory(QWidget *owner, RostConnection &connection)
{
    ExportDirectoryDialog dialog(connection, owner);
    dialog.exec();
}

bool AppDialogLauncher::printReport(QWidget *owner, const ReportDrawing &drawing,
                                    const QString &pdfName, PageOrientation orientation)
{
    return runReport(owner, drawing, pdfName, orientation);
}

bool AppDialogLauncher::printPages(QWidget *owner, PageOrientation orientation,
                                   const PrintJob::Drawing &drawing, const QString &pdfName)
{
    return runPrintJob(owner, orientation, drawing, pdfName);
}

} // namespace rost
