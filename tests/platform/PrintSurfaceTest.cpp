#include "RecordingSurface.h"

#include <QtTest>

using namespace rost;

// The cursor, tab and page rules the printed lists rely on.
class PrintSurfaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabStops();
    void linesLeft_data();
    void linesLeft();
    void newPageGoesHome();
    void setFontClearsStyles();
};

void PrintSurfaceTest::tabStops()
{
    RecordingSurface s(0.0, {8.5, 11});
    s.setLeftMargin(0.65);
    s.addTabAfterPrevious(2.5); // no stop yet: starts at the left margin
    s.addTabAfterPrevious(1.5);
    s.addTab(5.0, 2.5);
    QCOMPARE(s.tabs().size(), std::size_t(3));
    QCOMPARE(s.tabs()[1].left, 3.15);

    s.printLine(QStringLiteral("lead\tName\tPhone\t\textra\tmore"));
    const auto &t = s.texts();
    QCOMPARE(t.size(), std::size_t(5));
    QCOMPARE(t[0].x, 0.65);
    QCOMPARE(t[1].x, 0.65);
    QCOMPARE(t[2].x, 3.15);
    QCOMPARE(t[3].x, 7.5); // tabs past the last stop land at its end
    QCOMPARE(t[4].x, 7.5);
    QCOMPARE(t[4].text, QStringLiteral("more"));
    for (const auto &piece : t)
        QCOMPARE(piece.baseline, t[0].baseline);

    s.clearTabs();
    s.printLine(QStringLiteral("\tafter clear"));
    QCOMPARE(s.texts().back().x, 0.65);
    QCOMPARE(s.texts().back().baseline, t[0].baseline + 0.2);
}

void PrintSurfaceTest::linesLeft_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("printed");
    QTest::addColumn<int>("left");
    // 11 in sheet, 0.65 in margins: 9.7 in of lines. 12 pt lines are 0.2 in: 48 whole lines.
    QTest::newRow("fresh page") << 12.0 << 0 << 48;
    QTest::newRow("after 45") << 12.0 << 45 << 3;
    QTest::newRow("last line") << 12.0 << 47 << 1;
    QTest::newRow("full") << 12.0 << 48 << 0;
    QTest::newRow("overfull") << 12.0 << 60 << 0;
    QTest::newRow("10 pt") << 10.0 << 0 << 58; // 9.7 / (1/6) = 58.2
}

void PrintSurfaceTest::linesLeft()
{
    QFETCH(double, points);
    QFETCH(int, printed);
    QFETCH(int, left);
    RecordingSurface s(0.25 / 72, {8.5, 11});
    s.setFont(QStringLiteral("Times New Roman"), points);
    s.setTopMargin(0.65);
    s.setBottomMargin(0.65);
    s.home();
    for (int i = 0; i < printed; ++i)
        s.printLine(QStringLiteral("x"));
    QCOMPARE(s.linesLeft(), left);
}

void PrintSurfaceTest::newPageGoesHome()
{
    RecordingSurface s(0.0, {8.5, 11});
    s.setTopMargin(1.0);
    s.setLeftMargin(0.5);
    s.printLine(QStringLiteral("a")); // the first line homes by itself
    s.printLine(QStringLiteral("b"));
    s.newPage();
    s.printLine(QStringLiteral("c"));
    const auto &t = s.texts();
    QCOMPARE(t[0].baseline, 1.2);
    QCOMPARE(t[1].baseline, 1.4);
    QCOMPARE(t[2].baseline, 1.2);
    QCOMPARE(t[2].page, 2);
    QCOMPARE(s.pages(), 2);
    QVERIFY(s.calls().contains(QStringLiteral("newPage")));
}

void PrintSurfaceTest::setFontClearsStyles()
{
    RecordingSurface s;
    s.setFont(QStringLiteral("Arial"), 10);
    s.setBold(true);
    s.setItalic(true);
    s.setUnderline(true);
    s.setFont(QStringLiteral("Arial"), 11);
    QCOMPARE(s.font(), (SurfaceFont{QStringLiteral("Arial"), 11}));
    QCOMPARE(s.lineHeight(), 11.0 / 60);
}

QTEST_GUILESS_MAIN(PrintSurfaceTest)
#include "PrintSurfaceTest.moc"
