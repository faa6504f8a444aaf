#include "import/MemberName.h"
#include "import/MemberFailure.h"

#include <QtTest>

using namespace rost;

class MemberNameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reducesToBareName_data();
    void reducesToBareName();
    void warningText();
};

void MemberNameTest::reducesToBareName_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("bare");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("folder");

    QTest::newRow("plain") << "RostFamilies.ADT"
                           << "RostFamilies.ADT" << false << false;
    QTest::newRow("folders") << "export/2026/RostSetup.adt"
                             << "RostSetup.adt" << false << false;
    QTest::newRow("backslash folders") << "export\\RostSetup.adt"
                                       << "RostSetup.adt" << false << false;
    QTest::newRow("mixed separators") << "a\\b/c\\d.txt"
                                      << "d.txt" << false << false;
    QTest::newRow("parent") << "../../etc/passwd"
                            << "passwd" << false << false;
    QTest::newRow("parent backslash") << "..\\..\\evil.adt"
                                      << "evil.adt" << false << false;
    QTest::newRow("absolute") << "/etc/cron.d/job"
                              << "job" << false << false;
    QTest::newRow("drive") << "C:\\Windows\\win.ini"
                           << "win.ini" << false << false;
    QTest::newRow("drive relative") << "C:evil.adt"
                                    << "C:evil.adt" << true << false;
    QTest::newRow("stream") << "RostFamilies.adt:hidden"
                            << "RostFamilies.adt:hidden" << true << false;
    QTest::newRow("empty") << ""
                           << "" << true << false;
    QTest::newRow("folder entry") << "export/"
                                  << "" << true << true;
    QTest::newRow("dot") << "a/."
                         << "." << true << false;
    QTest::newRow("dot dot") << "a\\.."
                             << ".." << true << false;
    QTest::newRow("only dots") << ".."
                               << ".." << true << false;
    QTest::newRow("control") << QStringLiteral("bad\x01name") << QStringLiteral("bad\x01name")
                             << true << false;
    QTest::newRow("newline") << QStringLiteral("a\nb.adt") << QStringLiteral("a\nb.adt") << true
                             << false;
    QTest::newRow("C1 control") << QStringLiteral("a\u0085b") << QStringLiteral("a\u0085b") << true
                                << false;
    QTest::newRow("wildcard") << "*.adt"
                              << "*.adt" << true << false;
    QTest::newRow("trailing dot") << "RostFamilies.adt."
                                  << "RostFamilies.adt." << true << false;
    QTest::newRow("trailing blank") << "RostFamilies.adt "
                                    << "RostFamilies.adt " << true << false;
    QTest::newRow("device") << "dir/nul.adt"
                            << "nul.adt" << true << false;
    QTest::newRow("device com") << "COM1"
                                << "COM1" << true << false;
    QTest::newRow("not a device") << "COM10.txt"
                                  << "COM10.txt" << false << false;
    QTest::newRow("journal") << "RostFamilies.adt-journal"
                             << "RostFamilies.adt-journal" << true << false;
    QTest::newRow("wal") << "x/RostFamilies.ADT-WAL"
                         << "RostFamilies.ADT-WAL" << true << false;
    QTest::newRow("shm") << "RostFamilies.adt-shm"
                         << "RostFamilies.adt-shm" << true << false;
    QTest::newRow("too long") << QString(256, QLatin1Char('a')) << QString(256, QLatin1Char('a'))
                              << true << false;
    // 128 two-byte characters: 256 bytes on disk, one too many.
    QTest::newRow("too long in bytes")
        << QString(128, QChar(0xe9)) << QString(128, QChar(0xe9)) << true << false;
    QTest::newRow("longest") << QString(255, QLatin1Char('a')) << QString(255, QLatin1Char('a'))
                             << false << false;
    QTest::newRow("hidden") << ".profile"
                            << ".profile" << false << false;
    QTest::newRow("unicode") << QStringLiteral("Fr\u00e9d\u00e9ric.txt")
                             << QStringLiteral("Fr\u00e9d\u00e9ric.txt") << false << false;
}

void MemberNameTest::reducesToBareName()
{
    QFETCH(QString, stored);
    QFETCH(QString, bare);
    QFETCH(bool, refused);
    QFETCH(bool, folder);
    const MemberName name(stored);
    QCOMPARE(name.stored(), stored);
    QCOMPARE(name.bare(), bare);
    QCOMPARE(!name.refusal().isEmpty(), refused);
    QCOMPARE(name.isFolder(), folder);
    QVERIFY(!name.bare().contains(QLatin1Char('/')) && !name.bare().contains(QLatin1Char('\\')));
}

void MemberNameTest::warningText()
{
    QCOMPARE(memberWarningText(QStringLiteral("data/RostFamilies.ADT"), 28),
             QStringLiteral("Can't open data/RostFamilies.ADT\rError Code : 28"));
    QCOMPARE(memberWarningText({QStringLiteral("x"), FailureClass::Stream, 0, {}, {}, {}, {}}),
             QStringLiteral("Can't open x\rError Code : 0"));
    QVERIFY(MemberName(QStringLiteral("a/RostSetup.ADT")).isTableFile());
    QVERIFY(!MemberName(QStringLiteral("RostSetup.adt.bak")).isTableFile());
    QCOMPARE(MemberName(QStringLiteral("A/RostFamilies.ADT")).sameFileKey(),
             MemberName(QStringLiteral("rostfamilies.adt")).sameFileKey());
}

QTEST_GUILESS_MAIN(MemberNameTest)
#include "MemberNameTest.moc"
