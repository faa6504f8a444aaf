#include "directory/Preferences.h"
#include "directory/EnvelopeLayout.h"
#include "directory/IoError.h"
#include "directory/SettingsRecord.h"

#include "TestFolder.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace rost;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

double realAt(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<double>(b.constData() + at);
}

qint32 intAt(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<qint32>(b.constData() + at);
}

// Text field as the old program wrote it: length byte, then the characters.
QByteArray textField(const QByteArray &chars, qsizetype capacity)
{
    QByteArray f(capacity + 1, '\0');
    f[0] = static_cast<char>(chars.size());
    f.replace(1, chars.size(), chars);
    return f;
}

bool isDefaultLayout(const EnvelopeLayout &d)
{
    const EnvelopeFont tnr{QStringLiteral("Times New Roman"), 12, 0};
    return d.Reserved1.isEmpty() && d.FeedPosition == 1 && d.Orientation == 1 && !d.PrintRetAdd &&
           d.Reserved2 == 0 && d.Reserved3 == 0 && d.RetTop == 2.3 && d.RetLeft == 0.4 &&
           d.DelTop == 4.25 && d.DelLeft == 4.75 && d.RetNameFont == tnr && d.RetAddFont == tnr &&
           d.DelFont == tnr;
}

} // namespace

class PreferencesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartWritesBothFiles();
    void envelopeLayoutOffsets();
    void oldProgramRecordLoads();
    void damagedFilesAreReplaced_data();
    void damagedFilesAreReplaced();
    void longerFileReadsFirstRecord();
    void lengthByteBeyondCapacity();
    void returnLinesRoundTrip();
    void fontNameCutTo40();
    void outOfRangeBytesLoad();
    void codePage();
    void readOnlyFileLoadsAndSaveFails();
    void failedSaveKeepsOldFile();
    void unwritableFolderReportsError();
    void pathJoining_data();
    void pathJoining();
    void layoutValuesOffThePage_data();
    void layoutValuesOffThePage();
    void settingsFileThatIsAFifo();
};

void PreferencesTest::firstStartWritesBothFiles()
{
    test::TestFolder folder;
    Preferences prefs(folder.path());
    EnvelopeLayout env(folder.path());
    prefs.Load();
    QCOMPARE(env.Load(), QStringList());

    const QByteArray p = fileBytes(folder.file(QStringLiteral("RostPrefs.QMR")));
    QCOMPARE(p, QByteArray(164, '\0'));
    const QByteArray e = fileBytes(folder.file(QStringLiteral("EnvelopeDefinition.QMR")));
    QCOMPARE(e.size(), 464);
    QVERIFY(isDefaultLayout(env));
    QVERIFY(prefs.RetAddLine1.isEmpty() && prefs.RetAddLine4.isEmpty());
}

// Every field at its documented offset, written by us and read back from bytes.
void PreferencesTest::envelopeLayoutOffsets()
{
    EnvelopeLayout d;
    d.Reserved1 = QStringLiteral("R");
    d.FeedPosition = 2;
    d.Orientation = 0;
    d.PrintRetAdd = true;
    d.Reserved2 = -7;
    d.Reserved3 = 9;
    d.RetTop = 1.25;
    d.RetLeft = 0.5;
    d.RetNameFont = {QStringLiteral("Arial"), 24, EnvelopeFont::Bold | EnvelopeFont::Underline};
    d.RetAddFont = {QStringLiteral("Courier"), 10, EnvelopeFont::Italic};
    d.DelTop = 4.5;
    d.DelLeft = 5.125;
    d.DelFont = {QStringLiteral("Times"), 14, EnvelopeFont::StrikeOut};
    const QByteArray b = d.toRecord();

    QCOMPARE(b.size(), 464);
    QCOMPARE(b.left(2), QByteArray("\x01R", 2));
    QCOMPARE(b.at(256), '\x02');
    QCOMPARE(b.at(257), '\x00');
    QCOMPARE(b.at(258), '\x01');
    QCOMPARE(intAt(b, 260), -7);
    QCOMPARE(b.at(264), '\x09');
    QCOMPARE(realAt(b, 272), 1.25);
    QCOMPARE(realAt(b, 280), 0.5);
    QCOMPARE(b.mid(288, 6), QByteArray("\x05"
                                       "Arial"));
    QCOMPARE(intAt(b, 288 + 44), 24);
    QCOMPARE(b.at(288 + 48), '\x05');
    QCOMPARE(b.mid(340, 8), QByteArray("\x07"
                                       "Courier"));
    QCOMPARE(intAt(b, 340 + 44), 10);
    QCOMPARE(b.at(340 + 48), '\x02');
    QCOMPARE(realAt(b, 392), 4.5);
    QCOMPARE(realAt(b, 400), 5.125);
    QCOMPARE(b.mid(408, 6), QByteArray("\x05"
                                       "Times"));
    QCOMPARE(intAt(b, 408 + 44), 14);
    QCOMPARE(b.at(408 + 48), '\x08');

    EnvelopeLayout back;
    QVERIFY(back.fromRecord(b));
    QCOMPARE(back.toRecord(), b);
    QCOMPARE(back.Reserved2, -7);
    QCOMPARE(back.DelFont, d.DelFont);

    Preferences p;
    p.RetAddLine1 = QStringLiteral("A");
    p.RetAddLine2 = QStringLiteral("BB");
    p.RetAddLine3 = QStringLiteral("CCC");
    p.RetAddLine4 = QStringLiteral("DDDD");
    const QByteArray pb = p.toRecord();
    QCOMPARE(pb.size(), 164);
    QCOMPARE(pb.mid(0, 2), QByteArray("\x01"
                                      "A"));
    QCOMPARE(pb.mid(41, 3), QByteArray("\x02"
                                       "BB"));
    QCOMPARE(pb.mid(82, 4), QByteArray("\x03"
                                       "CCC"));
    QCOMPARE(pb.mid(123, 5), QByteArray("\x04"
                                        "DDDD"));
}

// A record as the old program leaves it: junk after the used length and in the padding, a
// flag byte other than 1. Reserved fields come back unchanged on the next save.
void PreferencesTest::oldProgramRecordLoads()
{
    QByteArray b(464, '\xCC');
    b.replace(0, 256, textField("keep me", 255));
    b[256] = 0;
    b[257] = 1;
    b[258] = '\x7F';
    qToLittleEndian<qint32>(123456, b.data() + 260);
    b[264] = 42;
    qToLittleEndian(0.5, b.data() + 272);
    qToLittleEndian(0.4, b.data() + 280);
    QByteArray font = textField("Arial", 40);
    font.append(3, '\xEE');
    font.append(4, '\0');
    qToLittleEndian<qint32>(10, font.data() + 44);
    font.append('\x03');
    font.append(3, '\xEE');
    b.replace(288, 52, font);
    b.replace(340, 52, font);
    b.replace(408, 52, font);
    qToLittleEndian(2.2, b.data() + 392);
    qToLittleEndian(4.75, b.data() + 400);

    test::TestFolder folder;
    writeBytes(folder.file(QStringLiteral("EnvelopeDefinition.QMR")), b);
    EnvelopeLayout d(folder.path());
    QCOMPARE(d.Load(), QStringList());
    QCOMPARE(d.Reserved1, QStringLiteral("keep me"));
    QCOMPARE(d.FeedPosition, quint8(0));
    QVERIFY(d.PrintRetAdd);
    QCOMPARE(d.Reserved2, 123456);
    QCOMPARE(d.Reserved3, quint8(42));
    QCOMPARE(d.RetTop, 0.5);
    QCOMPARE(d.DelTop, 2.2);
    const EnvelopeFont arial{QStringLiteral("Arial"), 10, 3};
    QCOMPARE(d.RetNameFont, arial);
    QCOMPARE(d.DelFont, arial);

    d.Save();
    const QByteArray saved = fileBytes(d.filePath());
    QCOMPARE(saved.size(), 464);
    QCOMPARE(saved.at(258), '\x01');
    QCOMPARE(intAt(saved, 260), 123456);
    QCOMPARE(saved.at(264), '\x2A');
    QCOMPARE(saved.mid(0, 8), QByteArray("\x07keep me"));
}

void PreferencesTest::damagedFilesAreReplaced_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("100 bytes") << 100;
    QTest::newRow("one short") << 463;
}

void PreferencesTest::damagedFilesAreReplaced()
{
    QFETCH(int, size);
    test::TestFolder folder;
    writeBytes(folder.file(QStringLiteral("EnvelopeDefinition.QMR")), QByteArray(size, '\x01'));
    writeBytes(folder.file(QStringLiteral("RostPrefs.QMR")), QByteArray(size * 164 / 464, 'x'));
    EnvelopeLayout d(folder.path());
    QCOMPARE(d.Load(), QStringList());
    QVERIFY(isDefaultLayout(d));
    QCOMPARE(fileBytes(d.filePath()), d.toRecord());

    Preferences p(folder.path());
    p.RetAddLine1 = QStringLiteral("stale");
    p.Load();
    QVERIFY(p.RetAddLine1.isEmpty());
    QCOMPARE(fileBytes(p.filePath()), QByteArray(164, '\0'));

    // A folder entry that is not a file at all is just as unreadable.
    test::TestFolder other;
    QVERIFY(QDir(other.path()).mkdir(QStringLiteral("RostPrefs.QMR")));
    Preferences q(other.path());
    QVERIFY_THROWS_EXCEPTION(IoError, q.Load());
}

void PreferencesTest::longerFileReadsFirstRecord()
{
    test::TestFolder folder;
    Preferences p(folder.path());
    p.RetAddLine2 = QStringLiteral("first");
    QByteArray two = p.toRecord();
    p.RetAddLine2 = QStringLiteral("second");
    two += p.toRecord();
    writeBytes(p.filePath(), two);

    Preferences q(folder.path());
    q.Load();
    QCOMPARE(q.RetAddLine2, QStringLiteral("first"));
    q.Save();
    QCOMPARE(fileBytes(q.filePath()).size(), 164);
}

void PreferencesTest::lengthByteBeyondCapacity()
{
    QByteArray b(164, 'Z');
    b[0] = '\xFF';
    b[41] = 41;
    b[82] = 0;
    b[123] = 3;
    Preferences p;
    QVERIFY(p.fromRecord(b));
    QCOMPARE(p.RetAddLine1, QString(40, QLatin1Char('Z')));
    QCOMPARE(p.RetAddLine2, QString(40, QLatin1Char('Z')));
    QCOMPARE(p.RetAddLine3, QString());
    QCOMPARE(p.RetAddLine4, QStringLiteral("ZZZ"));

    QByteArray e(464, '\0');
    e[0] = '\xFF'; // capacity 255 exactly: all of the field, nothing of FeedPosition
    e[256] = 'F';
    e[288] = '\x7F';
    EnvelopeLayout d;
    QVERIFY(d.fromRecord(e));
    QCOMPARE(d.Reserved1.size(), 255);
    QVERIFY(!d.Reserved1.contains(QLatin1Char('F')));
    QCOMPARE(d.RetNameFont.Name.size(), 40);
}

void PreferencesTest::returnLinesRoundTrip()
{
    test::TestFolder folder;
    const QString forty = QStringLiteral("Äußerer Kirchweg 12, 8000 Zürich – Süd €").left(40);
    QCOMPARE(forty.size(), 40);
    Preferences p(folder.path());
    p.RetAddLine1 = forty;
    p.RetAddLine2 = forty + QLatin1Char('!');
    p.RetAddLine3 = QString();
    p.RetAddLine4 = QStringLiteral("Line 4");
    p.Save();
    QCOMPARE(fileBytes(p.filePath()).size(), 164);

    Preferences q(folder.path());
    q.Load();
    QCOMPARE(q.RetAddLine1, forty);
    QCOMPARE(q.RetAddLine2, forty); // a 41st character never reaches the file
    QCOMPARE(q.RetAddLine3, QString());
    QCOMPARE(q.RetAddLine4, QStringLiteral("Line 4"));
}

void PreferencesTest::fontNameCutTo40()
{
    test::TestFolder folder;
    EnvelopeLayout d(folder.path());
    d.SetDefaults();
    d.DelFont.Name = QString(45, QLatin1Char('N'));
    d.Save();
    EnvelopeLayout e(folder.path());
    QCOMPARE(e.Load(), QStringList());
    QCOMPARE(e.DelFont.Name, QString(40, QLatin1Char('N')));
    QCOMPARE(e.RetNameFont.Name, QStringLiteral("Times New Roman"));
}

void PreferencesTest::outOfRangeBytesLoad()
{
    test::TestFolder folder;
    EnvelopeLayout d(folder.path());
    d.SetDefaults();
    d.FeedPosition = 7;
    d.Orientation = 200;
    d.Save();
    EnvelopeLayout e(folder.path());
    QCOMPARE(e.Load(), QStringList());
    QCOMPARE(e.FeedPosition, quint8(7));
    QCOMPARE(e.Orientation, quint8(200));
}

void PreferencesTest::codePage()
{
    QCOMPARE(toWindows1252(u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ", 100),
             QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94"
                        "\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F"));
    QCOMPARE(toWindows1252(u"aé\u00FF\u0100Ω\U0001F600b", 100), QByteArray("a\xE9\xFF???b"));
    QCOMPARE(toWindows1252(u"abc", 2), QByteArray("ab"));
    // A character outside the BMP is one character, so it takes one place.
    QCOMPARE(toWindows1252(u"\U0001F600xyz", 2), QByteArray("?x"));

    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    const QString text = fromWindows1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0x9F), QChar(0x0178));
    QCOMPARE(toWindows1252(text, 256), all);
}

void PreferencesTest::readOnlyFileLoadsAndSaveFails()
{
    test::TestFolder folder;
    Preferences p(folder.path());
    p.RetAddLine1 = QStringLiteral("Grace Church");
    p.Save();
    const QByteArray before = fileBytes(p.filePath());
    QVERIFY(QFile::setPermissions(p.filePath(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));

    Preferences q(folder.path());
    q.Load();
    QCOMPARE(q.RetAddLine1, QStringLiteral("Grace Church"));
    q.RetAddLine1 = QStringLiteral("New name");
    try {
        q.Save();
        QFAIL("saving over a read-only file reported success");
    } catch (const IoError &e) {
        QVERIFY(e.text().contains(p.filePath()));
        QVERIFY(e.text().contains(qt_error_string(EACCES)));
    }
    QCOMPARE(q.RetAddLine1, QStringLiteral("New name"));
    QCOMPARE(fileBytes(p.filePath()), before);

    EnvelopeLayout d(folder.path());
    d.SetDefaults();
    d.DelTop = 3.5;
    d.Save();
    QVERIFY(QFile::setPermissions(d.filePath(), QFileDevice::ReadOwner));
    EnvelopeLayout e(folder.path());
    QCOMPARE(e.Load(), QStringList());
    QCOMPARE(e.DelTop, 3.5);
    QVERIFY_THROWS_EXCEPTION(IoError, e.SetDefaults());
    QCOMPARE(e.DelTop, 4.25); // memory keeps what was set, the file what it had
    EnvelopeLayout f(folder.path());
    QCOMPARE(f.Load(), QStringList());
    QCOMPARE(f.DelTop, 3.5);
}

// The file size limit stands in for a full disk: the write of the temporary file fails half
// way, and the old record must survive whole.
void PreferencesTest::failedSaveKeepsOldFile()
{
    test::TestFolder folder;
    EnvelopeLayout d(folder.path());
    d.SetDefaults();
    const QByteArray before = fileBytes(d.filePath());

    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    d.DelTop = 1.0;
    QString reason;
    try {
        d.Save();
    } catch (const IoError &e) {
        reason = e.text();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(reason.contains(qt_error_string(EFBIG)), qPrintable(reason));
    QCOMPARE(fileBytes(d.filePath()), before);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("EnvelopeDefinition.QMR")});
}

void PreferencesTest::unwritableFolderReportsError()
{
    test::TestFolder folder;
    const QString notAFolder = folder.file(QStringLiteral("plain"));
    writeBytes(notAFolder, "x");
    Preferences p(notAFolder);
    p.RetAddLine1 = QStringLiteral("kept");
    QVERIFY_THROWS_EXCEPTION(IoError, p.Save());
    QCOMPARE(p.RetAddLine1, QStringLiteral("kept"));
    EnvelopeLayout d(notAFolder);
    QVERIFY_THROWS_EXCEPTION(IoError, static_cast<void>(d.Load()));
    QVERIFY(isDefaultLayout(d)); // the reset happened in memory even though the write failed
    QCOMPARE(fileBytes(notAFolder), QByteArray("x"));
}

void PreferencesTest::pathJoining_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "/data/rost"
                           << "/data/rost/RostPrefs.QMR";
    QTest::newRow("trailing") << "/data/rost/"
                              << "/data/rost/RostPrefs.QMR";
    QTest::newRow("root") << "/"
                          << "/RostPrefs.QMR";
    QTest::newRow("drive root") << "C:\\"
                                << "C:\\RostPrefs.QMR";
}

void PreferencesTest::pathJoining()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(Preferences(folder).filePath(), path);
    QCOMPARE(EnvelopeLayout(folder).filePath(),
             path.chopped(13) + QLatin1String("EnvelopeDefinition.QMR"));
}

// A value that would print nothing takes its default with a warning naming it; the edges of the
// allowed ranges load unchanged. The file itself is left as it was.
void PreferencesTest::layoutValuesOffThePage_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<double>("position"); // written at offset when the font size is 0
    QTest::addColumn<qint32>("fontSize"); // written at offset when not 0
    QTest::addColumn<QString>("warning"); // empty: the value loads as it is
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("RetTop NaN") << 272 << nan << 0
                                << "The envelope layout's RetTop of nan inches is not on the "
                                   "page; the default of 2.3 inches is used.";
    QTest::newRow("RetLeft infinite") << 280 << inf << 0
                                      << "The envelope layout's RetLeft of inf inches is not on "
                                         "the page; the default of 0.4 inches is used.";
    QTest::newRow("DelTop negative") << 392 << -0.5 << 0
                                     << "The envelope layout's DelTop of -0.5 inches is not on "
                                        "the page; the default of 4.25 inches is used.";
    QTest::newRow("DelLeft absurd") << 400 << 1e300 << 0
                                    << "The envelope layout's DelLeft of 1e+300 inches is not on "
                                       "the page; the default of 4.75 inches is used.";
    QTest::newRow("DelLeft just past the page") << 400 << 17.01 << 0
                                                << "The envelope layout's DelLeft of 17.01 inches "
                                                   "is not on the page; the default of 4.75 inches "
                                                   "is used.";
    QTest::newRow("DelFont 1000 pt") << 408 + 44 << 0.0 << 1000
                                     << "The envelope layout's DelFont size of 1000 points is "
                                        "not between 1 and 144 points; the default of 12 points "
                                        "is used.";
    QTest::newRow("RetNameFont 0 pt") << 288 + 44 << 0.0 << -3
                                      << "The envelope layout's RetNameFont size of -3 points is "
                                         "not between 1 and 144 points; the default of 12 points "
                                         "is used.";
    QTest::newRow("RetTop 0") << 272 << 0.0 << 0 << QString();
    QTest::newRow("DelTop 17") << 392 << 17.0 << 0 << QString();
    QTest::newRow("RetAddFont 144 pt") << 340 + 44 << 0.0 << 144 << QString();
    QTest::newRow("RetAddFont 1 pt") << 340 + 44 << 0.0 << 1 << QString();
}

void PreferencesTest::layoutValuesOffThePage()
{
    QFETCH(int, offset);
    QFETCH(double, position);
    QFETCH(qint32, fontSize);
    QFETCH(QString, warning);
    test::TestFolder folder;
    EnvelopeLayout defaults(folder.path());
    defaults.SetDefaults();
    QByteArray b = fileBytes(defaults.filePath());
    if (fontSize != 0)
        qToLittleEndian<qint32>(fontSize, b.data() + offset);
    else
        qToLittleEndian(position, b.data() + offset);
    writeBytes(defaults.filePath(), b);

    EnvelopeLayout d(folder.path());
    QCOMPARE(d.Load(), warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(fileBytes(d.filePath()), b);
    if (warning.isEmpty())
        QCOMPARE(d.toRecord(), b);
    else
        QVERIFY(isDefaultLayout(d));
}

// A FIFO in place of a settings file would block the open until someone writes to it: it counts
// as unreadable, and the record is reset and written anew as a regular file.
void PreferencesTest::settingsFileThatIsAFifo()
{
    test::TestFolder folder;
    for (const char *name : {"EnvelopeDefinition.QMR", "RostPrefs.QMR"})
        QCOMPARE(::mkfifo(QFile::encodeName(folder.file(QLatin1String(name))).constData(), 0600),
                 0);
    EnvelopeLayout d(folder.path());
    d.RetTop = 9;
    QCOMPARE(d.Load(), QStringList());
    QVERIFY(isDefaultLayout(d));
    QVERIFY(QFileInfo(d.filePath()).isFile());
    Preferences p(folder.path());
    p.RetAddLine1 = QStringLiteral("stale");
    p.Load();
    QVERIFY(p.RetAddLine1.isEmpty());
    QCOMPARE(fileBytes(p.filePath()).size(), 164);
}

QTEST_GUILESS_MAIN(PreferencesTest)
#include "PreferencesTest.moc"
