// Every window of the program as the window system receives it: run on a real X server under a
// window manager (see CMakeLists.txt), once for each screen size and scale.
#include "app/exe/AppDialogLauncher.h"
#include "app/exe/ProgramSetup.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/MainWindow.h"
#include "book/ui/PrintDirectoryDialog.h"
#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"
#include "browse/ui/UpdateFamilyDialog.h"
#include "browse/ui/UpdateIndividualDialog.h"
#include "directory/ProgramContext.h"
#include "directory/Query.h"
#include "envelopes/ui/EnvelopePreferencesDialog.h"
#include "envelopes/ui/PrintEnvelopeDialog.h"
#include "envelopes/ui/ReturnAddressDialog.h"
#include "exports/ui/ExportDirectoryDialog.h"
#include "import/ui/ImportDialog.h"
#include "labels/ui/PrintLabelsDialog.h"
#include "lists/ui/ListEnvelopesDialog.h"
#include "lists/ui/ListFieldsDialog.h"
#include "lists/ui/MakeListsDialog.h"
#include "lists/ui/OutputOptionsDialog.h"
#include "lists/ui/ReportPreviewDialog.h"
#include "lists/ui/ReportStatusDialog.h"
#include "names/ui/ClipboardDialog.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/WindowFit.h"
#include "sample/SampleDirectory.h"

#include "TestFolder.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace rost;

namespace {

// The program as main() builds it, on a generated directory.
struct Program
{
    Program() : context(sampleFolder(folder)), launcher(context), window(context, launcher)
    {
        launcher.setFindDialogs(findIndividual, findFamily);
        window.show();
        window.FormActivate();
        people.setSql(QStringLiteral("select \"Indiv ID Num\" from RostIndividuals"));
        people.open();
    }
    static QString sampleFolder(const test::TestFolder &folder)
    {
        SampleOptions options;
        options.families = 12;
        writeSampleDirectory(folder.path(), options);
        return folder.path();
    }
    RostConnection &connection() { return window.browser().connection(); }

    test::TestFolder folder;
    ProgramContext context;
    AppDialogLauncher launcher;
    MainWindow window;
    FindIndividualDialog findIndividual{&window};
    FindFamilyDialog findFamily{&window};
    Query people{connection()};
    QPrinter printer;
};

// The title the window manager reads from the window: its _NET_WM_NAME property.
QString titleOnScreen(const QWidget &window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-notype"), QStringLiteral("-id"), QString::number(window.winId()),
                 QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(10000))
        return QStringLiteral("(xprop did not answer)");
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype open = out.indexOf(QLatin1Char('"'));
    if (open < 0)
        return out;
    return out.mid(open + 1, out.lastIndexOf(QLatin1Char('"')) - open - 1);
}

// What is wrong with a window as shown: its title, its frame outside the screen's available
// area, or a width too narrow for its title. Empty when nothing is.
QString problems(QWidget &window, const QString &title)
{
    if (!QTest::qWaitForWindowExposed(&window))
        return QStringLiteral("never shown");
    // The window manager frames the window, and may place it, some time after it is mapped.
    // Under load the frame passes through empty and unplaced states: wait until it holds still.
    QDeadlineTimer framed(5000);
    QRect last;
    while (!framed.hasExpired()) {
        const QRect frame = window.frameGeometry();
        if (frame != window.geometry() && !frame.isEmpty() && frame == last)
            break;
        last = frame;
        QTest::qWait(100);
    }
    QStringList found;
    const QString shown = titleOnScreen(window);
    if (shown != title)
        found << QStringLiteral("title \"%1\"").arg(shown);
    // Frame margins of odd device pixels round up to a logical pixel more at a scale of 2.
    const QRect screen = window.screen()->availableGeometry().adjusted(-1, -1, 1, 1);
    const QRect frame = window.frameGeometry();
    if (!screen.contains(frame))
        found << QStringLiteral("frame %1,%2 %3x%4 outside %5x%6")
                     .arg(frame.x())
                     .arg(frame.y())
                     .arg(frame.width())
                     .arg(frame.height())
                     .arg(screen.width())
                     .arg(screen.height());
    if (window.width() < titleWidth(window))
        found << QStringLiteral("width %1 cuts the title").arg(window.width());
    return found.join(QStringLiteral("; "));
}

} // namespace

class WindowsOnScreenTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void eachWindow_data();
    void eachWindow();
    void errorDisplay();
    void cleanupTestCase();

private:
    std::unique_ptr<QWidget> open(const QString &window);
    std::unique_ptr<Program> m_program;
};

void WindowsOnScreenTest::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server with a window manager");
    m_program = std::make_unique<Program>();
}

void WindowsOnScreenTest::cleanupTestCase()
{
    m_program.reset();
}

std::unique_ptr<QWidget> WindowsOnScreenTest::open(const QString &window)
{
    Program &p = *m_program;
    QWidget *owner = &p.window;
    std::unique_ptr<QWidget> made;
    if (window == QLatin1String("update family")) {
        auto form = std::make_unique<UpdateFamilyDialog>(p.connection(), owner);
        form->openAt(p.window.browser().familyView().familyId);
        made = std::move(form);
    } else if (window == QLatin1String("update individual")) {
        made = std::make_unique<UpdateIndividualDialog>(p.window.browser().members(), owner);
    } else if (window == QLatin1String("clipboard")) {
        auto form = std::make_unique<ClipboardDialog>(p.connection(), owner);
        form->GetNames(p.window.browser().currentIndivId());
        made = std::move(form);
    } else if (window == QLatin1String("envelope preferences")) {
        made = std::make_unique<EnvelopePreferencesDialog>(p.context, p.launcher, owner);
    } else if (window == QLatin1String("return address")) {
        made = std::make_unique<ReturnAddressDialog>(p.context, owner);
    } else if (window == QLatin1String("print envelope")) {
        auto form =
            std::make_unique<PrintEnvelopeDialog>(p.connection(), p.context, p.launcher, owner);
        form->GetNames(p.window.browser().currentIndivId());
        made = std::move(form);
    } else if (window == QLatin1String("list envelopes")) {
        made = std::make_unique<ListEnvelopesDialog>(
            p.connection(), p.people, QStringLiteral("Usher"), p.context, p.launcher, owner);
    } else if (window == QLatin1String("make lists")) {
        made = std::make_unique<MakeListsDialog>(p.connection(), p.window.browser().setup(),
                                                 p.window.browser().families(), p.launcher, owner);
    } else if (window == QLatin1String("view list fields")) {
        made = std::make_unique<ListFieldsDialog>(p.connection(), p.window.browser().setup(),
                                                  p.window.browser().members(), owner);
    } else if (window == QLatin1String("output options")) {
        made = std::make_unique<OutputOptionsDialog>(p.printer, owner);
    } else if (window == QLatin1String("report status")) {
        made = std::make_unique<ReportStatusDialog>(owner);
    } else if (window == QLatin1String("report preview")) {
        made = std::make_unique<ReportPreviewDialog>(
            p.printer, [](PrintSurface &s) { s.printLine(QStringLiteral("Smith")); }, owner);
    } else if (window == QLatin1String("print directory")) {
        made = std::make_unique<PrintDirectoryDialog>(p.connection(), p.window.browser().setup(),
                                                      p.context, p.launcher, owner);
    } else if (window == QLatin1String("print labels")) {
        made =
            std::make_unique<PrintLabelsDialog>(p.connection(), p.window.browser().setup(),
                                                p.context, p.launcher, QString(), QString(), owner);
    } else if (window == QLatin1String("export directory")) {
        made = std::make_unique<ExportDirectoryDialog>(p.connection(), owner);
    } else if (window == QLatin1String("import")) {
        made = std::make_unique<ImportDialog>(p.context, owner);
    } else if (window == QLatin1String("about")) {
        made = std::make_unique<AboutDialog>(owner);
    }
    return made;
}

void WindowsOnScreenTest::eachWindow_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("main window") << QStringLiteral("Rostella Church Directory 2006.3");
    QTest::newRow("find family") << QStringLiteral("Find Family");
    QTest::newRow("find individual") << QStringLiteral("Find Individual");
    QTest::newRow("update family") << QStringLiteral("Update Family");
    QTest::newRow("update individual") << QStringLiteral("Update individual");
    QTest::newRow("clipboard") << QStringLiteral("Send data to clipboard...");
    QTest::newRow("envelope preferences") << QStringLiteral("Envelope Preferences");
    QTest::newRow("return address") << QStringLiteral("Return address definition");
    QTest::newRow("print envelope") << QStringLiteral("Print single envelope");
    QTest::newRow("list envelopes") << QStringLiteral("Print Envelopes for Entire List");
    QTest::newRow("make lists") << QStringLiteral("Make Lists");
    QTest::newRow("view list fields") << QStringLiteral("View List Fields");
    QTest::newRow("output options") << QStringLiteral("Output Options");
    QTest::newRow("report status") << QStringLiteral("Report Status");
    QTest::newRow("report preview") << QStringLiteral("Report Preview");
    QTest::newRow("print directory") << QStringLiteral("Print Directory");
    QTest::newRow("print labels") << QStringLiteral("Print Labels");
    QTest::newRow("export directory") << QStringLiteral("Export Directory");
    QTest::newRow("import") << QStringLiteral("Import data");
    QTest::newRow("about") << QStringLiteral("About Rostella");
}

void WindowsOnScreenTest::eachWindow()
{
    QFETCH(QString, title);
    Program &p = *m_program;
    const QString window = QString::fromLatin1(QTest::currentDataTag());
    if (window == QLatin1String("main window")) {
        QVERIFY2(problems(p.window, title).isEmpty(), qPrintable(problems(p.window, title)));
        return;
    }
    if (window.startsWith(QLatin1String("find "))) {
        FindDialog &find = window.endsWith(QLatin1String("family"))
                               ? static_cast<FindDialog &>(p.findFamily)
                               : static_cast<FindDialog &>(p.findIndividual);
        find.openCursor(p.connection());
        find.show();
        const QString found = problems(find, title);
        find.hide();
        find.closeCursor();
        QVERIFY2(found.isEmpty(), qPrintable(found));
        return;
    }
    std::unique_ptr<QWidget> shown = open(window);
    QVERIFY(shown);
    shown->show();
    const QString found = problems(*shown, title);
    QVERIFY2(found.isEmpty(), qPrintable(found));
}

void WindowsOnScreenTest::errorDisplay()
{
    // The error display is modal: it is looked at from inside its own event loop.
    QString found = QStringLiteral("never shown");
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        poll.stop();
        found = problems(*box, QStringLiteral("Rostella 2006.3"));
        box->close();
    });
    poll.start(50);
    showError(&m_program->window, QStringLiteral("The table could not be opened"));
    QVERIFY2(found.isEmpty(), qPrintable(found));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    setUpProgram(app);
    WindowsOnScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowsOnScreenTest.moc"
