#include "envelopes/EnvelopeDrawing.h"
#include "RecordingSurface.h"

#include <QtTest>

using namespace rost;

namespace {

constexpr double Descent = 0.25 / 72; // per point, the recording surface's default

EnvelopeLayout defaultLayout()
{
    EnvelopeLayout d;
    const EnvelopeFont tnr{QStringLiteral("Times New Roman"), 12, 0};
    d.RetTop = 2.3;
    d.RetLeft = 0.4;
    d.DelTop = 4.25;
    d.DelLeft = 4.75;
    d.RetNameFont = d.RetAddFont = d.DelFont = tnr;
    d.Orientation = EnvelopeLayout::Landscape;
    return d;
}

const EnvelopeText sample{QStringLiteral("R1"),
                          {QStringLiteral("R2"), QStringLiteral("R3"), QStringLiteral("R4")},
                          {QStringLiteral("D1"), QStringLiteral("D2"), QStringLiteral("D3")}};

std::vector<double> baselines(const RecordingSurface &s)
{
    std::vector<double> out;
    for (const auto &t : s.texts())
        out.push_back(t.baseline);
    return out;
}

void compareInches(const std::vector<double> &actual, const std::vector<double> &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        QVERIFY2(std::abs(actual[i] - expected[i]) < 1e-9,
                 qPrintable(QStringLiteral("line %1: %2 != %3")
                                .arg(i)
                                .arg(actual[i], 0, 'g', 12)
                                .arg(expected[i], 0, 'g', 12)));
}

} // namespace

class EnvelopeDrawingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultLayoutPositions();
    void returnSwitchOff();
    void mixedReturnFonts();
    void emptyLinesStillAdvance();
    void stylesAppliedAndReset();
    void damagedFontSize();
    void deliveryLines_data();
    void deliveryLines();
    void testEnvelopeAndReturnText();
    void orientation();
};

void EnvelopeDrawingTest::defaultLayoutPositions()
{
    RecordingSurface s;
    drawEnvelope(s, defaultLayout(), true, sample);
    const double d = 12 * Descent;
    compareInches(baselines(s), {2.5 - d, 2.7 - d, 2.9 - d, 3.1 - d, 4.45 - d, 4.65 - d, 4.85 - d});
    const QStringList order{QStringLiteral("R1"), QStringLiteral("R2"), QStringLiteral("R3"),
                            QStringLiteral("R4"), QStringLiteral("D1"), QStringLiteral("D2"),
                            QStringLiteral("D3")};
    for (std::size_t i = 0; i < s.texts().size(); ++i) {
        const auto &t = s.texts()[i];
        QCOMPARE(t.text, order.at(static_cast<qsizetype>(i)));
        QCOMPARE(t.x, i < 4 ? 0.4 : 4.75);
        QCOMPARE(t.page, 1);
        QCOMPARE(t.font, (SurfaceFont{QStringLiteral("Times New Roman"), 12}));
    }
    QCOMPARE(s.pages(), 1);
}

void EnvelopeDrawingTest::returnSwitchOff()
{
    RecordingSurface on;
    drawEnvelope(on, defaultLayout(), true, sample);
    RecordingSurface off;
    drawEnvelope(off, defaultLayout(), false, sample);
    QCOMPARE(off.texts().size(), std::size_t(3));
    for (std::size_t i = 0; i < 3; ++i) {
        QCOMPARE(off.texts()[i].text, on.texts()[i + 4].text);
        QCOMPARE(off.texts()[i].baseline, on.texts()[i + 4].baseline);
        QCOMPARE(off.texts()[i].x, on.texts()[i + 4].x);
    }
    QVERIFY(!off.calls().contains(QStringLiteral("topMargin 2.3")));
}

// The advance after the name line is the name font's line height, the address lines follow at
// their own font's height; home uses the name font's descent.
void EnvelopeDrawingTest::mixedReturnFonts()
{
    EnvelopeLayout layout = defaultLayout();
    layout.RetNameFont.Size = 24;
    layout.RetAddFont.Size = 10;
    RecordingSurface s;
    drawEnvelope(s, layout, true, sample);
    const double name = 2.3 + 0.4 - 24 * Descent;
    compareInches(baselines(s), {name, name + 0.4, name + 0.4 + 1.0 / 6, name + 0.4 + 2.0 / 6,
                                 4.45 - 12 * Descent, 4.65 - 12 * Descent, 4.85 - 12 * Descent});
    QCOMPARE(s.texts()[0].font.size, 24.0);
    QCOMPARE(s.texts()[1].font.size, 10.0);
}

void EnvelopeDrawingTest::emptyLinesStillAdvance()
{
    EnvelopeText text = sample;
    text.returnAddress[1].clear();
    text.delivery[0].clear();
    RecordingSurface s;
    drawEnvelope(s, defaultLayout(), true, text);
    const double d = 12 * Descent;
    compareInches(baselines(s), {2.5 - d, 2.7 - d, 3.1 - d, 4.65 - d, 4.85 - d});
    QCOMPARE(s.texts()[2].text, QStringLiteral("R4"));
    QCOMPARE(s.texts()[3].text, QStringLiteral("D2"));

    // A whole empty return address prints nothing there, the delivery block stays put.
    RecordingSurface blank;
    drawEnvelope(blank, defaultLayout(), true,
                 {QString(), {QString(), QString(), QString()}, sample.delivery});
    compareInches(baselines(blank), {4.45 - d, 4.65 - d, 4.85 - d});
}

void EnvelopeDrawingTest::stylesAppliedAndReset()
{
    EnvelopeLayout layout = defaultLayout();
    layout.RetNameFont.Style = EnvelopeFont::Bold | EnvelopeFont::Underline;
    layout.RetAddFont.Style = EnvelopeFont::Italic | EnvelopeFont::StrikeOut;
    layout.DelFont = {QStringLiteral("Arial"), 14, EnvelopeFont::StrikeOut};
    RecordingSurface s;
    drawEnvelope(s, layout, true, sample);

    const auto &t = s.texts();
    QVERIFY(t[0].font.bold && !t[0].font.italic && t[0].font.underline);
    QVERIFY(!t[1].font.bold && t[1].font.italic && !t[1].font.underline);
    QCOMPARE(t[4].font, (SurfaceFont{QStringLiteral("Arial"), 14})); // strikeout only: plain
    QVERIFY(!s.calls().join(QLatin1Char('\n')).contains(QLatin1String("strike")));

    const SurfaceFont end = s.font();
    QVERIFY(!end.bold && !end.italic && !end.underline);
    QCOMPARE(s.calls().mid(s.calls().size() - 3),
             (QStringList{QStringLiteral("bold off"), QStringLiteral("italic off"),
                          QStringLiteral("underline off")}));
}

// A zeroed or damaged record must neither divide by nothing nor ask the printer for absurd
// fonts: sizes are brought into 1..1000 points.
void EnvelopeDrawingTest::damagedFontSize()
{
    EnvelopeLayout layout = defaultLayout();
    layout.RetNameFont.Size = 0;
    layout.DelFont.Size = -5;
    layout.RetAddFont.Size = 2'000'000'000;
    RecordingSurface s;
    drawEnvelope(s, layout, true, sample);
    QCOMPARE(s.texts()[0].font.size, 1.0);
    QCOMPARE(s.texts()[1].font.size, 1000.0);
    QCOMPARE(s.texts()[4].font.size, 1.0);
}

void EnvelopeDrawingTest::deliveryLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("fields"); // Address1, Address2, City, State, Zip
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("full") << "Mr. and Mrs. John Smith"
                          << QStringList{"12 Elm St", "Apt 3", "Springfield", "IL", "62701"}
                          << QStringList{"Mr. and Mrs. John Smith", "12 Elm St", "Apt 3",
                                         "Springfield, IL 62701"};
    QTest::newRow("no Address2") << "Jane Doe"
                                 << QStringList{"5 Oak Rd", "", "Salem", "OR", "97301"}
                                 << QStringList{"Jane Doe", "5 Oak Rd", "Salem, OR 97301"};
    QTest::newRow("no Address1, city filled")
        << "Jane Doe" << QStringList{"", "PO Box 4", "Salem", "OR", "97301"}
        << QStringList{"Jane Doe"};
    QTest::newRow("empty city") << "X" << QStringList{"1 Main", "", "", "OR", "97301"}
                                << QStringList{"X", "1 Main", ", OR 97301"};
    QTest::newRow("all empty but Address1")
        << "X" << QStringList{"1 Main", "", "", "", ""} << QStringList{"X", "1 Main", ",  "};
    QTest::newRow("empty name line") << "" << QStringList{"1 Main", "", "Salem", "OR", "1"}
                                     << QStringList{"", "1 Main", "Salem, OR 1"};
    QTest::newRow("nothing") << "" << QStringList{"", "", "", "", ""} << QStringList{""};
}

void EnvelopeDrawingTest::deliveryLines()
{
    QFETCH(QString, name);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, lines);
    FamilyAddress a;
    a.Address1 = fields[0];
    a.Address2 = fields[1];
    a.City = fields[2];
    a.State = fields[3];
    a.Zip = fields[4];
    QCOMPARE(householdDeliveryLines(name, a), lines);
}

void EnvelopeDrawingTest::testEnvelopeAndReturnText()
{
    RecordingSurface s;
    drawEnvelope(s, defaultLayout(), true, testEnvelopeText());
    QStringList drawn;
    for (const auto &t : s.texts())
        drawn << t.text;
    QCOMPARE(drawn, (QStringList{"Test Return Address Line 1", "Test Return Address Line 2",
                                 "Test Return Address Line 3", "Test Delivery Address Line 1",
                                 "Test Delivery Address Line 2", "Test Delivery Address Line 3",
                                 "Test Delivery Address Line 4"}));
    const double d = 12 * Descent;
    compareInches(baselines(s),
                  {2.5 - d, 2.7 - d, 2.9 - d, 4.45 - d, 4.65 - d, 4.85 - d, 5.05 - d});

    Preferences prefs;
    prefs.RetAddLine1 = QStringLiteral("Grace");
    prefs.RetAddLine4 = QStringLiteral("Town");
    const EnvelopeText e = envelopeText(prefs, {QStringLiteral("D")});
    QCOMPARE(e.returnName, QStringLiteral("Grace"));
    QCOMPARE(e.returnAddress, (QStringList{QString(), QString(), QStringLiteral("Town")}));
    QCOMPARE(e.delivery, QStringList{QStringLiteral("D")});
}

void EnvelopeDrawingTest::orientation()
{
    QCOMPARE(envelopeOrientation(0), std::optional(PageOrientation::Portrait));
    QCOMPARE(envelopeOrientation(1), std::optional(PageOrientation::Landscape));
    QVERIFY(!envelopeOrientation(2).has_value());
    QVERIFY(!envelopeOrientation(255).has_value());
}

QTEST_GUILESS_MAIN(EnvelopeDrawingTest)
#include "EnvelopeDrawingTest.moc"
