#include "book/DirectoryBook.h"
#include "book/BookletOrder.h"
#include "directory/RostConnection.h"

#include "Fixture.h"
#include "RecordingSurface.h"
#include "TestFolder.h"

#include <QtTest>

#include <map>

using namespace rost;
using namespace rost::test;

namespace {

const QSizeF Letter{8.5, 11};
constexpr double BodyBottom = 11 - 0.5 - 0.35; // the page less its margin and the footer's room

QString num(int i)
{
    return QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
}

// Families F001... with `members` members each (first names M<family>-<rank>, each with a phone
// and an e-mail), written in reverse so that only the name order puts them in order; family 0
// holds a person of no household.
void writeHouseholds(const QString &folder, int families, int members, bool pictures = false)
{
    std::vector<Row> fams{family(0, QStringLiteral("AAA Nobody"))};
    std::vector<Row> people{person(1, 0, 1, QStringLiteral("Stray"), QStringLiteral("Zed"))};
    int indiv = 100;
    for (int f = families; f >= 1; --f) {
        Row r =
            family(f, QStringLiteral("F") + num(f), QStringLiteral("The F%1 Family").arg(num(f)));
        r.insert(fld::Address1, QStringLiteral("%1 Main St").arg(f));
        r.insert(fld::City, QStringLiteral("Springfield"));
        r.insert(fld::Zip, QStringLiteral("12345"));
        r.insert(fld::HomePhone, QStringLiteral("555-0%1").arg(num(f)));
        if (pictures)
            r.insert(fld::FamilyPicture, f == 2 ? QByteArray("not a picture") : QByteArray("jpeg"));
        fams.push_back(r);
        for (int m = 1; m <= members; ++m) {
            Row p = person(indiv++, f, m, QStringLiteral("M%1-%2").arg(num(f)).arg(m),
                           QStringLiteral("F") + num(f), {}, QStringLiteral("G%1").arg(m));
            p.insert(fld::Cell, QStringLiteral("555-1%1").arg(m));
            p.insert(fld::EMailAddress, QStringLiteral("m%1@example.org").arg(m));
            people.push_back(p);
        }
    }
    writeTable(folder, familiesTable(), fams);
    writeTable(folder, individualsTable(), people);
}

struct Book
{
    explicit Book(const QString &folder)
    {
        connection.setPath(folder);
        connection.connect();
    }
    BookLayout layOut(const BookOptions &options, QSizeF page = Letter)
    {
        contents = readBookContents(connection, std::nullopt, options.index);
        return layOutBook(contents, options, surface, page);
    }

    RostConnection connection;
    RecordingSurface surface{0.25 / 72, Letter};
    BookContents contents;
};

// Where a text landed: its page (from 1) and the left edge of its column.
struct Place
{
    int page = 0;
    double x = 0;
    double top = 0;
};

std::map<QString, Place> places(const BookLayout &book)
{
    std::map<QString, Place> at;
    for (std::size_t p = 0; p < book.pages.size(); ++p) {
        for (const BookText &t : book.pages[p].texts)
            at.emplace(t.text, Place{int(p) + 1, t.x, t.top});
    }
    return at;
}

int column(double x, int columns, double pageWidth = 8.5)
{
    const double width = (pageWidth - 1 - (columns - 1) * 0.25) / columns;
    return int((x - 0.5 + 1e-9) / (width + 0.25));
}

QString sidesText(const std::vector<SheetSide> &sides)
{
    QStringList out;
    for (const SheetSide &s : sides)
        out << QStringLiteral("%1|%2").arg(s.left).arg(s.right);
    return out.join(QLatin1Char(' '));
}

} // namespace

class DirectoryBookTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bookletOrder_data();
    void bookletOrder();
    void entriesStayTogetherInOrder();
    void tallEntryBreaksBetweenMembers();
    void runningHeadersAndIndex();
    void entryShowsWhatTheWindowShows();
    void bookletSheetsAndBrokenPictures();
};

void DirectoryBookTest::bookletOrder_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("sides");
    QTest::newRow("none") << 0 << "";
    QTest::newRow("1") << 1 << "0|1 0|0";
    QTest::newRow("2") << 2 << "0|1 2|0";
    QTest::newRow("3") << 3 << "0|1 2|3";
    QTest::newRow("4") << 4 << "4|1 2|3";
    QTest::newRow("5") << 5 << "0|1 2|0 0|3 4|5";
    QTest::newRow("6") << 6 << "0|1 2|0 6|3 4|5";
    QTest::newRow("7") << 7 << "0|1 2|7 6|3 4|5";
    QTest::newRow("8") << 8 << "8|1 2|7 6|3 4|5";
    QTest::newRow("9") << 9 << "0|1 2|0 0|3 4|9 8|5 6|7";
    QTest::newRow("10") << 10 << "0|1 2|0 10|3 4|9 8|5 6|7";
    QTest::newRow("11") << 11 << "0|1 2|11 10|3 4|9 8|5 6|7";
    QTest::newRow("12") << 12 << "12|1 2|11 10|3 4|9 8|5 6|7";
}

// Front and back of each sheet, outermost sheet first; blanks pad the end of the book.
void DirectoryBookTest::bookletOrder()
{
    QFETCH(int, pages);
    QFETCH(QString, sides);
    QCOMPARE(sidesText(bookletSides(pages)), sides);
}

// Households in name order from page 2, each whole in one column, none below the body, and
// columns and pages used in turn.
void DirectoryBookTest::entriesStayTogetherInOrder()
{
    TestFolder folder;
    writeHouseholds(folder.path(), 60, 3);
    for (const BookStyle style : {BookStyle::Compact3, BookStyle::Photo2}) {
        Book b(folder.path());
        BookOptions options;
        options.style = style;
        options.index = false;
        const BookLayout book = b.layOut(options);
        const int columns = style == BookStyle::Compact3 ? 3 : 2;
        QVERIFY(book.pages.size() > 2);
        QVERIFY(!book.familyPage.contains(0));
        const auto at = places(book);
        std::pair<int, int> previous{2, 0};
        for (int f = 1; f <= 60; ++f) {
            const Place head = at.at(QStringLiteral("The F%1 Family").arg(num(f)));
            const Place tail = at.at(QStringLiteral("M%1-3 F%1   (Goes by G3) ").arg(num(f)));
            QCOMPARE(tail.page, head.page);
            QCOMPARE(column(tail.x, columns), column(head.x, columns));
            QCOMPARE(book.familyPage.value(FamilyId(f)), head.page);
            const std::pair<int, int> here{head.page, column(head.x, columns)};
            QVERIFY2(here >= previous, qPrintable(QStringLiteral("family %1").arg(f)));
            QVERIFY(here.first == previous.first ? here.second <= previous.second + 1
                                                 : here.second == 0);
            previous = here;
        }
        QCOMPARE(at.at(QStringLiteral("The F001 Family")).page, 2);
        QCOMPARE(at.at(QStringLiteral("The F001 Family")).top, 0.85);
        for (const BookPage &p : book.pages) {
            for (const BookText &t : p.texts) {
                if (t.text.size() > 3) // not the page number
                    QVERIFY(t.top + t.font.size / 60 <= BodyBottom + 1e-9);
            }
        }
    }
}

// A household taller than a column goes on over the next columns, split only between members.
void DirectoryBookTest::tallEntryBreaksBetweenMembers()
{
    TestFolder folder;
    writeHouseholds(folder.path(), 2, 80);
    Book b(folder.path());
    BookOptions options;
    options.style = BookStyle::Photo1;
    options.index = false;
    const BookLayout book = b.layOut(options);
    const auto at = places(book);
    QCOMPARE(at.at(QStringLiteral("The F001 Family")).page, 2);
    // The second household starts on the page the first ends on, in the same column.
    const Place lastOfFirst = at.at(QStringLiteral("M001-80 F001   (Goes by G80) "));
    QVERIFY(lastOfFirst.page > 2);
    QCOMPARE(at.at(QStringLiteral("The F002 Family")).page, lastOfFirst.page);
    for (const BookPage &p : book.pages) {
        // Each member's phones line follows its name line on the same page.
        for (std::size_t i = 0; i < p.texts.size(); ++i) {
            if (p.texts[i].text.startsWith(QLatin1String("Cell: ")))
                QVERIFY(i > 0 && p.texts[i - 1].text.contains(QLatin1String("(Goes by")));
        }
    }
}

// Each entry page names its first and last household at the head and has its number at the foot;
// the index lists every member of a printed household with the page of its entry.
void DirectoryBookTest::runningHeadersAndIndex()
{
    TestFolder folder;
    writeHouseholds(folder.path(), 40, 4);
    Book b(folder.path());
    BookOptions options;
    options.style = BookStyle::Compact2;
    const BookLayout book = b.layOut(options);
    std::map<int, QStringList> headings; // page -> families whose entries begin there
    for (int f = 1; f <= 40; ++f)
        headings[book.familyPage.value(FamilyId(f))] << QStringLiteral("F") + num(f);
    int indexLines = 0;
    for (std::size_t i = 1; i < book.pages.size(); ++i) {
        const int page = int(i) + 1;
        const std::vector<BookText> &texts = book.pages[i].texts;
        QCOMPARE(texts.back().text, QString::number(page));
        const auto header = std::find_if(texts.begin(), texts.end(), [](const BookText &t) {
            return t.top == 0.5 && t.font.italic;
        });
        QVERIFY(header != texts.end());
        if (headings.count(page)) {
            const QStringList &h = headings[page];
            QCOMPARE(header->text,
                     h.size() == 1 ? h.first() : h.first() + QStringLiteral(" \u2013 ") + h.last());
            continue;
        }
        QCOMPARE(header->text, QStringLiteral("Index"));
        for (std::size_t t = 0; t + 1 < texts.size(); ++t) {
            if (!texts[t].text.startsWith(QLatin1Char('F')) || !texts[t].text.contains(','))
                continue;
            // "F007, G2 (M007-2)", then its leader and page number ending on the column's edge.
            const BookText &name = texts[t];
            const BookText &run = texts[t + 1];
            const int family = name.text.mid(1, 3).toInt();
            QCOMPARE(run.top, name.top);
            QVERIFY(run.text.startsWith(QLatin1String(" .")));
            QCOMPARE(run.text.section(QLatin1Char(' '), -1).toInt(),
                     book.familyPage.value(FamilyId(family)));
            const double right = run.x + RecordingSurface::widthOf(run.text, run.font.size);
            QVERIFY(std::abs(right - 4.125) < 1e-9 || std::abs(right - 8) < 1e-9);
            QVERIFY(run.x > name.x + RecordingSurface::widthOf(name.text, name.font.size));
            ++indexLines;
        }
    }
    QCOMPARE(indexLines, 160);
    QCOMPARE(b.contents.index.front().text, QStringLiteral("F001, G1 (M001-1)"));
}

// The address block, name line and phones line read as the main window shows them.
void DirectoryBookTest::entryShowsWhatTheWindowShows()
{
    TestFolder folder;
    Row intl = family(7, QStringLiteral("Smith"), QStringLiteral("The Smiths"));
    intl.insert(fld::IntlAddress, QStringLiteral("Flat 2\r\n10 High St\r\nLondon"));
    intl.insert(fld::Address1, QStringLiteral("never shown"));
    Row bill = person(11, 7, 1, QStringLiteral("William"), QStringLiteral("Smith"), {},
                      QStringLiteral("Bill"), QStringLiteral("Dr"));
    bill.insert(fld::Suffix, QStringLiteral("Jr"));
    bill.insert(fld::Cell, QStringLiteral("555-0100"));
    bill.insert(fld::OtherPhoneLabel, QStringLiteral("Home2"));
    bill.insert(fld::OtherPhone, QStringLiteral("555-0199"));
    writeTable(folder.path(), familiesTable(), {intl});
    writeTable(folder.path(), individualsTable(), {bill});
    Book b(folder.path());
    BookOptions options;
    options.style = BookStyle::Photo1;
    const BookLayout book = b.layOut(options);
    QStringList lines;
    for (const BookText &t : book.pages.at(1).texts)
        lines << t.text;
    QCOMPARE(lines.mid(0, 6), QStringList({QStringLiteral("The Smiths"), QStringLiteral("Flat 2"),
                                           QStringLiteral("10 High St"), QStringLiteral("London"),
                                           QStringLiteral("Dr William Smith Jr  (Goes by Bill) "),
                                           QStringLiteral("Cell: 555-0100   Home2: 555-0199")}));
    QVERIFY(book.pages.at(1).pictures.empty()); // no picture stored, no box
}

// A booklet draws two pages of half a sheet side by side, in booklet order; a picture that does
// not decode leaves a frame and a warning naming its family, and the rest prints.
void DirectoryBookTest::bookletSheetsAndBrokenPictures()
{
    TestFolder folder;
    writeHouseholds(folder.path(), 12, 2, true);
    Book b(folder.path());
    BookOptions options;
    options.booklet = true;
    options.style = BookStyle::Photo2;
    b.contents = readBookContents(b.connection, std::nullopt, true);
    RecordingSurface sheet(0.25 / 72, {11, 8.5});
    FamilyPictures pictures(b.connection);
    std::vector<int> started;
    const QStringList warnings = printDirectoryBook(sheet, b.contents, options, pictures,
                                                    [&](int page) { started.push_back(page); });
    QCOMPARE(warnings, QStringList(QStringLiteral(
                           "The picture of F002 (family 2) was left out: The picture cannot be "
                           "decoded.")));
    RecordingSurface measure(0.25 / 72, {5.5, 8.5});
    const BookLayout book = layOutBook(b.contents, options, measure, {5.5, 8.5});
    const int padded = int(book.pages.size() + 3) / 4 * 4;
    QCOMPARE(sheet.pages(), padded / 2);
    QCOMPARE(int(started.size()), padded / 2);
    // The title sits on the right half of the first side; page 2 on the left of the second.
    for (const RecordingSurface::Text &t : sheet.texts()) {
        if (t.text == QLatin1String("Church Directory"))
            QVERIFY(t.page == 1 && t.x > 5.5);
        if (t.text == QLatin1String("The F001 Family"))
            QVERIFY(t.page == 2 && t.x < 5.5);
    }
    int framed = 0;
    for (const RecordingSurface::Picture &p : sheet.pictures()) {
        QVERIFY(p.box.right() <= (p.box.left() < 5.5 ? 5.5 : 11.0));
        framed += p.framed;
    }
    QCOMPARE(framed, 1);
    QCOMPARE(int(sheet.pictures().size()), 12);
}

QTEST_GUILESS_MAIN(DirectoryBookTest)
#include "DirectoryBookTest.moc"
