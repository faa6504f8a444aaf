#include "platform/render/PrintJob.h"
#include "directory/EnvelopeLayout.h"
#include "directory/IoError.h"
#include "directory/Preferences.h"
#include "envelopes/EnvelopeDrawing.h"
#include "platform/render/AllocatorTuning.h"
#include "platform/render/PainterSurface.h"
#include "platform/render/PrintSession.h"

#include "PdfWords.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

using namespace rost;

namespace {

EnvelopeLayout defaults()
{
    QTemporaryDir dir;
    EnvelopeLayout d(dir.path());
    d.SetDefaults();
    return d;
}

} // namespace

class PrintJobTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void allocatorKeepsPageBuffers(); // first: a freed buffer raises glibc's own threshold
    void testEnvelopeLandsOnTheSheet();
    void pagesAndPortrait();
    void paperOfTheMembersCountry_data();
    void paperOfTheMembersCountry();
    void failuresAreReported();
    void drawingThatThrowsLeavesOldFile();
    void noPrinterAsksForFile();
    void emptyFaceFallsBackToTheDefaultFont();
    void fitsWidthAgreesWithTheLaidOutWidth();
    void linesLaidOutAheadLandWhereTheOthersDo();
};

// The test envelope in landscape: return block 0.4 in and delivery block 4.75 in from the
// sheet's left edge, the first line cells starting at 2.3 in and 4.25 in.
void PrintJobTest::testEnvelopeLandsOnTheSheet()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("test.pdf"));
    const EnvelopeLayout layout = defaults();
    const PrintOutcome out =
        PrintJob::runToPdf(pdf, PageOrientation::Landscape, [&](PrintSurface &s) {
            drawEnvelope(s, layout, true, testEnvelopeText());
        });
    QCOMPARE(out.pages, 1);
    QCOMPARE(out.pdfPath, pdf);

    const rost::test::PdfWords text = rost::test::readPdfWords(pdf);
    QCOMPARE(text.pages, 1);
    QVERIFY(text.width > text.height);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(30000));
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                .contains(QRegularExpression(QStringLiteral("Title: +ReportPrinter Report\\n"))));
    std::vector<rost::test::PdfWord> firsts; // the word "Test" of each line
    for (const auto &w : text.words) {
        if (w.text == QLatin1String("Test"))
            firsts.push_back(w);
    }
    QCOMPARE(firsts.size(), std::size_t(7));
    // pdftotext's box runs from the font's ascent to its descent below the baseline, so its
    // bottom is the bottom of the line cell: top + n line heights.
    const double cellBottoms[] = {2.5, 2.7, 2.9, 4.45, 4.65, 4.85, 5.05};
    for (std::size_t i = 0; i < firsts.size(); ++i) {
        const double left = i < 3 ? 0.4 : 4.75;
        QVERIFY2(std::abs(firsts[i].xMin - left * 72) < 0.25,
                 qPrintable(QStringLiteral("line %1 starts at %2 pt").arg(i).arg(firsts[i].xMin)));
        QVERIFY2(std::abs(firsts[i].yMax - cellBottoms[i] * 72) < 0.25,
                 qPrintable(QStringLiteral("line %1 ends at %2 pt").arg(i).arg(firsts[i].yMax)));
    }
    QVERIFY(!QDir(dir.path())
                 .entryList(QDir::Hidden | QDir::Files)
                 .join(QLatin1Char(' '))
                 .contains(QLatin1String(".tmp")));
}

// The PDF writer's 16 MiB page buffers come from the heap, which keeps them for the next page,
// instead of being mapped and unmapped for every page.
void PrintJobTest::allocatorKeepsPageBuffers()
{
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    tuneAllocatorForPrinting();
    const std::size_t mappedBefore = mallinfo2().hblkhd;
    void *buffer = std::malloc(16 * 1024 * 1024);
    QVERIFY(buffer);
    const std::size_t mapped = mallinfo2().hblkhd - mappedBefore;
    std::free(buffer);
    QCOMPARE(mapped, std::size_t(0));
#else
    QSKIP("Only glibc's own allocator is tuned.");
#endif
}

// A PDF without a printer's settings is on the paper of the member's country.
void PrintJobTest::paperOfTheMembersCountry_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QSizeF>("inches");
    const QSizeF letter(8.5, 11);
    const QSizeF a4(210 / 25.4, 297 / 25.4);
    QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << letter;
    QTest::newRow("Canada, French") << QLocale(QLocale::French, QLocale::Canada) << letter;
    QTest::newRow("United Kingdom") << QLocale(QLocale::English, QLocale::UnitedKingdom) << a4;
    QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << a4;
    QTest::newRow("no country (C)") << QLocale::c() << a4;
}

void PrintJobTest::paperOfTheMembersCountry()
{
    QFETCH(QLocale, locale);
    QFETCH(QSizeF, inches);
    const QLocale before;
    QLocale::setDefault(locale);
    const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
    QTemporaryDir dir;
    QSizeF page;
    PrintJob::runToPdf(dir.filePath(QStringLiteral("paper.pdf")), PageOrientation::Portrait,
                       [&](PrintSurface &s) { page = s.pageSize(); });
    QVERIFY2(qAbs(page.width() - inches.width()) < 0.01 &&
                 qAbs(page.height() - inches.height()) < 0.01,
             qPrintable(QStringLiteral("%1 x %2 in").arg(page.width()).arg(page.height())));
}

void PrintJobTest::pagesAndPortrait()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("pages.pdf"));
    const PrintOutcome out =
        PrintJob::runToPdf(pdf, PageOrientation::Portrait, [](PrintSurface &s) {
            s.setFont(QStringLiteral("Arial"), 12);
            s.setTopMargin(0.65);
            s.setBottomMargin(0.65);
            QVERIFY(s.pageSize().height() > s.pageSize().width());
            s.printLine(QStringLiteral("one"));
            s.newPage();
            s.printLine(QStringLiteral("two"));
            s.newPage();
            s.printLine(QStringLiteral("three"));
        });
    QCOMPARE(out.pages, 3);
    const rost::test::PdfWords text = rost::test::readPdfWords(pdf);
    QCOMPARE(text.pages, 3);
    QVERIFY(text.height > text.width);
}

void PrintJobTest::failuresAreReported()
{
    QTemporaryDir dir;
    const auto draw = [](PrintSurface &s) { s.printLine(QStringLiteral("x")); };
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    try {
        PrintJob::runToPdf(missing, PageOrientation::Portrait, draw);
        QFAIL("a job into a missing folder reported success");
    } catch (const IoError &e) {
        QVERIFY2(e.text().contains(qt_error_string(ENOENT)), qPrintable(e.text()));
    }
    QVERIFY_THROWS_EXCEPTION(IoError,
                             PrintJob::runToPdf(dir.path(), PageOrientation::Portrait, draw));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void PrintJobTest::drawingThatThrowsLeavesOldFile()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("keep.pdf"));
    {
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error, PrintJob::runToPdf(pdf, PageOrientation::Portrait, [](PrintSurface &s) {
            s.printLine(QStringLiteral("half"));
            throw std::runtime_error("table engine failed");
        }));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.pdf"});
}

void PrintJobTest::noPrinterAsksForFile()
{
    QTemporaryDir dir;
    PrintSession &session = PrintSession::instance();
    const auto draw = [](PrintSurface &s) { s.printLine(QStringLiteral("x")); };

    QStringList offered;
    const auto cancel = [&](const QString &suggested) {
        offered << suggested;
        return QString();
    };
    QVERIFY(!session.run(PageOrientation::Portrait, draw, false, QStringLiteral("Envelope.pdf"),
                         cancel));
    QVERIFY(offered.at(0).endsWith(QLatin1String("/Envelope.pdf")));

    const QString chosen = dir.filePath(QStringLiteral("mine.pdf"));
    const auto pick = [&](const QString &suggested) {
        offered << suggested;
        return chosen;
    };
    const auto out =
        session.run(PageOrientation::Landscape, draw, false, QStringLiteral("Envelope.pdf"), pick);
    QVERIFY(out.has_value());
    QCOMPARE(out->pdfPath, chosen);
    // The whole path on a line of its own; the missing printer is named only when it is missing.
    QVERIFY(PrintSession::outcomeText(*out, false)
                .endsWith(QLatin1Char('\r') + QDir::toNativeSeparators(chosen)));
    QVERIFY(PrintSession::outcomeText(*out, false).startsWith(QLatin1String("No printer")));
    QVERIFY(!PrintSession::outcomeText(*out, true).contains(QLatin1String("No printer")));
    QCOMPARE(rost::test::readPdfWords(chosen).pages, 1);

    // The next job offers the folder chosen last.
    QVERIFY(session.run(PageOrientation::Portrait, draw, false, QStringLiteral("List.pdf"),
                        cancel) == std::nullopt);
    QCOMPARE(offered.last(), dir.filePath(QStringLiteral("List.pdf")));
}

void PrintJobTest::emptyFaceFallsBackToTheDefaultFont()
{
    // A damaged layout file may carry an empty face name.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("noface.pdf"));
    PrintJob::runToPdf(pdf, PageOrientation::Portrait, [](PrintSurface &s) {
        s.setFont(QString(), 12);
        s.home();
        s.printLine(QStringLiteral("still printed"));
    });
    QCOMPARE(rost::test::readPdfWords(pdf).pages, 1);
}

// The quick answer never says a text fits where its laid-out width does not: kerned pairs,
// ligatures, accents, a bold face and a script that is shaped.
void PrintJobTest::fitsWidthAgreesWithTheLaidOutWidth()
{
    QTemporaryDir dir;
    PrintJob::runToPdf(
        dir.filePath(QStringLiteral("fit.pdf")), PageOrientation::Portrait, [](PrintSurface &s) {
            for (const bool bold : {false, true}) {
                s.setFont(QStringLiteral("Times New Roman"), 12);
                s.setBold(bold);
                for (const char *text : {"AVAWAVAT To Ty", "office affluent", "Núñez Straße",
                                         "WWWWWWWWWW", "iiiiii", "عربي نص", ""}) {
                    const QString t = QString::fromUtf8(text);
                    const double width = s.textWidth(t);
                    QVERIFY(s.fitsWidth(t, width));
                    QVERIFY2(t.isEmpty() || !s.fitsWidth(t, width - 0.001), text);
                }
            }
        });
}

// Lines announced before they are printed are drawn from glyphs laid out on another thread; each
// word must land exactly where the painter puts it unannounced: kerned pairs, ligatures, accents,
// bold, pens at odd fractions of a pixel, tab stops, a trailing blank. Runs the helper does not lay
// out (another script, an underline) are drawn as before, and a line printed out of turn makes
// the surface drop what it laid out and go on unannounced.
void PrintJobTest::linesLaidOutAheadLandWhereTheOthersDo()
{
    const QStringList lines{QStringLiteral("AVAWAVAT To Ty"),
                            QStringLiteral("office affluent\tWally, P.A. Yo."),
                            QString::fromUtf8("Núñez Straße\t\t555-0199"),
                            QString::fromUtf8("عربي نص and Latin"),
                            QStringLiteral("Trailing blank "),
                            QStringLiteral("\tSpringfield, IL  62701")};
    const auto page = [&](PrintSurface &s, bool announce) {
        const auto prepare = [&](const QStringList &ahead) {
            if (!announce)
                return;
            for (const QString &line : ahead)
                s.prepareLine(line);
            QThread::msleep(200); // time for the helper to lay them out
        };
        s.setFont(QStringLiteral("Times New Roman"), 11.3);
        s.setTopMargin(0.3337);
        s.setLeftMargin(0.4173);
        s.addTab(1.0 / 3, 2.71);
        s.addTabAfterPrevious(1.5);
        prepare(lines);
        s.setBold(true);
        prepare(lines);
        s.setBold(false);
        for (const bool bold : {false, true}) {
            s.setBold(bold);
            for (const QString &line : lines)
                s.printLine(line);
        }
        s.setUnderline(true);
        s.printLine(lines.front());
        s.setFont(QStringLiteral("Times New Roman"), 11.3);
        prepare(lines);
        s.printLine(lines.front());
        s.printLine(QStringLiteral("Out of turn"));
        for (const QString &line : lines.mid(1))
            s.printLine(line);
    };

    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    const QString ahead = dir.filePath(QStringLiteral("ahead.pdf"));
    PrintJob::runToPdf(plain, PageOrientation::Portrait, [&](PrintSurface &s) { page(s, false); });
    PrintJob::runToPdf(ahead, PageOrientation::Portrait, [&](PrintSurface &s) { page(s, true); });
    const std::vector<rost::test::PdfWord> expected = rost::test::readPdfWords(plain).words;
    const std::vector<rost::test::PdfWord> got = rost::test::readPdfWords(ahead).words;
    QCOMPARE(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        QCOMPARE(got[i].text, expected[i].text);
        const double off = std::max(
            {std::abs(got[i].xMin - expected[i].xMin), std::abs(got[i].yMin - expected[i].yMin),
             std::abs(got[i].xMax - expected[i].xMax), std::abs(got[i].yMax - expected[i].yMax)});
        QVERIFY2(off < 1e-4,
                 qPrintable(QStringLiteral("%1 is off by %2 pt").arg(got[i].text).arg(off)));
    }
}

QTEST_MAIN(PrintJobTest)
#include "PrintJobTest.moc"
