#include "app/exe/StartOptions.h"
#include "app/exe/ProgramSetup.h"
#include "app/ui/AboutDialog.h"
#include "directory/ProgramContext.h"
#include "import/ui/ImportDialog.h"

#include "QueuedPrompts.h"
#include "TestFolder.h"

#include <QLabel>
#include <QMenuBar>
#include <QProxyStyle>
#include <QToolButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;

// The command line of rostella, read in a home folder of the test's own so that the standard
// folders are known and empty.
class StartOptionsTest : public QObject
{
    Q_OBJECT

private:
    TestFolder m_home;
    QString m_here;
    QString m_styleBefore;

    StartOptions read(QStringList arguments)
    {
        arguments.prepend(QStringLiteral("rostella"));
        return readStartOptions(arguments, m_here);
    }
    QString standardFolder() const { return m_home.file(QStringLiteral(".local/share/Rostella")); }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"})
            qunsetenv(name);
        m_styleBefore = QApplication::style()->name();
        setUpProgram(*qobject_cast<QApplication *>(QCoreApplication::instance()));
        m_here = m_home.file(QStringLiteral("here"));
        QVERIFY(QDir().mkpath(m_here));
    }

    // The program's style draws as the one Qt chose, and the icons it hands out late are the
    // chosen style's own.
    void theChosenStyleStays()
    {
        const auto *style = qobject_cast<QProxyStyle *>(QApplication::style());
        QVERIFY(style);
        QCOMPARE(style->baseStyle()->name(), m_styleBefore);
        for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                 QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QIcon late = style->standardIcon(which);
            const QIcon own = style->baseStyle()->standardIcon(which);
            QVERIFY(!late.isNull());
            QCOMPARE(late.availableSizes(), own.availableSizes());
            QCOMPARE(late.pixmap(16).toImage(), own.pixmap(16).toImage());
        }
        QMenuBar bar;
        const auto *extension =
            bar.findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(extension);
        QCOMPARE(extension->icon().pixmap(16).toImage(),
                 style->baseStyle()
                     ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)
                     .pixmap(16)
                     .toImage());
    }

    // From a terminal without options the folder the program starts in holds the directory, and
    // nothing is created anywhere.
    void withoutOptionsTheCurrentFolderIsTheDataFolder()
    {
        const QString elsewhere = m_home.file(QStringLiteral("not made"));
        const StartOptions options = readStartOptions({QStringLiteral("rostella")}, elsewhere);
        QVERIFY(!options.exitCode);
        QCOMPARE(options.dataFolder, elsewhere);
        QCOMPARE(options.archiveFolder, elsewhere);
        QVERIFY(!QFileInfo::exists(elsewhere));
        QVERIFY(!QFileInfo::exists(standardFolder()));
    }

    void dataFolders_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("folder"); // relative to the home folder
        QTest::newRow("relative, nested")
            << QStringList{QStringLiteral("--data"), QStringLiteral("church/2026")}
            << QStringLiteral("here/church/2026");
        QTest::newRow("with equals sign")
            << QStringList{QStringLiteral("--data=../parish")} << QStringLiteral("parish");
        QTest::newRow("absolute") << QStringList{QStringLiteral("--data"),
                                                 m_home.file(QStringLiteral("abs/./dir/"))}
                                  << QStringLiteral("abs/dir");
        QTest::newRow("existing") << QStringList{QStringLiteral("--data"), m_here}
                                  << QStringLiteral("here");
    }

    // --data names the folder from where the program starts, creates it, and the import's open
    // dialog starts there as it does for the current folder.
    void dataFolders()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        const StartOptions options = read(arguments);
        QVERIFY(!options.exitCode);
        QCOMPARE(options.dataFolder, m_home.file(folder));
        QCOMPARE(options.archiveFolder, options.dataFolder);
        QVERIFY(QFileInfo(options.dataFolder).isDir());
    }

    // The menu's road: the standard data folder, made on the first start, and the archive looked
    // for where a browser saves it; the home folder while there is no Downloads folder.
    void standardFolderAsksForTheArchiveInDownloads()
    {
        StartOptions options = read({QStringLiteral("--standard-data")});
        QVERIFY(!options.exitCode);
        QCOMPARE(options.dataFolder, standardFolder());
        QVERIFY(QFileInfo(standardFolder()).isDir());
        QCOMPARE(options.archiveFolder, m_home.path());

        const QString downloads = m_home.file(QStringLiteral("Downloads"));
        QVERIFY(QDir().mkpath(downloads));
        options = read({QStringLiteral("--standard-data")});
        QCOMPARE(options.archiveFolder, downloads);
        QueuedPrompts prompts;
        const ProgramContext context(options.dataFolder, options.archiveFolder);
        ImportDialog(context).runOpenDialog();
        QCOMPARE(prompts.asked.size(), size_t(1));
        QCOMPARE(prompts.asked.front().what, QStringLiteral("openFile"));
        QCOMPARE(prompts.asked.front().text, downloads);
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("why");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--folder")}
                                        << QStringLiteral("Unknown option 'folder'.");
        QTest::newRow("no value") << QStringList{QStringLiteral("--data")}
                                  << QStringLiteral("Missing value after '--data'.");
        QTest::newRow("an argument") << QStringList{QStringLiteral("RostData.zip")}
                                     << QStringLiteral("Unexpected argument 'RostData.zip'.");
        QTest::newRow("twice") << QStringList{QStringLiteral("--data=a"),
                                              QStringLiteral("--data=b")}
                               << QStringLiteral("The option '--data' is given more than once.");
        QTest::newRow("both folders")
            << QStringList{QStringLiteral("--standard-data"), QStringLiteral("--data=a")}
            << QStringLiteral("The options '--data' and '--standard-data' exclude each other.");
    }

    // A command line that cannot run says why on one line, then how the program is called, and
    // creates nothing.
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, why);
        const StartOptions options = read(arguments);
        QCOMPARE(options.exitCode, std::optional<int>(2));
        QCOMPARE(options.output, QStringLiteral("rostella: ") + why +
                                     QStringLiteral("\nUsage: rostella [--data DIR | "
                                                    "--standard-data]\n"));
        QVERIFY(!QFileInfo::exists(m_here + QStringLiteral("/a")));
    }

    void helpAndVersion()
    {
        const StartOptions version = read({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, std::optional<int>(0));
        QCOMPARE(version.output, QStringLiteral("rostella " ROST_VERSION "\n"));
        QCOMPARE(read({QStringLiteral("-v")}).output, version.output);
        // The About box names the same version.
        const AboutDialog about;
        QStringList shown;
        for (const QLabel *label : about.findChildren<QLabel *>())
            shown << label->text();
        QVERIFY2(shown.contains(QStringLiteral("Version ") +
                                version.output.section(QLatin1Char(' '), 1).trimmed()),
                 qPrintable(shown.join(QLatin1Char('|'))));

        const StartOptions help = read({QStringLiteral("--help"), QStringLiteral("--data=x")});
        QCOMPARE(help.exitCode, std::optional<int>(0));
        for (const char *option : {"--data <DIR>", "--standard-data", "--help", "--version"})
            QVERIFY2(help.output.contains(QLatin1String(option)), option);
        QVERIFY(help.output.contains(QDir::toNativeSeparators(standardFolder())));
        QVERIFY(!QFileInfo::exists(m_here + QStringLiteral("/x")));
    }
};

QTEST_MAIN(StartOptionsTest)
#include "StartOptionsTest.moc"
