#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace rost {

class Cursor;
class RostConnection;
class TfdFamLookupForm;
class TfdIndLookupForm;

// The main window's side of the find and update commands. Each saves or refreshes the main
// window's cursors as the commands require and calls back into the main window to rebuild its
// display. Engine errors end the command and are shown by the error display. With the main
// window's tbFam closed (no directory open) they do nothing.

// "Find family": saves pending edits of tbInd, then tbFam; shows the dialog on a cursor of its
// own; an accepted dialog moves tbFam to the chosen family and leaves tbFam in family-name
// order. getFamilyMembers(1) runs afterwards, also after a cancelled dialog.
void findFamily(QWidget *mainWindow, TfdFamLookupForm &dialog, Cursor &tbFam, Cursor &tbInd,
                const std::function<void(int)> &getFamilyMembers);

// "Find individual": as findFamily; an accepted dialog puts tbInd in family rank order, moves
// tbFam to the person's family (or tells that it is missing) and calls
// getFamilyMembers(FoundRank). A cancelled dialog changes nothing.
void findIndividual(QWidget *mainWindow, TfdIndLookupForm &dialog, Cursor &tbFam, Cursor &tbInd,
                    const std::function<void(int)> &getFamilyMembers);

// The text shown when the found person's family is not in the families table.
QString locateFailedText(qint16 famId, qint16 nameId, qint16 rank);

// The family "Update..." button: the update-family dialog on the main window's family, then
// tbFam refreshed (it moves to a neighbouring family when the dialog deleted its own; check
// tbFam.hasRow() for an emptied table) and getFamInfo.
void updateFamily(QWidget *owner, RostConnection &connection, Cursor &tbFam,
                  const std::function<void()> &getFamInfo);

// The member "Update..." button: the update-individual dialog over the main window's tbInd,
// then getIndInfo for whatever member tbInd stands on.
void updateIndividual(QWidget *owner, Cursor &tbInd, const std::function<void()> &getIndInfo);

} // namespace rost
