#include "ExportFixture.h"
#include "TestFolder.h"

#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "exports/DirectoryCsv.h"
#include "lists/ListCsv.h"
#include "lists/ListKindTables.h"
#include "lists/ListMaker.h"
#include "sample/CsvReader.h"

#include <QtTest>

using namespace rost;

namespace {

QByteArray exportCsv(RostConnection &connection, CsvRows rows, bool bom, int *count = nullptr)
{
    QByteArray bytes;
    const int n = writeDirectoryCsv(connection, {rows, bom},
                                    [&](QByteArrayView b) { bytes += b.toByteArray(); });
    if (count)
        *count = n;
    return bytes;
}

// The records as a table of header name to cell, one per row.
std::vector<QHash<QString, QString>> readBack(const QByteArray &bytes)
{
    const CsvParse parse = parseCsv(bytes);
    std::vector<QHash<QString, QString>> rows;
    [&] { QVERIFY2(parse.error.isEmpty(), qPrintable(parse.error)); }();
    if (parse.records.empty())
        return rows;
    const QStringList header = parse.records.front().fields;
    for (std::size_t r = 1; r < parse.records.size(); ++r) {
        const QStringList &fields = parse.records[r].fields;
        [&] { QCOMPARE(fields.size(), header.size()); }();
        QHash<QString, QString> row;
        for (qsizetype i = 0; i < header.size() && i < fields.size(); ++i)
            row.insert(header.at(i), fields.at(i));
        rows.push_back(row);
    }
    return rows;
}

const QHash<QString, QString> *rowWhere(const std::vector<QHash<QString, QString>> &rows,
                                        const QString &field, const QString &value)
{
    for (const auto &row : rows) {
        if (row.value(field) == value)
            return &row;
    }
    return nullptr;
}

} // namespace

class DirectoryCsvTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void peopleReadBack();
    void householdsReadBack();
    void formulaStartsAreDefused_data();
    void formulaStartsAreDefused();

private:
    test::TestFolder m_folder;
    std::unique_ptr<RostConnection> m_connection;
};

void DirectoryCsvTest::initTestCase()
{
    test::writeExportDirectory(m_folder.path());
    m_connection = std::make_unique<RostConnection>();
    m_connection->setPath(m_folder.path());
    m_connection->connect();
}

// Every individual once, by last name, with the household's fields; a person without a household
// keeps them empty; the byte-order mark only when asked for.
void DirectoryCsvTest::peopleReadBack()
{
    int count = 0;
    const QByteArray bytes = exportCsv(*m_connection, CsvRows::People, true, &count);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                             "Indiv ID Num,Family ID Num,"));
    QVERIFY(bytes.endsWith("\r\n"));
    const auto rows = readBack(bytes);
    QCOMPARE(count, 7);
    QCOMPARE(rows.size(), std::size_t(7));
    QStringList order;
    for (const auto &row : rows)
        order << row.value(QStringLiteral("Indiv ID Num"));
    // "+1..." sorts first; then Doe, Empty, Intl, the two Müllers by Goes By, Soul.
    QCOMPARE(order, (QStringList{"61", "21", "41", "31", "11", "12", "51"}));

    const auto *zoe = rowWhere(rows, QStringLiteral("Indiv ID Num"), QStringLiteral("11"));
    QVERIFY(zoe);
    QCOMPARE(zoe->value(QStringLiteral("First Name")), QString::fromUtf8("Zoë"));
    QCOMPARE(zoe->value(QStringLiteral("Address1")), QString::fromUtf8("Königstraße 5"));
    QCOMPARE(zoe->value(QStringLiteral("Other Phone Label")), QStringLiteral("Chalet"));
    QCOMPARE(zoe->value(QStringLiteral("Home Phone")), QStringLiteral("044 555 01"));
    const auto *john = rowWhere(rows, QStringLiteral("Indiv ID Num"), QStringLiteral("21"));
    QCOMPARE(john->value(QStringLiteral("First Name")), QStringLiteral("John, Jr."));
    QCOMPARE(john->value(QStringLiteral("Family Name")), QStringLiteral("Doe, Jr.; III"));
    const auto *ann = rowWhere(rows, QStringLiteral("Indiv ID Num"), QStringLiteral("31"));
    QCOMPARE(ann->value(QStringLiteral("IntlAddress")),
             QString::fromUtf8("Flat 2\r\n10 \"Quoted\" Rd^\r\nLondon  ÉÉ"));
    const auto *lost = rowWhere(rows, QStringLiteral("Indiv ID Num"), QStringLiteral("51"));
    QCOMPARE(lost->value(QStringLiteral("Family ID Num")), QStringLiteral("9"));
    QCOMPARE(lost->value(QStringLiteral("Family Name")), QString());

    QVERIFY(exportCsv(*m_connection, CsvRows::People, false).startsWith("Indiv ID Num,"));
}

void DirectoryCsvTest::householdsReadBack()
{
    int count = 0;
    const auto rows = readBack(exportCsv(*m_connection, CsvRows::Households, false, &count));
    QCOMPARE(count, 4);
    QStringList names;
    for (const auto &row : rows)
        names << row.value(QStringLiteral("Family Name"));
    QCOMPARE(names, (QStringList{QStringLiteral("Doe, Jr.; III"), QStringLiteral("Empty"),
                                 QStringLiteral("Intl"), QString::fromUtf8("Müller")}));
    QCOMPARE(rows.back().value(QStringLiteral("Country")), QStringLiteral("Switzerland"));
    QCOMPARE(rows.back().value(QStringLiteral("Vorel Name")), QString::fromUtf8("The Müllers"));
}

// A cell that begins like a formula gets a quote in front, in the directory's export and in a
// list's; the rest of the text is kept.
void DirectoryCsvTest::formulaStartsAreDefused_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("cell");
    for (const char *source : {"people", "list"}) {
        QTest::addRow("%s =", source)
            << source << "First Name" << QStringLiteral("'=HYPERLINK(\"x\")");
        QTest::addRow("%s + and CR LF", source)
            << source << "Last Name" << QStringLiteral("'+1\r\n-2\x01@x");
        QTest::addRow("%s tab", source) << source << "EMail Address" << QStringLiteral("'\tx");
    }
    QTest::newRow("people @") << "people"
                              << "Goes By" << QStringLiteral("'@x");
    QTest::newRow("people -") << "people"
                              << "Pager" << QStringLiteral("'-2");
    QTest::newRow("people CR") << "people"
                               << "Other Phone" << QStringLiteral("'\rx");
    QTest::newRow("people number kept") << "people"
                                        << "Zip" << QStringLiteral("8001");
}

void DirectoryCsvTest::formulaStartsAreDefused()
{
    QFETCH(QString, source);
    QFETCH(QString, field);
    QByteArray bytes;
    if (source == QLatin1String("people")) {
        bytes = exportCsv(*m_connection, CsvRows::People, false);
    } else {
        ListMaker maker(*m_connection, readSetupOf(*m_connection));
        maker.openKindTables();
        QVERIFY(maker.chooseItem(QStringLiteral("Church Offices"), QStringLiteral("Usher")));
        Cursor families(*m_connection, tbl::Families);
        families.setIndexName(idx::FamilyIdNumOrder);
        families.open();
        QStringList warnings;
        bytes = listCsv(maker.tbSQL(), families, warnings);
    }
    const auto rows = readBack(bytes);
    const QHash<QString, QString> *hostile = nullptr;
    for (const auto &row : rows) {
        if (row.value(QStringLiteral("Last Name")).startsWith(QLatin1String("'+1")))
            hostile = &row;
    }
    QVERIFY(hostile);
    QTEST(hostile->value(field), "cell");
}

QTEST_MAIN(DirectoryCsvTest)
#include "DirectoryCsvTest.moc"
