#include "lists/ListEnvelopes.h"
#include "RecordingSurface.h"
#include "directory/RostConnection.h"
#include "lists/ListMaker.h"
#include "names/HouseholdNameComposer.h"

#include "ListFixture.h"
#include "TestFolder.h"

#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

EnvelopeLayout layout()
{
    EnvelopeLayout d;
    const EnvelopeFont tnr{QStringLiteral("Times New Roman"), 12, 0};
    d.RetTop = 2.3;
    d.RetLeft = 0.4;
    d.DelTop = 4.25;
    d.DelLeft = 4.75;
    d.RetNameFont = d.RetAddFont = d.DelFont = tnr;
    return d;
}

Preferences returnAddress()
{
    Preferences p;
    p.RetAddLine1 = QStringLiteral("First Church");
    p.RetAddLine2 = QStringLiteral("10 Church Rd");
    p.RetAddLine3 = QString();
    p.RetAddLine4 = QStringLiteral("Aville, AA 11111");
    return p;
}

void writeEnvelopeDirectory(const QString &folder)
{
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    writeTable(
        folder, familiesTable(),
        {household(1, s("Adams"), s("1 A St"), {}, s("Aville"), s("AA"), s("11111")),
         household(2, s("Baker"), s("2 B St"), s("Flat 2"), s("Bville"), s("BB"), s("22222")),
         household(3, s("Clark"), {}, {}, s("Cville"), s("CC"), s("33333"))});
    writeTable(folder, individualsTable(),
               {person(11, 1, 1, s("John"), s("Adams"), s("Husband"), s("Jack"), s("Mr")),
                person(12, 1, 2, s("Jane"), s("Adams"), s("Wife"), s("Janie"), s("Mrs")),
                person(21, 2, 1, s("Bob"), s("Baker"), s("Single Adult")),
                person(31, 3, 1, s("Cathy"), s("Clark"), s("Single Adult")),
                person(51, 9, 1, s("Nora"), s("Nofamily"), s("Single Adult"))});
    writeTable(folder, officesTable(),
               {entry(officesTable(), 31, s("Three")), entry(officesTable(), 11, s("Three")),
                entry(officesTable(), 21, s("Three")), entry(officesTable(), 11, s("Couple")),
                entry(officesTable(), 12, s("Couple")), entry(officesTable(), 12, s("Mixed")),
                entry(officesTable(), 21, s("Mixed"))});
}

// Every envelope of a list, as a job draws them one after the other.
struct Composed
{
    std::vector<EnvelopeText> pages;
    QStringList warnings;
};

Composed drain(ListEnvelopeSource &source)
{
    Composed composed;
    while (std::optional<EnvelopeText> envelope = source.next())
        composed.pages.push_back(*envelope);
    composed.warnings = source.warnings();
    return composed;
}

struct Session
{
    explicit Session(const QString &folder) : maker(conn, setup()), names(conn)
    {
        conn.setPath(folder);
        conn.connect();
    }
    static DirectorySetup setup()
    {
        DirectorySetup s;
        s.UseOffices = true;
        return s;
    }
    ListEnvelopeSource source(const QString &item, const ListEnvelopeStyle &style)
    {
        maker.chooseItem(QStringLiteral("Church Offices"), item);
        return ListEnvelopeSource(maker.tbSQL(), names, prefs, style);
    }
    Composed compose(const QString &item, const ListEnvelopeStyle &style)
    {
        ListEnvelopeSource envelopes = source(item, style);
        return drain(envelopes);
    }

    RostConnection conn;
    ListMaker maker;
    HouseholdNameComposer names;
    const Preferences prefs = returnAddress(); // the source reads it while it composes
};

QList<QStringList> deliveries(const Composed &p)
{
    QList<QStringList> out;
    for (const EnvelopeText &t : p.pages)
        out << t.delivery;
    return out;
}

} // namespace

class ListEnvelopesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneEnvelopePerRowInTheListsOrder()
    {
        TestFolder folder;
        writeEnvelopeDirectory(folder.path());
        Session s(folder.path());
        const Composed p = s.compose(QStringLiteral("Three"), {});
        QVERIFY(p.warnings.isEmpty());
        QCOMPARE(deliveries(p),
                 (QList<QStringList>{{"John Adams", "1 A St", "Aville, AA 11111"},
                                     {"Bob Baker", "2 B St", "Flat 2", "Bville, BB 22222"},
                                     {"Cathy Clark"}}));
        QCOMPARE(p.pages.front().returnName, QStringLiteral("First Church"));
        QCOMPARE(p.pages.front().returnAddress,
                 (QStringList{"10 Church Rd", "", "Aville, AA 11111"}));

        // Drawn twice, as a preview does: the same pages each time, composed as they are drawn.
        ListEnvelopeSource envelopes = s.source(QStringLiteral("Three"), {});
        RecordingSurface preview;
        drawListEnvelopes(preview, layout(), true, envelopes);
        RecordingSurface r;
        std::vector<int> started;
        drawListEnvelopes(r, layout(), true, envelopes, [&](int page) { started.push_back(page); });
        QCOMPARE(r.calls(), preview.calls());
        QCOMPARE(envelopes.composed(), 3);
        QCOMPARE(r.pages(), 3);
        QCOMPARE(started, (std::vector<int>{1, 2, 3}));
        QCOMPARE(r.calls().count(QStringLiteral("newPage")), 2);
        QVERIFY(r.calls().first() != QLatin1String("newPage"));
        for (const auto &t : r.texts())
            if (t.text == QLatin1String("Bob Baker"))
                QCOMPARE(t.page, 2);
    }

    void coupleStylesNameEachPersonFirst()
    {
        TestFolder folder;
        writeEnvelopeDirectory(folder.path());
        Session s(folder.path());
        QCOMPARE(
            deliveries(s.compose(QStringLiteral("Couple"), {NameLine::FormalNameAndSpouse, {}})),
            (QList<QStringList>{{"Jane and John Adams", "1 A St", "Aville, AA 11111"},
                                {"John and Jane Adams", "1 A St", "Aville, AA 11111"}}));
        QCOMPARE(deliveries(s.compose(QStringLiteral("Couple"),
                                      {NameLine::InformalNameAndSpouseTitle, {}}))
                     .at(0)
                     .first(),
                 QStringLiteral("Mr and Mrs Jack Adams"));
        // A married first row must not lend its spouse or address to a single second row.
        QCOMPARE(
            deliveries(s.compose(QStringLiteral("Mixed"), {NameLine::FormalNameAndSpouse, {}})),
            (QList<QStringList>{{"Jane and John Adams", "1 A St", "Aville, AA 11111"},
                                {"Bob Baker", "2 B St", "Flat 2", "Bville, BB 22222"}}));
        QCOMPARE(
            deliveries(s.compose(QStringLiteral("Mixed"), {NameLine::FormalNameAndSpouseTitle, {}}))
                .at(1)
                .first(),
            QStringLiteral("Bob Baker"));
    }

    void userDefinedTextOnEveryEnvelope()
    {
        TestFolder folder;
        writeEnvelopeDirectory(folder.path());
        Session s(folder.path());
        const QString longText(300, QLatin1Char('x'));
        const Composed p = s.compose(QStringLiteral("Three"), {std::nullopt, longText});
        QCOMPARE(p.pages.size(), std::size_t(3));
        for (const EnvelopeText &t : p.pages)
            QCOMPARE(t.delivery.first(), longText.left(255));
        QCOMPARE(s.compose(QStringLiteral("Three"), {std::nullopt, QStringLiteral("Resident")})
                     .pages.back()
                     .delivery,
                 QStringList{QStringLiteral("Resident")});
    }

    void emptyListAndNoReturnAddress()
    {
        TestFolder folder;
        writeEnvelopeDirectory(folder.path());
        Session s(folder.path());
        const Composed none = s.compose(QStringLiteral("Nobody"), {});
        QVERIFY(none.pages.empty());
        ListEnvelopeSource nobody = s.source(QStringLiteral("Nobody"), {});
        QVERIFY(nobody.empty());
        RecordingSurface empty;
        drawListEnvelopes(empty, layout(), true, nobody);
        QVERIFY(empty.calls().isEmpty());

        ListEnvelopeSource three = s.source(QStringLiteral("Three"), {});
        QVERIFY(!three.empty());
        RecordingSurface r;
        drawListEnvelopes(r, layout(), false, three);
        QCOMPARE(r.pages(), 3);
        for (const auto &t : r.texts())
            QCOMPARE(t.x, 4.75);
    }

    void missingIndividualOrFamilyIsNeverSomeoneElses()
    {
        TestFolder folder;
        writeEnvelopeDirectory(folder.path());
        Session s(folder.path());
        Query q(s.conn);
        // 99 is in no table; 51's family 9 is missing.
        q.setSql(QStringLiteral("Select 11 as \"Indiv ID Num\" union all select 99 union all "
                                "select 51 union all select 21"));
        q.open();
        ListEnvelopeSource envelopes(q, s.names, s.prefs, {});
        const Composed p = drain(envelopes);
        QCOMPARE(deliveries(p),
                 (QList<QStringList>{{"John Adams", "1 A St", "Aville, AA 11111"},
                                     {"Nora Nofamily"},
                                     {"Bob Baker", "2 B St", "Flat 2", "Bville, BB 22222"}}));
        QCOMPARE(p.warnings.size(), 2);
        QVERIFY(p.warnings.at(0).contains(QLatin1String("Individual 99")));
        QVERIFY(p.warnings.at(1).contains(QLatin1String("Family 9")));
        // A job that did not run still names every row it could not print.
        envelopes.restart();
        envelopes.finish();
        QCOMPARE(envelopes.warnings(), p.warnings);
    }
};

QTEST_GUILESS_MAIN(ListEnvelopesTest)
#include "ListEnvelopesTest.moc"
