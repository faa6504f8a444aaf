#include "ExportFixture.h"
#include "StrictVCard.h"
#include "TestFolder.h"

#include "directory/RostConnection.h"
#include "exports/ExportError.h"
#include "exports/VCard.h"
#include "exports/VCardExport.h"
#include "lists/ListKindTables.h"
#include "lists/ListMaker.h"
#include "sample/SampleDirectory.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace rost;

namespace {

struct Written
{
    QByteArray bytes;
    QStringList warnings;
    int cards = 0;
};

Written exportCards(RostConnection &connection, bool photos,
                    const std::function<void(VCardExport &)> &write)
{
    Written w;
    VCardExport cards(
        connection, [&](QByteArrayView bytes) { w.bytes += bytes.toByteArray(); }, photos);
    write(cards);
    cards.finish();
    w.warnings = cards.warnings();
    w.cards = cards.cards();
    return w;
}

std::vector<test::VCardRead> readBack(const QByteArray &bytes)
{
    QString error;
    std::vector<test::VCardRead> cards = test::readStrictVCards(bytes, error);
    [&] { QVERIFY2(error.isEmpty(), qPrintable(error)); }();
    return cards;
}

QString components(const QString &value, QString &error)
{
    return test::splitText(value, QLatin1Char(';'), error).join(QLatin1Char('|'));
}

// TYPE values, the other phone's label in brackets, then the number: "cell=079 555 03".
QStringList phones(const test::VCardRead &card)
{
    QStringList tels;
    for (const test::VProperty *tel : card.all(QStringLiteral("TEL"))) {
        QString error;
        // QMultiHash gives the values newest first.
        QStringList types = tel->params.values(QStringLiteral("TYPE"));
        std::reverse(types.begin(), types.end());
        QString text = types.join(QLatin1Char(','));
        if (tel->params.contains(QStringLiteral("X-LABEL")))
            text +=
                QLatin1Char('[') + tel->params.value(QStringLiteral("X-LABEL")) + QLatin1Char(']');
        tels << text + QLatin1Char('=') +
                    test::splitText(tel->value, QChar(), error).join(QString());
        if (!error.isEmpty())
            tels << error;
    }
    return tels;
}

} // namespace

class VCardExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cardReadsBack_data();
    void cardReadsBack();
    void foldingKeepsCharactersWhole_data();
    void foldingKeepsCharactersWhole();
    void wholeDirectoryWithPictures();
    void sampleDirectoryReadsStrictly();
    void listCardsNameTheirList();
    void khardImportsTheCards();

private:
    test::TestFolder m_folder;
    std::unique_ptr<RostConnection> m_connection;
};

void VCardExportTest::initTestCase()
{
    test::writeExportDirectory(m_folder.path());
    m_connection = std::make_unique<RostConnection>();
    m_connection->setPath(m_folder.path());
    m_connection->connect();
}

void VCardExportTest::cardReadsBack_data()
{
    QTest::addColumn<int>("indiv");
    QTest::addColumn<QString>("fn");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("adr");   // the seven components joined by |; empty: no ADR
    QTest::addColumn<QString>("label"); // the international address
    QTest::addColumn<QStringList>("tels");
    QTest::addColumn<QString>("email");

    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    const QString muller = s("||Königstraße 5|Zürich|ZH|8001|Switzerland");
    QTest::newRow("accents, every phone")
        << 11 << s("Zo Müller") << s("Müller|Zoë|Ångström|Dr|PhD") << s("Zo") << muller << QString()
        << QStringList{s("home,voice=044 555 01"), s("work,voice=044 555 02"),
                       s("cell=079 555 03"),       s("fax=044 555 04"),
                       s("pager=044 555 05"),      s("voice[Chalet]=027 555 06")}
        << s("zoe.mueller@example.org");
    QTest::newRow("commas, semicolons, a backslash, no Goes By")
        << 21 << s("Doe; Smith") << s("Doe; Smith|John, Jr.|A\\B||") << QString()
        << s("||1 Comma, Lane; Rear|Salem|OR|97301|") << QString()
        << QStringList{s("home,voice=555-0202")} << QString();
    QTest::newRow("international address as the label")
        << 31 << s("Ann Intl") << s("Intl|Ann|||") << s("Ann") << s("||||||")
        << s("Flat 2\n10 \"Quoted\" Rd^\nLondon  ÉÉ") << QStringList() << QString();
    QTest::newRow("household without an address")
        << 41 << s("Noah Empty") << s("Empty|Noah|||") << s("Noah") << QString() << QString()
        << QStringList() << QString();
    QTest::newRow("family not in the table")
        << 51 << s("Lost Soul") << s("Soul|Lost|||") << s("Lost") << QString() << QString()
        << QStringList() << QString();
    QTest::newRow("hostile name") << 61 << s("@x +1\n-2@x") << s("+1\n-2@x|=HYPERLINK(\"x\")|||")
                                  << s("@x") << muller << QString()
                                  << QStringList{s("home,voice=044 555 01"), s("pager=-2"),
                                                 s("voice=\nx")}
                                  << s("\tx");
}

void VCardExportTest::cardReadsBack()
{
    QFETCH(int, indiv);
    const Written w = exportCards(*m_connection, false,
                                  [&](VCardExport &e) { e.writeIndividual(IndivId(indiv)); });
    const auto cards = readBack(w.bytes);
    QCOMPARE(cards.size(), std::size_t(1));
    const test::VCardRead &card = cards.front();
    QString error;
    QTEST(card.text(QStringLiteral("FN")), "fn");
    QTEST(components(card.all(QStringLiteral("N")).front()->value, error), "n");
    QTEST(card.text(QStringLiteral("NICKNAME")), "nickname");
    const auto addresses = card.all(QStringLiteral("ADR"));
    QFETCH(QString, adr);
    QCOMPARE(addresses.size(), std::size_t(adr.isEmpty() ? 0 : 1));
    if (!addresses.empty()) {
        QCOMPARE(components(addresses.front()->value, error), adr);
        QCOMPARE(addresses.front()->params.value(QStringLiteral("TYPE")), QStringLiteral("home"));
        QTEST(addresses.front()->params.value(QStringLiteral("LABEL")), "label");
    }
    QTEST(phones(card), "tels");
    QTEST(card.text(QStringLiteral("EMAIL")), "email");
    QVERIFY(card.all(QStringLiteral("PHOTO")).empty());
    QVERIFY(card.all(QStringLiteral("ORG")).empty());
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void VCardExportTest::foldingKeepsCharactersWhole_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("short") << QStringLiteral("FN:Ann");
    QTest::newRow("exactly 75") << QStringLiteral("NOTE:") + QString(70, QLatin1Char('a'));
    QTest::newRow("ASCII over three lines")
        << QStringLiteral("NOTE:") + QString(200, QLatin1Char('a'));
    for (const char *c : {"é", "€", "😀"}) {
        // Every offset of the multi-byte characters against the fold.
        for (int pad = 0; pad < 4; ++pad)
            QTest::addRow("%s after %d", c, pad) << QStringLiteral("NOTE:") +
                                                        QString(pad, QLatin1Char('a')) +
                                                        QString::fromUtf8(c).repeated(60);
    }
}

void VCardExportTest::foldingKeepsCharactersWhole()
{
    QFETCH(QString, line);
    QByteArray out;
    appendFolded(out, line);
    QVERIFY(out.endsWith("\r\n"));
    QString unfolded;
    const QList<QByteArray> physical = out.chopped(2).split('\n');
    for (qsizetype i = 0; i < physical.size(); ++i) {
        QByteArray piece = physical.at(i);
        if (i + 1 < physical.size()) {
            QVERIFY(piece.endsWith('\r'));
            piece.chop(1);
        }
        QVERIFY2(piece.size() <= 75, piece.constData());
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(i == 0 ? piece : piece.mid(1));
        QVERIFY2(!decoder.hasError(), piece.constData());
        QVERIFY(i == 0 || piece.startsWith(' '));
        unfolded += text;
    }
    QCOMPARE(unfolded, line);
}

// The family's picture on each card of the family, made once; a picture that does not decode
// leaves its cards without one and is named once.
void VCardExportTest::wholeDirectoryWithPictures()
{
    const Written w = exportCards(*m_connection, true, [](VCardExport &e) { e.writeAll(); });
    const auto cards = readBack(w.bytes);
    QCOMPARE(w.cards, 7);
    QCOMPARE(cards.size(), std::size_t(7));
    QCOMPARE(w.warnings.size(), 1);
    QVERIFY2(w.warnings.front().startsWith(
                 QStringLiteral("The picture of Doe, Jr.; III (family 2) was left out: ")),
             qPrintable(w.warnings.front()));
    QStringList withPhoto;
    for (const test::VCardRead &card : cards) {
        const auto photo = card.all(QStringLiteral("PHOTO"));
        if (photo.empty())
            continue;
        withPhoto << card.text(QStringLiteral("FN"));
        const QString prefix = QStringLiteral("data:image/jpeg;base64,");
        QVERIFY(photo.front()->value.startsWith(prefix));
        const QByteArray jpeg =
            QByteArray::fromBase64(photo.front()->value.mid(prefix.size()).toLatin1(),
                                   QByteArray::AbortOnBase64DecodingErrors);
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        const QImage image = QImage::fromData(jpeg, "JPEG");
        QCOMPARE(image.size(), QSize(256, 128));
    }
    withPhoto.sort();
    QCOMPARE(withPhoto, (QStringList{QStringLiteral("@x +1\n-2@x"), QString::fromUtf8("Zo Müller"),
                                     QString::fromUtf8("Élodie Müller")}));

    // Without pictures asked for, no card carries one.
    const Written plain = exportCards(*m_connection, false, [](VCardExport &e) { e.writeAll(); });
    QVERIFY(!plain.bytes.contains("PHOTO"));
    QVERIFY(plain.warnings.isEmpty());

    QVERIFY_THROWS_EXCEPTION(ExportError, exportCards(*m_connection, false, [](VCardExport &e) {
                                 e.writeIndividual(999);
                             }));
}

// The generated sample, pictures of every format it makes included, reads back strictly, one
// card per individual.
void VCardExportTest::sampleDirectoryReadsStrictly()
{
    test::TestFolder sample;
    writeSampleDirectory(sample.path(), SampleOptions());
    RostConnection connection;
    connection.setPath(sample.path());
    connection.connect();
    const Written w = exportCards(connection, true, [](VCardExport &e) { e.writeAll(); });
    QVERIFY2(w.warnings.isEmpty(), qPrintable(w.warnings.join(QLatin1Char('\n'))));
    const auto cards = readBack(w.bytes);
    QCOMPARE(int(cards.size()), sampleSize(SampleOptions()).individuals);
    QCOMPARE(w.cards, int(cards.size()));
    QSet<QString> uids;
    for (const test::VCardRead &card : cards) {
        QVERIFY(!card.text(QStringLiteral("FN")).isEmpty());
        uids.insert(card.text(QStringLiteral("UID")));
    }
    QCOMPARE(int(uids.size()), int(cards.size()));
}

void VCardExportTest::listCardsNameTheirList()
{
    ListMaker maker(*m_connection, readSetupOf(*m_connection));
    maker.openKindTables();
    QVERIFY(maker.chooseItem(QStringLiteral("Church Offices"), QStringLiteral("Usher")));
    const Written w = exportCards(*m_connection, false, [&](VCardExport &e) {
        e.writeList(maker.tbSQL(), readSetupOf(*m_connection), QStringLiteral("Church Offices"),
                    QStringLiteral("Usher"));
    });
    const auto cards = readBack(w.bytes);
    QCOMPARE(cards.size(), std::size_t(3));
    QStringList names;
    for (const test::VCardRead &card : cards) {
        names << card.text(QStringLiteral("FN"));
        QString error;
        QCOMPARE(components(card.all(QStringLiteral("ORG")).front()->value, error),
                 QStringLiteral("Church Offices|Usher"));
    }
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral("@x +1\n-2@x"), QString::fromUtf8("Zo Müller"),
                                 QString::fromUtf8("Élodie Müller")}));
    const auto zo = std::find_if(cards.begin(), cards.end(), [](const test::VCardRead &c) {
        return c.text(QStringLiteral("FN")) == QString::fromUtf8("Zo Müller");
    });
    QString error;
    QCOMPARE(
        test::splitText(zo->all(QStringLiteral("CATEGORIES")).front()->value, QLatin1Char(','),
                        error),
        (QStringList{QStringLiteral("Elder"), QStringLiteral("Usher"), QStringLiteral("Choir")}));
    QCOMPARE(maker.tbSQL().recNo(), 0);
}

// A real contacts program reads every card: khard lists each person by name with the phones and
// address it was given.
void VCardExportTest::khardImportsTheCards()
{
    const QString khard = QStandardPaths::findExecutable(QStringLiteral("khard"));
    if (khard.isEmpty())
        QSKIP("khard is not installed");
    const Written w = exportCards(*m_connection, false, [](VCardExport &e) { e.writeAll(); });
    test::TestFolder home;
    QDir(home.path()).mkpath(QStringLiteral("book"));
    // khard reads a folder of one card per file.
    int n = 0;
    QList<QByteArray> cards;
    for (const QByteArray &piece : w.bytes.split('\n')) {
        if (piece.startsWith("BEGIN:VCARD"))
            cards << QByteArray();
        cards.last() += piece + '\n';
    }
    for (const QByteArray &card : cards) {
        QFile file(home.file(QStringLiteral("book/%1.vcf").arg(++n)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(card);
    }
    QFile config(home.file(QStringLiteral("khard.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(
        "[addressbooks]\n[[rostella]]\npath = " + home.file(QStringLiteral("book")).toUtf8() +
        "\n[general]\ndefault_action = list\n[vcard]\nskip_unparsable = no\n");
    config.close();

    QProcess list;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    list.setProcessEnvironment(env);
    list.start(khard, {QStringLiteral("-c"), config.fileName(), QStringLiteral("list"),
                       QStringLiteral("--parsable")});
    QVERIFY(list.waitForFinished(60000));
    const QString out = QString::fromUtf8(list.readAllStandardOutput());
    QVERIFY2(list.exitCode() == 0, list.readAllStandardError().constData());
    // One line a contact, each starting with its UID; the hostile name breaks its own line.
    QCOMPARE(out.count(QStringLiteral("urn:uuid:")), 7);
    QVERIFY2(out.contains(contactUid(11)), qPrintable(out));

    QProcess show;
    show.setProcessEnvironment(env);
    show.start(khard, {QStringLiteral("-c"), config.fileName(), QStringLiteral("show"),
                       QStringLiteral("zoe.mueller@example.org")});
    QVERIFY(show.waitForFinished(60000));
    const QString card = QString::fromUtf8(show.readAllStandardOutput());
    QVERIFY2(show.exitCode() == 0, show.readAllStandardError().constData());
    for (const char *expected :
         {"Name: Zo Müller", "Nickname: Zo", "cell: 079 555 03", "Königstraße 5", "Zürich"})
        QVERIFY2(card.contains(QString::fromUtf8(expected)), qPrintable(card));
}

QTEST_MAIN(VCardExportTest)
#include "VCardExportTest.moc"
