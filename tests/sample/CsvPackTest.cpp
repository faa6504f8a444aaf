#include "sample/CsvPack.h"
#include "TestFolder.h"
#include "sample/CsvReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QtTest>

#include <sqlite3.h>
#include <zip.h>

using namespace rost;

namespace {

const QStringList FamilyFields{QStringLiteral("Family ID Num"), QStringLiteral("Family Name"),
                               QStringLiteral("Vorel Name"),    QStringLiteral("Address1"),
                               QStringLiteral("Address2"),      QStringLiteral("City"),
                               QStringLiteral("State"),         QStringLiteral("Zip"),
                               QStringLiteral("Country"),       QStringLiteral("IntlAddress"),
                               QStringLiteral("Home Phone"),    QStringLiteral("Family Picture")};

// A families CSV line with the given values for the named fields and plain ones elsewhere; the
// values are written as they stand (the caller quotes).
QString familyLine(int id, const QHash<QString, QString> &values = {})
{
    QStringList cells;
    for (const QString &f : FamilyFields)
        cells << values.value(f, f == QLatin1String("Family ID Num")    ? QString::number(id)
                                 : f == QLatin1String("Family Name")    ? QStringLiteral("Smith")
                                 : f == QLatin1String("Family Picture") ? QString()
                                                                        : QStringLiteral("x"));
    return cells.join(QLatin1Char(','));
}

QString familiesHeader()
{
    return FamilyFields.join(QLatin1Char(','));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray pngBytes()
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

QVariantList row(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    QVariantList values;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_BLOB)
                values << QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, c)),
                                     sqlite3_column_bytes(stmt, c));
            else if (sqlite3_column_type(stmt, c) == SQLITE_INTEGER)
                values << qlonglong(sqlite3_column_int64(stmt, c));
            else
                values << QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return values;
}

} // namespace

class CsvPackTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csvRecords_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("plain, CR LF")
            << QByteArray("a,b\r\nc,d\r\n") << QList<QStringList>{{"a", "b"}, {"c", "d"}}
            << QList<int>{1, 2};
        QTest::newRow("quotes, commas, doubled quotes")
            << QByteArray("\"O'Neil, Pat\",\"say \"\"hi\"\"\",\"\"\n")
            << QList<QStringList>{{"O'Neil, Pat", "say \"hi\"", ""}} << QList<int>{1};
        QTest::newRow("line breaks inside quotes keep their line count")
            << QByteArray("1,\"12 Elm\r\nBerlin\"\n2,\"a\nb\nc\"\n3,x")
            << QList<QStringList>{{"1", "12 Elm\r\nBerlin"}, {"2", "a\nb\nc"}, {"3", "x"}}
            << QList<int>{1, 3, 6};
        QTest::newRow("byte order mark, blank lines, empty fields")
            << QByteArray("\xEF\xBB\xBF"
                          "a,,\n\n\r\n,b,\n")
            << QList<QStringList>{{"a", "", ""}, {"", "b", ""}} << QList<int>{1, 4};
        QTest::newRow("UTF-8 text")
            << QByteArray("M\xC3\xBCller,Stra\xC3\x9F"
                          "e")
            << QList<QStringList>{{QStringLiteral("Müller"), QStringLiteral("Straße")}}
            << QList<int>{1};
    }
    void csvRecords()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<QStringList>, records);
        QFETCH(QList<int>, lines);
        const CsvParse csv = parseCsv(text);
        QVERIFY2(csv.error.isEmpty(), qPrintable(csv.error));
        QCOMPARE(qsizetype(csv.records.size()), records.size());
        for (qsizetype i = 0; i < records.size(); ++i) {
            QCOMPARE(csv.records[size_t(i)].fields, records[i]);
            QCOMPARE(csv.records[size_t(i)].line, lines[i]);
        }
    }

    void csvSyntaxErrors_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::newRow("unclosed quote") << QByteArray("a,b\nc,\"open\nmore\n") << 2;
        QTest::newRow("text after closing quote") << QByteArray("a\n\"x\"y,z\n") << 2;
        QTest::newRow("not UTF-8") << QByteArray("a\nb\nM\xFCller\n") << 3;
    }
    void csvSyntaxErrors()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        const CsvParse csv = parseCsv(text);
        QVERIFY(!csv.error.isEmpty());
        QCOMPARE(csv.errorLine, line);
    }

    void packBuildsTablesFromCsv()
    {
        test::TestFolder folder;
        const QString csv = folder.file(QStringLiteral("csv"));
        const QByteArray png = pngBytes();
        writeFile(csv + QStringLiteral("/pics/smith.png"), png);
        writeFile(csv + QStringLiteral("/RostFamilies.csv"),
                  (familiesHeader() + QStringLiteral("\r\n") +
                   familyLine(
                       1, {{QStringLiteral("Family Name"), QStringLiteral("\"O'Neil\"")},
                           {QStringLiteral("IntlAddress"),
                            QStringLiteral("\"Hauptstraße 12\r\n10115 \"\"Mitte\"\"\"")},
                           {QStringLiteral("Family Picture"), QStringLiteral("pics\\smith.png")}}) +
                   QStringLiteral("\r\n") + familyLine(2) + QStringLiteral("\r\n"))
                      .toUtf8());
        // Fields in another order, names in another case, a row-number column.
        writeFile(csv + QStringLiteral("/rostsetup.CSV"),
                  "User 2 Name,use offices,Use Talents,Use Activities,Use User 1,Use User 2,User 1 "
                  "Name,Rost Setup ID Num\nCommittees,Yes,no,TRUE,1,true,Choir,1\n");
        const QString out = folder.file(QStringLiteral("out"));
        QDir().mkpath(out);
        PackResult result;
        const QStringList files = buildTablesFromCsv(csv, out, &result);
        QCOMPARE(files.size(), 8);
        QCOMPARE(result.notes.size(), 8);

        const QString fam = out + QStringLiteral("/RostFamilies.adt");
        QCOMPARE(row(fam, QStringLiteral("select count(*) from RostFamilies")).value(0).toInt(), 2);
        const QVariantList first =
            row(fam, QStringLiteral("select \"Family Name\", IntlAddress, \"Family Picture\" from "
                                    "RostFamilies where \"Family ID Num\" = 1"));
        QCOMPARE(first.value(0).toString(), QStringLiteral("O'Neil"));
        QCOMPARE(first.value(1).toString(), QStringLiteral("Hauptstraße 12\r\n10115 \"Mitte\""));
        QCOMPARE(first.value(2).toByteArray(), png);
        QCOMPARE(
            row(out + QStringLiteral("/RostSetup.adt"),
                QStringLiteral("select \"Use Offices\", \"Use Talents\", \"Use Activities\", "
                               "\"Use User 1\", \"Use User 2\", \"User 1 Name\", \"User 2 "
                               "Name\" from RostSetup")),
            (QVariantList{1, 0, 1, 1, 1, QStringLiteral("Choir"), QStringLiteral("Committees")}));
        // Tables without a CSV file are there, empty, with their indexes.
        QCOMPARE(row(out + QStringLiteral("/RostOffices.adt"),
                     QStringLiteral("select count(*) from sqlite_master where type = 'index' and "
                                    "name = 'INDIV ID NUM ORDER'"))
                     .value(0)
                     .toInt(),
                 1);

        const QString zipPath = folder.file(QStringLiteral("RostData.zip"));
        packCsv(csv, zipPath);
        int error = 0;
        zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &error);
        QVERIFY(archive);
        QCOMPARE(zip_get_num_entries(archive, 0), zip_int64_t(8));
        QVERIFY(zip_name_locate(archive, "RostFamilies.adt", 0) >= 0);
        zip_close(archive);
    }

    void badValuesAreReportedAndNothingWritten_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("where"); // the start of the first problem's text
        const QString h = familiesHeader() + QLatin1Char('\n');
        const QString ok = familyLine(1) + QLatin1Char('\n');
        const auto with = [](int id, const char *field, const QString &value) {
            return familyLine(id, {{QLatin1String(field), value}}) + QLatin1Char('\n');
        };
        QTest::newRow("unknown column")
            << "RostFamilies.csv" << familiesHeader() + QStringLiteral(",Spouse\n")
            << "RostFamilies.csv: Spouse: not a field of RostFamilies.";
        QTest::newRow("16-bit number out of range")
            << "RostFamilies.csv" << h + ok + with(2, "Family ID Num", QStringLiteral("40000"))
            << "RostFamilies.csv, line 3, field Family ID Num";
        QTest::newRow("not a number")
            << "RostFamilies.csv" << h + with(2, "Family ID Num", QStringLiteral("12a"))
            << "RostFamilies.csv, line 2, field Family ID Num";
        QTest::newRow("text longer than its field")
            << "RostFamilies.csv" << h + with(1, "State", QStringLiteral("Texas"))
            << "RostFamilies.csv, line 2, field State";
        QTest::newRow("line break outside IntlAddress")
            << "RostFamilies.csv" << h + with(1, "City", QStringLiteral("\"Spring\nfield\""))
            << "RostFamilies.csv, line 2, field City";
        QTest::newRow("missing picture")
            << "RostFamilies.csv" << h + with(1, "Family Picture", QStringLiteral("none.jpg"))
            << "RostFamilies.csv, line 2, field Family Picture";
        QTest::newRow("picture path leaving the folder")
            << "RostFamilies.csv" << h + with(1, "Family Picture", QStringLiteral("../outside.png"))
            << "RostFamilies.csv, line 2, field Family Picture";
        QTest::newRow("absolute picture path")
            << "RostFamilies.csv" << h + with(1, "Family Picture", QStringLiteral("/etc/hostname"))
            << "RostFamilies.csv, line 2, field Family Picture";
        QTest::newRow("picture link leading out of the folder")
            << "RostFamilies.csv" << h + with(1, "Family Picture", QStringLiteral("linked.png"))
            << "RostFamilies.csv, line 2, field Family Picture";
        QTest::newRow("drive picture path")
            << "RostFamilies.csv" << h + with(1, "Family Picture", QStringLiteral("C:\\x.png"))
            << "RostFamilies.csv, line 2, field Family Picture";
        QTest::newRow("picture that is not a picture")
            << "RostFamilies.csv" << h + with(1, "Family Picture", QStringLiteral("notes.txt"))
            << "RostFamilies.csv, line 2, field Family Picture";
        QTest::newRow("wrong number of values")
            << "RostFamilies.csv" << h + ok + QStringLiteral("2,Jones\n")
            << "RostFamilies.csv, line 3: ";
        QTest::newRow("family number twice")
            << "RostFamilies.csv" << h + ok + ok << "RostFamilies.csv, line 3, field Family ID Num";
        QTest::newRow("unclosed quote")
            << "RostFamilies.csv" << h + ok + with(2, "City", QStringLiteral("\"Spring"))
            << "RostFamilies.csv, line 3: ";
        QTest::newRow("logical word")
            << "RostSetup.csv"
            << QStringLiteral("Use Offices,Use Talents,Use Activities,Use User 1,Use User 2,User 1 "
                              "Name,User 2 Name\nmaybe,1,1,1,1,a,b\n")
            << "RostSetup.csv, line 2, field Use Offices";
        QTest::newRow("file of no table")
            << "Members.csv" << QStringLiteral("a\n") << "Members.csv: ";
    }
    void badValuesAreReportedAndNothingWritten()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, content);
        QFETCH(QString, where);
        test::TestFolder folder;
        const QString csv = folder.file(QStringLiteral("csv"));
        writeFile(csv + QStringLiteral("/notes.txt"), "not a picture");
        writeFile(folder.file(QStringLiteral("outside.png")), pngBytes());
        QVERIFY(QFile::link(folder.file(QStringLiteral("outside.png")),
                            csv + QStringLiteral("/linked.png")));
        if (fileName != QLatin1String("RostFamilies.csv"))
            writeFile(csv + QStringLiteral("/RostFamilies.csv"),
                      (familiesHeader() + QLatin1Char('\n') + familyLine(1)).toUtf8());
        writeFile(csv + QLatin1Char('/') + fileName, content.toUtf8());
        // An archive from before must survive a failed pack untouched.
        const QString zipPath = folder.file(QStringLiteral("RostData.zip"));
        writeFile(zipPath, "old archive");

        try {
            packCsv(csv, zipPath);
            QFAIL("the pack was not refused");
        } catch (const PackError &e) {
            QVERIFY(!e.problems().isEmpty());
            QVERIFY2(e.problems().first().toString().startsWith(where),
                     qPrintable(e.problems().first().toString()));
        }
        QFile old(zipPath);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old archive"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{QStringLiteral("RostData.zip"), QStringLiteral("outside.png")}));
    }

    void unknownColumnNamesTheNearestField_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("one letter dropped")
            << "RostFamilies.csv"
            << "Family ID Num,Famly Name"
            << QStringList{"RostFamilies.csv: Famly Name: did you mean Family Name?"};
        QTest::newRow("case and spaces do not count, the closest of two wins")
            << "RostFamilies.csv"
            << "Family ID Num, ADRESS2 ,home phones"
            << QStringList{"RostFamilies.csv: ADRESS2: did you mean Address2?",
                           "RostFamilies.csv: home phones: did you mean Home Phone?"};
        QTest::newRow("a field of another table is not near")
            << "RostFamilies.csv"
            << "Family ID Num,Last Name"
            << QStringList{"RostFamilies.csv: Last Name: not a field of RostFamilies."};
        QTest::newRow("the file's own table is searched")
            << "rostsetup.csv"
            << "Use Ofices,User1 Name"
            << QStringList{"rostsetup.csv: Use Ofices: did you mean Use Offices?",
                           "rostsetup.csv: User1 Name: did you mean User 1 Name?"};
        QTest::newRow("a column without a name")
            << "RostFamilies.csv"
            << "Family ID Num,Family Name,"
            << QStringList{"RostFamilies.csv: Column 3 of the header has no name."};
    }
    void unknownColumnNamesTheNearestField()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, header);
        QFETCH(QStringList, problems);
        test::TestFolder folder;
        if (fileName != QLatin1String("RostFamilies.csv"))
            writeFile(folder.file(QStringLiteral("RostFamilies.csv")), "Family ID Num\n1\n");
        writeFile(folder.file(fileName), (header + QStringLiteral("\n")).toUtf8());
        try {
            buildTablesFromCsv(folder.path(), folder.path());
            QFAIL("the pack was not refused");
        } catch (const PackError &e) {
            QStringList listed;
            for (const PackProblem &p : e.problems())
                listed << p.toString();
            QCOMPARE(listed, problems);
        }
    }

    void missingColumnsTakeTheirDefaults_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("filled"); // the line pack prints; empty for none
        QTest::addColumn<QString>("select");
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("every field given")
            << "RostFamilies.csv" << familiesHeader() + QLatin1Char('\n') + familyLine(4) << ""
            << "select \"Family ID Num\", City from RostFamilies" << QVariantList{4, "x"};
        QTest::newRow("text, numbers and picture left out")
            << "RostFamilies.csv"
            << "Family Name,Address1,City,State,Zip,Country,IntlAddress,Home Phone,Vorel Name\n"
               "Smith,1 Elm,Ames,IA,50010,,,555,The Smiths\n"
            << "RostFamilies.csv: filled with defaults: Family ID Num, Address2, Family Picture"
            << "select \"Family ID Num\", Address2, \"Family Picture\" is null, City from "
               "RostFamilies"
            << QVariantList{0, "", 1, "Ames"};
        QTest::newRow("row number given, logicals and text left out")
            << "RostSetup.csv"
            << "Rost Setup ID Num,Use Talents,User 2 Name\n1,yes,Choir\n"
            << "RostSetup.csv: filled with defaults: Use Offices, Use Activities, Use User 1, "
               "Use User 2, User 1 Name"
            << "select \"Use Offices\", \"Use Talents\", \"User 1 Name\", \"User 2 Name\" "
               "from RostSetup"
            << QVariantList{0, 1, "", "Choir"};
        QTest::newRow("only the row number left out")
            << "RostTalents.csv"
            << "Indiv ID Num,Talent\n3,Singing\n"
            << ""
            << "select \"Indiv ID Num\", Talent from RostTalents" << QVariantList{3, "Singing"};
    }
    void missingColumnsTakeTheirDefaults()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, content);
        QFETCH(QString, filled);
        QFETCH(QString, select);
        QFETCH(QVariantList, values);
        test::TestFolder folder;
        if (fileName != QLatin1String("RostFamilies.csv"))
            writeFile(folder.file(QStringLiteral("RostFamilies.csv")),
                      (familiesHeader() + QLatin1Char('\n') + familyLine(1)).toUtf8());
        writeFile(folder.file(fileName), content.toUtf8());
        const QString out = folder.file(QStringLiteral("out"));
        QDir().mkpath(out);
        PackResult result;
        buildTablesFromCsv(folder.path(), out, &result);
        QCOMPARE(result.filled, filled.isEmpty() ? QStringList() : QStringList{filled});
        const QString table = QFileInfo(fileName).completeBaseName();
        QCOMPARE(row(out + QLatin1Char('/') + table + QStringLiteral(".adt"), select), values);
    }

    void everyProblemIsListed()
    {
        test::TestFolder folder;
        writeFile(folder.file(QStringLiteral("RostFamilies.csv")),
                  (familiesHeader() + QLatin1Char('\n') +
                   familyLine(70000, {{QStringLiteral("State"), QStringLiteral("Texas")}}) +
                   QLatin1Char('\n') + familyLine(2) + QLatin1Char('\n') +
                   familyLine(3, {{QStringLiteral("Zip"), QStringLiteral("12345678901")}}))
                      .toUtf8());
        try {
            buildTablesFromCsv(folder.path(), folder.path());
            QFAIL("the pack was not refused");
        } catch (const PackError &e) {
            QStringList where;
            for (const PackProblem &p : e.problems())
                where << QStringLiteral("%1 %2").arg(p.line).arg(p.field);
            QCOMPARE(where, (QStringList{QStringLiteral("2 Family ID Num"),
                                         QStringLiteral("2 State"), QStringLiteral("4 Zip")}));
        }
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("RostFamilies.adt"))));
    }

    void missingFamiliesFileIsRefused()
    {
        test::TestFolder folder;
        writeFile(folder.file(QStringLiteral("RostSetup.csv")), "Use Offices\n");
        QVERIFY_THROWS_EXCEPTION(PackError,
                                 packCsv(folder.path(), folder.file(QStringLiteral("x.zip"))));
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("x.zip"))));
    }
};

QTEST_MAIN(CsvPackTest)
#include "CsvPackTest.moc"
