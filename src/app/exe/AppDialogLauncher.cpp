#include "app/exe/AppDialogLauncher.h"

#include "app/ui/About.h"
#include "browse/FoundIndividual.h"
#include "browse/ui/IndUpdateDialog.h"
#include "browse/ui/TFamUpdateForm.h"
#include "browse/ui/TfdFamLookupForm.h"
#include "browse/ui/TfdIndLookupForm.h"
#include "envelopes/ui/EnvDefinition.h"
#include "envelopes/ui/PrintSingleEnv.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "envelopes/ui/RetAddDef.h"
#include "import/ui/ImportData.h"
#include "lists/ui/MakeLists.h"
#include "lists/ui/PrintListEnv.h"
#include "lists/ui/ReportRunner.h"
#include "lists/ui/ViewListFields.h"
#include "names/ui/SendToClipboard.h"

namespace rost {

AppDialogLauncher::AppDialogLauncher(ProgramContext &context) : m_context(context) {}

void AppDialogLauncher::setFindDialogs(TfdIndLookupForm &findIndividual,
                                       TfdFamLookupForm &findFamily)
{
    m_findIndividual = &findIndividual;
    m_findFamily = &findFamily;
}

std::optional<FamilyId> AppDialogLauncher::findFamily(QWidget *, RostConnection &connection)
{
    if (!m_findFamily || m_findFamily->execLookup(connection) != QDialog::Accepted)
        return std::nullopt;
    return m_findFamily->Tag();
}

std::optional<FoundIndividual> AppDialogLauncher::findIndividual(QWidget *,
                                                                 RostConnection &connection)
{
    if (!m_findIndividual || m_findIndividual->execLookup(connection) != QDialog::Accepted)
        return std::nullopt;
    return m_findIndividual->Found();
}

void AppDialogLauncher::updateFamily(QWidget *owner, RostConnection &connection, FamilyId familyId)
{
    TFamUpdateForm form(connection, owner);
    form.openTable();
    form.tbFam().findKey({familyId});
    form.exec();
}

void AppDialogLauncher::updateIndividual(QWidget *owner, Cursor &members)
{
    IndUpdateDialog dialog(members, owner);
    dialog.exec();
}

void AppDialogLauncher::printEnvelope(QWidget *owner, RostConnection &connection, IndivId indivId)
{
    TPrintSingleEnvForm form(connection, m_context, *this, owner);
    form.GetNames(indivId);
    form.exec();
}

void AppDialogLauncher::sendToClipboard(QWidget *owner, RostConnection &connection, IndivId indivId)
{
    TSendToClipBoardForm form(connection, owner);
    form.GetNames(indivId);
    form.exec();
}

void AppDialogLauncher::envelopePreferences(QWidget *owner)
{
    TEnvelopeDefinitionForm form(m_context, *this, owner);
    form.exec();
}

void AppDialogLauncher::returnAddress(QWidget *owner)
{
    TRetAddDefForm form(m_context, owner);
    form.exec();
}

void AppDialogLauncher::makeLists(QWidget *owner, RostConnection &connection,
                                  const TDirectorySetup &setup, Cursor &families)
{
    TMakeListsForm form(connection, setup, families, *this, owner);
    form.exec();
}

void AppDialogLauncher::listEnvelopes(QWidget *owner, RostConnection &connection, Query &people)
{
    TPrintListEnvForm form(connection, people, m_context, *this, owner);
    form.exec();
}

void AppDialogLauncher::viewListFields(QWidget *owner, RostConnection &connection,
                                       const TDirectorySetup &setup, Cursor &members)
{
    TViewListFieldsForm form(connection, setup, members, owner);
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
    TAboutForm form(owner);
    form.exec();
}

bool AppDialogLauncher::printReport(QWidget *owner, const ReportDrawing &drawing)
{
    return runReport(owner, drawing);
}

bool AppDialogLauncher::printPages(QWidget *owner, PageOrientation orientation,
                                   const PrintJob::Drawing &drawing, const QString &pdfName)
{
    return runPrintJob(owner, orientation, drawing, pdfName);
}

} // namespace rost
