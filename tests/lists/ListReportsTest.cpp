#include "lists/ListReports.h"
#include "RecordingSurface.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "lists/ListCsv.h"
#include "lists/ListMaker.h"

#include "ListFixture.h"
#include "TestFolder.h"

#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

constexpr double Descent = 0.25 / 72 * 12; // the recording surface's, at 12 points
constexpr double FirstBaseline = 0.65 + 0.2 - Descent;

DirectorySetup officesAndActivities()
{
    DirectorySetup s;
    s.UseOffices = s.UseActivities = true;
    return s;
}

QStringList printedLines(const RecordingSurface &s)
{
    QStringList out;
    for (const QString &call : s.calls())
        if (call.startsWith(QLatin1String("printLine ")))
            out << call.mid(10);
    return out;
}

// n people of n families, each family with an address and, when phones is set, a phone; all of
// them ushers. Listed in the order of their numbers.
void writeCrowd(const QString &folder, int n, bool phones)
{
    std::vector<Row> families, people, offices;
    for (int i = 1; i <= n; ++i) {
        const QString num = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        families.push_back(household(100 + i, QStringLiteral("F") + num,
                                     QStringLiteral("Street ") + num, {}, QStringLiteral("Town"),
                                     QStringLiteral("ST"), QStringLiteral("000") + num,
                                     phones ? QStringLiteral("555-00") + num : QString()));
        people.push_back(
            person(1000 + i, 100 + i, 1, QStringLiteral("P") + num, QStringLiteral("L") + num));
        offices.push_back(entry(officesTable(), 1000 + i, QStringLiteral("Usher")));
    }
    writeTable(folder, familiesTable(), families);
    writeTable(folder, individualsTable(), people);
    writeTable(folder, officesTable(), offices);
    writeTable(folder, activitiesTable(), {});
}

struct Session
{
    explicit Session(const QString &folder) : maker(conn, officesAndActivities())
    {
        conn.setPath(folder);
        conn.connect();
        maker.openKindTables();
        tbFam.setIndexName(idx::FamilyNameOrder);
        tbFam.open();
    }
    Query &list(const QString &kind, const QString &item)
    {
        maker.chooseItem(kind, item);
        return maker.tbSQL();
    }

    RostConnection conn;
    ListMaker maker;
    Cursor tbFam{conn, QStringLiteral("RostFamilies.adt")};
};

} // namespace

class ListReportsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void phoneListLayout()
    {
        TestFolder folder;
        writeListDirectory(folder.path());
        Session s(folder.path());
        Query &q = s.list(QStringLiteral("Activities"), QStringLiteral("Choir"));
        q.gotoRow(q.recordCount() - 1);
        RecordingSurface r(0.25 / 72, {8.5, 11});
        std::vector<int> pages;
        PrintNamePhoneEMailList(r, q, [&](int p) { pages.push_back(p); });

        QCOMPARE(r.calls().mid(0, 10),
                 (QStringList{"setFont Times New Roman 12", "topMargin 0.65", "bottomMargin 0.65",
                              "leftMargin 0.65", "rightMargin 0", "clearTabs", "addTab 0.65 2.5",
                              "addTab 3.15 1.5", "addTab 4.65 2.5", "home"}));
        QCOMPARE(printedLines(r),
                 (QStringList{"\tName\tHome Phone\tE-Mail Address", "", "\tCarol Brown\t555-0303\t",
                              "\tCarol Brown\t555-0303\t",
                              "\tWilliam Smith\t555-0101\tbill@example.org"}));
        const auto &t = r.texts();
        QCOMPARE(t.size(), std::size_t(3 + 2 + 2 + 3));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(t[i].font.bold);
            QCOMPARE(t[i].baseline, FirstBaseline);
        }
        QCOMPARE(t[0].x, 0.65);
        QCOMPARE(t[1].x, 3.15);
        QCOMPARE(t[2].x, 4.65);
        QVERIFY(!t[3].font.bold);
        QVERIFY(qAbs(t[3].baseline - (FirstBaseline + 0.4)) < 1e-9);
        QCOMPARE(t.back().text, QStringLiteral("bill@example.org"));
        QCOMPARE(t.back().x, 4.65);
        QCOMPARE(pages, std::vector<int>{1});
        QCOMPARE(q.recNo(), 0);
        QVERIFY(!q.eof());
    }

    void phoneListBreaksWhenNoWholeLineIsLeft()
    {
        // 48 lines fit between the margins of a letter page: heading, blank line, 46 people.
        TestFolder folder;
        writeCrowd(folder.path(), 47, true);
        Session s(folder.path());
        RecordingSurface r(0.25 / 72, {8.5, 11});
        std::vector<int> pages;
        PrintNamePhoneEMailList(r,
                                s.list(QStringLiteral("Church Offices"), QStringLiteral("Usher")),
                                [&](int p) { pages.push_back(p); });
        QCOMPARE(r.pages(), 2);
        QCOMPARE(pages, (std::vector<int>{1, 2}));
        QCOMPARE(r.calls().count(QStringLiteral("newPage")), 1);
        int headings = 0;
        for (const auto &t : r.texts()) {
            headings += t.text == QLatin1String("Name") ? 1 : 0;
            if (t.text == QLatin1String("P46 L46")) {
                QCOMPARE(t.page, 1);
                QVERIFY(qAbs(t.baseline - (FirstBaseline + 47 * 0.2)) < 1e-9);
            }
            if (t.text == QLatin1String("P47 L47")) {
                QCOMPARE(t.page, 2);
                QVERIFY(qAbs(t.baseline - FirstBaseline) < 1e-9);
            }
        }
        QCOMPARE(headings, 1);
    }

    void addressListBlocks()
    {
        TestFolder folder;
        writeListDirectory(folder.path());
        Session s(folder.path());
        RecordingSurface r(0.25 / 72, {8.5, 11});
        const QStringList warnings = PrintNameAddressList(
            r, s.list(QStringLiteral("Church Offices"), QStringLiteral("Elder")), s.tbFam);
        QVERIFY(warnings.isEmpty());
        QCOMPARE(r.calls().mid(0, 8),
                 (QStringList{"setFont Times New Roman 12", "topMargin 0.65", "bottomMargin 0.65",
                              "leftMargin 0.65", "rightMargin 0", "clearTabs", "addTab 0.65 2.5",
                              "home"}));
        QCOMPARE(printedLines(r),
                 (QStringList{"\tCarol Brown", "\tPO Box 9", "\tSuite 4", "\tSalem, OR  97301",
                              "\t555-0303", "", "\tWilliam Smith", "\t1 Main St",
                              "\tSpringfield, IL  62701", "\t555-0101", ""}));
        for (const auto &t : r.texts())
            QCOMPARE(t.x, 0.65);
        // The main window's families cursor follows: family number order, last family listed.
        QVERIFY(s.tbFam.inOrder(idx::FamilyIdNumOrder));
        QCOMPARE(s.tbFam.integer(QStringLiteral("Family ID Num")), 1);

        // No address at all: a blank line for Address1, the city line's separators, no phone.
        RecordingSurface r2(0.25 / 72, {8.5, 11});
        PrintNameAddressList(
            r2, s.list(QStringLiteral("Church Offices"), QStringLiteral("O'Neil's Aide")), s.tbFam);
        QCOMPARE(printedLines(r2), (QStringList{"\tSean O'Neil", "\t", "\t,   ", ""}));
    }

    void addressListStartsABlockOnANewPageWithThreeLinesLeft()
    {
        // Blocks of five lines: the tenth would start with exactly three lines left.
        TestFolder folder;
        writeCrowd(folder.path(), 10, true);
        Session s(folder.path());
        RecordingSurface r(0.25 / 72, {8.5, 11});
        PrintNameAddressList(r, s.list(QStringLiteral("Church Offices"), QStringLiteral("Usher")),
                             s.tbFam);
        QCOMPARE(r.pages(), 2);
        for (const auto &t : r.texts()) {
            if (t.text == QLatin1String("P09 L09"))
                QCOMPARE(t.page, 1);
            if (t.text == QLatin1String("P10 L10")) {
                QCOMPARE(t.page, 2);
                QVERIFY(qAbs(t.baseline - FirstBaseline) < 1e-9);
            }
        }

        // Without phones the blocks have four lines: twelve fill a page to its last line and the
        // thirteenth, with nothing left, goes over.
        TestFolder folder2;
        writeCrowd(folder2.path(), 13, false);
        Session s2(folder2.path());
        RecordingSurface r2(0.25 / 72, {8.5, 11});
        PrintNameAddressList(r2, s2.list(QStringLiteral("Church Offices"), QStringLiteral("Usher")),
                             s2.tbFam);
        QCOMPARE(r2.pages(), 2);
        QCOMPARE(r2.texts().back().page, 2);
        QCOMPARE(r2.texts().back().text, QStringLiteral("Town, ST  00013"));
    }

    void familyNotFoundIsNeverListedWithAnotherAddress()
    {
        TestFolder folder;
        writeListDirectory(folder.path());
        Session s(folder.path());
        // The families cursor only shows family 3: William's family 1 cannot be found in it.
        s.tbFam.setFilter(QStringLiteral("Family ID Num = 3"));
        s.tbFam.setFiltered(true);
        RecordingSurface r(0.25 / 72, {8.5, 11});
        const QStringList warnings = PrintNameAddressList(
            r, s.list(QStringLiteral("Church Offices"), QStringLiteral("Elder")), s.tbFam);
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.first().contains(QLatin1String("Family 1")));
        QVERIFY(warnings.first().contains(QLatin1String("William Smith")));
        QCOMPARE(printedLines(r).mid(6), (QStringList{"\tWilliam Smith", "\t555-0101", ""}));
    }

    void emptyListPrintsTheHeadingOnly()
    {
        TestFolder folder;
        writeListDirectory(folder.path());
        Session s(folder.path());
        RecordingSurface r(0.25 / 72, {8.5, 11});
        Query &q = s.list(QStringLiteral("Church Offices"), QStringLiteral("Nobody"));
        QCOMPARE(printListReport(ListReport::NamePhoneEMail, r, q, s.tbFam), QStringList());
        QCOMPARE(printedLines(r).size(), 2);
    }

    void csvOfTheList()
    {
        QCOMPARE(csvField(QStringLiteral("plain")), QStringLiteral("plain"));
        QCOMPARE(csvField(QStringLiteral("Salem, OR")), QStringLiteral("\"Salem, OR\""));
        QCOMPARE(csvField(QStringLiteral("the \"Elder\"")),
                 QStringLiteral("\"the \"\"Elder\"\"\""));
        QCOMPARE(csvField(QStringLiteral("a\nb")), QStringLiteral("\"a\nb\""));
        // What a spreadsheet would run as a formula gets a quote first, then the usual quoting;
        // the characters elsewhere in a value are left alone.
        QCOMPARE(csvField(QStringLiteral("=HYPERLINK(\"x\")")),
                 QStringLiteral("\"'=HYPERLINK(\"\"x\"\")\""));
        QCOMPARE(csvField(QStringLiteral("+1 503 555 0100")), QStringLiteral("'+1 503 555 0100"));
        QCOMPARE(csvField(QStringLiteral("-2")), QStringLiteral("'-2"));
        QCOMPARE(csvField(QStringLiteral("@SUM(A1)")), QStringLiteral("'@SUM(A1)"));
        QCOMPARE(csvField(QStringLiteral("\tcmd")), QStringLiteral("'\tcmd"));
        QCOMPARE(csvField(QStringLiteral("\rcmd")), QStringLiteral("\"'\rcmd\""));
        QCOMPARE(csvField(QStringLiteral("a=b-c")), QStringLiteral("a=b-c"));
        QCOMPARE(csvField(QString()), QString());

        TestFolder folder;
        writeListDirectory(folder.path());
        Session s(folder.path());
        Cursor families(s.conn, QStringLiteral("RostFamilies.adt"));
        families.setIndexName(idx::FamilyIdNumOrder);
        families.open();
        QStringList warnings;
        Query &q = s.list(QStringLiteral("Church Offices"), QStringLiteral("Elder"));
        q.gotoRow(q.recordCount() - 1);
        const QByteArray csv = listCsv(q, families, warnings);
        QVERIFY(warnings.isEmpty());
        QCOMPARE(QString::fromUtf8(csv),
                 QStringLiteral("Last Name,First Name,Home Phone,EMail Address,Address1,Address2,"
                                "City,State,Zip\r\n"
                                "Brown,Carol,555-0303,,PO Box 9,Suite 4,Salem,OR,97301\r\n"
                                "Smith,William,555-0101,bill@example.org,1 Main St,,Springfield,IL,"
                                "62701\r\n"));
        QCOMPARE(q.recNo(), 0);
    }
};

QTEST_GUILESS_MAIN(ListReportsTest)
#include "ListReportsTest.moc"
