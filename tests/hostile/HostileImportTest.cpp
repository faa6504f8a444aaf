#include "HostileCorpus.h"

#include "Fixture.h"
#include "TestFolder.h"
#include "directory/Tables.h"

#include <QProcess>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

// The directory's table files in a folder, by case-folded name.
QMap<QString, QByteArray> tablesIn(const QString &folder)
{
    QMap<QString, QByteArray> tables;
    const QFileInfoList files = QDir(folder).entryInfoList(
        {QStringLiteral("Rost*.adt")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &f : files)
        tables.insert(f.fileName().toCaseFolded(), readFile(f.filePath()));
    return tables;
}

QMap<QString, QByteArray> folded(const QMap<QString, QByteArray> &tables)
{
    QMap<QString, QByteArray> out;
    for (auto it = tables.cbegin(); it != tables.cend(); ++it)
        out.insert(it.key().toCaseFolded(), it.value());
    return out;
}

void writeDirectory(const QString &folder, const QString &name)
{
    writeTable(folder, familiesTable(), {family(1, name), family(2, name + QStringLiteral("s"))});
    writeTable(folder, individualsTable(),
               {person(1, 1, 1, QStringLiteral("Ann"), name, QStringLiteral("Wife")),
                person(2, 1, 2, QStringLiteral("Bo"), name, QStringLiteral("Husband")),
                person(3, 2, 1, QStringLiteral("Cy"), name + QStringLiteral("s"))});
    writeSetup(folder, true, true, true, true, true, QStringLiteral("Choir"),
               QStringLiteral("Committees"));
    const auto item = [](int indiv, const QString &field, const QString &text) {
        return Row{{QString(fld::IndivIdNum), indiv}, {field, text}};
    };
    writeTable(folder, officesTable(), {item(1, fld::Office, name + QStringLiteral(" Deacon"))});
    writeTable(folder, talentsTable(), {item(2, fld::Talent, QStringLiteral("Singing"))});
    writeTable(folder, activitiesTable(), {item(3, fld::Activity, QStringLiteral("Picnic"))});
    writeTable(folder, user1Table(), {item(1, fld::User1Item, QStringLiteral("Alto"))});
    writeTable(folder, user2Table(), {item(2, fld::User2Item, name)});
}

// Under the sanitizers every import costs several times more; the count of the largest archive
// comes from the environment there.
int manyMembers()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("ROST_HOSTILE_MEMBERS", &ok);
    return ok && n > 1000 ? n : 70000;
}

} // namespace

class HostileImportTest : public QObject
{
    Q_OBJECT

private:
    TestFolder m_work;
    QMap<QString, QByteArray> m_old;
    QMap<QString, QByteArray> m_new;
    std::vector<HostileArchive> m_corpus;

private Q_SLOTS:
    void initTestCase()
    {
        const QString old = m_work.file(QStringLiteral("old"));
        const QString fresh = m_work.file(QStringLiteral("new"));
        QVERIFY(QDir().mkpath(old) && QDir().mkpath(fresh));
        writeDirectory(old, QStringLiteral("Oldman"));
        writeDirectory(fresh, QStringLiteral("Newman"));
        for (const TableDef *def : allTables()) {
            m_old.insert(def->file, readFile(old + QLatin1Char('/') + def->file));
            m_new.insert(def->file, readFile(fresh + QLatin1Char('/') + def->file));
        }
        m_corpus =
            writeHostileCorpus(m_work.file(QStringLiteral("corpus")),
                               m_work.file(QStringLiteral("site/outside")), m_new, manyMembers());
        QVERIFY2(m_corpus.size() >= 100, qPrintable(QString::number(m_corpus.size())));
    }

    void importEach_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < m_corpus.size(); ++i)
            QTest::newRow(qPrintable(m_corpus[i].name)) << int(i);
    }

    // Each archive goes into a data folder holding the old directory, inside a site that also
    // holds files a climbing name would reach. Afterwards nothing outside the data folder has
    // changed (no file written, no staging folder left), and the tables are wholly the old
    // directory or wholly the new one: never some of each.
    void importEach()
    {
        QFETCH(int, index);
        const HostileArchive &archive = m_corpus[size_t(index)];
        const QString site = m_work.file(QStringLiteral("site"));
        QVERIFY(QDir(site).removeRecursively() || !QFileInfo::exists(site));
        const QString data = site + QStringLiteral("/data");
        QVERIFY(QDir().mkpath(data) && QDir().mkpath(site + QStringLiteral("/outside")));
        for (auto it = m_old.cbegin(); it != m_old.cend(); ++it) {
            QFile f(data + QLatin1Char('/') + it.key());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(it.value()) == it.value().size());
        }
        QFile victim(site + QStringLiteral("/outside/victim.adt"));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("keep me") == 7);
        victim.close();
        const QMap<QString, QByteArray> around = snapshot(site, QStringLiteral("data"));

        QProcess batch;
        batch.start(QStringLiteral(ROST_BATCH),
                    {QStringLiteral("import"), QStringLiteral("--data"), data, archive.path});
        QVERIFY(batch.waitForStarted());
        if (!batch.waitForFinished(60000)) {
            batch.kill();
            batch.waitForFinished();
            QFAIL("the import ran for more than a minute");
        }
        const QString err = QString::fromUtf8(batch.readAllStandardError());
        QCOMPARE(batch.exitStatus(), QProcess::NormalExit);
        const int exit = batch.exitCode();
        QVERIFY2(std::find(archive.exits.begin(), archive.exits.end(), exit) != archive.exits.end(),
                 qPrintable(QStringLiteral("exit %1: %2").arg(exit).arg(err)));
        if (exit == 0)
            QVERIFY2(err.isEmpty(), qPrintable(err));
        else
            QVERIFY2(!err.isEmpty() && err.contains(archive.said), qPrintable(err));

        QCOMPARE(snapshot(site, QStringLiteral("data")), around);
        const QMap<QString, QByteArray> now = tablesIn(data);
        const QMap<QString, QByteArray> old = folded(m_old);
        QMap<QString, QByteArray> fresh = old;
        fresh.insert(folded(archive.tables));
        const bool wasOld = now == old;
        const bool isNew = now == fresh;
        QVERIFY2(wasOld || isNew, "the directory holds tables of both the old and the new");
        QVERIFY2(archive.afterwards == Afterwards::Old ? wasOld : isNew,
                 archive.afterwards == Afterwards::Old ? "the old directory was replaced"
                                                       : "the new directory did not go in");
    }
};

QTEST_GUILESS_MAIN(HostileImportTest)
#include "HostileImportTest.moc"
