#pragma once

#include "platform/print/PrintSurface.h"

#include <QString>
#include <QStringList>

namespace rost {

class Cursor;
class Query;

// Which of the two printed lists a job draws.
enum class ListReport : quint8 { NamePhoneEMail = 0, NameAddress = 1 };

// The name, phone and e-mail list of the people query tbSQL, in its order: one line per row
// under a bold heading printed on the first page only. tbSQL is left on its first row.
void PrintNamePhoneEMailList(PrintSurface &report, Query &tbSQL,
                             const PageStarted &pageStarted = {});

// The name, address and home phone list: a block of lines per row, the address read from the
// row's family in tbFam, which is switched to family number order and left on the family of the
// last row listed. A block never starts with three lines or fewer left on the page. tbSQL is left
// on its first row.
//
// Returns a warning for each row whose family tbFam does not hold; such a row is listed with its
// name and phone only, never with the address of the family tbFam happened to stand on.
QStringList PrintNameAddressList(PrintSurface &report, Query &tbSQL, Cursor &tbFam,
                                 const PageStarted &pageStarted = {});

// The page-producing routine of a list job: the list the selector names.
QStringList printListReport(ListReport which, PrintSurface &report, Query &tbSQL, Cursor &tbFam,
                            const PageStarted &pageStarted = {});

} // namespace rost
