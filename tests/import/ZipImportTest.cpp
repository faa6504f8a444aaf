#include "import/ZipImport.h"
#include "directory/TableCheck.h"
#include "import/ImportError.h"

#include "ArchiveBuilder.h"
#include "TestFolder.h"
#include "directory/TableWriter.h"
#include "directory/Tables.h"

#include <QtTest>

#include <zip.h>

#include <cerrno>
#include <functional>

using namespace rost;
using rost::test::ArchiveBuilder;
using rost::test::readFile;
using rost::test::TestFolder;

namespace {

using Build = std::function<void(const QString &archive)>;

struct Case
{
    Case() = default;
    Case(Build b, QHash<QString, QByteArray> w, QStringList f, bool r = false, ImportLimits l = {})
        : build(std::move(b)), written(std::move(w)), failures(std::move(f)), refused(r), limits(l)
    {}

    Build build;
    QHash<QString, QByteArray> written; // name in the data folder -> the bytes it must hold
    QStringList failures;               // "class stored-name", in the order reported
    bool refused = false;               // the whole archive is refused with an ImportError
    ImportLimits limits;
};

// Everything under root but the note of checked tables, which follows the tables written: it is
// the import's own.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> all = rost::test::snapshot(root);
    all.removeIf([](const auto &entry) { return entry.key().endsWith(rost::CheckedTablesFile); });
    return all;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a fixture file");
}

QByteArray tableBytes(const QString &folder, const TableDef &def, const QString &file,
                      const QHash<QString, QVariant> &row)
{
    const QString path = folder + QLatin1Char('/') + file;
    TableWriter writer(path, def);
    writer.insert(row);
    writer.commit();
    return readFile(path);
}

} // namespace

Q_DECLARE_METATYPE(Case)

class ZipImportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void hostileArchives_data();
    void hostileArchives();
    void inputOutputWarning();
    void readerFailureCarriesItsText();
    void refusedTableSaysWhy_data();
    void refusedTableSaysWhy();
    void foldersDroppedAndTimeKept();
    void missingDataFolder();

private:
    // The data folder every case starts from: old tables, a stale journal, a folder, and files
    // outside the data folder that a traversal name would hit.
    void makeFixture(const QString &root) const;
    QList<MemberFailure> run(const Build &build, const ImportLimits &limits,
                             ImportSummary *summary = nullptr);

    TestFolder m_sources;
    QByteArray m_oldFamilies, m_oldIndividuals, m_oldSetup;
    QByteArray m_newFamilies, m_newIndividuals, m_newSetup, m_setupAsFamilies;
    QByteArray m_familiesWithoutCity;
};

void ZipImportTest::initTestCase()
{
    const QString old = m_sources.file(QStringLiteral("old"));
    const QString fresh = m_sources.file(QStringLiteral("new"));
    QVERIFY(QDir().mkpath(old) && QDir().mkpath(fresh));
    const auto family = [](const char *name) {
        return QHash<QString, QVariant>{{fld::FamilyIdNum, 7},
                                        {fld::FamilyName, QLatin1String(name)}};
    };
    const auto person = [](const char *name) {
        return QHash<QString, QVariant>{
            {fld::IndivIdNum, 3}, {fld::FamilyIdNum, 7}, {fld::LastName, QLatin1String(name)}};
    };
    const auto setup = [](bool offices) {
        return QHash<QString, QVariant>{{fld::UseOffices, offices}};
    };
    const QString fam = tbl::Families;
    const QString ind = tbl::Individuals;
    const QString set = tbl::Setup;
    m_oldFamilies = tableBytes(old, familiesTable(), fam, family("Oldman"));
    m_oldIndividuals = tableBytes(old, individualsTable(), ind, person("Oldman"));
    m_oldSetup = tableBytes(old, setupTable(), set, setup(false));
    m_newFamilies = tableBytes(fresh, familiesTable(), fam, family("Newman"));
    m_newIndividuals = tableBytes(fresh, individualsTable(), ind, person("Newman"));
    m_newSetup = tableBytes(fresh, setupTable(), set, setup(true));
    // A sound database, but not the families table its name promises.
    m_setupAsFamilies = tableBytes(m_sources.path(), setupTable(), fam, setup(true));
    TableDef withoutCity = familiesTable();
    std::erase_if(withoutCity.fields, [](const FieldDef &f) { return f.name == fld::City; });
    m_familiesWithoutCity =
        tableBytes(m_sources.path(), withoutCity, QStringLiteral("x.adt"), family("Newman"));
}

void ZipImportTest::makeFixture(const QString &root) const
{
    const QString data = root + QStringLiteral("/data");
    QVERIFY(QDir().mkpath(data + QStringLiteral("/Pictures")));
    writeFile(data + QStringLiteral("/rostfamilies.adt"), m_oldFamilies);
    writeFile(data + QStringLiteral("/rostfamilies.adt-journal"), "a stale hot journal");
    writeFile(data + QStringLiteral("/RostIndividuals.adt"), m_oldIndividuals);
    writeFile(data + QStringLiteral("/RostSetup.adt"), m_oldSetup);
    writeFile(data + QStringLiteral("/notes.txt"), "old notes");
    writeFile(data + QStringLiteral("/Pictures/keep.jpg"), "a picture");
    writeFile(root + QStringLiteral("/up.txt"), "outside");
    writeFile(root + QStringLiteral("/evil.adt"), "outside");
}

void ZipImportTest::hostileArchives_data()
{
    QTest::addColumn<Case>("c");
    const QByteArray fiveMiB(5 << 20, '\0');
    ImportLimits small;
    small.maxMemberBytes = 1 << 20;

    QTest::newRow("folder names written flat")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .folder(QStringLiteral("export/"))
                        .add(QStringLiteral("export/2026/RostFamilies.ADT"), m_newFamilies)
                        .add(QStringLiteral("export\\RostSetup.adt"), m_newSetup)
                        .write();
                },
                {{QStringLiteral("rostfamilies.adt"), m_newFamilies},
                 {QStringLiteral("RostSetup.adt"), m_newSetup}},
                {}};

    QTest::newRow("traversal names")
        << Case{[](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("../up.txt"), "u")
                        .add(QStringLiteral("..\\..\\evil.adt"), "not a table")
                        .add(QStringLiteral("/tmp/abs.txt"), "a")
                        .add(QStringLiteral("C:\\Windows\\drive.txt"), "d")
                        .add(QStringLiteral("C:colon.txt"), "c")
                        .add(QStringLiteral("sub/.."), "x")
                        .add(QStringLiteral(".."), "y")
                        .add(QStringLiteral("a\nb.txt"), "n")
                        .add(QStringLiteral("a\x01"
                                            "b.txt"),
                             "z")
                        .add(QString(), "e")
                        .write();
                },
                {{QStringLiteral("up.txt"), "u"},
                 {QStringLiteral("abs.txt"), "a"},
                 {QStringLiteral("drive.txt"), "d"},
                 // A name without the UTF-8 flag is code page 437, where byte 1 is a smiling face.
                 {QStringLiteral("a\u263Ab.txt"), "z"}},
                {QStringLiteral("4 ..\\..\\evil.adt"), QStringLiteral("3 C:colon.txt"),
                 QStringLiteral("3 sub/.."), QStringLiteral("3 .."), QStringLiteral("3 a\nb.txt"),
                 QStringLiteral("3 ")}};

    // libzip refuses the whole directory when a name flagged as UTF-8 is not.
    QTest::newRow("control byte in a UTF-8 name")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("RostFamilies.adt"), m_newFamilies)
                        .add(QStringLiteral("c\x02"
                                            "d.txt"),
                             "r")
                        .write();
                    ArchiveBuilder::setGeneralFlag(a,
                                                   "c\x02"
                                                   "d.txt",
                                                   0x0800);
                },
                {},
                {},
                true};

    QTest::newRow("same name after flattening")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("a/RostSetup.adt"), m_newSetup)
                        .add(QStringLiteral("b\\ROSTSETUP.ADT"), m_newFamilies)
                        .add(QStringLiteral("notes.txt"), "new notes")
                        .add(QStringLiteral("NOTES.TXT"), "other notes")
                        .write();
                },
                {{QStringLiteral("notes.txt"), "new notes"}},
                // The tables change only together, and the archive is ambiguous about one of them.
                {QStringLiteral("3 b\\ROSTSETUP.ADT"), QStringLiteral("3 NOTES.TXT"),
                 QStringLiteral("4 a/RostSetup.adt")}};

    QTest::newRow("bomb declaring its size")
        << Case{[this, fiveMiB](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("RostFamilies.adt"), fiveMiB)
                        .add(QStringLiteral("RostSetup.adt"), m_newSetup)
                        .write();
                },
                {},
                {QStringLiteral("2 RostFamilies.adt"), QStringLiteral("4 RostSetup.adt")},
                false,
                small};

    QTest::newRow("bomb hiding its size")
        << Case{[fiveMiB](const QString &a) {
                    ArchiveBuilder(a).add(QStringLiteral("RostFamilies.adt"), fiveMiB).write();
                    ArchiveBuilder::setDeclaredSize(a, "RostFamilies.adt", 1000);
                },
                {},
                {QStringLiteral("2 RostFamilies.adt")},
                false,
                small};

    QTest::newRow("declared size too small")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("RostSetup.adt"), m_newSetup, true)
                        .add(QStringLiteral("RostIndividuals.adt"), m_newIndividuals)
                        .write();
                    ArchiveBuilder::setDeclaredSize(a, "RostSetup.adt", 100);
                },
                {},
                {QStringLiteral("2 RostSetup.adt"), QStringLiteral("4 RostIndividuals.adt")}};

    QTest::newRow("declared size too large")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a).add(QStringLiteral("RostSetup.adt"), m_newSetup).write();
                    ArchiveBuilder::setDeclaredSize(a, "RostSetup.adt",
                                                    static_cast<quint32>(m_newSetup.size() + 10));
                },
                {},
                {QStringLiteral("2 RostSetup.adt")}};

    QTest::newRow("corrupted data")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("RostIndividuals.adt"), m_newIndividuals, true)
                        .add(QStringLiteral("notes.txt"), "new notes")
                        .write();
                    ArchiveBuilder::flipByteOf(a, "CREATE TABLE");
                },
                {{QStringLiteral("notes.txt"), "new notes"}},
                {QStringLiteral("0 RostIndividuals.adt")}};

    QTest::newRow("truncated archive")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("RostFamilies.adt"), m_newFamilies)
                        .add(QStringLiteral("RostSetup.adt"), m_newSetup)
                        .write();
                    ArchiveBuilder::truncate(a, QFileInfo(a).size() / 2);
                },
                {},
                {},
                true};

    QTest::newRow("archive with its end cut off") << Case{
        [this](const QString &a) {
            ArchiveBuilder(a).add(QStringLiteral("RostFamilies.adt"), m_newFamilies).write();
            ArchiveBuilder::truncate(a, QFileInfo(a).size() - 10);
        },
        {},
        {},
        true};

    QTest::newRow("empty file") << Case{[](const QString &a) { writeFile(a, {}); }, {}, {}, true};

    QTest::newRow("archive of no members")
        << Case{[](const QString &a) { ArchiveBuilder::writeEmpty(a); }, {}, {}};

    QTest::newRow("not a zip") << Case{[](const QString &a) {
                                           writeFile(a, QByteArray("SQLite format 3") +
                                                            QByteArray(4096, 'x'));
                                       },
                                       {},
                                       {},
                                       true};

    QTest::newRow("encrypted member")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("RostSetup.adt"), m_newSetup)
                        .add(QStringLiteral("notes.txt"), "new notes")
                        .write();
                    ArchiveBuilder::setGeneralFlag(a, "RostSetup.adt", 0x0001);
                },
                {{QStringLiteral("notes.txt"), "new notes"}},
                {QStringLiteral("0 RostSetup.adt")}};

    QTest::newRow("symbolic link member")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .symlink(QStringLiteral("RostFamilies.adt"), "../up.txt")
                        .symlink(QStringLiteral("link.txt"), "/etc/passwd")
                        .add(QStringLiteral("notes.txt"), "new notes")
                        .write();
                },
                {{QStringLiteral("notes.txt"), "new notes"}},
                {QStringLiteral("6 RostFamilies.adt"), QStringLiteral("6 link.txt")}};

    QTest::newRow("name of an existing folder")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("PICTURES"), "not a folder")
                        .add(QStringLiteral("Pictures/keep.jpg"), "flat picture")
                        .write();
                },
                {{QStringLiteral("keep.jpg"), "flat picture"}},
                {QStringLiteral("3 PICTURES")}};

    QTest::newRow("table files the engine refuses")
        << Case{[this](const QString &a) {
                    ArchiveBuilder(a)
                        .add(QStringLiteral("RostFamilies.adt"), m_setupAsFamilies)
                        .add(QStringLiteral("RostSetup.adt"),
                             QByteArray("SQLite format 3\0", 16) + QByteArray(8192, '\x7f'))
                        .add(QStringLiteral("RostIndividuals.adt"), m_newIndividuals.left(2048))
                        .write();
                },
                {},
                {QStringLiteral("4 RostFamilies.adt"), QStringLiteral("4 RostSetup.adt"),
                 QStringLiteral("4 RostIndividuals.adt")}};

    QTest::newRow("journals never imported, stale ones removed") << Case{
        [this](const QString &a) {
            ArchiveBuilder(a)
                .add(QStringLiteral("RostFamilies.adt-journal"), "a hostile journal")
                .add(QStringLiteral("RostFamilies.adt"), m_newFamilies)
                .add(QStringLiteral("RostSetup.adt-wal"), "a hostile log")
                .write();
        },
        {{QStringLiteral("rostfamilies.adt"), m_newFamilies}},
        {QStringLiteral("3 RostFamilies.adt-journal"), QStringLiteral("3 RostSetup.adt-wal")}};

    ImportLimits noRoom;
    noRoom.minReservedBytes = qint64(1) << 62;
    QTest::newRow("no room on the disk") << Case{
        [this](const QString &a) {
            ArchiveBuilder(a).add(QStringLiteral("RostFamilies.adt"), m_newFamilies).write();
        },
        {},
        {},
        true,
        noRoom};
}

QList<MemberFailure> ZipImportTest::run(const Build &build, const ImportLimits &limits,
                                        ImportSummary *summary)
{
    TestFolder root;
    TestFolder archives;
    makeFixture(root.path());
    const QString archive = archives.file(QStringLiteral("RostData.zip"));
    build(archive);
    QList<MemberFailure> failures;
    const ImportSummary s = importArchive(
        archive, root.file(QStringLiteral("data")), [&](const MemberFailure &f) { failures << f; },
        limits);
    if (summary)
        *summary = s;
    return failures;
}

void ZipImportTest::hostileArchives()
{
    QFETCH(Case, c);
    TestFolder root;
    TestFolder archives;
    makeFixture(root.path());
    const QString archive = archives.file(QStringLiteral("RostData.zip"));
    c.build(archive);
    const QString data = root.file(QStringLiteral("data"));

    QMap<QString, QByteArray> expected = snapshot(root.path());
    if (!c.refused) {
        for (auto it = c.written.cbegin(); it != c.written.cend(); ++it) {
            const QString target = QStringLiteral("data/") + it.key();
            expected.insert(target, it.value());
            for (const char *side : {"-journal", "-wal", "-shm"})
                expected.remove(target + QLatin1String(side));
        }
    }

    QStringList failures;
    ImportSummary summary;
    try {
        summary = importArchive(
            archive, data,
            [&](const MemberFailure &f) {
                QCOMPARE_NE(f.reason, QString());
                if (f.errorClass != FailureClass::ZipReader &&
                    f.errorClass != FailureClass::InputOutput)
                    QCOMPARE(f.errorCode, 0);
                failures << QStringLiteral("%1 %2")
                                .arg(static_cast<int>(f.errorClass))
                                .arg(f.storedName);
            },
            c.limits);
        QVERIFY2(!c.refused, "the archive was not refused");
    } catch (const ImportError &e) {
        QVERIFY2(c.refused, qPrintable(e.text()));
        QVERIFY(e.text().contains(QLatin1String("RostData.zip")));
    }

    QCOMPARE(failures.join(QLatin1Char('|')), c.failures.join(QLatin1Char('|')));
    QCOMPARE(summary.failed, c.failures.size());
    QCOMPARE(summary.written, c.written.size());
    QStringList writtenNames = summary.writtenFiles;
    QStringList expectedNames = c.written.keys();
    writtenNames.sort();
    expectedNames.sort();
    QCOMPARE(writtenNames, expectedNames);
    // Nothing outside the data folder changes, no staging is left behind, and every file the
    // import did not write whole is byte for byte as it was.
    const QMap<QString, QByteArray> after = snapshot(root.path());
    QCOMPARE(after.keys(), expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
}

void ZipImportTest::inputOutputWarning()
{
    ImportLimits failingWrite;
    failingWrite.faults.failAt = 1;
    const QList<MemberFailure> failures = run(
        [this](const QString &a) {
            ArchiveBuilder(a).add(QStringLiteral("export/RostFamilies.adt"), m_newFamilies).write();
        },
        failingWrite);
    QCOMPARE(failures.size(), 1);
    QCOMPARE(failures.first().errorClass, FailureClass::InputOutput);
    QCOMPARE(failures.first().errorCode, EIO);
    QCOMPARE(memberWarningText(failures.first()),
             QStringLiteral("Can't open export/RostFamilies.adt\rError Code : %1").arg(EIO));
    // The second message box is for the zip reader's own errors only.
    QVERIFY(failures.first().readerText.isEmpty());
}

void ZipImportTest::readerFailureCarriesItsText()
{
    const QList<MemberFailure> failures = run(
        [this](const QString &a) {
            ArchiveBuilder(a)
                .add(QStringLiteral("RostIndividuals.adt"), m_newIndividuals, true)
                .write();
            ArchiveBuilder::flipByteOf(a, "CREATE TABLE");
        },
        {});
    QCOMPARE(failures.size(), 1);
    QCOMPARE(failures.first().errorClass, FailureClass::ZipReader);
    QCOMPARE(failures.first().errorCode, ZIP_ER_CRC);
    QCOMPARE(failures.first().readerText, QStringLiteral("CRC error"));
}

void ZipImportTest::refusedTableSaysWhy_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("warning");
    const QByteArray damaged = QByteArray("SQLite format 3\0", 16) + QByteArray(8192, '\x7f');
    const QString head = QStringLiteral("Can't open %1\rError Code : 0\rReason: ");
    QTest::newRow("text file under a table's name")
        << "RostOffices.adt" << QByteArray("not a table file")
        << head.arg("RostOffices.adt") +
               "not a directory table\rThe directory still has no RostOffices table.";
    QTest::newRow("another table under the families' name")
        << "export/RostFamilies.ADT" << m_setupAsFamilies
        << head.arg("export/RostFamilies.ADT") +
               "not a directory table\rThe directory keeps its previous RostFamilies table.";
    QTest::newRow("damaged pages")
        << "RostSetup.adt" << damaged
        << head.arg("RostSetup.adt") +
               "the file is damaged\rThe directory keeps its previous RostSetup table.";
    QTest::newRow("cut short")
        << "RostIndividuals.adt" << m_newIndividuals.left(2048)
        << head.arg("RostIndividuals.adt") +
               "the file is damaged\rThe directory keeps its previous RostIndividuals table.";
    QTest::newRow("a field the program reads is missing")
        << "RostFamilies.adt" << m_familiesWithoutCity
        << head.arg("RostFamilies.adt") +
               "a field is missing: City\rThe directory keeps its previous RostFamilies table.";
    QTest::newRow("damaged file of no known table")
        << "Extra.adt" << damaged
        << head.arg("Extra.adt") +
               "the file is damaged\rThe directory still has no file Extra.adt.";
}

void ZipImportTest::refusedTableSaysWhy()
{
    QFETCH(QString, stored);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);
    TestFolder root;
    TestFolder archives;
    makeFixture(root.path());
    const QMap<QString, QByteArray> before = snapshot(root.path());
    const QString archive = archives.file(QStringLiteral("RostData.zip"));
    ArchiveBuilder(archive).add(stored, bytes).write();
    QStringList warnings;
    importArchive(archive, root.file(QStringLiteral("data")),
                  [&](const MemberFailure &f) { warnings << memberWarningText(f); });
    QCOMPARE(warnings, QStringList{warning});
    QCOMPARE(snapshot(root.path()), before);
}

void ZipImportTest::foldersDroppedAndTimeKept()
{
    TestFolder root;
    TestFolder archives;
    makeFixture(root.path());
    const QString archive = archives.file(QStringLiteral("RostData.zip"));
    const QDateTime when(QDate(2020, 5, 1), QTime(12, 0, 0));
    ArchiveBuilder(archive)
        .modified(when)
        .folder(QStringLiteral("export/"))
        .folder(QStringLiteral("export/2026/"))
        .add(QStringLiteral("export/2026/RostFamilies.ADT"), m_newFamilies)
        .write();
    const QString data = root.file(QStringLiteral("data"));
    const ImportSummary summary = importArchive(archive, data, {});
    QCOMPARE(summary.folders, 2);
    QCOMPARE(summary.writtenFiles, QStringList{QStringLiteral("rostfamilies.adt")});
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/export")));
    const QDateTime stamped = QFileInfo(data + QStringLiteral("/rostfamilies.adt")).lastModified();
    QVERIFY2(qAbs(stamped.secsTo(when)) <= 2, qPrintable(stamped.toString(Qt::ISODate)));
}

void ZipImportTest::missingDataFolder()
{
    TestFolder archives;
    const QString archive = archives.file(QStringLiteral("RostData.zip"));
    ArchiveBuilder(archive).add(QStringLiteral("notes.txt"), "x").write();
    QVERIFY_THROWS_EXCEPTION(ImportError,
                             importArchive(archive, archives.file(QStringLiteral("none")), {}));
    QVERIFY_THROWS_EXCEPTION(
        ImportError, importArchive(archives.file(QStringLiteral("none.zip")), archives.path(), {}));
}

QTEST_GUILESS_MAIN(ZipImportTest)
#include "ZipImportTest.moc"
