#include "MainFormWiring.h"

#include "app/ui/RostMain.h"
#include "browse/FoundPerson.h"
#include "browse/ui/BrowseCommands.h"
#include "browse/ui/TFamUpdateForm.h"
#include "browse/ui/TfdFamLookupForm.h"
#include "browse/ui/TfdIndLookupForm.h"
#include "directory/DataFolder.h"
#include "directory/ProgramState.h"
#include "envelopes/ui/EnvDefinition.h"
#include "envelopes/ui/PrintSingleEnv.h"
#include "envelopes/ui/RetAddDef.h"
#include "import/ui/ImportData.h"
#include "lists/ui/ListDialogHooks.h"
#include "lists/ui/MakeLists.h"
#include "lists/ui/ViewListFields.h"
#include "names/ui/SendToClipboard.h"
#include "platform/ui/HelpViewer.h"

namespace rost {

namespace {

void envelopePreferences(QWidget *parent)
{
    TEnvelopeDefinitionForm form(parent, &envDef());
    form.exec();
}

void returnAddress(QWidget *parent)
{
    TRetAddDefForm form(parent, &preferences());
    form.exec();
}

} // namespace

void installMainFormHooks(TRostMainForm &window, TfdIndLookupForm &findIndividual,
                          TfdFamLookupForm &findFamily)
{
    MainFormHooks hooks;
    hooks.findFamily = [&findFamily](TRostMainForm &w) -> std::optional<int> {
        if (findFamily.execLookup(w.connection()) != QDialog::Accepted)
            return std::nullopt;
        return findFamily.Tag();
    };
    hooks.findIndividual = [&findIndividual](TRostMainForm &w) -> std::optional<FoundIndividual> {
        if (findIndividual.execLookup(w.connection()) != QDialog::Accepted)
            return std::nullopt;
        return FoundIndividual{FoundFamID, FoundNameID, FoundRank};
    };
    hooks.updateFamily = [](TRostMainForm &w, int familyId) {
        // The window refreshes its cursor and address block itself afterwards.
        TFamUpdateForm form(w.connection(), &w);
        form.openTable();
        form.tbFam().findKey({familyId});
        form.exec();
    };
    hooks.updateIndividual = [](TRostMainForm &w) { updateIndividual(&w, w.indCursor(), {}); };
    hooks.printEnvelope = [](TRostMainForm &w, qint16 indivId) {
        TPrintSingleEnvForm form(w.connection(), &w);
        form.GetNames(indivId);
        form.exec();
    };
    hooks.sendToClipboard = [](TRostMainForm &w, qint16 indivId) {
        TSendToClipBoardForm::run(&w, w.connection(), indivId);
    };
    hooks.envelopePreferences = [](TRostMainForm &w) { envelopePreferences(&w); };
    hooks.returnAddress = [](TRostMainForm &w) { returnAddress(&w); };
    hooks.makeLists = [](TRostMainForm &w) {
        ListDialogHooks lists;
        lists.printSingleEnvelope = [&w](QWidget *parent, qint16 indivId) {
            TPrintSingleEnvForm form(w.connection(), parent);
            form.GetNames(indivId);
            form.exec();
        };
        lists.envelopePreferences = envelopePreferences;
        lists.returnAddress = returnAddress;
        TMakeListsForm::run(&w, w.connection(), directorySetup(), w.famCursor(), lists);
    };
    hooks.viewListFields = [](TRostMainForm &w) {
        TViewListFieldsForm::run(&w, w.connection(), directorySetup(), w.indCursor());
    };
    hooks.importMenuRoad = [](TRostMainForm &w) {
        // The window has closed its tables and opens them again afterwards.
        runMenuImport(&w, DataFolder::path(), {});
    };
    hooks.importStartupRoad = [](TRostMainForm &w) {
        runStartupImport(&w, DataFolder::path(), {});
    };
    window.setHooks(std::move(hooks));
}

} // namespace rost
