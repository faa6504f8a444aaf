#include "lists/ListReports.h"

#include "directory/Cursor.h"
#include "directory/Query.h"
#include "directory/Tables.h"
#include "platform/print/PrintSurface.h"

namespace rost {

namespace {

constexpr double Margin = 0.65;   // inches: top, bottom and left
constexpr double NameWidth = 2.5; // inches

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
    for (tbSQL.first(); !tbSQL.eof(); tbSQL.next()) {
        if (report.linesLeft() < 1)
            newPage(report, pageStarted);
        report.printLine(tabbed(rowName(tbSQL)) + tabbed(tbSQL.text(fld::HomePhone)) +
                         tabbed(tbSQL.text(fld::EMailAddress)));
    }
    tbSQL.first();
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
    for (tbSQL.first(); !tbSQL.eof(); tbSQL.next()) {
        if (report.linesLeft() <= 3)
            newPage(report, pageStarted);
        const auto familyId = FamilyId(tbSQL.integer(fld::FamilyIdNum));
        const bool found = tbFam.findKey({familyId});
        report.printLine(tabbed(rowName(tbSQL)));
        if (found) {
            report.printLine(tabbed(tbFam.text(fld::Address1)));
            const QString address2 = tbFam.text(fld::Address2);
            if (!address2.isEmpty())
                report.printLine(tabbed(address2));
            report.printLine(tabbed(tbFam.text(fld::City) + QLatin1String(", ") +
                                    tbFam.text(fld::State) + QLatin1String("  ") +
                                    tbFam.text(fld::Zip)));
        } else {
            warnings << QStringLiteral("Family %1 of %2 was not found; the address was left out.")
                            .arg(familyId)
                            .arg(rowName(tbSQL));
        }
        const QString phone = tbSQL.text(fld::HomePhone);
        if (!phone.isEmpty())
            report.printLine(tabbed(phone));
        report.printLine(QString());
    }
    tbSQL.first();
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
