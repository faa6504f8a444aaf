#include "PdfWords.h"
#include "TestFolder.h"
#include "labels/LabelSheet.h"

#include <QProcess>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

ProgramRun batch(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(ROST_BATCH), args);
    return finishRun(process, 120000);
}

constexpr double Hundredth = 0.72; // 0.01 in, in points

// A word of the page whose box starts at (left, cell bottom), in inches, to the hundredth.
bool wordAt(const PdfWords &page, const QString &text, double left, double cellBottom)
{
    return std::any_of(page.words.begin(), page.words.end(), [&](const PdfWord &w) {
        return w.text == text && std::abs(w.xMin - left * 72) < Hundredth &&
               std::abs(w.yMax - cellBottom * 72) < Hundredth;
    });
}

} // namespace

class LabelsBatchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everySheetPlacesItsLabels_data();
    void everySheetPlacesItsLabels();
    void startAndHouseholds();
    void sheetsListed();
    void refusals_data();
    void refusals();

private:
    TestFolder m_folder;
    QString m_data;
};

void LabelsBatchTest::initTestCase()
{
    m_data = m_folder.file(QStringLiteral("data"));
    QCOMPARE(batch({QStringLiteral("sample"), QStringLiteral("--out"), m_data}).exitCode, 0);
}

void LabelsBatchTest::everySheetPlacesItsLabels_data()
{
    QTest::addColumn<QString>("sheet");
    for (const LabelSheet &sheet : builtInSheets())
        QTest::newRow(qPrintable(sheet.name)) << sheet.name;
    QTest::newRow("custom") << QString();
}

// The first and the last label of the first sheet have their first line where the geometry
// puts it: the label's corner plus the inner margin, the first line's cell (12 points, 0.2 in)
// below; on the sheet's own paper.
void LabelsBatchTest::everySheetPlacesItsLabels()
{
    QFETCH(QString, sheet);
    const QString custom = QStringLiteral("7,9,4,2,0.75,0.5,2.5,1.5,3.25,2");
    const LabelSheet geometry = sheet.isEmpty() ? customSheet(custom) : *builtInSheet(sheet);
    const QString pdf = m_folder.file(QStringLiteral("sheet.pdf"));
    const ProgramRun r =
        batch({QStringLiteral("labels"), QStringLiteral("--data"), m_data, QStringLiteral("--all"),
               sheet.isEmpty() ? QStringLiteral("--custom") : QStringLiteral("--sheet"),
               sheet.isEmpty() ? custom : sheet, QStringLiteral("--text"),
               QStringLiteral("Neighbour"), QStringLiteral("--out"), pdf});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY(r.out.startsWith("Wrote " + pdf.toUtf8() + " ("));
    const PdfWords page = readPdfWords(pdf, 1);
    QVERIFY(std::abs(page.width - geometry.paper.width() * 72) < 1);
    QVERIFY(std::abs(page.height - geometry.paper.height() * 72) < 1);
    for (const int label : {0, geometry.labelsPerSheet() - 1}) {
        const double left = geometry.labelLeft(label) + 0.06;
        const double cellBottom = geometry.labelTop(label) + 0.06 + 0.2;
        QVERIFY2(wordAt(page, QStringLiteral("Neighbour"), left, cellBottom),
                 qPrintable(
                     QStringLiteral("label %1 at %2, %3 in").arg(label).arg(left).arg(cellBottom)));
    }
}

// Row 3, column 2 of a 5160 sheet: the first label is the eighth place; one per household names
// the couple of the sample's first household together.
void LabelsBatchTest::startAndHouseholds()
{
    const QString pdf = m_folder.file(QStringLiteral("start.pdf"));
    const auto run = [&](const QStringList &more) {
        return batch(QStringList{QStringLiteral("labels"), QStringLiteral("--data"), m_data,
                                 QStringLiteral("--all"), QStringLiteral("--sheet"),
                                 QStringLiteral("5160"), QStringLiteral("--name"),
                                 QStringLiteral("FormalName"), QStringLiteral("--out"), pdf} +
                     more);
    };
    const ProgramRun each = run({QStringLiteral("--start"), QStringLiteral("3,2")});
    QCOMPARE(each.exitCode, 0);
    const ProgramRun households = run({QStringLiteral("--per-household")});
    QCOMPARE(households.exitCode, 0);
    const QRegularExpression count(QStringLiteral("\\((\\d+) labels, (\\d+) pages\\)"));
    const int people = count.match(QString::fromUtf8(each.out)).captured(1).toInt();
    const int homes = count.match(QString::fromUtf8(households.out)).captured(1).toInt();
    QVERIFY2(people > homes && homes > 0, (each.out + households.out).constData());

    QCOMPARE(run({QStringLiteral("--start"), QStringLiteral("3,2")}).exitCode, 0);
    const PdfWords first = readPdfWords(pdf, 1);
    const PdfWord *word = &first.words.front();
    QVERIFY(std::abs(word->xMin - (0.1875 + 2.75 + 0.06) * 72) < Hundredth);
    QVERIFY(std::abs(word->yMax - (0.5 + 2 + 0.06 + 0.2) * 72) < Hundredth);
}

void LabelsBatchTest::sheetsListed()
{
    const ProgramRun r = batch({QStringLiteral("labels"), QStringLiteral("--sheets")});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), qsizetype(builtInSheets().size()));
    QVERIFY(lines[0].startsWith(QStringLiteral("5160\tLetter, 30 labels")));
    QVERIFY(lines.last().startsWith(QStringLiteral("L7165\tA4, 8 labels")));
}

void LabelsBatchTest::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown sheet")
        << QStringList{"--all", "--sheet", "9999", "--name", "FormalName"} << 2
        << "No sheet is named \"9999\"";
    QTest::newRow("start off the sheet")
        << QStringList{"--all", "--sheet", "L7165", "--start", "5,1", "--name", "FormalName"} << 2
        << "within the sheet's 4 rows and 2 columns";
    QTest::newRow("bad custom") << QStringList{"--all", "--custom", "1,2,3", "--text", "x"} << 2
                                << "ten numbers";
    QTest::newRow("no name line") << QStringList{"--all", "--sheet", "5160"} << 2 << "--name";
    QTest::newRow("empty return address")
        << QStringList{"--return-labels", "--sheet", "5160"} << 1 << "nothing was written";
    QTest::newRow("unknown list") << QStringList{"--kind",  "Hobbies", "--item", "Golf",
                                                 "--sheet", "5160",    "--text", "x"}
                                  << 1 << "No list field \"Hobbies\"";
}

void LabelsBatchTest::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString pdf = m_folder.file(QStringLiteral("refused.pdf"));
    const ProgramRun r =
        batch(QStringList{QStringLiteral("labels"), QStringLiteral("--data"), m_data} + args +
              QStringList{QStringLiteral("--out"), pdf});
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
    QVERIFY(!QFile::exists(pdf));
}

QTEST_GUILESS_MAIN(LabelsBatchTest)
#include "LabelsBatchTest.moc"
