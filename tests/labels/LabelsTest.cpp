#include "RecordingSurface.h"
#include "directory/RostConnection.h"
#include "labels/LabelComposer.h"
#include "labels/LabelPrinting.h"
#include "labels/LabelSheet.h"

#include "ListFixture.h"
#include "TestFolder.h"

#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

void writeLabelDirectory(const QString &folder)
{
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    writeTable(
        folder, familiesTable(),
        {household(1, s("Adams"), s("1 A St"), {}, s("Aville"), s("AA"), s("11111")),
         household(2, s("Baker"), s("2 B St"), s("Flat 2"), s("Bville"), s("BB"), s("22222")),
         household(3, s("Clark"), {}, {}, s("Cville"), s("CC"), s("33333")),
         household(4, s("Davis"), s("4 D St"), {}, s("Dville"), s("DD"), s("44444"))});
    writeTable(folder, individualsTable(),
               {person(13, 1, 3, s("Tim"), s("Adams"), s("Minor Child"), s("Timmy")),
                person(11, 1, 1, s("John"), s("Adams"), s("Husband"), s("Jack"), s("Mr")),
                person(12, 1, 2, s("Jane"), s("Adams"), s("Wife"), s("Janie"), s("Mrs")),
                person(21, 2, 1, s("Bob"), s("Baker"), s("Single Adult"), s("Bob")),
                person(22, 2, 2, s("Ann"), s("Baker"), s("Adult Child"), s("Annie")),
                person(31, 3, 1, s("Cathy"), s("Clark"), s("Single Adult")),
                person(41, 4, 1, s("Pat"), s("Davis"), s("Partner"), s("Pat")),
                person(42, 4, 2, s("Sam"), s("Davis"), s("Partner"), s("Sammy")),
                person(51, 9, 1, s("Nora"), s("Nofamily"), s("Single Adult")),
                person(61, 0, 1, s("Olga"), s("Nohouse"), s("Single Adult"))});
}

struct Directory
{
    Directory()
    {
        writeLabelDirectory(folder.path());
        conn.setPath(folder.path());
        conn.connect();
    }
    TestFolder folder;
    RostConnection conn;
};

ListEnvelopeStyle styleOf(const QString &style)
{
    ListEnvelopeStyle chosen;
    if (const auto line = nameLineFromName(style)) {
        chosen.style = line;
    } else {
        chosen.style.reset();
        chosen.userDefined = style;
    }
    return chosen;
}

LabelSheet sheet5160()
{
    return *builtInSheet(QStringLiteral("5160"));
}

const EnvelopeFont Font{QStringLiteral("Times New Roman"), 12, 0};

} // namespace

class LabelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void composedLabels_data();
    void composedLabels();
    void deliveryLinesFollowTheEnvelopes();
    void everyoneByHousehold();
    void startPositionSkipsLabels();
    void longLinesShrinkThenCut();
    void tooManyLinesForTheLabel();
    void customSheets_data();
    void customSheets();
    void emptyReturnAddressGivesNoLabels();
};

// Who gets a label and under which name line; with one label per household a family is named
// once, the couple together when husband and wife (or partners) are both there.
void LabelsTest::composedLabels_data()
{
    QTest::addColumn<QList<int>>("people");
    QTest::addColumn<bool>("perHousehold");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QStringList>("nameLines");
    QTest::addColumn<int>("warnings");

    QTest::newRow("couple") << QList<int>{11, 12} << true << "FormalName"
                            << QStringList{"John and Jane Adams"} << 0;
    QTest::newRow("couple, wife first, titles")
        << QList<int>{12, 11} << true << "FormalTitle" << QStringList{"Mr and Mrs John Adams"} << 0;
    QTest::newRow("child, then the couple") << QList<int>{13, 11, 12} << true << "InformalName"
                                            << QStringList{"Jack and Janie Adams"} << 0;
    QTest::newRow("a couple line kept") << QList<int>{12, 11, 13} << true << "InformalNameAndSpouse"
                                        << QStringList{"Jack and Janie Adams"} << 0;
    QTest::newRow("two without a spouse line")
        << QList<int>{22, 21} << true << "FormalName" << QStringList{"Bob Baker"} << 0;
    QTest::newRow("partners") << QList<int>{42, 41} << true << "InformalName"
                              << QStringList{"Pat and Sammy Davis"} << 0;
    QTest::newRow("a label each") << QList<int>{11, 12} << false << "FormalName"
                                  << QStringList{"John Adams", "Jane Adams"} << 0;
    QTest::newRow("couple style for one, as the envelopes")
        << QList<int>{11} << true << "FormalNameAndSpouse" << QStringList{"John and Jane Adams"}
        << 0;
    QTest::newRow("typed text, households in order")
        << QList<int>{21, 11, 12, 22, 31} << true << "The Family"
        << QStringList{"The Family", "The Family", "The Family"} << 0;
    QTest::newRow("no household for family 0") << QList<int>{61, 61} << true << "FormalName"
                                               << QStringList{"Olga Nohouse", "Olga Nohouse"} << 2;
    QTest::newRow("missing person and family")
        << QList<int>{99, 51} << true << "FormalName" << QStringList{"Nora Nofamily"} << 2;
}

void LabelsTest::composedLabels()
{
    QFETCH(QList<int>, people);
    QFETCH(bool, perHousehold);
    QFETCH(QString, style);
    QFETCH(QStringList, nameLines);
    QFETCH(int, warnings);
    Directory d;
    LabelComposer composer(d.conn);
    const std::vector<LabelLines> labels = composer.compose(
        std::vector<IndivId>(people.begin(), people.end()), styleOf(style), perHousehold);
    QStringList firstLines;
    for (const LabelLines &l : labels)
        firstLines << l.value(0);
    QCOMPARE(firstLines, nameLines);
    QCOMPARE(composer.warnings().size(), warnings);
}

void LabelsTest::deliveryLinesFollowTheEnvelopes()
{
    Directory d;
    LabelComposer composer(d.conn);
    const auto labels = composer.compose({11, 21, 31, 51}, styleOf("FormalName"), false);
    QCOMPARE(labels.size(), std::size_t(4));
    QCOMPARE(labels[0], (QStringList{"John Adams", "1 A St", "Aville, AA 11111"}));
    QCOMPARE(labels[1], (QStringList{"Bob Baker", "2 B St", "Flat 2", "Bville, BB 22222"}));
    QCOMPARE(labels[2], QStringList{"Cathy Clark"}); // no Address1: the name alone
    QCOMPARE(labels[3], QStringList{"Nora Nofamily"});
    QVERIFY(composer.warnings().value(0).contains(QLatin1String("label")));
}

// Households in family name order, each one's people by rank; family 0 and people whose family
// is not in the table are left out.
void LabelsTest::everyoneByHousehold()
{
    Directory d;
    QCOMPARE(everyoneInDirectory(d.conn), (std::vector<IndivId>{11, 12, 13, 21, 22, 31, 41, 42}));
    LabelComposer composer(d.conn);
    QCOMPARE(composer.compose(everyoneInDirectory(d.conn), styleOf("FormalName"), true).size(),
             std::size_t(4));
}

// Row 3, column 2 of a 30-label sheet: seven labels stay empty, the 24th label starts the next
// sheet at its first place.
void LabelsTest::startPositionSkipsLabels()
{
    const LabelSheet sheet = sheet5160();
    const int skipped = *LabelStart{3, 2}.skipped(sheet);
    QCOMPARE(skipped, 7);
    QVERIFY(!(LabelStart{11, 1}.skipped(sheet)));
    QVERIFY(!(LabelStart{1, 4}.skipped(sheet)));

    std::vector<LabelLines> labels;
    for (int i = 0; i < 24; ++i)
        labels.push_back({QStringLiteral("L%1").arg(i)});
    RecordingSurface surface(0.25 / 72, sheet.paper);
    QVERIFY(drawLabels(surface, sheet, skipped, labels, Font).isEmpty());
    const auto &texts = surface.texts();
    QCOMPARE(texts.size(), std::size_t(24));
    const double lineHeight = 12.0 / 60;
    QCOMPARE(texts[0].page, 1);
    QCOMPARE(texts[0].x, 0.1875 + 2.75 + LabelInnerMargin);
    QCOMPARE(texts[0].baseline, 0.5 + 2 + LabelInnerMargin + lineHeight - surface.descentOf(12));
    QCOMPARE(texts[22].page, 1); // the sheet's last label
    QCOMPARE(texts[22].x, 0.1875 + 2 * 2.75 + LabelInnerMargin);
    QCOMPARE(texts[22].baseline, 0.5 + 9 + LabelInnerMargin + lineHeight - surface.descentOf(12));
    QCOMPARE(texts[23].page, 2);
    QCOMPARE(texts[23].x, 0.1875 + LabelInnerMargin);
}

// A 40-character line is set small enough to fit; a 70-character one is still too wide at 6
// points and is cut with an ellipsis, and its label is named.
void LabelsTest::longLinesShrinkThenCut()
{
    const LabelSheet sheet = sheet5160();
    const QString fits(40, QLatin1Char('w'));
    const QString tooLong(70, QLatin1Char('x'));
    RecordingSurface surface(0.25 / 72, sheet.paper);
    const QStringList warnings =
        drawLabels(surface, sheet, 4, {{QStringLiteral("Short"), fits}, {tooLong}}, Font);
    const auto &texts = surface.texts();
    QCOMPARE(texts.size(), std::size_t(3));
    QCOMPARE(texts[0].font.size, 12.0);
    QCOMPARE(texts[1].text, fits);
    QCOMPARE(texts[1].font.size, 9.0);
    QCOMPARE(texts[1].baseline - texts[0].baseline, 12.0 / 60);
    QCOMPARE(texts[2].font.size, SmallestLabelPoints);
    QCOMPARE(texts[2].text, QString(59, QLatin1Char('x')) + QStringLiteral("…"));
    QVERIFY(RecordingSurface::widthOf(texts[2].text, 6) <= sheet.width - 2 * LabelInnerMargin);
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings[0].contains(QLatin1String("sheet 1, row 2, column 3")),
             qPrintable(warnings[0]));

    // Characters of two code units are cut whole: 59 units fit, the 59th is the first half of
    // the 30th emoji.
    RecordingSurface emoji(0.25 / 72, sheet.paper);
    drawLabels(emoji, sheet, 0, {{QString::fromUtf8("😀").repeated(40)}}, Font);
    QCOMPARE(emoji.texts()[0].text, QString::fromUtf8("😀").repeated(29) + QStringLiteral("…"));
}

// Lines that would not fit the label's height even at 6 points are left out and the label named.
void LabelsTest::tooManyLinesForTheLabel()
{
    LabelSheet low = customSheet(QStringLiteral("8.5,11,1,1,1,1,4,0.3,4,0.3"));
    RecordingSurface surface(0.25 / 72, low.paper);
    const QStringList warnings =
        drawLabels(surface, low, 0, {{"one", "two", "three", "four"}}, Font);
    QCOMPARE(surface.texts().size(), std::size_t(1));
    QCOMPARE(surface.texts()[0].font.size, SmallestLabelPoints);
    QCOMPARE(warnings.size(), 1);
}

void LabelsTest::customSheets_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem"); // empty: accepted

    QTest::newRow("5160 by hand") << "8.5,11,10,3,0.5,0.1875,2.625,1,2.75,1"
                                  << "";
    QTest::newRow("one label") << "4,6, 1 ,1,0,0,4,6,0,0"
                               << "";
    QTest::newRow("nine numbers") << "8.5,11,10,3,0.5,0.1875,2.625,1,2.75"
                                  << "ten numbers";
    QTest::newRow("a word") << "8.5,11,ten,3,0.5,0.1875,2.625,1,2.75,1"
                            << "not a number";
    QTest::newRow("half a row") << "8.5,11,2.5,3,0.5,0.1875,2.625,1,2.75,1"
                                << "whole numbers";
    QTest::newRow("overlapping") << "8.5,11,10,3,0.5,0.1875,2.625,1,2.5,1"
                                 << "overlap";
    QTest::newRow("off the paper") << "8.5,11,11,3,0.5,0.1875,2.625,1,2.75,1"
                                   << "do not fit";
    QTest::newRow("negative margin") << "8.5,11,10,3,-0.5,0.1875,2.625,1,2.75,1"
                                     << "negative";
    QTest::newRow("not a number") << "8.5,nan,10,3,0.5,0.1875,2.625,1,2.75,1"
                                  << "paper";
    QTest::newRow("tiny label") << "8.5,11,10,3,0.5,0.1875,0.2,1,2.75,1"
                                << "at least";
    QTest::newRow("no rows") << "8.5,11,0,3,0.5,0.1875,2.625,1,2.75,1"
                             << "rows";
}

void LabelsTest::customSheets()
{
    QFETCH(QString, text);
    QFETCH(QString, problem);
    try {
        const LabelSheet sheet = customSheet(text);
        QVERIFY2(problem.isEmpty(), "accepted");
        QCOMPARE(customSheet(customSheetText(sheet)).labelsPerSheet(), sheet.labelsPerSheet());
    } catch (const LabelSheetError &e) {
        QVERIFY2(!problem.isEmpty() && e.text.contains(problem), qPrintable(e.text));
    }
}

void LabelsTest::emptyReturnAddressGivesNoLabels()
{
    Preferences prefs;
    QVERIFY(returnLabels(prefs, 30).empty());
    prefs.RetAddLine3 = QStringLiteral("Springfield");
    const auto labels = returnLabels(prefs, 23);
    QCOMPARE(labels.size(), std::size_t(23));
    QCOMPARE(labels[22].value(2), QStringLiteral("Springfield"));
}

QTEST_GUILESS_MAIN(LabelsTest)
#include "LabelsTest.moc"
