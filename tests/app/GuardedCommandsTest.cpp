#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/UpdateFamilyDialog.h"
#include "directory/Cursor.h"
#include "directory/EngineError.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "lists/ui/MakeListsDialog.h"
#include "platform/ui/GuardedApplication.h"

#include "ListFixture.h"
#include "QueuedPrompts.h"
#include "RecordingLauncher.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <sqlite3.h>

using namespace rost;
using namespace rost::test;

namespace {

// From now on every statement of the connection fails, as with a table file on a disk that went
// away.
void breakEngine(RostConnection &connection)
{
    sqlite3_progress_handler(
        connection.handle(), 1, [](void *) { return 1; }, nullptr);
}

// Runs command from the event loop, as a click or a key does, so that an error it lets through
// reaches the application's guard rather than the test.
void runFromEventLoop(const std::function<void()> &command)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        command();
    });
    QTRY_VERIFY(ran);
}

DirectorySetup everyList()
{
    DirectorySetup s{
        true, true, true, true, true, QStringLiteral("Welcome Team"), QStringLiteral("Choir")};
    return s;
}

struct Directory
{
    Directory()
    {
        writeListDirectory(folder.path());
        conn.setPath(folder.path());
        conn.connect();
        tbFam.setIndexName(idx::FamilyNameOrder);
        tbFam.open();
        tbInd.open();
    }
    TestFolder folder;
    RecordingLauncher launcher;
    RostConnection conn;
    Cursor tbFam{conn, tbl::Families};
    Cursor tbInd{conn, tbl::Individuals};
};

int errorsShown(const QueuedPrompts &prompts)
{
    return int(std::count_if(prompts.asked.begin(), prompts.asked.end(),
                             [](const auto &a) { return a.kind == MessageKind::Error; }));
}

// Fails in its own handler, with no other frame between the application and the throw: Qt's
// widget code does not expect exceptions, and a throw through it leaves some of its cleanups
// undone, which the sanitizer run reports as leaks.
class ThrowingReceiver : public QObject
{
public:
    int runs = 0;

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++runs;
        throw EngineError(EngineError::DamagedTable, QStringLiteral("The table file is damaged"));
    }
};

} // namespace

// A table engine that fails in the middle of a dialog's command: the error is shown, the dialog
// stays open and the program goes on.
class GuardedCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void makeListsCommands_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *name : {"Namephoneemailaddress1", "Nameandaddresslist1",
                                 "Envelopeforselectedname1", "Envelopesforentirelist1"})
            QTest::newRow(name) << QString::fromLatin1(name);
        QTest::newRow("choose a kind") << QString();
    }

    void makeListsCommands()
    {
        QFETCH(QString, command);
        QueuedPrompts prompts;
        Directory d;
        d.launcher.realJobs = false;
        MakeListsDialog form(d.conn, everyList(), d.tbFam, d.launcher);
        form.show();
        auto *kinds = child<QComboBox>(form, "ToViewCombo");
        auto *items = child<QComboBox>(form, "ItemsCombo");
        kinds->setEditText(QStringLiteral("Church Offices"));
        items->setEditText(QStringLiteral("Usher"));
        breakEngine(d.conn);
        d.launcher.whileOpen = [](const QString &) {
            throw EngineError(EngineError::DamagedTable,
                              QStringLiteral("The table file is damaged"));
        };
        runFromEventLoop([&] {
            if (command.isEmpty())
                kinds->setEditText(QStringLiteral("Activities"));
            else
                form.findChild<QAction *>(command)->trigger();
        });
        QVERIFY(errorsShown(prompts) >= 1);
        QVERIFY(form.isVisible());
    }

    // An error that a handler lets through is shown when its event comes back to the application,
    // and the next event is delivered as usual.
    void anUnansweredErrorIsShownAndTheProgramGoesOn()
    {
        QueuedPrompts prompts;
        ThrowingReceiver receiver;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&receiver, &event);
        QCoreApplication::sendEvent(&receiver, &event);
        QCOMPARE(receiver.runs, 2);
        QCOMPARE(errorsShown(prompts), 2);
        QCOMPARE(prompts.asked.front().text, QStringLiteral("The table file is damaged."));
    }

    void findFamilySearches()
    {
        QueuedPrompts prompts;
        Directory d;
        FindFamilyDialog dialog;
        dialog.openCursor(d.conn);
        dialog.show();
        breakEngine(d.conn);
        runFromEventLoop([&] { dialog.searchEdit()->setText(QStringLiteral("Sm")); });
        QVERIFY(errorsShown(prompts) >= 1);
        QVERIFY(dialog.isVisible());
    }

    void updateFamilySaves()
    {
        QueuedPrompts prompts;
        Directory d;
        UpdateFamilyDialog form(d.conn);
        form.openAt(1);
        form.show();
        auto *city = child<QLineEdit>(form, "City");
        city->selectAll();
        QTest::keyClicks(city, QStringLiteral("Shelbyville"));
        breakEngine(d.conn);
        runFromEventLoop([&] { child<QPushButton>(form, "OKButton")->click(); });
        QVERIFY(errorsShown(prompts) >= 1);
        QVERIFY(form.isVisible());
    }
};

int main(int argc, char **argv)
{
    GuardedApplication app(argc, argv);
    GuardedCommandsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GuardedCommandsTest.moc"
