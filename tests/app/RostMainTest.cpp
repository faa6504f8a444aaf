#include "app/ui/RostMain.h"
#include "directory/DataFolder.h"
#include "directory/ProgramState.h"
#include "directory/Tables.h"
#include "platform/ui/DataBoundEdit.h"
#include "platform/ui/DataBoundMemo.h"
#include "platform/ui/PictureView.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/RecordNavigator.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <sqlite3.h>

using namespace rost;

namespace {

test::Row with(test::Row row, std::initializer_list<std::pair<const char *, QVariant>> fields)
{
    for (const auto &[name, value] : fields)
        row.insert(QLatin1String(name), value);
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

template <typename T> T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

struct Window
{
    explicit Window(const QString &folder)
    {
        DataFolder::setPathForTesting(folder);
        form = std::make_unique<TRostMainForm>();
        form->show();
        form->FormActivate();
    }
    TRostMainForm &operator*() { return *form; }
    TRostMainForm *operator->() { return form.get(); }
    QString text(const char *name) { return child<QLineEdit>(*form, name)->text(); }
    QTabBar *tabs() { return child<QTabBar>(*form, "NamePages"); }
    QStringList tabCaptions()
    {
        QStringList list;
        for (int i = 0; i < tabs()->count(); ++i)
            list << tabs()->tabText(i);
        return list;
    }
    QStringList address() { return child<DataBoundMemo>(*form, "AddEdit")->lines(); }

    std::unique_ptr<TRostMainForm> form;
};

} // namespace

class RostMainTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsOnFirstFamilyInRowOrder();
    void familyMovesRebuildTheDisplay();
    void tabsFollowPositionAndSelection();
    void navigatorMovesDeletesAndRefreshes();
    void listCommandsShowOnceAndStay();
    void withoutFamiliesTheStartupImportRuns();
    void findCommandsMoveTheWindow();
    void pendingEditsAreSavedBeforeFindAndClose();
    void aChangeThatCannotBeSavedIsNotLostOnClose();
    void personCommandsGetTheCurrentMember();
    void captionsAndShortcuts();
};

void RostMainTest::startsOnFirstFamilyInRowOrder()
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
    QCOMPARE(w.text("iPhonesEdit"), QStringLiteral("Cell: 555-0100   Home2: 555-0199"));
    QCOMPARE(w.text("EMailEdit"), QStringLiteral("tom@example.org"));
    QTRY_COMPARE(w->focusWidget(), child<QPushButton>(*w, "FindFamilyButton"));
    QVERIFY(prompts.asked.empty());
}

void RostMainTest::familyMovesRebuildTheDisplay()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());

    w->famCursor().next(); // what the navigator's Next does
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.address(), QStringList());
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));
    QCOMPARE(w->memberId(1), 11);
    QCOMPARE(w->memberId(3), 13);
    QCOMPARE(w->memberId(4), -1);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Dr William Smith Jr  (Goes by Bill) "));
    QCOMPARE(w.text("iPhonesEdit"), QString());

    // Family number 0: individuals carry it, yet there are no tabs, and the row stays enabled.
    w->famCursor().next();
    QCOMPARE(w.tabs()->count(), 0);
    QVERIFY(w.tabs()->isEnabled());

    // A family without members: an empty, disabled tab row and lines of empty fields.
    w->famCursor().next();
    QCOMPARE(w.tabs()->count(), 0);
    QVERIFY(!w.tabs()->isEnabled());
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("    "));
    QCOMPARE(w.text("iPhonesEdit"), QString());
    QCOMPARE(w.text("EMailEdit"), QString());

    // The free-form address replaces the composed one, and goes again on the next move.
    w->famCursor().next();
    QCOMPARE(w.address(), (QStringList{"Flat 2", "London"}));
    QVERIFY(child<DataBoundMemo>(*w, "AddEdit")->isBound());
    w->famCursor().first();
    QVERIFY(!child<DataBoundMemo>(*w, "AddEdit")->isBound());
    QCOMPARE(w.address(), (QStringList{"1 Elm", "Springfield   12345"}));
    QVERIFY(prompts.asked.empty());
}

void RostMainTest::tabsFollowPositionAndSelection()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    w->famCursor().next();

    w.tabs()->setCurrentIndex(2); // the user picks the third tab
    QCOMPARE(w->indCursor().integer(QLatin1String(fld::IndivIdNum)), 13);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Cara Adams   "));

    w->GetFamilyMembers(2);
    QCOMPARE(w.tabs()->currentIndex(), 1);
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Ann Adams   "));

    // A position the family does not have shows its first member.
    w->GetFamilyMembers(7);
    QCOMPARE(w.tabs()->currentIndex(), 0);
    QCOMPARE(w->indCursor().integer(QLatin1String(fld::IndivIdNum)), 11);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Dr William Smith Jr  (Goes by Bill) "));
    QVERIFY(prompts.asked.empty());
}

void RostMainTest::navigatorMovesDeletesAndRefreshes()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    RecordNavigator *nav = w->navigator();
    using B = RecordNavigator::Button;
    QCOMPARE(nav->buttons(),
             (QList<B>{B::First, B::Prior, B::Next, B::Last, B::Delete, B::Refresh}));

    nav->trigger(B::Next);
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));

    // Refresh shows values saved elsewhere but is not a move: the tabs stay as they were.
    w.tabs()->setCurrentIndex(1);
    {
        Cursor other(w->connection(), QLatin1String(tbl::Families));
        other.open();
        QVERIFY(other.locate(QLatin1String(fld::FamilyIdNum), 10));
        other.setText(QLatin1String(fld::VorelName), QStringLiteral("Adams, renamed"));
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
    QCOMPARE(w->famCursor().integer(QLatin1String(fld::FamilyIdNum)), 0);
    QCOMPARE(w.tabs()->count(), 0);
    Cursor people(w->connection(), QLatin1String(tbl::Individuals));
    people.open();
    QVERIFY(people.locate(QLatin1String(fld::IndivIdNum), 11));
}

void RostMainTest::listCommandsShowOnceAndStay()
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
    QCOMPARE(directorySetup().User1Name, QStringLiteral("Choir"));

    // A later directory without lists does not hide them again.
    w->CloseDirectory();
    test::writeSetup(folder.path(), false, false, false, false, false);
    QVERIFY(w->OpenDirectory());
    QVERIFY(makeLists->isVisible());
    QVERIFY(viewList->isVisibleTo(w.form.get()));
    QVERIFY(prompts.asked.empty());
}

void RostMainTest::withoutFamiliesTheStartupImportRuns()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    DataFolder::setPathForTesting(folder.path());
    TRostMainForm form;
    int runs = 0;
    QString bringFrom; // empty: the import brings nothing
    form.hooks().importStartupRoad = [&](TRostMainForm &) {
        ++runs;
        if (!bringFrom.isEmpty())
            writeDirectory(folder.path());
    };
    form.hooks().importMenuRoad = form.hooks().importStartupRoad;
    form.FormActivate();
    QCOMPARE(runs, 1);
    QVERIFY(!form.isDirectoryOpen());
    for (const char *name : {"FindFamilyButton", "FindIndButton", "UpdateAddressButton",
                             "UpdateIndButton", "EsMenuButton1"})
        QVERIFY2(!child<QPushButton>(form, name)->isEnabled(), name);
    // Commands that need the tables do nothing harmful.
    form.FindFamilyButtonClick();
    form.fPrintEnvelopeClick();
    form.GetFamilyMembers(1);
    QCOMPARE(child<QLineEdit>(form, "iNameEdit")->text(), QString());

    // The menu road that brings the families file opens the directory.
    bringFrom = QStringLiteral("archive");
    form.fImportDataClick();
    QCOMPARE(runs, 2);
    QVERIFY(form.isDirectoryOpen());
    QVERIFY(child<QPushButton>(form, "FindFamilyButton")->isEnabled());
    QCOMPARE(child<QLineEdit>(form, "VorelNameEdit")->text(), QStringLiteral("Tom and Sue Young"));
    QVERIFY(prompts.asked.empty());
}

void RostMainTest::findCommandsMoveTheWindow()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    std::optional<int> tag;
    std::optional<FoundIndividual> person;
    w->hooks().findFamily = [&](TRostMainForm &) { return tag; };
    w->hooks().findIndividual = [&](TRostMainForm &) { return person; };

    // Cancel after picking the third tab: every tab, the first selected.
    w->famCursor().next();
    w.tabs()->setCurrentIndex(2);
    w->FindFamilyButtonClick();
    QCOMPARE(w.tabCaptions(), (QStringList{"Bill", "Ann", "Cara"}));
    QCOMPARE(w.tabs()->currentIndex(), 0);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Dr William Smith Jr  (Goes by Bill) "));

    // A found family, and the navigator walks by name from then on.
    tag = 20;
    w->FindFamilyButtonClick();
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("Tom and Sue Young"));
    QCOMPARE(w->famCursor().indexName().toUpper(), QLatin1String(idx::FamilyNameOrder));
    w->famCursor().next();
    QCOMPARE(w->famCursor().text(QLatin1String(fld::FamilyName)), QStringLiteral("Zero"));

    // The third member of a family: that family, the third tab.
    person = FoundIndividual{10, 13, 3};
    w->FindIndButtonClick();
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.tabs()->currentIndex(), 2);
    QCOMPARE(w.text("iNameEdit"), QStringLiteral("Cara Adams   "));

    // A person whose family is missing: the message, and the window stays on its family.
    person = FoundIndividual{99, 5, 2};
    w->FindIndButtonClick();
    QCOMPARE(int(prompts.asked.size()), 1);
    QCOMPARE(prompts.asked.front().title, QStringLiteral("Information"));
    QCOMPARE(prompts.asked.front().text,
             QStringLiteral("Locate failed.\rFamID  = 99\rNameID = 5\rRank   = 2"));
    QCOMPARE(w.text("VorelNameEdit"), QStringLiteral("The Adams Family"));
    QCOMPARE(w.tabs()->currentIndex(), 1);
}

void RostMainTest::pendingEditsAreSavedBeforeFindAndClose()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    {
        Window w(folder.path());
        bool dialogSawIt = false;
        w->hooks().findFamily = [&](TRostMainForm &form) {
            // The dialog's own cursor already sees the saved row.
            Cursor own(form.connection(), QLatin1String(tbl::Families));
            own.open();
            dialogSawIt = own.text(QLatin1String(fld::HomePhone)) == QLatin1String("555-9999");
            return std::optional<int>();
        };
        auto *phone = child<DataBoundEdit>(*w, "HomePhoneEdit");
        phone->selectAll();
        QTest::keyClicks(phone, QStringLiteral("555-9999 "));
        w->FindFamilyButtonClick();
        QVERIFY(dialogSawIt);
        QCOMPARE(w->famCursor().state(), CursorState::Browse);

        auto *email = child<DataBoundEdit>(*w, "EMailEdit");
        email->selectAll();
        QTest::keyClicks(email, QStringLiteral("t@y.org"));
        QVERIFY(w->close());
        QVERIFY(!w->connection().isConnected());
    }
    RostConnection connection;
    connection.setPath(folder.path());
    connection.connect();
    Cursor fam(connection, QLatin1String(tbl::Families));
    fam.open();
    QCOMPARE(fam.text(QLatin1String(fld::HomePhone)), QStringLiteral("555-9999"));
    Cursor ind(connection, QLatin1String(tbl::Individuals));
    ind.open();
    QVERIFY(ind.locate(QLatin1String(fld::IndivIdNum), 21));
    QCOMPARE(ind.text(QLatin1String(fld::EMailAddress)), QStringLiteral("t@y.org"));
    QVERIFY(prompts.asked.empty());
}

void RostMainTest::aChangeThatCannotBeSavedIsNotLostOnClose()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    auto *phone = child<DataBoundEdit>(*w, "HomePhoneEdit");
    phone->selectAll();
    QTest::keyClicks(phone, QStringLiteral("555-7777"));

    // Another program holds the families file locked: the save fails.
    RostConnection other;
    other.setPath(folder.path());
    other.connect();
    Cursor locker(other, QLatin1String(tbl::Families));
    locker.open();
    locker.close(); // attached, and holding no read lock of its own
    QCOMPARE(sqlite3_exec(other.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    prompts.queue(QMessageBox::Ok); // the error
    prompts.queue(QMessageBox::No); // do not close without the change
    QVERIFY(!w->close());
    QCOMPARE(int(prompts.asked.size()), 2);
    QCOMPARE(prompts.asked[0].kind, MessageKind::Error);
    QCOMPARE(prompts.asked[1].kind, MessageKind::Confirmation);
    QVERIFY(w->connection().isConnected());
    QCOMPARE(w->famCursor().state(), CursorState::Edit);
    QCOMPARE(phone->text(), QStringLiteral("555-7777"));

    // Once the file is free again, closing saves the change.
    QCOMPARE(sqlite3_exec(other.handle(), "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    QVERIFY(w->close());
    QCOMPARE(int(prompts.asked.size()), 2);
    locker.open();
    QCOMPARE(locker.text(QLatin1String(fld::HomePhone)), QStringLiteral("555-7777"));
}

void RostMainTest::personCommandsGetTheCurrentMember()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    QList<int> printed;
    QList<int> copied;
    w->hooks().printEnvelope = [&](TRostMainForm &, qint16 id) { printed << id; };
    w->hooks().sendToClipboard = [&](TRostMainForm &, qint16 id) { copied << id; };

    w->famCursor().next();
    w.tabs()->setCurrentIndex(1);
    w->fPrintEnvelopeClick();
    w->fSendToClipClick();
    // A family without members passes 0.
    w->famCursor().locate(QLatin1String(fld::FamilyIdNum), 30);
    w->fPrintEnvelopeClick();
    QCOMPARE(printed, (QList<int>{12, 0}));
    QCOMPARE(copied, (QList<int>{12}));
}

void RostMainTest::captionsAndShortcuts()
{
    QueuedPrompts prompts;
    test::TestFolder folder;
    writeDirectory(folder.path());
    Window w(folder.path());
    QCOMPARE(child<QGroupBox>(*w, "FamInfoGroup")->title(),
             QStringLiteral("  Family Information  "));
    QVERIFY(child<QGroupBox>(*w, "FamInfoGroup")->font().bold());
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
    QCOMPARE(action("fExit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    QCOMPARE(action("hAbout")->text(), QStringLiteral("&About Rost 2006"));
    QStringList popup;
    for (QAction *a : w->featuresMenu()->actions())
        popup << a->text();
    QCOMPARE(popup, (QStringList{"Print envelope", "Send data to clipboard"}));

    // Every line a screen reader must read carries a name.
    for (const char *name :
         {"VorelNameEdit", "HomePhoneEdit", "iNameEdit", "iPhonesEdit", "EMailEdit"})
        QVERIFY2(!child<QLineEdit>(*w, name)->accessibleName().isEmpty(), name);

    // Ctrl+X closes the window.
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QTest::keyClick(w.form.get(), Qt::Key_X, Qt::ControlModifier);
    QTRY_VERIFY(!w->isVisible());
    QVERIFY(!w->connection().isConnected());
}

QTEST_MAIN(RostMainTest)
#include "RostMainTest.moc"
