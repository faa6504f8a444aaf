#include "sample/SampleDirectory.h"
#include "TestFolder.h"
#include "directory/TableCheck.h"
#include "platform/render/PictureDecoder.h"
#include "sample/SampleError.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

#include <sqlite3.h>
#include <zip.h>

using namespace rost;

namespace {

using Rows = QList<QVariantList>;

// Reads with SQLite directly, so these checks do not depend on the program's own engine.
Rows query(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    Rows rows;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        qWarning("cannot open %s", qPrintable(file));
        return rows;
    }
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        qWarning("%s: %s", qPrintable(sql), sqlite3_errmsg(db));
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        QVariantList row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                row << qlonglong(sqlite3_column_int64(stmt, c));
                break;
            case SQLITE_BLOB:
                row << QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, c)),
                                  sqlite3_column_bytes(stmt, c));
                break;
            case SQLITE_NULL:
                row << QVariant();
                break;
            default:
                row << QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
            }
        }
        rows << row;
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

QVariant scalar(const QString &file, const QString &sql)
{
    const Rows rows = query(file, sql);
    return rows.isEmpty() ? QVariant() : rows.first().value(0);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QStringList TableFiles{
    QStringLiteral("RostFamilies.adt"), QStringLiteral("RostIndividuals.adt"),
    QStringLiteral("RostSetup.adt"),    QStringLiteral("RostOffices.adt"),
    QStringLiteral("RostTalents.adt"),  QStringLiteral("RostActivities.adt"),
    QStringLiteral("RostUser1.adt"),    QStringLiteral("RostUser2.adt")};

} // namespace

class SampleDirectoryTest : public QObject
{
    Q_OBJECT

    test::TestFolder m_folder;
    QString m_fam;
    QString m_ind;

private Q_SLOTS:
    void initTestCase()
    {
        writeSampleDirectory(m_folder.path(), SampleOptions{});
        m_fam = m_folder.file(QStringLiteral("RostFamilies.adt"));
        m_ind = m_folder.file(QStringLiteral("RostIndividuals.adt"));
        for (const QString &name : TableFiles)
            QVERIFY2(QFile::exists(m_folder.file(name)), qPrintable(name));
        // Nothing of the staging folder is left behind: the tables and the note of their check.
        QCOMPARE(QDir(m_folder.path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                     .size(),
                 TableFiles.size() + 1);
        QVERIFY(QFile::exists(m_folder.file(rost::CheckedTablesFile)));
    }

    void sameSeedSameFilesOtherSeedOtherPeople()
    {
        test::TestFolder again;
        writeSampleDirectory(again.path(), SampleOptions{});
        for (const QString &name : TableFiles)
            QVERIFY2(contents(again.file(name)) == contents(m_folder.file(name)), qPrintable(name));

        test::TestFolder other;
        SampleOptions options;
        options.seed = 99;
        writeSampleDirectory(other.path(), options);
        const QString names = QStringLiteral(
            "select group_concat(\"Goes By\" || ' ' || \"Last Name\") from RostIndividuals");
        QVERIFY(scalar(other.file(QStringLiteral("RostIndividuals.adt")), names) !=
                scalar(m_ind, names));
    }

    void householdsShowTheCasesTheProgramHandles()
    {
        QCOMPARE(scalar(m_fam, QStringLiteral("select count(*) from RostFamilies")).toInt(), 60);
        // Family 1: the Smiths with goes-by names that differ from the first names.
        const Rows smiths = query(
            m_ind,
            QStringLiteral(
                "select Title, \"Goes By\", \"First Name\", \"Family Status\" from RostIndividuals "
                "where \"Family ID Num\" = 1 and \"Family Rank Order\" <= 2 "
                "order by \"Family Rank Order\""));
        QCOMPARE(smiths.size(), 2);
        QCOMPARE(smiths[0], (QVariantList{QStringLiteral("Mr"), QStringLiteral("Bill"),
                                          QStringLiteral("William"), QStringLiteral("Husband")}));
        QCOMPARE(smiths[1], (QVariantList{QStringLiteral("Mrs"), QStringLiteral("Mattie"),
                                          QStringLiteral("Matilda"), QStringLiteral("Wife")}));

        const auto count = [this](const QString &where) {
            return scalar(m_ind,
                          QStringLiteral("select count(*) from RostIndividuals a where ") + where)
                .toInt();
        };
        // A wife with her own last name, beside a husband of another.
        QVERIFY(count(QStringLiteral(
                    "\"Family Status\" = 'Wife' and exists (select 1 from RostIndividuals h "
                    "where h.\"Family ID Num\" = a.\"Family ID Num\" and h.\"Family Status\" = "
                    "'Husband' and h.\"Last Name\" <> a.\"Last Name\")")) >= 1);
        QVERIFY(count(QStringLiteral("\"Family Status\" = 'Partner'")) >= 2);
        QCOMPARE(count(QStringLiteral("\"Family Status\" = 'Organization'")), 1);
        QVERIFY(count(QStringLiteral("\"Family Status\" = 'Single Parent'")) >= 1);
        QVERIFY(count(QStringLiteral("\"Family Status\" = 'Single Adult'")) >= 1);
        QVERIFY(count(QStringLiteral("\"Family Status\" like '%Child'")) >= 3);
        QVERIFY(count(QStringLiteral("Title <> ''")) >= 5);
        // A wife ranked after children of the same family.
        QVERIFY(count(QStringLiteral(
                    "\"Family Status\" = 'Wife' and exists (select 1 from RostIndividuals c "
                    "where c.\"Family ID Num\" = a.\"Family ID Num\" and c.\"Family Status\" "
                    "like '%Child' and c.\"Family Rank Order\" < a.\"Family Rank Order\")")) >= 1);
        // Rows of one family stored out of rank order.
        QVERIFY(count(QStringLiteral(
                    "exists (select 1 from RostIndividuals b where b.\"Family ID Num\" = "
                    "a.\"Family ID Num\" and b.\"Rost Ind ID Num\" > a.\"Rost Ind ID Num\" and "
                    "b.\"Family Rank Order\" < a.\"Family Rank Order\")")) >= 1);

        // Household sizes from none to eight.
        const Rows sizes =
            query(m_fam, QStringLiteral("select \"Family ID Num\" from RostFamilies"));
        QSet<int> seen;
        for (const QVariantList &row : sizes)
            seen << count(QStringLiteral("\"Family ID Num\" = %1").arg(row[0].toInt()));
        for (int n = 0; n <= 8; ++n)
            QVERIFY2(seen.contains(n), qPrintable(QString::number(n)));

        const auto families = [this](const QString &where) {
            return scalar(m_fam, QStringLiteral("select count(*) from RostFamilies where ") + where)
                .toInt();
        };
        QVERIFY(families(QStringLiteral("IntlAddress like '%' || char(10) || '%'")) >= 1);
        QVERIFY(families(QStringLiteral("Address1 = '' and Address2 <> ''")) >= 1);
        QVERIFY(families(QStringLiteral("Address1 <> '' and Address2 = ''")) >= 1);
        QVERIFY(families(QStringLiteral("Address2 <> '' and trim(Address2) = ''")) >= 1);
        QVERIFY(families(QStringLiteral("Country <> '' and IntlAddress = ''")) >= 1);
        QVERIFY(families(QStringLiteral("\"Family ID Num\" <= 0")) == 0);
    }

    void numbersAreUniqueAndRanksHaveNoGaps()
    {
        QCOMPARE(scalar(m_ind, QStringLiteral("select count(distinct \"Indiv ID Num\") - count(*) "
                                              "from RostIndividuals"))
                     .toInt(),
                 0);
        QCOMPARE(scalar(m_fam, QStringLiteral("select count(distinct \"Family ID Num\") - count(*) "
                                              "from RostFamilies"))
                     .toInt(),
                 0);
        const Rows gaps = query(
            m_ind, QStringLiteral(
                       "select \"Family ID Num\" from RostIndividuals group by \"Family ID Num\" "
                       "having max(\"Family Rank Order\") <> count(*) or min(\"Family Rank "
                       "Order\") <> 1"));
        QVERIFY(gaps.isEmpty());
    }

    void picturesInAllSixFormatsDecode()
    {
        const Rows pictures =
            query(m_fam, QStringLiteral("select \"Family Picture\" from RostFamilies where "
                                        "\"Family Picture\" is not null"));
        QSet<QByteArray> signatures;
        for (const QVariantList &row : pictures) {
            const QByteArray bytes = row[0].toByteArray();
            QString error;
            QVERIFY2(!decodePicture(bytes, &error).isNull(), qPrintable(error));
            signatures << bytes.left(2);
        }
        // JPEG, BMP, GIF, PCX, PNG, TIFF (little-endian) by their first bytes.
        const QSet<QByteArray> expected{QByteArray("\xFF\xD8"), QByteArray("BM"),
                                        QByteArray("GI"),       QByteArray("\x0A\x05"),
                                        QByteArray("\x89P"),    QByteArray("II")};
        QCOMPARE(signatures, expected);
    }

    void setupAndListTables()
    {
        const Rows setup = query(m_folder.file(QStringLiteral("RostSetup.adt")),
                                 QStringLiteral("select * from RostSetup"));
        QCOMPARE(setup.size(), 1);
        QCOMPARE(setup[0].mid(1), (QVariantList{1, 1, 1, 1, 1, QStringLiteral("Choir"),
                                                QStringLiteral("Committees")}));
        for (const QString &table : {QStringLiteral("RostOffices"), QStringLiteral("RostTalents"),
                                     QStringLiteral("RostActivities"), QStringLiteral("RostUser1"),
                                     QStringLiteral("RostUser2")}) {
            const QString file = m_folder.file(table + QStringLiteral(".adt"));
            QVERIFY2(scalar(file, QStringLiteral("select count(*) from %1").arg(table)).toInt() >=
                         3,
                     qPrintable(table));
        }
        QVERIFY(scalar(m_folder.file(QStringLiteral("RostUser2.adt")),
                       QStringLiteral("select count(*) from RostUser2 where \"User 2 Item\" like "
                                      "'%O''Neil%'"))
                    .toInt() >= 1);
    }

    void zipHoldsTheTablesOnly()
    {
        test::TestFolder a;
        test::TestFolder b;
        SampleOptions options;
        options.zip = true;
        writeSampleDirectory(a.path(), options);
        writeSampleDirectory(b.path(), options);
        const QString zipFile = a.file(QStringLiteral("RostData.zip"));
        QCOMPARE(QDir(a.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("RostData.zip")});
        QVERIFY(contents(zipFile) == contents(b.file(QStringLiteral("RostData.zip"))));
        int error = 0;
        zip_t *archive = zip_open(QFile::encodeName(zipFile).constData(), ZIP_RDONLY, &error);
        QVERIFY(archive);
        QStringList names;
        for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
            names << QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0));
        zip_close(archive);
        names.sort();
        QStringList expected = TableFiles;
        expected.sort();
        QCOMPARE(names, expected);
    }

    void sizesAndLimits()
    {
        SampleOptions options;
        options.families = 13000;
        QCOMPARE(sampleSize(options).families, 13000);
        QVERIFY(sampleSize(options).individuals <= MaxIndividuals);
        options.families = 14000;
        QVERIFY_THROWS_EXCEPTION(SampleError, sampleSize(options));
        options.families = -1;
        QVERIFY_THROWS_EXCEPTION(SampleError, sampleSize(options));
        options.individuals = MaxIndividuals;
        QCOMPARE(sampleSize(options).individuals, MaxIndividuals);
        options.individuals = MaxIndividuals + 1;
        QVERIFY_THROWS_EXCEPTION(SampleError, sampleSize(options));

        // A refused request leaves no folder behind.
        test::TestFolder folder;
        const QString dir = folder.file(QStringLiteral("refused"));
        QVERIFY_THROWS_EXCEPTION(SampleError, writeSampleDirectory(dir, options));
        QVERIFY(!QFileInfo::exists(dir));
    }

    void individualsTargetIsExact()
    {
        test::TestFolder folder;
        SampleOptions options;
        options.individuals = 1000;
        writeSampleDirectory(folder.path(), options);
        const QString ind = folder.file(QStringLiteral("RostIndividuals.adt"));
        QCOMPARE(scalar(ind, QStringLiteral("select count(*) from RostIndividuals")).toInt(), 1000);
        QCOMPARE(scalar(ind, QStringLiteral("select max(\"Indiv ID Num\") from RostIndividuals"))
                     .toInt(),
                 1000);
        // Every member's family exists.
        QCOMPARE(scalar(ind, QStringLiteral("select max(\"Family ID Num\") from RostIndividuals"))
                     .toInt(),
                 scalar(folder.file(QStringLiteral("RostFamilies.adt")),
                        QStringLiteral("select max(\"Family ID Num\") from RostFamilies"))
                     .toInt());
    }
};

QTEST_MAIN(SampleDirectoryTest)
#include "SampleDirectoryTest.moc"
