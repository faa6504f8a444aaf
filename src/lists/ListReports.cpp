#include "lists/ListReports.h"

#include "directory/Cursor.h"
#include "directory/Query.h"
#include "directory/Tables.h"
#include "platform/print/PrintSurface.h"

#include <deque>
#include <utility>

namespace rost {

namespace {

constexpr double Margin = 0.65;   // inches: top, bottom and left
constexpr double NameWidth = 2.5; // inches
// Rows are composed up to this far ahead of the one printed and their lines announced to the
// surface, which lays them out meanwhile: two pages of the one-line rows, more of the others.
// They are composed in batches, once half are printed, so the surface's helper is woken once a
// batch.
constexpr std::size_t RowsAhead = 96;

void beginList(PrintSurface &report)
{
    report.setFont(QStringLiteral("Times New Roman"), 12);
    report.setTopMargin(Margin);
    report.setBottomMargin(Margin);
    report.setLeftMargin(Margin);
    report.setRightMargin(0);
    report.clearTabs();
}

void newPage(PrintSurface &report, const PageStarted &pageStarted)
{
    report.newPage();
    if (pageStarted)
        pageStarted(report.pageNumber());
}

QString rowName(const Query &tbSQL)
{
    return tbSQL.text(fld::FirstName) + QLatin1Char(' ') + tbSQL.text(fld::LastName);
}

QString tabbed(const QString &text)
{
    return QLatin1Char('\t') + text;
}

// Prints the lines compose() gives for each row of tbSQL, first to last, calling startRow()
// before each row's first line. tbSQL is left on its first row.
template <typename Compose, typename StartRow>
void printRows(PrintSurface &report, Query &tbSQL, Compose compose, StartRow startRow)
{
    std::deque<QStringList> ahead;
    const auto composeAhead = [&] {
        if (ahead.size() > RowsAhead / 2)
            return;
        for (; ahead.size() < RowsAhead && !tbSQL.eof(); tbSQL.next()) {
            QStringList lines = compose();
            for (const QString &line : lines)
                report.prepareLine(line);
            ahead.push_back(std::move(lines));
        }
    };
    tbSQL.first();
    for (composeAhead(); !ahead.empty(); composeAhead()) {
        startRow();
        for (const QString &line : ahead.front())
            report.printLine(line);
        ahead.pop_front();
    }
    tbSQL.first();
}

} // namespace

void PrintNamePhoneEMailList(PrintSurface &report, Query &tbSQL, const PageStarted &pageStarted)
{
    if (pageStarted)
        pageStarted(report.pageNumber());
    beginList(report);
    report.addTab(Margin, NameWidth);
    report.addTabAfterPrevious(1.5);
    report.addTabAfterPrevious(2.5);
    report.home();
    report.setBold(true);
    report.printLine(QStringLiteral("\tName\tHome Phone\tE-Mail Address"));
    report.setBold(false);
    report.printLine(QString());
    printRows(
        report, tbSQL,
        [&] {
            return QStringList{tabbed(rowName(tbSQL)) + tabbed(tbSQL.text(fld::HomePhone)) +
                               tabbed(tbSQL.text(fld::EMailAddress))};
        },
        [&] {
            if (report.linesLeft() < 1)
                newPage(report, pageStarted);
        });
}

QStringList PrintNameAddressList(PrintSurface &report, Query &tbSQL, Cursor &tbFam,
                                 const PageStarted &pageStarted)
{
    if (pageStarted)
        pageStarted(report.pageNumber());
    QStringList warnings;
    tbFam.setIndexName(idx::FamilyIdNumOrder);
    beginList(report);
    report.addTab(Margin, NameWidth);
    report.home();
    printRows(
        report, tbSQL,
        [&] {
            QStringList lines{tabbed(rowName(tbSQL))};
            const auto familyId = FamilyId(tbSQL.integer(fld::FamilyIdNum));
            if (tbFam.findKey({familyId})) {
                lines << tabbed(tbFam.text(fld::Address1));
                const QString address2 = tbFam.text(fld::Address2);
                if (!address2.isEmpty())
                    lines << tabbed(address2);
                lines << tabbed(tbFam.text(fld::City) + QLatin1String(", ") +
                                tbFam.text(fld::State) + QLatin1String("  ") +
                                tbFam.text(fld::Zip));
            } else {
                warnings << QStringLiteral(
                                "Family %1 of %2 was not found; the address was left out.")
                                .arg(familyId)
                                .arg(rowName(tbSQL));
            }
            const QString phone = tbSQL.text(fld::HomePhone);
            if (!phone.isEmpty())
                lines << tabbed(phone);
            lines << QString();
            return lines;
        },
        [&] {
            if (report.linesLeft() <= 3)
                newPage(report, pageStarted);
        });
    return warnings;
}

QStringList printListReport(ListReport which, PrintSurface &report, Query &tbSQL, Cursor &tbFam,
                            const PageStarted &pageStarted)
{
    if (which == ListReport::NamePhoneEMail) {
        PrintNamePhoneEMailList(report, tbSQL, pageStarted);
        return {};
    }
    return PrintNameAddressList(report, tbSQL, tbFam, pageStarted);
}

} // namespace rost
