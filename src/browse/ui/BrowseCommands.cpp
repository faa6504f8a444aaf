#include "browse/ui/BrowseCommands.h"

#include "browse/FoundPerson.h"
#include "browse/ui/IndUpdateDialog.h"
#include "browse/ui/TFamUpdateForm.h"
#include "browse/ui/TfdFamLookupForm.h"
#include "browse/ui/TfdIndLookupForm.h"
#include "directory/Cursor.h"
#include "directory/Tables.h"
#include "platform/ui/Prompts.h"

namespace rost {

namespace {

void savePendingEdits(Cursor &tbFam, Cursor &tbInd)
{
    if (tbInd.isOpen() && tbInd.state() == CursorState::Edit)
        tbInd.post();
    if (tbFam.isOpen() && tbFam.state() == CursorState::Edit)
        tbFam.post();
}

} // namespace

void findFamily(QWidget *mainWindow, TfdFamLookupForm &dialog, Cursor &tbFam, Cursor &tbInd,
                const std::function<void(int)> &getFamilyMembers)
{
    if (!tbFam.isOpen())
        return;
    const bool done = guarded(mainWindow, [&] {
        savePendingEdits(tbFam, tbInd);
        if (dialog.execLookup(tbFam.connection()) != QDialog::Accepted)
            return;
        tbFam.setIndexName(QStringLiteral("Family ID Num Order"));
        tbFam.findKey({dialog.Tag()});
        // From here on the navigator walks the families by name, starting at the found one.
        tbFam.setIndexName(QStringLiteral("Family Name Order"));
    });
    if (done && getFamilyMembers)
        getFamilyMembers(1);
}

QString locateFailedText(qint16 famId, qint16 nameId, qint16 rank)
{
    return QStringLiteral("Locate failed.") + QLatin1Char('\r') + QStringLiteral("FamID  = ") +
           QString::number(famId) + QLatin1Char('\r') + QStringLiteral("NameID = ") +
           QString::number(nameId) + QLatin1Char('\r') + QStringLiteral("Rank   = ") +
           QString::number(rank);
}

void findIndividual(QWidget *mainWindow, TfdIndLookupForm &dialog, Cursor &tbFam, Cursor &tbInd,
                    const std::function<void(int)> &getFamilyMembers)
{
    if (!tbFam.isOpen())
        return;
    bool accepted = false;
    const bool done = guarded(mainWindow, [&] {
        savePendingEdits(tbFam, tbInd);
        if (dialog.execLookup(tbFam.connection()) != QDialog::Accepted)
            return;
        accepted = true;
        if (tbInd.indexName().compare(QLatin1String(idx::FamilyIdRankOrder), Qt::CaseInsensitive) !=
            0)
            tbInd.setIndexName(QStringLiteral("Family ID Rank Order"));
        if (!tbFam.locate(QLatin1String(fld::FamilyIdNum), FoundFamID))
            Prompts::instance().message(mainWindow, MessageKind::Information,
                                        QStringLiteral("Information"),
                                        locateFailedText(FoundFamID, FoundNameID, FoundRank));
    });
    if (done && accepted && getFamilyMembers)
        getFamilyMembers(FoundRank);
}

void updateFamily(QWidget *owner, RostConnection &connection, Cursor &tbFam,
                  const std::function<void()> &getFamInfo)
{
    if (!tbFam.isOpen())
        return;
    const bool done = guarded(owner, [&] {
        {
            TFamUpdateForm form(connection, owner);
            form.openTable();
            if (tbFam.hasRow())
                form.tbFam().findKey({tbFam.integer(QLatin1String(fld::FamilyIdNum))});
            form.exec();
        }
        // Rows saved through the dialog's cursor are read again; a family the dialog deleted
        // gives way to its neighbour.
        tbFam.refresh();
    });
    if (done && getFamInfo)
        getFamInfo();
}

void updateIndividual(QWidget *owner, Cursor &tbInd, const std::function<void()> &getIndInfo)
{
    if (!tbInd.isOpen())
        return;
    guarded(owner, [&] {
        IndUpdateDialog dialog(tbInd, owner);
        dialog.exec();
    });
    if (getIndInfo)
        getIndInfo();
}

} // namespace rost
