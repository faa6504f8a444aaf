#include "app/ui/MainWindow.h"
#include "browse/ui/SearchBox.h"
#include "directory/DataFolderBusy.h"
#include "directory/DataFolderLock.h"
#include "directory/ProgramContext.h"
#include "directory/ProgramSettings.h"
#include "directory/Tables.h"
#include "exports/VCardExport.h"
#include "platform/ui/DataBoundEdit.h"
#include "platform/ui/DataBoundMemo.h"
#include "platform/ui/PictureView.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"
#include "platform/ui/RecordNavigator.h"

#include "Fixture.h"
#include "RecordingLauncher.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <sqlite3.h>

using namespace rost;
using rost::test::child;

namespace {

test::Row with(test::Row row, std::initializer_list<std::pair<QLatin1String, QVariant>> fields)
{
    for (const auto &[name, value] : fields)
        row.insert(name, value);
    return row;
}

// Families in a row order that is neither by number nor by name.
void writeDirectory(const QString &folder)
{
    test::writeTable(
        folder, familiesTable(),
        {with(test::family(20, QStringLiteral("Young"), QStringLiteral("Tom and Sue Young")),
              {{fld::Address1, QStringLiteral("1 Elm")},
               {fld::City, QStringLiteral("Springfield")},
               {fld::Zip, QStringLiteral("12345")},
               {fld::HomePhone, QStringLiteral("555-2000")}}),
         test::family(10, QStringLiteral("Adams"), QStringLiteral("The Adams Family")),
         test::family(0, QStringLiteral("Zero")), test::family(30, QStringLiteral("Empty")),
         with(test::family(40, QStringLiteral("Intl")),
              {{fld::IntlAddress, QStringLiteral("Flat 2\r\nLondon")}})});
    test::writeTable(
        folder, individualsTable(),
        {with(test::person(21, 20, 1, QStringLiteral("Tom"), QStringLiteral("Young")),
              {{fld::Cell, QStringLiteral("555-0100")},
               {fld::OtherPhoneLabel, QStringLiteral("Home2")},
               {fld::OtherPhone, QStringLiteral("555-0199")},
               {fld::EMailAddress, QStringLiteral("tom@example.org")}}),
         test::person(22, 20, 2, QStringLiteral("Sue"), QStringLiteral("Young")),
         test::person(13, 10, 3, QStringLiteral("Cara"), QStringLiteral("Adams")),
         with(test::person(11, 10, 1, QStringLiteral("William"), QStringLiteral("Smith"), {},
                           QStringLiteral("Bill"), QStringLiteral("Dr")),
              {{fld::Suffix, QStringLiteral("Jr")}}),
         test::person(12, 10, 2, QStringLiteral("Ann"), QStringLiteral("Adams")),
         test::person(900, 0, 1, QStringLiteral("Stray"), QStringLiteral("Nobody")),
         test::person(41, 40, 1, QStringLiteral("Nigel"), QStringLiteral("Intl"))});
    test::writeSetup(folder, false, false, false, false, false);
}

// Another program holding the families file for writing: a save to it fails until release().
struct FamiliesLocked
{
    explicit FamiliesLocked(const QString &folder)
    {
        other.setPath(folder);
        other.connect();
        locker.open();
        locker.close(); // attached, and holding no read lock of its own
        held =
            sqlite3_exec(other.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    bool release()
    {
        return sqlite3_exec(other.handle(), "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    RostConnection other;
    Cursor locker{other, tbl::Families};
    bool held = false;
};

struct Window
{
    explicit Window(const QString &folder) : context(folder)
    {
        form = std::make_unique<MainWindow>(context, launcher);
        form->show();
        form->FormActivate();
    }
    MainWindow &operator*() { return *form; }
    MainWindow *operator->() { return form.get(); }
    QString text(const char *name) { return child<QLineEdit>(*form, name)->text(); }
    QString phones() { return child<QLabel>(*form, "iPhonesEdit")->text(); }
    QTabBar *tabs() { return child<QTabBar>(*form, "NamePages"); }
    QStringList tabCaptions()
    {
        QStringList list;
        for (int i = 0; i < tabs()->count(); ++i)
            list << tabs()->tabText(i);
        return list;
    }
    QStringList address() { return test::shownLines(child<DataBoundMemo>(*form, "AddEdit")); }
    Cursor &families() { return form->browser().families(); }
    Cursor &members() { return form->browser().members(); }

    ProgramContext context;
    test::RecordingLauncher launcher;
    std::unique_ptr<MainWindow> form;
};

// The rows the search box lists for the text, "name | matched" each, or the list's one line
// when nobody matches; none while the list is closed.
QStringList searchRows(SearchBox *box, const QString &text)
{
    box->setText(text);
    QStringList rows;
    const auto *list = child<QTreeWidget>(*box->window(), "SearchMatches");
    for (int i = 0; list->isVisible() && i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        rows << (item->text(2).isEmpty() ? item->text(0)
                                         : item->text(0) + QStringLiteral(" | ") + item->text(2));
    }
    return rows;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void startsOnFirstFamilyInRowOrder();
    void familyMovesRebuildTheDisplay();
    void tabsFollowPositionAndSelection();
    void navigatorMovesDeletesAndRefreshes();
    void listCommandsShowOnceAndStay();
    void withoutFamiliesTheStartupImportRuns();
    void findCommandsMoveTheWindow();
    void memberPastTheTwentiethHasATab();
    void pendingEditsAreSavedBeforeFindAndClose();
    void aChangeThatCannotBeSavedIsNotLostOnClose();
    void personCommandsGetTheCurrentMember();
    void exportContactWritesTheCurrentMember();
    void everyCommandOpensItsDialog();
    void captionsAndShortcuts();
    void everyControlIsReachedByKeyboard();
    void theFamilyDialogsChangeIsTheOneThatStays();
    void aChangeThatCannotBeSavedHasAWayOut();
    void aDataFolderThatCannotBeEnteredIsNamed();
    void theSearchBoxIsDrivenByKeys();
    void theSearchFollowsImportsAndSavedChanges();
};

void MainWindowTest::initTestCase()
{
    // The member's remembered choices go to a folder of the test's own.
    QStandardPaths::setTestModeEnabled(true);
}

void MainWindowTest::startsOnFirstFamilyInRowOrder()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    QVERIFY(w->isDirectoryOpen());
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("Tom and Sue Young"));
    QCOMPARE(w.text("HomePhoneEdit"), QStringLiteral("555-2000"));
    QCOMPARE(w.address(), (QStringList{"1 Elm", "Springfield   12345"}));
    QCOMPARE(w.tabCaptions(), (QStringList{"Tom", "Sue"}));
    QCOMPARE(w.tabs()->currentIndex(), 0);
    QVERIFY(w.tabs()->isEnabled());
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Tom Young   "));
    QCOMPARE(w.phones(), QStringLiteral("Cell: 555-0100   Home2: 555-0199"));
    QCOMPARE(w.text("EMailEdit"), QStringLiteral("tom@example.org"));
    QTRY_COMPARE(w->focusWidget(), child<QPushButton>(*w, "FindFamilyButton"));
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::familyMovesRebuildTheDisplay()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());

    w.families().next(); // what the navigator's Next does
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.address(), QStringList());
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));
    const std::vector<MemberTab> &tabs = w->browser().memberTabs().tabs;
    QCOMPARE(int(tabs.size()), 3);
    QCOMPARE(tabs[0].indivId, IndivId(11));
    QCOMPARE(tabs[2].indivId, IndivId(13));
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Dr William Smith Jr  (Goes by Bill) "));
    QCOMPARE(w.phones(), QString());

    // Family number 0: individuals carry it, yet there are no tabs, and the row stays enabled.
    w.families().next();
    QCOMPARE(w.tabs()->count(), 0);
    QVERIFY(w.tabs()->isEnabled());

    // A family without members: an empty, disabled tab row and lines of empty fields.
    w.families().next();
    QCOMPARE(w.tabs()->count(), 0);
    QVERIFY(!w.tabs()->isEnabled());
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("    "));
    QCOMPARE(w.phones(), QString());
    QCOMPARE(w.text("EMailEdit"), QString());

    // The free-form address replaces the composed one, and goes again on the next move.
    w.families().next();
    QCOMPARE(w.address(), (QStringList{"Flat 2", "London"}));
    QVERIFY(child<DataBoundMemo>(*w, "AddEdit")->isBound());
    w.families().first();
    QVERIFY(!child<DataBoundMemo>(*w, "AddEdit")->isBound());
    QCOMPARE(w.address(), (QStringList{"1 Elm", "Springfield   12345"}));
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::tabsFollowPositionAndSelection()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    w.families().next();

    w.tabs()->setCurrentIndex(2); // the user picks the third tab
    QCOMPARE(w.members().integer(fld::IndivIdNum), 13);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Cara Adams   "));

    w->GetFamilyMembers(2);
    QCOMPARE(w.tabs()->currentIndex(), 1);
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Ann Adams   "));

    // A position the family does not have shows its first member.
    w->GetFamilyMembers(7);
    QCOMPARE(w.tabs()->currentIndex(), 0);
    QCOMPARE(w.members().integer(fld::IndivIdNum), 11);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Dr William Smith Jr  (Goes by Bill) "));
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::navigatorMovesDeletesAndRefreshes()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    auto *nav = child<RecordNavigator>(*w, "Nav");
    using B = RecordNavigator::Button;
    QCOMPARE(nav->buttons(),
             (QList<B>{B::First, B::Prior, B::Next, B::Last, B::Delete, B::Refresh}));

    nav->trigger(B::Next);
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));

    // Refresh shows values saved elsewhere but is not a move: the tabs stay as they were.
    w.tabs()->setCurrentIndex(1);
    {
        Cursor other(w->browser().connection(), tbl::Families);
        other.open();
        QVERIFY(other.locate(fld::FamilyIdNum, 10));
        other.setText(fld::VorelName, QStringLiteral("Adams, renamed"));
        other.post();
    }
    nav->trigger(B::Refresh);
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("Adams, renamed"));
    QCOMPARE(w.tabs()->currentIndex(), 1);

    // Delete asks, removes the family row only, and the next family is shown.
    prompts.queue(QMessageBox::Ok);
    nav->trigger(B::Delete);
    QCOMPARE(int(prompts.asked.size()), 1);
    QCOMPARE(prompts.asked.front().text, QStringLiteral("Delete record?"));
    QVERIFY(prompts.asked.front().informative.contains(QLatin1String("Adams, renamed")));
    QCOMPARE(w.families().integer(fld::FamilyIdNum), 0);
    QCOMPARE(w.tabs()->count(), 0);
    Cursor people(w->browser().connection(), tbl::Individuals);
    people.open();
    QVERIFY(people.locate(fld::IndivIdNum, 11));
}

void MainWindowTest::listCommandsShowOnceAndStay()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    QAction *makeLists = w->findChild<QAction *>(QStringLiteral("mMakeLists"));
    QWidget *viewList = child<QPushButton>(*w, "ViewListFieldsButton");
    QVERIFY(!makeLists->isVisible());
    QVERIFY(!viewList->isVisibleTo(w.form.get()));

    // One flag is enough.
    w->CloseDirectory();
    test::writeSetup(folder.path(), false, false, false, true, false, QStringLiteral("Choir"));
    QVERIFY(w->OpenDirectory());
    QVERIFY(makeLists->isVisible());
    QVERIFY(viewList->isVisibleTo(w.form.get()));
    QCOMPARE(w->browser().setup().User1Name, QStringLiteral("Choir"));

    // A later directory without lists does not hide them again.
    w->CloseDirectory();
    test::writeSetup(folder.path(), false, false, false, false, false);
    QVERIFY(w->OpenDirectory());
    QVERIFY(makeLists->isVisible());
    QVERIFY(viewList->isVisibleTo(w.form.get()));
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::withoutFamiliesTheStartupImportRuns()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    ProgramContext context(folder.path());
    test::RecordingLauncher launcher;
    MainWindow form(context, launcher);
    bool bringsTables = false;
    launcher.whileOpen = [&](const QString &) {
        // No table file may be open while an import replaces it, and the window has let go of
        // the folder, which the import takes for itself.
        QVERIFY(!form.browser().connection().isConnected());
        const DataFolderLock import(folder.path(), DataFolderLock::Mode::Exclusive,
                                    std::chrono::milliseconds(0));
        if (bringsTables)
            writeDirectory(folder.path());
    };
    form.FormActivate();
    QCOMPARE(launcher.calls, QStringList{"importAtStartup"});
    QVERIFY(!form.isDirectoryOpen());
    for (const char *name : {"FindFamilyButton", "FindIndButton", "UpdateAddressButton",
                             "UpdateIndButton", "EsMenuButton1"})
        QVERIFY2(!child<QPushButton>(form, name)->isEnabled(), name);
    // Commands that need the tables do nothing harmful.
    form.FindFamilyButtonClick();
    form.fPrintEnvelopeClick();
    form.GetFamilyMembers(1);
    QCOMPARE(child<QLineEdit>(form, "iNameEdit")->text(), QString());
    QCOMPARE(launcher.calls, QStringList{"importAtStartup"});

    // The menu road that brings the families file opens the directory.
    bringsTables = true;
    form.fImportDataClick();
    QCOMPARE(launcher.calls, (QStringList{"importAtStartup", "importFromMenu"}));
    QVERIFY(form.isDirectoryOpen());
    QVERIFY(child<QPushButton>(form, "FindFamilyButton")->isEnabled());
    QCOMPARE(child<QLineEdit>(form, "VorelNameEdit")->text(), QStringLiteral("Tom and Sue Young"));
    QCOMPARE(form.focusWidget(), child<QPushButton>(form, "FindFamilyButton"));
    // Another run's import waits while the window shows the directory.
    QVERIFY_THROWS_EXCEPTION(DataFolderBusy,
                             DataFolderLock(folder.path(), DataFolderLock::Mode::Exclusive,
                                            std::chrono::milliseconds(0)));

    // A menu road that brings nothing opens the tables that are there again.
    bringsTables = false;
    form.fImportDataClick();
    QVERIFY(form.isDirectoryOpen());
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::findCommandsMoveTheWindow()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());

    // Cancel after picking the third tab: every tab, the first selected.
    w.families().next();
    w.tabs()->setCurrentIndex(2);
    w->FindFamilyButtonClick();
    QCOMPARE(w.launcher.calls, QStringList{"findFamily"});
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));
    QCOMPARE(w.tabs()->currentIndex(), 0);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Dr William Smith Jr  (Goes by Bill) "));

    // A found family, and the navigator walks by name from then on.
    w.launcher.familyFound = 20;
    w->FindFamilyButtonClick();
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("Tom and Sue Young"));
    QVERIFY(w.families().inOrder(idx::FamilyNameOrder));
    w.families().next();
    QCOMPARE(w.families().text(fld::FamilyName), QStringLiteral("Zero"));

    // The third member of a family: that family, the third tab.
    w.launcher.individualFound = FoundIndividual{10, 13, 3};
    w->FindIndButtonClick();
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.tabs()->currentIndex(), 2);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Cara Adams   "));

    // A person whose family is missing: the message, and the window stays on its family.
    w.launcher.individualFound = FoundIndividual{99, 5, 2};
    w->FindIndButtonClick();
    QCOMPARE(int(prompts.asked.size()), 1);
    QCOMPARE(prompts.asked.front().title, QStringLiteral("Information"));
    QCOMPARE(prompts.asked.front().text,
             QStringLiteral("Locate failed.\rFamID  = 99\rNameID = 5\rRank   = 2"));
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.tabs()->currentIndex(), 1);

    // A cancelled individual find changes nothing.
    w.launcher.individualFound.reset();
    w->FindIndButtonClick();
    QCOMPARE(w.tabs()->currentIndex(), 1);
}

void MainWindowTest::memberPastTheTwentiethHasATab()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    std::vector<test::Row> people;
    for (int rank = 22; rank >= 1; --rank)
        people.push_back(test::person(100 + rank, 50, rank, QStringLiteral("M%1").arg(rank),
                                      QStringLiteral("Many")));
    test::writeTable(folder.path(), familiesTable(), {test::family(50, QStringLiteral("Many"))});
    test::writeTable(folder.path(), individualsTable(), people);
    Window w(folder.path());
    QCOMPARE(w.tabs()->count(), 22);
    QCOMPARE(w.tabs()->tabText(21), QStringLiteral("M22"));
    w.tabs()->setCurrentIndex(20);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("M21 Many   "));
    // Found by rank: the twenty-second tab; a rank past the last member: the first.
    w.launcher.individualFound = FoundIndividual{50, 122, 22};
    w->FindIndButtonClick();
    QCOMPARE(w.tabs()->currentIndex(), 21);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("M22 Many   "));
    w.launcher.individualFound = FoundIndividual{50, 199, 23};
    w->FindIndButtonClick();
    QCOMPARE(w.tabs()->currentIndex(), 0);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("M1 Many   "));
}

void MainWindowTest::pendingEditsAreSavedBeforeFindAndClose()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    {
        Window w(folder.path());
        bool dialogSawIt = false;
        w.launcher.whileOpen = [&](const QString &) {
            // The dialog's own cursor already sees the saved row.
            Cursor own(w->browser().connection(), tbl::Families);
            own.open();
            dialogSawIt = own.text(fld::HomePhone) == QLatin1String("555-9999");
        };
        auto *phone = child<DataBoundEdit>(*w, "HomePhoneEdit");
        phone->selectAll();
        QTest::keyClicks(phone, QStringLiteral("555-9999 "));
        w->FindFamilyButtonClick();
        QVERIFY(dialogSawIt);
        QCOMPARE(w.families().state(), CursorState::Browse);

        auto *email = child<DataBoundEdit>(*w, "EMailEdit");
        email->selectAll();
        QTest::keyClicks(email, QStringLiteral("t@y.org"));
        QVERIFY(w->close());
        QVERIFY(!w->browser().connection().isConnected());
    }
    RostConnection connection;
    connection.setPath(folder.path());
    connection.connect();
    Cursor fam(connection, tbl::Families);
    fam.open();
    QCOMPARE(fam.text(fld::HomePhone), QStringLiteral("555-9999"));
    Cursor ind(connection, tbl::Individuals);
    ind.open();
    QVERIFY(ind.locate(fld::IndivIdNum, 21));
    QCOMPARE(ind.text(fld::EMailAddress), QStringLiteral("t@y.org"));
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::aChangeThatCannotBeSavedIsNotLostOnClose()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    auto *phone = child<DataBoundEdit>(*w, "HomePhoneEdit");
    phone->selectAll();
    QTest::keyClicks(phone, QStringLiteral("555-7777"));

    // Another program holds the families file locked: the save fails.
    FamiliesLocked lock(folder.path());
    QVERIFY(lock.held);
    prompts.queue(QMessageBox::Ok); // the error
    prompts.queue(QMessageBox::No); // do not close without the change
    QVERIFY(!w->close());
    QCOMPARE(int(prompts.asked.size()), 2);
    QCOMPARE(prompts.asked[0].kind, MessageKind::Error);
    QCOMPARE(prompts.asked[1].kind, MessageKind::Confirmation);
    QVERIFY(w->browser().connection().isConnected());
    QCOMPARE(w.families().state(), CursorState::Edit);
    QCOMPARE(phone->text(), QStringLiteral("555-7777"));

    // Once the file is free again, closing saves the change.
    QVERIFY(lock.release());
    QVERIFY(w->close());
    QCOMPARE(int(prompts.asked.size()), 2);
    lock.locker.open();
    QCOMPARE(lock.locker.text(fld::HomePhone), QStringLiteral("555-7777"));
}

void MainWindowTest::personCommandsGetTheCurrentMember()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    w.families().next();
    w.tabs()->setCurrentIndex(1);
    w->fPrintEnvelopeClick();
    w->fSendToClipClick();
    QCOMPARE(w.launcher.calls, (QStringList{"printEnvelope 12", "sendToClipboard 12"}));
    QVERIFY(prompts.asked.empty());

    // A family without members opens neither dialog; the user is told why.
    w.families().locate(fld::FamilyIdNum, 30);
    w->fPrintEnvelopeClick();
    w->fSendToClipClick();
    QCOMPARE(w.launcher.calls.size(), 2);
    QCOMPARE(prompts.asked.size(), std::size_t(2));
    QCOMPARE(prompts.asked[0].text, QStringLiteral("This family has no members to print for."));
    QCOMPARE(prompts.asked[1].text, QStringLiteral("This family has no members to copy."));
}

// "Export contact..." writes the current member's card where the save dialog says, offering the
// folder used last; a cancelled dialog writes nothing, a file that cannot be replaced stays as it
// was and the error is shown, and a family without members is told why.
void MainWindowTest::exportContactWritesTheCurrentMember()
{
    programSettings()->clear();
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    w.families().next();
    w.tabs()->setCurrentIndex(1);
    const QString out = folder.file(QStringLiteral("contact.vcf"));
    prompts.queue(out);
    w->findChild<QAction *>("fExportContact")->trigger();
    QCOMPARE(prompts.asked.size(), std::size_t(1));
    QCOMPARE(prompts.asked[0].what, QStringLiteral("saveFile"));
    QCOMPARE(prompts.asked[0].title, QStringLiteral("Export Contact"));
    QVERIFY2(prompts.asked[0].text.endsWith(QStringLiteral("/Ann Adams.vcf")),
             qPrintable(prompts.asked[0].text));
    QVERIFY(prompts.asked[0].confirmReplace);
    const QByteArray card = test::readFile(out);
    QVERIFY2(card.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ann Adams\r\n"), card.constData());
    QVERIFY(card.contains("\r\nUID:" + contactUid(12).toUtf8() + "\r\n"));
    QVERIFY(card.endsWith("END:VCARD\r\n"));

    prompts.asked.clear();
    w->findChild<QAction *>("fExportContact")->trigger();
    QCOMPARE(prompts.asked.size(), std::size_t(1));
    QCOMPARE(prompts.asked[0].text, folder.file(QStringLiteral("Ann Adams.vcf")));

    prompts.asked.clear();
    QFile::setPermissions(out, QFileDevice::ReadOwner);
    prompts.queue(out);
    w->findChild<QAction *>("fExportContact")->trigger();
    QCOMPARE(prompts.asked.size(), std::size_t(2));
    QCOMPARE(prompts.asked[1].kind, MessageKind::Error);
    QVERIFY2(prompts.asked[1].text.startsWith(QStringLiteral("Cannot write ")),
             qPrintable(prompts.asked[1].text));
    QCOMPARE(test::readFile(out), card);

    prompts.asked.clear();
    w.families().locate(fld::FamilyIdNum, 30);
    w->findChild<QAction *>("fExportContact")->trigger();
    QCOMPARE(prompts.asked.size(), std::size_t(1));
    QCOMPARE(prompts.asked[0].text, QStringLiteral("This family has no members to export."));
    QVERIFY(w.launcher.calls.isEmpty());
}

void MainWindowTest::everyCommandOpensItsDialog()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    test::writeSetup(folder.path(), true, false, false, false, false);
    Window w(folder.path());
    w.families().next();
    const auto trigger = [&](const char *name) { w->findChild<QAction *>(name)->trigger(); };
    trigger("pEnvPrefs");
    trigger("pReturnAdd");
    trigger("mMakeLists");
    trigger("hAbout");
    trigger("fPrintDirectory");
    trigger("fPrintLabels");
    trigger("fExportDirectory");
    child<QPushButton>(*w, "ViewListFieldsButton")->click();
    child<QPushButton>(*w, "UpdateIndButton")->click();
    QCOMPARE(
        w.launcher.calls,
        (QStringList{"envelopePreferences", "returnAddress", "makeLists", "about", "printDirectory",
                     "printLabels", "exportDirectory", "viewListFields", "updateIndividual"}));

    // The family update names the window's family; afterwards the window reads its rows again
    // and rebuilds the address block.
    w.launcher.calls.clear();
    w.launcher.whileOpen = [&](const QString &) {
        Cursor own(w->browser().connection(), tbl::Families);
        own.open();
        QVERIFY(own.locate(fld::FamilyIdNum, 10));
        own.setText(fld::Address1, QStringLiteral("9 New Road"));
        own.post();
    };
    child<QPushButton>(*w, "UpdateAddressButton")->click();
    QCOMPARE(w.launcher.calls, QStringList{"updateFamily 10"});
    QCOMPARE(w.address(), QStringList{"9 New Road"});
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::captionsAndShortcuts()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    QCOMPARE(child<QGroupBox>(*w, "FamInfoGroup")->title(),
             QStringLiteral("  Family Information  "));
    QVERIFY(child<QGroupBox>(*w, "FamInfoGroup")->font().bold());
    for (const char *line : {"VorelNameEdit", "HomePhoneEdit", "AddEdit"})
        QVERIFY2(!child<QWidget>(*w, line)->font().bold(), line);
    QCOMPARE(child<QLabel>(*w, "fmLabel")->text(), QStringLiteral("Family Members  "));
    QCOMPARE(child<QPushButton>(*w, "EsMenuButton1")->text(), QStringLiteral("Features  "));
    QVERIFY(w->windowTitle().contains(QLatin1String("2006.3")));
    QCOMPARE(w->size(), w->minimumSize());
    QCOMPARE(w->size(), w->maximumSize());

    QStringList menus;
    for (QAction *a : w->menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&Make Lists", "&Preferences", "&Help"}));
    const auto action = [&](const char *name) { return w->findChild<QAction *>(name); };
    QCOMPARE(action("fImportData")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    QStringList file;
    for (QAction *a : w->findChild<QMenu *>(QStringLiteral("mFile"))->actions())
        file << a->text();
    QCOMPARE(file, (QStringList{"Print &directory...", "Print &labels...", "E&xport directory...",
                                "&Import data", "&Search", "&Exit"}));
    QCOMPARE(action("fExit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    QCOMPARE(action("fSearch")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    QCOMPARE(action("hAbout")->text(), QStringLiteral("&About Rost 2006"));
    QStringList popup;
    for (QAction *a : w->featuresMenu()->actions())
        popup << a->text();
    QCOMPARE(popup, (QStringList{"Print envelope", "Send data to clipboard", "Export contact..."}));

    // Every line a screen reader must read carries a name.
    for (const char *name :
         {"VorelNameEdit", "HomePhoneEdit", "iNameEdit", "iPhonesEdit", "EMailEdit", "SearchBox"})
        QVERIFY2(!child<QWidget>(*w, name)->accessibleName().isEmpty(), name);

    // Ctrl+X closes the window.
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QTest::keyClick(w.form.get(), Qt::Key_X, Qt::ControlModifier);
    QTRY_VERIFY(!w->isVisible());
    QVERIFY(!w->browser().connection().isConnected());
}

// Tab walks the window in its order, the picture and the navigator included, and Enter presses
// the focused button, as Space does.
void MainWindowTest::everyControlIsReachedByKeyboard()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    test::writeSetup(folder.path(), true, false, false, false, false);
    Window w(folder.path());
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*w, "FindFamilyButton"));
    QTRY_VERIFY(child<SearchBox>(*w, "SearchBox")->isEnabled());

    QStringList order;
    for (int i = 0; i < 21; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        order << (focus->objectName().isEmpty() ? focus->accessibleName() : focus->objectName());
    }
    // The navigator stands on the first family: First and Prior are off.
    QCOMPARE(order, (QStringList{"FindIndButton",
                                 "HelpButton",
                                 "SearchBox",
                                 "Pic",
                                 "NamePages",
                                 "EsMenuButton1",
                                 "iNameEdit",
                                 "EMailEdit",
                                 "iPhonesEdit",
                                 "UpdateIndButton",
                                 "ViewListFieldsButton",
                                 "Move to next record",
                                 "Move to last record",
                                 "Delete current record",
                                 "Refresh the contents of the dataset",
                                 "HomePhoneEdit",
                                 "AddEdit",
                                 "UpdateAddressButton",
                                 "VorelNameEdit",
                                 "FindFamilyButton",
                                 "FindIndButton"}));

    auto *nav = child<RecordNavigator>(*w, "Nav");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(nav->button(RecordNavigator::Button::Next), key);
        child<QPushButton>(*w, "FindFamilyButton")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    QCOMPARE(w.launcher.calls, (QStringList{"findFamily", "findFamily"}));
    QCOMPARE(w.families().integer(fld::FamilyIdNum), 0); // the third family in row order
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::theFamilyDialogsChangeIsTheOneThatStays()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    {
        Window w(folder.path());
        auto *phone = child<DataBoundEdit>(*w, "HomePhoneEdit");
        phone->selectAll();
        QTest::keyClicks(phone, QStringLiteral("555-7777"));
        w.launcher.whileOpen = [&](const QString &) {
            Cursor own(w->browser().connection(), tbl::Families);
            own.open();
            QVERIFY(own.locate(fld::FamilyIdNum, 20));
            QCOMPARE(own.text(fld::HomePhone), QStringLiteral("555-7777"));
            own.setText(fld::HomePhone, QStringLiteral("555-1111"));
            own.post();
        };
        child<QPushButton>(*w, "UpdateAddressButton")->click();
        QCOMPARE(phone->text(), QStringLiteral("555-1111"));
        w.families().next();
    }
    RostConnection connection;
    connection.setPath(folder.path());
    connection.connect();
    Cursor fam(connection, tbl::Families);
    fam.open();
    QVERIFY(fam.locate(fld::FamilyIdNum, 20));
    QCOMPARE(fam.text(fld::HomePhone), QStringLiteral("555-1111"));
    QVERIFY(prompts.asked.empty());
}

// A change the table refuses (another program holds the file) can be kept for a later try or
// dropped; Esc drops one after saying what it was.
void MainWindowTest::aChangeThatCannotBeSavedHasAWayOut()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    auto *phone = child<DataBoundEdit>(*w, "HomePhoneEdit");
    phone->selectAll();
    QTest::keyClicks(phone, QStringLiteral("555-7777"));
    FamiliesLocked lock(folder.path());
    QVERIFY(lock.held);

    auto *nav = child<RecordNavigator>(*w, "Nav");
    nav->trigger(RecordNavigator::Button::Next); // unanswered: keep editing
    QCOMPARE(prompts.asked.size(), size_t(2));
    QCOMPARE(prompts.asked[0].kind, MessageKind::Error);
    QCOMPARE(prompts.asked[1].text, QStringLiteral("Your change could not be saved."));
    QCOMPARE(prompts.asked[1].choices, (QStringList{"Keep editing", "Discard the change"}));
    QCOMPARE(w.families().integer(fld::FamilyIdNum), 20);
    QCOMPARE(phone->text(), QStringLiteral("555-7777"));

    prompts.queue(QMessageBox::Ok);
    prompts.queue(1); // discard the change
    nav->trigger(RecordNavigator::Button::Next);
    QCOMPARE(w.families().integer(fld::FamilyIdNum), 10);
    nav->trigger(RecordNavigator::Button::Prior);
    QCOMPARE(phone->text(), QStringLiteral("555-2000"));
    QVERIFY(lock.release());

    // Esc says what would be lost, and drops it only when the member agrees.
    prompts.asked.clear();
    auto *email = child<DataBoundEdit>(*w, "EMailEdit");
    email->selectAll();
    QTest::keyClicks(email, QStringLiteral("t@y.org"));
    QTest::keyClick(email, Qt::Key_Escape); // unanswered: Cancel
    QCOMPARE(email->text(), QStringLiteral("t@y.org"));
    prompts.queue(QMessageBox::Discard);
    QTest::keyClick(email, Qt::Key_Escape);
    QCOMPARE(prompts.asked.size(), size_t(2));
    QCOMPARE(prompts.asked[1].informative, QStringLiteral("EMail Address: t@y.org"));
    QCOMPARE(email->text(), QStringLiteral("tom@example.org"));
    QCOMPARE(w.members().state(), CursorState::Browse);
}

void MainWindowTest::aDataFolderThatCannotBeEnteredIsNamed()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    const QString missing = folder.path() + QStringLiteral("/gone");
    const QString before = QDir::currentPath();
    Window w(missing);
    // The settings records, which cannot be written there either, are told of first.
    QCOMPARE(prompts.asked.back().kind, MessageKind::Error);
    QCOMPARE(prompts.asked.back().text,
             QStringLiteral("The data folder %1 cannot be opened: No such file or directory.")
                 .arg(QDir::toNativeSeparators(missing)));
    QVERIFY(!w->isDirectoryOpen());
    QCOMPARE(w.launcher.calls, QStringList());
    QCOMPARE(QDir::currentPath(), before);
}

// Ctrl+F, typing, Down and Enter reach the member typed, by the find dialogs' road; Esc gives
// the keyboard back.
void MainWindowTest::theSearchBoxIsDrivenByKeys()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    auto *box = child<SearchBox>(*w, "SearchBox");
    QTRY_VERIFY(box->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*w, "FindFamilyButton"));

    QTest::keyClick(w.form.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), box);
    QTest::keyClicks(box, QStringLiteral("ADAMS"));
    QVERIFY(child<QTreeWidget>(*w, "SearchMatches")->isVisible());
    QCOMPARE(searchRows(box, box->text()),
             (QStringList{"Ann Adams | last name", "Cara Adams | last name",
                          "Dr William Smith Jr  (Goes by Bill) | family name",
                          "The Adams Family | family name"}));
    QTest::keyClick(box, Qt::Key_Up); // stays on the first row
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!child<QTreeWidget>(*w, "SearchMatches")->isVisible());
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));
    QCOMPARE(w.tabs()->currentIndex(), 2);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Cara Adams   "));

    // A household row goes to the family with its first member.
    QTest::keyClick(w.form.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral("elm"));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(box, Qt::Key_Down); // stops on the last row
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("Tom and Sue Young"));
    QCOMPARE(w.tabs()->currentIndex(), 0);

    // Nobody: the list says so, and Enter does nothing. Esc closes it and gives the keyboard
    // back to where it was before Ctrl+F.
    child<QPushButton>(*w, "FindIndButton")->setFocus();
    QTest::keyClick(w.form.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral("zebra"));
    QCOMPARE(searchRows(box, box->text()), QStringList{"No one matches \u201Czebra\u201D."});
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(child<QTreeWidget>(*w, "SearchMatches")->isVisible());
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(!child<QTreeWidget>(*w, "SearchMatches")->isVisible());
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*w, "FindIndButton"));
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("Tom and Sue Young"));

    // No words, no list.
    QVERIFY(searchRows(box, QStringLiteral("  ")).isEmpty());
    QVERIFY(prompts.asked.empty());
}

void MainWindowTest::theSearchFollowsImportsAndSavedChanges()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    auto *box = child<SearchBox>(*w, "SearchBox");
    QTRY_VERIFY(box->isEnabled());
    const QStringList youngs{"Sue Young | phone %1", "Tom Young | phone %1",
                             "Tom and Sue Young | phone %1"};
    const auto rowsFor = [&](const QString &phone) {
        QStringList rows;
        for (const QString &row : youngs)
            rows << row.arg(phone);
        return rows;
    };
    const QString nobody = QStringLiteral("No one matches \u201C%1\u201D.");
    QCOMPARE(searchRows(box, QStringLiteral("5552000")), rowsFor(QStringLiteral("555-2000")));

    // A new phone saved in "Update Family".
    w.launcher.whileOpen = [&](const QString &) {
        Cursor own(w->browser().connection(), tbl::Families);
        own.open();
        QVERIFY(own.locate(fld::FamilyIdNum, 20));
        own.setText(fld::HomePhone, QStringLiteral("555-3000"));
        own.post();
    };
    w->UpdateAddressButtonClick();
    QTRY_COMPARE(searchRows(box, QStringLiteral("5553000")), rowsFor(QStringLiteral("555-3000")));
    QCOMPARE(searchRows(box, QStringLiteral("5552000")), QStringList{nobody.arg("5552000")});

    // Typed over in the window and saved by the next move.
    auto *phone = child<DataBoundEdit>(*w, "HomePhoneEdit");
    phone->selectAll();
    QTest::keyClicks(phone, QStringLiteral("555-4000"));
    QVERIFY(w->PostPendingEdits());
    QTRY_COMPARE(searchRows(box, QStringLiteral("5554000")), rowsFor(QStringLiteral("555-4000")));

    // An import brings other tables: the box is off while they are replaced.
    w.launcher.whileOpen = [&](const QString &) {
        QVERIFY(!box->isEnabled());
        writeDirectory(folder.path());
        test::writeTable(
            folder.path(), familiesTable(),
            {with(test::family(20, QStringLiteral("Young"), QStringLiteral("Tom and Sue Young")),
                  {{fld::HomePhone, QStringLiteral("555-5000")}})});
    };
    w->fImportDataClick();
    QTRY_VERIFY(box->isEnabled());
    QCOMPARE(searchRows(box, QStringLiteral("5555000")), rowsFor(QStringLiteral("555-5000")));
    QCOMPARE(searchRows(box, QStringLiteral("5554000")), QStringList{nobody.arg("5554000")});
    // The Adamses' family is gone; its members stay, found by their own names only.
    QCOMPARE(searchRows(box, QStringLiteral("adams")),
             (QStringList{"Ann Adams | last name", "Cara Adams | last name"}));
    QVERIFY(prompts.asked.empty());

    // The family deleted through the window's navigator: its household and phone are gone, its
    // members are found by their own names.
    QCOMPARE(w.families().integer(fld::FamilyIdNum), 20);
    prompts.queue(QMessageBox::Ok);
    child<RecordNavigator>(*w, "Nav")->trigger(RecordNavigator::Button::Delete);
    QCOMPARE(int(prompts.asked.size()), 1);
    QTRY_COMPARE(searchRows(box, QStringLiteral("5555000")), QStringList{nobody.arg("5555000")});
    QCOMPARE(searchRows(box, QStringLiteral("young")),
             (QStringList{"Sue Young | last name", "Tom Young | last name"}));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
