#include "Fixture.h"
#include "TestFolder.h"
#include "sample/CsvReader.h"
#include "sample/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

// Every command of the built rostella-batch, run as a user runs it, on a generated directory: what
// it prints and how it exits for good command lines and bad ones.

namespace {

using Run = rost::test::ProgramRun;

Run batch(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(ROST_BATCH), args);
    return rost::test::finishRun(process, 300000);
}

// The usage column of the README's table of commands, as it reads once rendered: "name options",
// one per command, in the table's order.
QStringList readmeUsages()
{
    QFile readme(QStringLiteral(ROST_README));
    if (!readme.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression row(QStringLiteral("^\\| `([a-z]+ [^`]*)` \\|"));
    QStringList usages;
    for (const QString &line : QString::fromUtf8(readme.readAll()).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch())
            usages << m.captured(1).replace(QLatin1String("\\|"), QLatin1String("|"));
    }
    return usages;
}

QString usageLine(const QString &command)
{
    for (const QString &usage : readmeUsages()) {
        if (usage.startsWith(command + QLatin1Char(' ')))
            return QStringLiteral("Usage: rostella-batch ") + usage;
    }
    return {};
}

// What a command prints when its command line cannot run.
QByteArray usageErrorText(const QString &command, const QString &why)
{
    return (QStringLiteral("rostella-batch ") + command + QStringLiteral(": ") + why +
            QLatin1Char('\n') + usageLine(command) + QLatin1Char('\n'))
        .toUtf8();
}

// The page count a PDF file declares; -1 when the file is missing or no PDF.
int pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF"))
        return -1;
    static const QRegularExpression count(QStringLiteral("/Count (\\d+)"));
    const QRegularExpressionMatch m = count.match(QString::fromLatin1(bytes));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QByteArray lines(std::initializer_list<const char *> texts)
{
    QByteArray all;
    for (const char *text : texts)
        all += QByteArray(text) + '\n';
    return all;
}

void writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(text), text.size());
}

// A small file system of its own, so a test can fill it; false where this user cannot mount.
bool mountTmpfs(const QString &folder, const QString &options)
{
    QDir().mkpath(folder);
    QProcess mount;
    mount.start(QStringLiteral("mount"),
                {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                 QStringLiteral("tmpfs"), folder});
    return mount.waitForFinished(30000) && mount.exitStatus() == QProcess::NormalExit &&
           mount.exitCode() == 0;
}

void unmountTmpfs(const QString &folder)
{
    QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), folder});
}

const QByteArray FamiliesCsvHeader = "Family ID Num,Family Name,Vorel Name,Address1,Address2,City,"
                                     "State,Zip,Country,IntlAddress,Home Phone,Family Picture\n";

} // namespace

class RostellaBatchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void programHelpAndVersion();
    void programErrors_data();
    void programErrors();
    void commandHelp_data();
    void commandHelp();
    void badArguments_data();
    void badArguments();
    void missingDataFolder_data();
    void missingDataFolder();
    void import();
    void importFailures();
    void pack();
    void query();
    void find_data();
    void find();
    void search_data();
    void search();
    void household();
    void householdPastTheTwentiethMember();
    void names();
    void clipboard_data();
    void clipboard();
    void envelope_data();
    void envelope();
    void itemsAndListFields();
    void list_data();
    void list();
    void listCsv();
    void exports_data();
    void exports();
    void exportFailuresKeepTheFile();
    void queryLimits();
    void unreadableDataFolderName();
    void fullDisk();
    void importOntoFullDisk();

private:
    QString path(const QString &name) const { return m_folder.file(name); }
    Run run(const QString &commandLine) const { return batch(split(commandLine)); }
    QStringList split(const QString &commandLine) const;
    int ushers() const;
    int count(const QString &sql) const;

    rost::test::TestFolder m_folder;
    QString m_data; // the default sample's table files
    QString m_zip;  // RostData.zip of the same sample
};

// A command line split at blanks, where '...' keeps blanks and double quotes in one word; @data,
// @zip and @tmp at the start of a word stand for the sample's folder, its archive and the test's
// own folder.
QStringList RostellaBatchTest::split(const QString &commandLine) const
{
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (const QChar c : commandLine) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            inWord = true;
        } else if (c == QLatin1Char(' ') && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    for (QString &w : words) {
        if (w.startsWith(QLatin1String("@data")))
            w.replace(0, 5, m_data);
        else if (w == QLatin1String("@zip"))
            w = m_zip;
        else if (w.startsWith(QLatin1String("@tmp/")))
            w = path(w.mid(5));
    }
    return words;
}

void RostellaBatchTest::initTestCase()
{
    QVERIFY2(!readmeUsages().isEmpty(), "the README's table of commands was not found");
    m_data = path(QStringLiteral("data"));
    Run r = run(QStringLiteral("sample --out @tmp/data"));
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(QRegularExpression(QStringLiteral("^Wrote \\d+ families and \\d+ individuals to %1\n$")
                                    .arg(QRegularExpression::escape(m_data)))
                 .match(QString::fromUtf8(r.out))
                 .hasMatch(),
             r.out.constData());
    QVERIFY(QFileInfo::exists(m_data + QStringLiteral("/RostFamilies.adt")));

    r = run(QStringLiteral("sample --out @tmp/zip --zip"));
    QCOMPARE(r.exitCode, 0);
    m_zip = path(QStringLiteral("zip/RostData.zip"));
    QVERIFY2(r.out.endsWith(" to " + m_zip.toUtf8() + '\n'), r.out.constData());
    QVERIFY(QFileInfo::exists(m_zip));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("zip/RostFamilies.adt"))));
}

// How many people hold the office Usher in the sample, as the engine counts them.
int RostellaBatchTest::ushers() const
{
    const Run r =
        batch({QStringLiteral("query"), QStringLiteral("--data"), m_data,
               QStringLiteral("SELECT count(*) FROM RostOffices WHERE \"Office\" = 'Usher'")});
    return r.exitCode == 0 ? r.out.split('\n').value(1).toInt() : -1;
}

void RostellaBatchTest::programHelpAndVersion()
{
    const Run help = run(QStringLiteral("--help"));
    QCOMPARE(help.exitCode, 0);
    QCOMPARE(help.err, QByteArray());
    // The help lists every command with the usage line the README shows, in the README's order.
    const QString text = QString::fromUtf8(help.out);
    const qsizetype from = text.indexOf(QLatin1String("\nCommands:\n"));
    QVERIFY(from > 0);
    QStringList listed = text.mid(from + 11).split(QLatin1Char('\n'));
    listed = listed.mid(0, listed.indexOf(QString()));
    QStringList expected;
    for (const QString &usage : readmeUsages())
        expected << QStringLiteral("  rostella-batch ") + usage;
    QCOMPARE(listed, expected);

    // Without arguments the same help goes to standard error, as a usage error.
    const Run bare = batch({});
    QCOMPARE(bare.exitCode, 2);
    QCOMPARE(bare.out, QByteArray());
    QCOMPARE(bare.err, help.out);

    const Run version = run(QStringLiteral("--version"));
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("rostella-batch " ROST_VERSION "\n"));
}

void RostellaBatchTest::programErrors_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("why");
    QTest::newRow("unknown command") << "households"
                                     << "Unknown command \"households\".";
    QTest::newRow("option before the command") << "--data x household"
                                               << "Unknown option 'data'.";
}

void RostellaBatchTest::programErrors()
{
    QFETCH(QString, commandLine);
    QFETCH(QString, why);
    const Run r = run(commandLine);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(QString::fromUtf8(r.err),
             QStringLiteral("rostella-batch: ") + why +
                 QStringLiteral("\nUsage: rostella-batch (COMMAND [OPTION]... | --help | "
                                "--version)\n"));
}

void RostellaBatchTest::commandHelp_data()
{
    QTest::addColumn<QString>("usage");
    for (const QString &usage : readmeUsages())
        QTest::newRow(qPrintable(usage.section(QLatin1Char(' '), 0, 0))) << usage;
}

void RostellaBatchTest::commandHelp()
{
    QFETCH(QString, usage);
    const QString command = usage.section(QLatin1Char(' '), 0, 0);
    const Run r = batch({command, QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    const QStringList help = QString::fromUtf8(r.out).split(QLatin1Char('\n'));
    QCOMPARE(help.value(0), QStringLiteral("Usage: rostella-batch ") + usage);
    // Every option of the usage line has its line of help.
    static const QRegularExpression option(QStringLiteral("--[a-z-]+"));
    for (const QRegularExpressionMatch &m : option.globalMatch(usage)) {
        const auto described = [&](const QString &line) {
            return line.startsWith(QStringLiteral("  ") + m.captured() + QLatin1Char(' '));
        };
        QVERIFY2(std::any_of(help.begin(), help.end(), described), qPrintable(m.captured()));
    }
    QCOMPARE(batch({command, QStringLiteral("-h")}).out, r.out);
}

void RostellaBatchTest::badArguments_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("why");
    for (const QString &usage : readmeUsages()) {
        const QString command = usage.section(QLatin1Char(' '), 0, 0);
        QTest::addRow("%s: unknown option", qPrintable(command))
            << command + QStringLiteral(" --bogus") << "Unknown option 'bogus'.";
    }
    const QString list = QStringLiteral("list --data @data --kind 'Church Offices' --item Usher ");
    const QString clipboard = QStringLiteral("clipboard --data @data --indiv 1 ");
    const QString envelope = QStringLiteral("envelope --data @data --out @tmp/never.pdf ");
    QTest::newRow("missing value") << "household --data @data --family"
                                   << "Missing value after '--family'.";
    QTest::newRow("value for a flag") << "household --data @data --all=3"
                                      << "Unexpected value after '--all'.";
    QTest::newRow("missing required option") << "items --kind Talents"
                                             << "Option --data is required.";
    QTest::newRow("repeated option") << "find --data @data --family A --family B"
                                     << "Option --family is given more than once.";
    QTest::newRow("both of a pair") << "household --data @data --family 1 --all"
                                    << "Options --family and --all cannot be given together.";
    QTest::newRow("neither of a pair") << "household --data @data"
                                       << "One of --family and --all is required.";
    QTest::newRow("both of an optional pair")
        << "sample --out @tmp/never --families 3 --individuals 4"
        << "Options --families and --individuals cannot be given together.";
    QTest::newRow("none of three forms")
        << list << "One of --report, --envelopes and --csv is required.";
    QTest::newRow("a form's option missing")
        << list + QStringLiteral("--report address") << "Option --out is required.";
    QTest::newRow("a shared option with the form that lacks it")
        << list + QStringLiteral("--csv @tmp/never.csv --out @tmp/never.pdf")
        << "Option --out cannot be given with --csv.";
    QTest::newRow("options of two forms")
        << list + QStringLiteral("--report address --name FormalName --out @tmp/never.pdf")
        << "Options --report and --name cannot be given together.";
    QTest::newRow("nested pair missing")
        << envelope + QStringLiteral("--indiv 1") << "One of --name and --text is required.";
    QTest::newRow("nested option without its form")
        << envelope + QStringLiteral("--name FormalName") << "Option --indiv is required.";
    QTest::newRow("nested option with the other form")
        << envelope + QStringLiteral("--test --name FormalName")
        << "Options --name and --test cannot be given together.";
    QTest::newRow("return and no return")
        << envelope + QStringLiteral("--test --return --no-return")
        << "Options --return and --no-return cannot be given together.";
    QTest::newRow("not a number")
        << "names --data @data --indiv one"
        << "Option --indiv needs a whole number from -32768 to 32767, not \"one\".";
    QTest::newRow("beyond 16 bits")
        << "listfields --data @data --indiv 32768"
        << "Option --indiv needs a whole number from -32768 to 32767, not \"32768\".";
    QTest::newRow("negative rows")
        << "find --data @data --family A --rows -1"
        << "Option --rows needs a whole number from 0 to 2147483647, not \"-1\".";
    QTest::newRow("no individuals")
        << "sample --out @tmp/never --individuals 0"
        << "Option --individuals needs a whole number from 1 to 32767, not \"0\".";
    QTest::newRow("negative seed")
        << "sample --out @tmp/never --seed -1"
        << "Option --seed needs a whole number from 0 to 18446744073709551615, not \"-1\".";
    QTest::newRow("missing argument") << "query --data @data"
                                      << "Argument \"SQL\" is required.";
    QTest::newRow("extra argument") << "import --data @data @zip second.zip"
                                    << "Unexpected argument \"second.zip\".";
    QTest::newRow("argument where none is taken") << "household --data @data --all 1"
                                                  << "Unexpected argument \"1\".";
    QTest::newRow("unknown name line")
        << clipboard + QStringLiteral("--name Formal --send email")
        << "Unknown name line \"Formal\"; the lines are FormalName, FormalTitle, "
           "FormalNameAndSpouse, FormalNameAndSpouseTitle, InformalName, InformalTitle, "
           "InformalNameAndSpouse, InformalNameAndSpouseTitle.";
    QTest::newRow("unknown clipboard choice")
        << clipboard + QStringLiteral("--name FormalName --send fax")
        << "Option --send takes name-address|name-address-phone|name-phone|email, not \"fax\".";
    QTest::newRow("unknown report") << list + QStringLiteral("--report pretty --out @tmp/never.pdf")
                                    << "Option --report takes phone-email|address, not \"pretty\".";
    QTest::newRow("data folder is a file")
        << "household --data @data/RostFamilies.adt --all"
        << QStringLiteral("The data folder %1/RostFamilies.adt is not a folder.").arg(m_data);
}

void RostellaBatchTest::badArguments()
{
    QFETCH(QString, commandLine);
    QFETCH(QString, why);
    const QStringList never{path(QStringLiteral("never")), path(QStringLiteral("never.pdf")),
                            path(QStringLiteral("never.csv"))};
    QDir(never.first()).removeRecursively();
    QFile::remove(never.at(1));
    QFile::remove(never.at(2));
    const QStringList args = split(commandLine);
    const Run r = batch(args);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(QString::fromUtf8(r.err), QString::fromUtf8(usageErrorText(args.first(), why)));
    // Nothing was begun.
    for (const QString &file : never)
        QVERIFY2(!QFileInfo::exists(file), qPrintable(file));
}

void RostellaBatchTest::missingDataFolder_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("import") << "import --data @tmp/missing @zip";
    QTest::newRow("query") << "query --data @tmp/missing 'SELECT 1'";
    QTest::newRow("find") << "find --data @tmp/missing --family A";
    QTest::newRow("household") << "household --data @tmp/missing --all";
    QTest::newRow("names") << "names --data @tmp/missing --indiv 1";
    QTest::newRow("clipboard")
        << "clipboard --data @tmp/missing --indiv 1 --name FormalName --send email";
    QTest::newRow("envelope") << "envelope --data @tmp/missing --test --out @tmp/never.pdf";
    QTest::newRow("items") << "items --data @tmp/missing --kind Talents";
    QTest::newRow("list") << "list --data @tmp/missing --kind 'Church Offices' --item Usher "
                             "--report address --out @tmp/never.pdf";
    QTest::newRow("listfields") << "listfields --data @tmp/missing --indiv 1";
}

void RostellaBatchTest::missingDataFolder()
{
    QFETCH(QString, commandLine);
    const QString missing = path(QStringLiteral("missing"));
    const Run r = run(commandLine);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(QString::fromUtf8(r.err),
             QString::fromUtf8(usageErrorText(
                 commandLine.section(QLatin1Char(' '), 0, 0),
                 QStringLiteral("The data folder %1 does not exist.").arg(missing))));
    QVERIFY(!QFileInfo::exists(missing));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("never.pdf"))));
}

void RostellaBatchTest::import()
{
    const QString data = path(QStringLiteral("imported"));
    QVERIFY(QDir().mkpath(data));
    const Run r = run(QStringLiteral("import --data @tmp/imported @zip"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    QList<QByteArray> written = r.out.split('\n');
    QCOMPARE(written.takeLast(), QByteArray());
    QCOMPARE(written.takeLast(), "8 written, 0 failed into " + data.toUtf8());
    QCOMPARE(written.size(), 8);
    for (const QByteArray &name : written)
        QVERIFY2(name.endsWith(".adt") &&
                     QFileInfo::exists(data + QLatin1Char('/') + QString::fromUtf8(name)),
                 name.constData());

    // The archive holds the very sample the loose files do.
    const QString count = QStringLiteral("SELECT count(*) FROM RostIndividuals");
    QCOMPARE(batch({QStringLiteral("query"), QStringLiteral("--data"), data, count}).out,
             batch({QStringLiteral("query"), QStringLiteral("--data"), m_data, count}).out);
}

void RostellaBatchTest::importFailures()
{
    const QString data = path(QStringLiteral("import-failures"));
    QVERIFY(QDir().mkpath(data));
    Run r = run(QStringLiteral("import --data @tmp/import-failures @tmp/absent.zip"));
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.err, "rostella-batch import: The archive " +
                        path(QStringLiteral("absent.zip")).toUtf8() + " was not found\n");

    // A member that is no table file is refused and reported, and the old file stays.
    QVERIFY(QDir().mkpath(path(QStringLiteral("bad"))));
    const QString member = path(QStringLiteral("bad/RostOffices.adt"));
    writeText(member, "not a table file");
    rost::writeZip(path(QStringLiteral("bad.zip")), {member});
    r = run(QStringLiteral("import --data @tmp/import-failures @tmp/bad.zip"));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, "0 written, 1 failed into " + data.toUtf8() + '\n');
    QCOMPARE(r.err, QByteArray("Can't open RostOffices.adt\nError Code : 0\n"
                               "Reason: not a directory table\n"
                               "The directory still has no RostOffices table.\n"
                               "  The file RostOffices.adt is not a Rostella table file\n"));
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/RostOffices.adt")));
}

void RostellaBatchTest::pack()
{
    QVERIFY(QDir().mkpath(path(QStringLiteral("csv"))));
    const QString families = path(QStringLiteral("csv/RostFamilies.csv"));
    writeText(families, FamiliesCsvHeader +
                            "1,Carter,The Carters,5 Oak Road,,Springfield,IL,62704,,,555-0100,\n");
    Run r = run(QStringLiteral("pack --csv @tmp/csv --out @tmp/packed.zip"));
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.endsWith("Wrote " + path(QStringLiteral("packed.zip")).toUtf8() + '\n'),
             r.out.constData());

    // What was packed is what the program shows once imported.
    QVERIFY(QDir().mkpath(path(QStringLiteral("packed"))));
    QCOMPARE(run(QStringLiteral("import --data @tmp/packed @tmp/packed.zip")).exitCode, 0);
    r = run(QStringLiteral("household --data @tmp/packed --family 1"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, lines({"Family: 1", "Name: The Carters", "Phone: 555-0100",
                           "Address:", "  5 Oak Road", "  Springfield IL  62704"}));

    // A value that does not fit is named with its file, line and field, and nothing is written.
    writeText(families,
              FamiliesCsvHeader +
                  "1,Carter,The Carters,5 Oak Road,,Springfield,Illinois,62704,,,555-0100,\n");
    r = run(QStringLiteral("pack --csv @tmp/csv --out @tmp/refused.zip"));
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("RostFamilies.csv, line 2, field State"), r.err.constData());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("refused.zip"))));

    // Fields a file leaves out are filled and named, one line a file; a misspelt column is
    // refused with the field it most likely means.
    writeText(families, "Family Name,Vorel Name,Family ID Num\nCarter,The Carters,1\n");
    writeText(path(QStringLiteral("csv/RostSetup.csv")), "Use Offices,Use Talents,Use Activities,"
                                                         "Use User 1,Use User 2,User 1 Name,User 2 "
                                                         "Name\n1,1,1,0,0,,\n");
    r = run(QStringLiteral("pack --csv @tmp/csv --out @tmp/filled.zip"));
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith("RostFamilies.csv: filled with defaults: Address1, Address2, City, "
                              "State, Zip, Country, IntlAddress, Home Phone, Family Picture\n"
                              "RostFamilies.adt: 1 rows from RostFamilies.csv\n"),
             r.out.constData());
    writeText(families, "Family ID Num,Famly Name\n1,Carter\n");
    r = run(QStringLiteral("pack --csv @tmp/csv --out @tmp/refused.zip"));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QByteArray("rostella-batch pack: Nothing was written.\n"
                               "RostFamilies.csv: Famly Name: did you mean Family Name?\n"));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("refused.zip"))));
}

void RostellaBatchTest::query()
{
    Run r = run(QStringLiteral("query --data @data 'SELECT \"Family ID Num\", \"Family Name\" "
                               "FROM RostFamilies WHERE \"Family ID Num\" <= 3 ORDER BY 1'"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, lines({"Family ID Num\tFamily Name", "1\tSmith", "2\tAnderson", "3\tGarcia"}));

    // A row stays one line: line breaks inside a value are escaped, pictures are summarised.
    r = run(QStringLiteral("query --data @data 'SELECT \"IntlAddress\" FROM RostFamilies WHERE "
                           "\"Family ID Num\" = 6'"));
    QCOMPARE(r.out, lines({"IntlAddress", "Hauptstraße 12\\r\\n10115 Berlin"}));
    r = run(QStringLiteral("query --data @data 'SELECT \"Family Picture\" FROM RostFamilies "
                           "WHERE \"Family ID Num\" = 1'"));
    QVERIFY2(QRegularExpression(QStringLiteral("^Family Picture\n\\[\\d+ bytes\\]\n$"))
                 .match(QString::fromUtf8(r.out))
                 .hasMatch(),
             r.out.constData());
}

void RostellaBatchTest::find_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("family") << "--family Smith --rows 1" << lines({"1\tSmith"});
    QTest::newRow("family, any case, first letters")
        << "--family smi --rows 1" << lines({"1\tSmith"});
    QTest::newRow("person, by last name and goes-by name")
        << "--person smith --rows 3"
        << lines({"1\tSmith\tBill\tMr\t1\t1", "4\tSmith\tEmily\t\t1\t4",
                  "2\tSmith\tMattie\tMrs\t1\t2"});
    QTest::newRow("no rows") << "--family Smith --rows 0" << QByteArray();
}

void RostellaBatchTest::find()
{
    QFETCH(QString, options);
    QFETCH(QByteArray, expected);
    const Run r = run(QStringLiteral("find --data @data ") + options);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
}

void RostellaBatchTest::search_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("persons by goes-by name, then their household")
        << "smith"
        << lines({"person\t1\t1\tMr William Henry Smith   (Goes by Bill)\tlast name",
                  "person\t1\t4\tEmily Anne Smith\tlast name",
                  "person\t1\t2\tMrs Matilda Rose Smith   (Goes by Mattie)\tlast name",
                  "person\t1\t3\tThomas Smith   (Goes by Tommy)\tlast name",
                  "household\t1\t\tBill & Mattie Smith\tfamily name"});
    QTest::newRow("without accents or sharp s, in any case")
        << "'HAUPTSTRASSE muller'"
        << lines({"person\t6\t13\tMrs Greta M\xc3\xbcller\tstreet, last name",
                  "person\t6\t12\tMr Hans M\xc3\xbcller\tstreet, last name",
                  "household\t6\t\tHans & Greta M\xc3\xbcller\tstreet, family name"});
    QTest::newRow("phone digits, rows past --rows counted")
        << "5550142 --rows 2"
        << lines({"person\t39\t92\tMs Sarah Nelson\tphone (314) 555-0142",
                  "person\t1\t1\tMr William Henry Smith   (Goes by Bill)\tphone (217) 555-0142",
                  "more\t4"});
    QTest::newRow("no one") << "zebra" << QByteArray();
    QTest::newRow("no word") << "'  '" << QByteArray();
}

void RostellaBatchTest::search()
{
    QFETCH(QString, arguments);
    QFETCH(QByteArray, expected);
    const Run r = run(QStringLiteral("search --data @data ") + arguments);
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
}

void RostellaBatchTest::household()
{
    const Run all = run(QStringLiteral("household --data @data --all"));
    QCOMPARE(all.exitCode, 0);
    QCOMPARE(all.err, QByteArray());
    // One block per family, a single blank line between two and none after the last.
    const QStringList blocks = QString::fromUtf8(all.out).split(QStringLiteral("\n\n"));
    const Run count = run(QStringLiteral("query --data @data 'SELECT count(*) FROM RostFamilies'"));
    QCOMPARE(QString::number(blocks.size()), QString::fromUtf8(count.out.split('\n').value(1)));
    for (const QString &block : blocks)
        QVERIFY2(block.startsWith(QLatin1String("Family: ")), qPrintable(block));
    QVERIFY(all.out.endsWith("\n") && !all.out.endsWith("\n\n"));

    // The first family as the main window shows it, blanks at line ends kept; it is the first
    // block of --all, line for line.
    const QByteArray smith = lines({"Family: 1",
                                    "Name: Bill & Mattie Smith",
                                    "Phone: (217) 555-0142",
                                    "Address:",
                                    "  412 Elm Street",
                                    "  Springfield IL  62704",
                                    "Tab 1: Bill",
                                    "  Name: Mr William Henry Smith   (Goes by Bill) ",
                                    "  Phones: Work: (217) 555-0188   Cell: (217) 555-0111   ",
                                    "  E-Mail: bill.smith@example.com",
                                    "Tab 2: Mattie",
                                    "  Name: Mrs Matilda Rose Smith   (Goes by Mattie) ",
                                    "  Phones: Cell: (217) 555-0112   Summer: (906) 555-0123",
                                    "  E-Mail: mattie.smith@example.com",
                                    "Tab 3: Tommy",
                                    "  Name: Thomas Smith   (Goes by Tommy) ",
                                    "  Phones: ",
                                    "  E-Mail: ",
                                    "Tab 4: Emily",
                                    "  Name: Emily Anne Smith   ",
                                    "  Phones: ",
                                    "  E-Mail: "});
    const Run one = run(QStringLiteral("household --data @data --family 1"));
    QCOMPARE(one.exitCode, 0);
    QCOMPARE(one.out, smith);
    QCOMPARE(blocks.first().toUtf8() + '\n', smith);
    // Every member's name line ends in blanks.
    for (const QByteArray &line : all.out.split('\n')) {
        if (line.startsWith("  Name: "))
            QVERIFY2(line.endsWith(' '), line.constData());
    }

    const Run missing = run(QStringLiteral("household --data @data --family 32000"));
    QCOMPARE(missing.exitCode, 1);
    QCOMPARE(missing.out, QByteArray());
    QCOMPARE(missing.err, QByteArray("rostella-batch household: No family 32000\n"));
}

void RostellaBatchTest::householdPastTheTwentiethMember()
{
    using namespace rost;
    test::TestFolder folder;
    std::vector<test::Row> people;
    for (int rank = 22; rank >= 1; --rank)
        people.push_back(test::person(100 + rank, 8, rank, QStringLiteral("M%1").arg(rank),
                                      QStringLiteral("Many")));
    test::writeTable(folder.path(), familiesTable(), {test::family(8, QStringLiteral("Many"))});
    test::writeTable(folder.path(), individualsTable(), people);
    test::writeSetup(folder.path(), false, false, false, false, false);
    const Run r = batch({QStringLiteral("household"), QStringLiteral("--data"), folder.path(),
                         QStringLiteral("--family"), QStringLiteral("8")});
    QCOMPARE(r.exitCode, 0);
    const QByteArrayList out = r.out.split('\n');
    QCOMPARE(out.count("  Phones: "), 22);
    QVERIFY(out.contains("Tab 21: M21"));
    QVERIFY(out.contains("Tab 22: M22"));
    QVERIFY(out.contains("  Name: M22 Many   "));
}

void RostellaBatchTest::names()
{
    Run r = run(QStringLiteral("names --data @data --indiv 1"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, lines({"FormalName\tWilliam Smith", "FormalTitle\tMr William Smith",
                           "FormalNameAndSpouse\tWilliam and Matilda Smith",
                           "FormalNameAndSpouseTitle\tMr and Mrs William Smith",
                           "InformalName\tBill Smith", "InformalTitle\tMr Bill Smith",
                           "InformalNameAndSpouse\tBill and Mattie Smith",
                           "InformalNameAndSpouseTitle\tMr and Mrs Bill Smith"}));

    // Without a spouse the couple lines are empty; the list envelopes fall back to one person.
    r = run(QStringLiteral("names --data @data --indiv 3"));
    QVERIFY2(r.out.contains("\nFormalNameAndSpouse\t\nFormalNameAndSpouseTitle\t\n"),
             r.out.constData());
    r = run(QStringLiteral("names --data @data --indiv 3 --list"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, lines({"FormalName\tThomas Smith", "FormalTitle\tThomas Smith",
                           "FormalNameAndSpouse\tThomas Smith",
                           "FormalNameAndSpouseTitle\tThomas Smith", "InformalName\tTommy Smith",
                           "InformalTitle\tTommy Smith", "InformalNameAndSpouse\tTommy Smith",
                           "InformalNameAndSpouseTitle\tTommy Smith"}));

    for (const char *list : {"", " --list"}) {
        r = run(QStringLiteral("names --data @data --indiv 32000") + QLatin1String(list));
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err, QByteArray("rostella-batch names: No individual 32000\n"));
    }
}

void RostellaBatchTest::clipboard_data()
{
    QTest::addColumn<QString>("send");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("name-address") << "name-address"
                                  << QByteArray("William Smith\r412 Elm Street\r"
                                                "Springfield, IL 62704");
    QTest::newRow("name-address-phone")
        << "name-address-phone"
        << QByteArray("William Smith\r412 Elm Street\rSpringfield, IL 62704\r(217) 555-0142");
    QTest::newRow("name-phone") << "name-phone" << QByteArray("William Smith  (217) 555-0142");
    QTest::newRow("email") << "email" << QByteArray("bill.smith@example.com");
}

void RostellaBatchTest::clipboard()
{
    QFETCH(QString, send);
    QFETCH(QByteArray, bytes);
    const Run r =
        run(QStringLiteral("clipboard --data @data --indiv 1 --name FormalName --send ") + send);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, bytes);
}

void RostellaBatchTest::envelope_data()
{
    QTest::addColumn<QString>("options");
    QTest::newRow("test envelope") << "--test";
    QTest::newRow("name line") << "--indiv 2 --name FormalTitle";
    QTest::newRow("own text without return address")
        << "--indiv 5 --text 'The Anderson-Jones Household' --no-return";
    QTest::newRow("with return address") << "--indiv 12 --name InformalNameAndSpouse --return";
}

void RostellaBatchTest::envelope()
{
    QFETCH(QString, options);
    const QString pdf = path(QStringLiteral("envelope-%1.pdf").arg(QTest::currentDataTag()));
    QStringList args = split(QStringLiteral("envelope --data @data ") + options);
    args << QStringLiteral("--out") << pdf;
    const Run r = batch(args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, "Wrote " + pdf.toUtf8() + " (1 page).\n");
    QCOMPARE(pdfPages(pdf), 1);
}

void RostellaBatchTest::itemsAndListFields()
{
    // The items Make Lists offers are the distinct items the table holds, in order.
    Run r = run(QStringLiteral("items --data @data --kind 'Church Offices'"));
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("Usher\n"));
    QCOMPARE("Office\n" + r.out,
             run(QStringLiteral("query --data @data "
                                "'SELECT DISTINCT \"Office\" FROM RostOffices ORDER BY 1'"))
                 .out);

    r = run(QStringLiteral("items --data @data --kind Bells"));
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.startsWith("rostella-batch items: No list field \"Bells\" is in use here; the "
                              "list fields are: Church Offices, "),
             r.err.constData());

    r = run(QStringLiteral("listfields --data @data --indiv 1"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, lines({"Church Offices\tElder", "Committees\tFinance",
                           "Committees\tO'Neil Scholarship"}));
}

void RostellaBatchTest::list_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<bool>("envelopePerHolder");
    QTest::newRow("phone and e-mail list") << "--report phone-email" << false;
    QTest::newRow("address list") << "--report address" << false;
    QTest::newRow("envelopes by name line") << "--envelopes --name InformalName" << true;
    QTest::newRow("envelopes with own text")
        << "--envelopes --text 'To our ushers' --return" << true;
}

void RostellaBatchTest::list()
{
    QFETCH(QString, options);
    QFETCH(bool, envelopePerHolder);
    const int holders = ushers();
    QVERIFY2(holders > 1, "the sample should give several people one office");
    const QString pdf = path(QStringLiteral("list-%1.pdf").arg(QTest::currentDataTag()));
    QStringList args =
        split(QStringLiteral("list --data @data --kind 'Church Offices' --item Usher ") + options);
    args << QStringLiteral("--out") << pdf;
    Run r = batch(args);
    QCOMPARE(r.exitCode, 0);
    const int pages = envelopePerHolder ? holders : 1;
    QCOMPARE(r.out, "Wrote " + pdf.toUtf8() + " (" + QByteArray::number(pages) +
                        (pages == 1 ? " page" : " pages") + ").\n");
    QCOMPARE(pdfPages(pdf), pages);

    // Nobody holds the item: nothing is printed.
    args[6] = QStringLiteral("Bell Ringer");
    args.last() = path(QStringLiteral("empty.pdf"));
    r = batch(args);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QByteArray("rostella-batch list: The list of \"Bell Ringer\" in Church "
                               "Offices is empty; nothing was printed.\n"));
    QVERIFY(!QFileInfo::exists(args.last()));
}

void RostellaBatchTest::listCsv()
{
    // A header, then one CR LF record per holder.
    const int holders = ushers();
    const QString csv = path(QStringLiteral("ushers.csv"));
    const Run r = run(QStringLiteral(
        "list --data @data --kind 'Church Offices' --item Usher --csv @tmp/ushers.csv"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, "Wrote " + csv.toUtf8() + " (" + QByteArray::number(holders) + " rows).\n");
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QCOMPARE(text.count("\r\n"), holders + 1);
    QVERIFY(text.endsWith("\r\n"));
}

int RostellaBatchTest::count(const QString &sql) const
{
    const Run r = batch({QStringLiteral("query"), QStringLiteral("--data"), m_data, sql});
    return r.exitCode == 0 ? r.out.split('\n').value(1).toInt() : -1;
}

// Each export says how many cards or rows it wrote, and writes that many.
void RostellaBatchTest::exports_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<QString>("countSql");
    QTest::addColumn<QByteArray>("begins");
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:4.0\r\n";
    QTest::newRow("one card") << "vcard --data @data --indiv 1 --out @tmp/out.vcf"
                              << QByteArray("card") << "SELECT 1" << card;
    QTest::newRow("everyone with pictures")
        << "vcard --data @data --all --photos --out @tmp/out.vcf" << QByteArray("card")
        << "SELECT count(*) FROM RostIndividuals" << card;
    QTest::newRow("a list")
        << "vcard --data @data --kind 'Church Offices' --item Usher --out @tmp/out.vcf"
        << QByteArray("card")
        << "SELECT count(DISTINCT \"Indiv ID Num\") FROM RostOffices WHERE \"Office\" = 'Usher'"
        << card;
    QTest::newRow("people with a byte-order mark")
        << "csv --data @data --people --bom --out @tmp/out.csv" << QByteArray("row")
        << "SELECT count(*) FROM RostIndividuals" << QByteArray("\xEF\xBB\xBFIndiv ID Num,");
    QTest::newRow("households") << "csv --data @data --households --out @tmp/out.csv"
                                << QByteArray("row")
                                << "SELECT count(*) FROM RostFamilies WHERE \"Family ID Num\" <> 0"
                                << QByteArray("Family ID Num,");
}

void RostellaBatchTest::exports()
{
    QFETCH(QString, commandLine);
    QFETCH(QByteArray, unit);
    QFETCH(QString, countSql);
    const int expected = count(countSql);
    QVERIFY(expected > 0);
    const QStringList args = split(commandLine);
    const Run r = batch(args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.out, "Wrote " + args.last().toUtf8() + " (" + QByteArray::number(expected) + ' ' +
                        unit + (expected == 1 ? "" : "s") + ").\n");
    QFile file(args.last());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QFETCH(QByteArray, begins);
    QVERIFY(bytes.startsWith(begins));
    if (unit == "card") {
        QCOMPARE(int(bytes.count("BEGIN:VCARD\r\n")), expected);
    } else {
        const rost::CsvParse csv = rost::parseCsv(bytes);
        QVERIFY2(csv.error.isEmpty(), qPrintable(csv.error));
        QCOMPARE(int(csv.records.size()), expected + 1);
    }
}

// A person who is not there, or a list nobody is on, writes nothing and leaves the file it would
// have replaced as it was.
void RostellaBatchTest::exportFailuresKeepTheFile()
{
    const QString out = path(QStringLiteral("kept.vcf"));
    writeText(out, "kept");
    Run r = run(QStringLiteral("vcard --data @data --indiv 32000 --out @tmp/kept.vcf"));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QByteArray("rostella-batch vcard: No individual 32000 is in the directory.\n"));
    r = run(QStringLiteral(
        "vcard --data @data --kind 'Church Offices' --item 'Bell Ringer' --out @tmp/kept.vcf"));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QByteArray("rostella-batch vcard: The list of \"Bell Ringer\" in Church "
                               "Offices is empty; nothing was written.\n"));
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("kept"));
    QCOMPARE(
        QDir(m_folder.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral("kept")),
        QStringList{QStringLiteral("kept.vcf")});
}

// One statement only, however it is followed; the row and time limits stop with a message that
// names them, and print nothing.
void RostellaBatchTest::queryLimits()
{
    Run r = run(QStringLiteral("query --data @data 'SELECT 1; ; -- done\n/* c */'"));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, lines({"1", "1"}));
    r = run(QStringLiteral("query --data @data 'SELECT 1; DROP TABLE RostFamilies'"));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.err, QByteArray("rostella-batch query: Only one statement can be run, and text "
                               "follows it: DROP TABLE RostFamilies\n"));
    QCOMPARE(run(QStringLiteral("query --data @data 'SELECT count(*) FROM RostFamilies'")).exitCode,
             0);

    r = run(QStringLiteral("query --data @data --max-rows 3 'SELECT * FROM RostFamilies'"));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.err, QByteArray("rostella-batch query: The query returns more than 3 rows, the "
                               "most it may return; --max-rows sets another limit.\n"));
    r = run(QStringLiteral("query --data @data --max-rows 3 'SELECT 1 UNION SELECT 2'"));
    QCOMPARE(r.exitCode, 0);

    r = run(
        QStringLiteral("query --data @data --timeout 1 'SELECT count(*) FROM RostIndividuals a, "
                       "RostIndividuals b, RostIndividuals c, RostIndividuals d, "
                       "RostIndividuals e'"));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QByteArray("rostella-batch query: The query ran longer than 1 seconds, the "
                               "most it may run, and was stopped; --timeout sets another "
                               "limit.\n"));
}

// The bytes of a folder name that is not UTF-8 cannot reach the tool as text; it says so rather
// than that the folder is missing.
void RostellaBatchTest::unreadableDataFolderName()
{
    QProcess process;
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"),
                   QStringLiteral("mkdir -p \"$1/$(printf 'bad\\377')\" && \"$0\" household "
                                  "--data \"$1/$(printf 'bad\\377')\" --all; s=$?; rmdir "
                                  "\"$1/$(printf 'bad\\377')\"; exit $s"),
                   QStringLiteral(ROST_BATCH), m_folder.path()});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 2);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.startsWith(QStringLiteral("rostella-batch household: The name of the data "
                                           "folder %1/bad\uFFFD cannot be read: it is not UTF-8.\n")
                                .arg(m_folder.path())),
             qPrintable(err));
}

// On a full disk every file the tool writes fails with exit 1 and the old file stays whole; the
// disk is a 2 MiB tmpfs, which needs the superuser.
void RostellaBatchTest::fullDisk()
{
    const QString disk = path(QStringLiteral("full"));
    if (!mountTmpfs(disk, QStringLiteral("size=2m")))
        QSKIP("A tmpfs cannot be mounted here (not the superuser, or no permission).");
    const auto unmount = qScopeGuard([&] { unmountTmpfs(disk); });

    // The sample's tables and old outputs first, then a filler that leaves a few bytes free.
    const Run copied = run(QStringLiteral("sample --out @tmp/full/data --families 3"));
    QCOMPARE(copied.exitCode, 0);
    const QString data = disk + QStringLiteral("/data");
    const QStringList outputs = {QStringLiteral("old.csv"), QStringLiteral("old.pdf")};
    for (const QString &name : outputs)
        writeText(disk + QLatin1Char('/') + name, "the old file\n");
    {
        QFile filler(disk + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
    const QStringList settings = {QStringLiteral("EnvelopeDefinition.QMR"),
                                  QStringLiteral("RostPrefs.QMR")};
    QHash<QString, QByteArray> before;
    for (const QString &name : settings + outputs) {
        const QString file = (outputs.contains(name) ? disk : data) + QLatin1Char('/') + name;
        QFile f(file);
        if (f.open(QIODevice::ReadOnly))
            before.insert(file, f.readAll());
    }

    const QString list =
        QStringLiteral("list --data %1 --kind 'Church Offices' --item Usher ").arg(data);
    for (const QString &commandLine :
         {list + QStringLiteral("--csv @tmp/full/old.csv"),
          list + QStringLiteral("--report address --out @tmp/full/old.pdf"),
          QStringLiteral("envelope --data %1 --test --out @tmp/full/old.pdf").arg(data)}) {
        const Run r = run(commandLine);
        QVERIFY2(r.exitCode == 1,
                 qPrintable(commandLine + QLatin1Char(' ') + QString::fromUtf8(r.err)));
        QVERIFY2(!r.out.startsWith("Wrote"), r.out.constData());
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        QFile f(it.key());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), it.value());
    }
    // The settings files were written whole by the sample; a save onto the full disk fails too.
    QFile::remove(data + QStringLiteral("/RostPrefs.QMR"));
    const Run r =
        run(QStringLiteral("envelope --data %1 --test --out @tmp/full/old.pdf").arg(data));
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("Cannot write the settings file"), r.err.constData());
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/RostPrefs.QMR")));
    for (const QString &name : QDir(disk).entryList(QDir::Hidden | QDir::Files))
        QVERIFY2(!name.endsWith(QLatin1String(".tmp")), qPrintable(name));
}

// The disk fills while the archive is unpacked: a file system with room for a few files only,
// at each count from too few for the old directory to more than the import needs. Every run
// leaves the directory wholly old or wholly new, reports a failure as one, and leaves no staging
// folder behind (the note of checked tables may stay: it names only files in place).
void RostellaBatchTest::importOntoFullDisk()
{
    const QString fresh = path(QStringLiteral("fresh"));
    QCOMPARE(run(QStringLiteral("sample --out @tmp/fresh --families 1")).exitCode, 0);
    const rost::test::Tables old = rost::test::tablesOf(fresh);
    QCOMPARE(run(QStringLiteral("import --data @tmp/fresh @zip")).exitCode, 0);
    const rost::test::Tables imported = rost::test::tablesOf(fresh);

    int failed = 0;
    int succeeded = 0;
    for (int files = 8; files <= 26; files += 2) {
        const QString disk = path(QStringLiteral("inodes"));
        if (!mountTmpfs(disk, QStringLiteral("size=64m,nr_inodes=%1").arg(files)))
            QSKIP("A tmpfs cannot be mounted here (not the superuser, or no permission).");
        const auto unmount = qScopeGuard([&] { unmountTmpfs(disk); });
        const QString data = disk + QStringLiteral("/data");
        if (run(QStringLiteral("sample --out @tmp/inodes/data --families 1")).exitCode != 0)
            continue;
        QCOMPARE(rost::test::tablesOf(data), old);

        const Run r = run(QStringLiteral("import --data @tmp/inodes/data @zip"));
        const QString at =
            QStringLiteral("with room for %1 files: %2").arg(files).arg(QString::fromUtf8(r.err));
        // 2: the import could not start (no room for its folder), and changed nothing.
        QVERIFY2(r.exitCode >= 0 && r.exitCode <= 2, qPrintable(at));
        QVERIFY2(rost::test::tablesOf(data) == (r.exitCode == 0 ? imported : old), qPrintable(at));
        QVERIFY2(r.exitCode == 0 || !r.err.isEmpty(), qPrintable(at));
        (r.exitCode == 0 ? succeeded : failed) += 1;
        QStringList left = QDir(data).entryList({QStringLiteral(".rostella-*")},
                                                QDir::Dirs | QDir::Files | QDir::Hidden);
        left.removeOne(QStringLiteral(".rostella-checked"));
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' ')) + QLatin1Char(' ') + at));
    }
    QVERIFY2(failed > 0 && succeeded > 0, "the disk was always or never too small");
}

QTEST_GUILESS_MAIN(RostellaBatchTest)
#include "RostellaBatchTest.moc"
