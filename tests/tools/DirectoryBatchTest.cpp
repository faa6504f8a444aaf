#include "Fixture.h"
#include "PdfWords.h"
#include "TestFolder.h"
#include "sample/SamplePictures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

// rostella-batch directory as a user runs it: where the book's text lands on the page, the order
// of its households, pictures that do not decode, and the booklet.

namespace {

using Run = rost::test::ProgramRun;

Run run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    return rost::test::finishRun(process, 120000);
}

Run batch(const QStringList &args)
{
    return run(QStringLiteral(ROST_BATCH), args);
}

using PdfPage = rost::test::PdfWords;
using Word = rost::test::PdfWord;

// The text of pages from..to as pdftotext -layout lays it out.
QString layoutText(const QString &pdf, int from, int to)
{
    return QString::fromUtf8(
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(from),
             QStringLiteral("-l"), QString::number(to), pdf, QStringLiteral("-")})
            .out);
}

int pagesWritten(const Run &r)
{
    static const QRegularExpression wrote(QStringLiteral("^Wrote .* \\((\\d+) pages?\\)\\.\n$"));
    const auto m = wrote.match(QString::fromUtf8(r.out));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

constexpr double Hundredth = 0.72; // 0.01 in, in points

} // namespace

class DirectoryBatchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void positionsOnA4();
    void householdsInFindOrder();
    void picturesThatDoNotDecode();
    void bookletOfOneList();

private:
    rost::test::TestFolder m_folder;
    QString m_data;
};

void DirectoryBatchTest::initTestCase()
{
    m_data = m_folder.file(QStringLiteral("data"));
    QCOMPARE(batch({QStringLiteral("sample"), QStringLiteral("--out"), m_data}).exitCode, 0);
}

// Compact two columns on A4: the first household's heading cell starts 0.85 in from the top at
// the left margin, the second column 0.25 in right of the first's end, the page number centred
// with its cell ending on the bottom margin.
void DirectoryBatchTest::positionsOnA4()
{
    const QString pdf = m_folder.file(QStringLiteral("a4.pdf"));
    const Run r =
        batch({QStringLiteral("directory"), QStringLiteral("--data"), m_data,
               QStringLiteral("--out"), pdf, QStringLiteral("--layout"), QStringLiteral("compact2"),
               QStringLiteral("--paper"), QStringLiteral("a4"), QStringLiteral("--no-index")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    QVERIFY(pagesWritten(r) > 2);
    const PdfPage page = rost::test::readPdfWords(pdf, 2);
    QVERIFY(std::abs(page.width - 595) < 1 && std::abs(page.height - 842) < 1);
    const Word *heading = page.find(QStringLiteral("Mary"));
    QVERIFY(heading);
    QVERIFY2(std::abs(heading->xMin - 0.5 * 72) < Hundredth,
             qPrintable(QString::number(heading->xMin)));
    // pdftotext's box ends at the descent below the baseline: the bottom of the line cell.
    QVERIFY2(std::abs(heading->yMax - (0.85 + 10.0 / 60) * 72) < Hundredth,
             qPrintable(QString::number(heading->yMax)));
    const double secondColumn = (0.5 + (page.width / 72 - 1 - 0.25) / 2 + 0.25) * 72;
    QVERIFY(std::any_of(page.words.begin(), page.words.end(), [&](const Word &w) {
        return std::abs(w.xMin - secondColumn) < Hundredth && w.yMax < 100;
    }));
    const Word *number = page.find(QStringLiteral("2"));
    QVERIFY(number);
    QVERIFY(std::abs((number->xMin + number->xMax) / 2 - page.width / 2) < Hundredth);
    QVERIFY(std::abs(number->yMax - (page.height - 0.5 * 72)) < Hundredth);
}

// Page 2, after the title page, opens with the first household of the find-family list, and the
// households follow in the list's order.
void DirectoryBatchTest::householdsInFindOrder()
{
    const Run find =
        batch({QStringLiteral("find"), QStringLiteral("--data"), m_data, QStringLiteral("--family"),
               QStringLiteral("0"), QStringLiteral("--rows"), QStringLiteral("1000")});
    const Run names = batch({QStringLiteral("query"), QStringLiteral("--data"), m_data,
                             QStringLiteral("SELECT \"Family ID Num\", \"Vorel Name\" FROM "
                                            "RostFamilies")});
    QHash<QString, QString> vorel;
    for (const QString &row : QString::fromUtf8(names.out).split(QLatin1Char('\n')).mid(1))
        vorel.insert(row.section(QLatin1Char('\t'), 0, 0), row.section(QLatin1Char('\t'), 1));
    QStringList order;
    for (const QString &row :
         QString::fromUtf8(find.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString id = row.section(QLatin1Char('\t'), 0, 0);
        if (id != QLatin1String("0"))
            order << vorel.value(id);
    }
    QVERIFY(order.size() > 50);

    const QString pdf = m_folder.file(QStringLiteral("order.pdf"));
    const Run r =
        batch({QStringLiteral("directory"), QStringLiteral("--data"), m_data,
               QStringLiteral("--out"), pdf, QStringLiteral("--layout"), QStringLiteral("photo1")});
    QCOMPARE(r.exitCode, 0);
    const int pages = pagesWritten(r);
    QVERIFY(!layoutText(pdf, 1, 1).contains(order.first()));
    const QString page2 = layoutText(pdf, 2, 2);
    QCOMPARE(page2.split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(1).trimmed(), order.first());
    QString book = layoutText(pdf, 2, pages);
    book = book.left(book.indexOf(QRegularExpression(QStringLiteral("\n\\s*Index\n"))));
    qsizetype at = 0;
    for (const QString &name : order) {
        const qsizetype found = book.indexOf(name, at);
        QVERIFY2(found >= at, qPrintable(name));
        at = found + name.size();
    }
}

// A truncated JPEG, a PCX of an impossible size, a PNG with nothing after its signature and a text
// file stored as pictures: the book is written, the good picture is in it, and each family whose
// picture was left out is named.
void DirectoryBatchTest::picturesThatDoNotDecode()
{
    using namespace rost;
    const QString folder = m_folder.file(QStringLiteral("broken"));
    QVERIFY(QDir().mkpath(folder));
    const QByteArray jpeg = encodeSamplePicture(drawSamplePicture(1, 3), SamplePicture::Jpeg);
    QByteArray pcx = encodeSamplePicture(drawSamplePicture(4, 2), SamplePicture::Pcx);
    pcx[8] = char(0xff); // xMax and yMax: 65,536 pixels square
    pcx[9] = char(0xff);
    pcx[10] = char(0xff);
    pcx[11] = char(0xff);
    const std::pair<const char *, QByteArray> pictures[] = {
        {"Good", jpeg},
        {"Truncated", jpeg.left(jpeg.size() / 3)},
        {"Huge", pcx},
        {"Empty", QByteArray("\x89PNG\r\n\x1a\n", 8)},
        {"Note", QByteArray("Please call the office about our picture.\n")}};
    std::vector<test::Row> families;
    std::vector<test::Row> people;
    int id = 0;
    for (const auto &[name, bytes] : pictures) {
        ++id;
        test::Row f = test::family(id, QString::fromLatin1(name));
        f.insert(fld::FamilyPicture, bytes);
        families.push_back(f);
        people.push_back(
            test::person(10 + id, id, 1, QStringLiteral("Pat"), QString::fromLatin1(name)));
    }
    test::writeTable(folder, familiesTable(), families);
    test::writeTable(folder, individualsTable(), people);
    const QString pdf = m_folder.file(QStringLiteral("broken.pdf"));
    const Run r = batch({QStringLiteral("directory"), QStringLiteral("--data"), folder,
                         QStringLiteral("--out"), pdf});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(pagesWritten(r), 3);
    // libpng prints its own errors straight to standard error; the tool's lines are its warnings.
    const QStringList warnings = QString::fromUtf8(r.err)
                                     .split(QLatin1Char('\n'))
                                     .filter(QRegularExpression(QStringLiteral("^Warning: ")));
    QVERIFY2(warnings.size() == 4, r.err.constData());
    const QStringList named{QStringLiteral("Empty (family 4)"), QStringLiteral("Huge (family 3)"),
                            QStringLiteral("Note (family 5)"),
                            QStringLiteral("Truncated (family 2)")};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(warnings[i].startsWith(QStringLiteral("Warning: The picture of ") + named[i] +
                                        QStringLiteral(" was left out: ")),
                 qPrintable(warnings[i]));
    const Run images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    const QStringList rows =
        QString::fromUtf8(images.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 3); // two heading lines and the good picture, stored as a JPEG
    QVERIFY(rows.last().contains(QLatin1String(" jpeg ")));
}

// A booklet of one list's households: sheets in landscape, two pages a side, the title on the
// right half of the first side.
void DirectoryBatchTest::bookletOfOneList()
{
    const QString pdf = m_folder.file(QStringLiteral("booklet.pdf"));
    const Run r =
        batch({QStringLiteral("directory"), QStringLiteral("--data"), m_data,
               QStringLiteral("--out"), pdf, QStringLiteral("--booklet"), QStringLiteral("--title"),
               QStringLiteral("Elders"), QStringLiteral("--kind"), QStringLiteral("Church Offices"),
               QStringLiteral("--item"), QStringLiteral("Elder")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(pagesWritten(r) % 2, 0);
    const PdfPage first = rost::test::readPdfWords(pdf, 1);
    QVERIFY(first.width > first.height);
    const Word *title = first.find(QStringLiteral("Elders"));
    QVERIFY(title && title->xMin > first.width / 2);
    const Run bad =
        batch({QStringLiteral("directory"), QStringLiteral("--data"), m_data,
               QStringLiteral("--out"), pdf, QStringLiteral("--layout"), QStringLiteral("photo3")});
    QCOMPARE(bad.exitCode, 2);
    // A list nobody is on prints no book at all.
    QFile::remove(pdf);
    const Run none = batch({QStringLiteral("directory"), QStringLiteral("--data"), m_data,
                            QStringLiteral("--out"), pdf, QStringLiteral("--kind"),
                            QStringLiteral("Church Offices"), QStringLiteral("--item"),
                            QStringLiteral("Nobody holds this")});
    QCOMPARE(none.exitCode, 1);
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(DirectoryBatchTest)
#include "DirectoryBatchTest.moc"
