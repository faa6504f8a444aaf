#include "app/exe/AppDialogLauncher.h"
#include "app/ui/MainWindow.h"
#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"
#include "browse/ui/RecordPanel.h"
#include "browse/ui/UpdateFamilyDialog.h"
#include "browse/ui/UpdateIndividualDialog.h"
#include "directory/DataFolder.h"
#include "directory/ProgramContext.h"
#include "directory/Tables.h"
#include "import/ui/ImportDialog.h"
#include "lists/ui/ListEnvelopesDialog.h"
#include "lists/ui/MakeListsDialog.h"
#include "platform/ui/DataBoundMemo.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"
#include "platform/ui/RecordNavigator.h"

#include "Fixture.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;
using Button = RecordNavigator::Button;

namespace {

// Families stored out of name order, in mixed case; Smith has three members, Orphan's family
// is missing, and family 8 has twenty-two members whose last names tell them apart.
void writeDirectory(const QString &folder)
{
    std::vector<Row> families;
    for (const auto &[id, name] : std::vector<std::pair<int, const char *>>{
             {5, "Snow"}, {1, "adams"}, {3, "Smith"}, {2, "Baker"}, {4, "Smithers"}, {8, "Many"}}) {
        Row f = family(id, QLatin1String(name));
        f.insert(fld::City, QStringLiteral("Old Town"));
        families.push_back(f);
    }
    writeTable(folder, familiesTable(), families);
    std::vector<Row> people{person(31, 3, 1, QStringLiteral("John"), QStringLiteral("Smith")),
                            person(32, 3, 2, QStringLiteral("Mary"), QStringLiteral("Smith")),
                            person(33, 3, 3, QStringLiteral("Tim"), QStringLiteral("Smith")),
                            person(11, 1, 1, QStringLiteral("Ann"), QStringLiteral("Adams")),
                            person(51, 5, 1, QStringLiteral("Jon"), QStringLiteral("Snow")),
                            person(7, 99, 2, QStringLiteral("Lost"), QStringLiteral("Orphan"))};
    for (int rank = 1; rank <= 22; ++rank)
        people.push_back(person(800 + rank, 8, rank, QStringLiteral("M%1").arg(rank),
                                QStringLiteral("Many%1").arg(rank, 2, 10, QLatin1Char('0'))));
    writeTable(folder, individualsTable(), people);
    writeSetup(folder, false, false, false, false, false);
}

// The program as main() builds it, on a folder of its own.
struct Program
{
    explicit Program(const QString &folder)
        : context(folder), launcher(context), window(context, launcher), findIndividual(&window),
          findFamily(&window)
    {
        launcher.setFindDialogs(findIndividual, findFamily);
        window.show();
        window.FormActivate();
    }
    QString text(const char *name) const
    {
        return window.findChild<QLineEdit *>(QLatin1String(name))->text();
    }
    QTabBar *tabs() const { return window.findChild<QTabBar *>(QStringLiteral("NamePages")); }
    FamilyId familyId() { return window.browser().familyView().familyId; }

    ProgramContext context;
    AppDialogLauncher launcher;
    MainWindow window;
    FindIndividualDialog findIndividual;
    FindFamilyDialog findFamily;
};

QWidget *panelEditor(const QDialog &form, QLatin1String field)
{
    return child<RecordPanel>(form, "wwRecordViewPanel1")->editor(field);
}

QString panelText(const QDialog &form, QLatin1String field)
{
    return qobject_cast<QLineEdit *>(panelEditor(form, field))->text();
}

} // namespace

class AppDialogLauncherTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findFamilyLeavesNameOrder();
    void findIndividualSelectsRankOrTellsLocateFailed();
    void everyMemberOfALargeFamilyIsFound();
    void updateFamilySavesOnOkAndDiscardsOnCancel();
    void updateFamilyMovesSaveAndTheWindowStays();
    void updateFamilyMayDeleteTheWindowsFamily();
    void updateIndividualMovesTheWindowsMember();
    void importRoadsOpenWhatTheyBring();
    void personDialogsAndTheirNestedDialogs();
    void makeListsOpensTheEnvelopeDialogsOfItsList();
};

void AppDialogLauncherTest::findFamilyLeavesNameOrder()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    Program p(folder.path());
    // A pending edit is saved before the dialog opens its own cursor.
    auto *phone = p.window.findChild<QLineEdit *>(QStringLiteral("HomePhoneEdit"));
    phone->selectAll();
    QTest::keyClicks(phone, QStringLiteral("555-0005"));
    whenShown<FindFamilyDialog>([](FindFamilyDialog &dialog) {
        QTest::keyClicks(dialog.searchEdit(), QStringLiteral("smi"));
        QTest::keyClick(dialog.searchEdit(), Qt::Key_Return);
    });
    p.window.FindFamilyButtonClick();
    QCOMPARE(p.familyId(), FamilyId(3));
    QCOMPARE(p.tabs()->count(), 3);
    QCOMPARE(p.text("iNameEdit"), QStringLiteral("John Smith   "));
    QVERIFY(!p.findFamily.cursor()); // the dialog's cursor lives only while it is shown
    p.window.browser().families().next();
    QCOMPARE(p.familyId(), FamilyId(4)); // Smithers follows Smith by name
    Cursor check(p.window.browser().connection(), tbl::Families);
    check.open();
    QVERIFY(check.locate(fld::FamilyIdNum, 5));
    QCOMPARE(check.text(fld::HomePhone), QStringLiteral("555-0005"));

    // Cancel after picking another tab leaves the family, with the first member selected.
    p.window.browser().families().prior();
    p.tabs()->setCurrentIndex(2);
    whenShown<FindFamilyDialog>(
        [](FindFamilyDialog &dialog) { child<QPushButton>(dialog, "CancelButton")->click(); });
    p.window.FindFamilyButtonClick();
    QCOMPARE(p.familyId(), FamilyId(3));
    QCOMPARE(p.tabs()->count(), 3);
    QCOMPARE(p.tabs()->currentIndex(), 0);
    QVERIFY(prompts.asked.empty());
}

void AppDialogLauncherTest::findIndividualSelectsRankOrTellsLocateFailed()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    Program p(folder.path());
    whenShown<FindIndividualDialog>([](FindIndividualDialog &dialog) {
        QTest::keyClicks(dialog.searchEdit(), QStringLiteral("smith"));
        QTest::keyClick(dialog.searchEdit(), Qt::Key_Down);
        QTest::keyClick(dialog.searchEdit(), Qt::Key_Down);
        QTest::keyClick(dialog.searchEdit(), Qt::Key_Return);
    });
    p.window.FindIndButtonClick();
    QCOMPARE(p.familyId(), FamilyId(3));
    QCOMPARE(p.tabs()->currentIndex(), 2);
    QCOMPARE(p.text("iNameEdit"), QStringLiteral("Tim Smith   "));
    QVERIFY(prompts.asked.empty());

    whenShown<FindIndividualDialog>([](FindIndividualDialog &dialog) {
        QTest::keyClicks(dialog.searchEdit(), QStringLiteral("orp"));
        QTest::keyClick(dialog.searchEdit(), Qt::Key_Return);
    });
    p.window.FindIndButtonClick();
    QCOMPARE(prompts.asked.size(), size_t(1));
    QCOMPARE(prompts.asked.front().kind, MessageKind::Information);
    QCOMPARE(prompts.asked.front().title, QStringLiteral("Information"));
    QCOMPARE(prompts.asked.front().text,
             QStringLiteral("Locate failed.\rFamID  = 99\rNameID = 7\rRank   = 2"));
    QCOMPARE(p.familyId(), FamilyId(3)); // stays where it was, the second tab selected
    QCOMPARE(p.tabs()->currentIndex(), 1);

    whenShown<FindIndividualDialog>(
        [](FindIndividualDialog &dialog) { QTest::keyClick(dialog.searchEdit(), Qt::Key_Escape); });
    p.window.FindIndButtonClick();
    QCOMPARE(p.tabs()->currentIndex(), 1); // a cancelled find changes nothing
}

void AppDialogLauncherTest::everyMemberOfALargeFamilyIsFound()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    Program p(folder.path());
    for (int rank = 1; rank <= 22; ++rank) {
        const QString last = QStringLiteral("Many%1").arg(rank, 2, 10, QLatin1Char('0'));
        whenShown<FindIndividualDialog>([last](FindIndividualDialog &dialog) {
            QTest::keyClicks(dialog.searchEdit(), last);
            QTest::keyClick(dialog.searchEdit(), Qt::Key_Return);
        });
        p.window.FindIndButtonClick();
        QCOMPARE(p.tabs()->count(), 22);
        QCOMPARE(p.tabs()->currentIndex(), rank - 1);
        QCOMPARE(p.text("iNameEdit"), QStringLiteral("M%1 %2   ").arg(rank).arg(last));
    }
    QVERIFY(prompts.asked.empty());
}

void AppDialogLauncherTest::updateFamilySavesOnOkAndDiscardsOnCancel()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    Program p(folder.path());
    QVERIFY(p.window.browser().locateFamily(2));
    p.window.GetFamInfo();
    const auto typeCity = [](const QString &city, bool ok) {
        whenShown<UpdateFamilyDialog>([city, ok](UpdateFamilyDialog &form) {
            QCOMPARE(panelText(form, fld::VorelName), QStringLiteral("Baker"));
            retype(panelEditor(form, fld::City), city);
            QTest::keyClick(&form, ok ? Qt::Key_Return : Qt::Key_Escape);
        });
    };
    auto *address = p.window.findChild<DataBoundMemo *>(QStringLiteral("AddEdit"));
    typeCity(QStringLiteral("Bruges"), false);
    p.window.UpdateAddressButtonClick();
    QCOMPARE(shownLines(address), QStringList{"Old Town   "});

    typeCity(QStringLiteral("Le Havre"), true);
    p.window.UpdateAddressButtonClick();
    QCOMPARE(shownLines(address), QStringList{"Le Havre   "});
    QVERIFY(prompts.asked.empty());
}

void AppDialogLauncherTest::updateFamilyMovesSaveAndTheWindowStays()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    Program p(folder.path());
    QVERIFY(p.window.browser().locateFamily(1));
    whenShown<UpdateFamilyDialog>([](UpdateFamilyDialog &form) {
        retype(panelEditor(form, fld::IntlAddress), QStringLiteral("Rue 1\nParis"));
        child<RecordNavigator>(form, "Nav")->button(Button::Next)->click();
        QCOMPARE(panelText(form, fld::VorelName), QStringLiteral("Baker"));
        retype(panelEditor(form, fld::HomePhone), QStringLiteral("555-0102"));
        form.reject();
    });
    p.window.UpdateAddressButtonClick();
    QCOMPARE(p.familyId(), FamilyId(1));
    QCOMPARE(p.window.browser().families().text(fld::IntlAddress),
             QStringLiteral("Rue 1\r\nParis"));
    QCOMPARE(shownLines(child<DataBoundMemo>(p.window, "AddEdit")),
             (QStringList{"Rue 1", "Paris"}));
    Cursor check(p.window.browser().connection(), tbl::Families);
    check.open();
    QVERIFY(check.locate(fld::FamilyIdNum, 2));
    QCOMPARE(check.text(fld::HomePhone), QString()); // left current at Cancel
}

void AppDialogLauncherTest::updateFamilyMayDeleteTheWindowsFamily()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    Program p(folder.path());
    const auto deleteShown = [&prompts] {
        whenShown<UpdateFamilyDialog>([&prompts](UpdateFamilyDialog &form) {
            prompts.queue(QMessageBox::Ok);
            child<RecordNavigator>(form, "Nav")->button(Button::Delete)->click();
            form.OKButtonClick();
        });
    };
    QCOMPARE(p.familyId(), FamilyId(5));
    deleteShown();
    p.window.UpdateAddressButtonClick();
    QVERIFY(p.familyId() != 5);
    QVERIFY(p.window.isDirectoryOpen());
    for (int left = 5; left > 0; --left) {
        deleteShown();
        p.window.UpdateAddressButtonClick();
    }
    QVERIFY(!p.window.browser().families().hasRow());
    QVERIFY(p.window.isDirectoryOpen());
    QCOMPARE(shownLines(child<DataBoundMemo>(p.window, "AddEdit")), QStringList());
}

void AppDialogLauncherTest::updateIndividualMovesTheWindowsMember()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    Program p(folder.path());
    QVERIFY(p.window.browser().goToFamily(3));
    p.window.GetFamilyMembers(1);
    whenShown<UpdateIndividualDialog>([](UpdateIndividualDialog &dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Update individual"));
        child<RecordNavigator>(dialog, "Nav")->button(Button::Next)->click(); // a member move
        retype(panelEditor(dialog, fld::WorkPhone), QStringLiteral("555-0199"));
        dialog.OKButtonClick();
    });
    p.window.UpdateIndButtonClick();
    QCOMPARE(p.window.browser().currentIndivId(), IndivId(32));
    QCOMPARE(p.text("iNameEdit"), QStringLiteral("Mary Smith   "));
    QCOMPARE(child<QLabel>(p.window, "iPhonesEdit")->text(), QStringLiteral("Work: 555-0199   "));
    QCOMPARE(p.tabs()->currentIndex(), 0); // the tabs are not rebuilt
}

void AppDialogLauncherTest::importRoadsOpenWhatTheyBring()
{
    TestFolder source;
    writeDirectory(source.path());
    TestFolder folder;
    // The start-up road finds no archive: the dialog, closed by the user, brings nothing.
    QueuedPrompts prompts;
    whenShown<ImportDialog>([](ImportDialog &form) {
        QCOMPARE(form.windowTitle(), QStringLiteral("Import data"));
        form.findChild<QPushButton *>(QStringLiteral("CloseButton"))->click();
    });
    Program p(folder.path());
    QVERIFY(!p.window.isDirectoryOpen());

    // The menu road: a broken archive is shown and nothing opens; a good one opens.
    const QString broken = source.file(QStringLiteral("broken.zip"));
    QFile f(broken);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("this is not a zip archive");
    f.close();
    prompts.queue(broken);
    prompts.queue(QMessageBox::Ok);
    p.window.fImportDataClick();
    QCOMPARE(prompts.asked.size(), size_t(2));
    QCOMPARE(prompts.asked.back().kind, MessageKind::Error);
    QVERIFY(!p.window.isDirectoryOpen());

    for (const TableDef *def : {&familiesTable(), &individualsTable(), &setupTable()})
        QVERIFY(QFile::copy(DataFolder::join(source.path(), def->file),
                            DataFolder::join(folder.path(), def->file)));
    prompts.queue(QString()); // the open dialog cancelled: the tables there now are opened
    p.window.fImportDataClick();
    QVERIFY(p.window.isDirectoryOpen());
    QCOMPARE(p.familyId(), FamilyId(5));
}

void AppDialogLauncherTest::personDialogsAndTheirNestedDialogs()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    Program p(folder.path());
    QStringList seen;
    const auto closeAfterNoting = [&seen](QDialog &dialog) {
        seen << dialog.objectName() + QLatin1Char(':') + dialog.windowTitle();
        dialog.reject();
    };
    whenShown<QDialog>([&](QDialog &dialog) {
        seen << dialog.objectName() + QLatin1Char(':') + dialog.windowTitle();
        // The single envelope dialog opens the layout and return address dialogs the same way.
        whenShown<QDialog>(closeAfterNoting);
        dialog.findChild<QPushButton *>(QStringLiteral("EnvPrefsButton"))->click();
        whenShown<QDialog>(closeAfterNoting);
        dialog.findChild<QPushButton *>(QStringLiteral("EnterRetunAddressButton"))->click();
        dialog.reject();
    });
    p.window.fPrintEnvelopeClick();
    whenShown<QDialog>(closeAfterNoting);
    p.window.fSendToClipClick();
    whenShown<QDialog>(closeAfterNoting);
    p.window.hAboutClick();
    QCOMPARE(seen, (QStringList{"PrintSingleEnvForm:Print single envelope",
                                "EnvelopeDefinitionForm:Envelope Preferences",
                                "RetAddDefForm:Return address definition",
                                "SendToClipBoardForm:Send data to clipboard...",
                                "AboutForm:About Rostella"}));
    QVERIFY(prompts.asked.empty());
}

void AppDialogLauncherTest::makeListsOpensTheEnvelopeDialogsOfItsList()
{
    QueuedPrompts prompts;
    TestFolder folder;
    writeDirectory(folder.path());
    writeSetup(folder.path(), true, false, false, false, false);
    writeTable(folder.path(), officesTable(),
               {{{fld::IndivIdNum, 32}, {fld::Office, "Usher"}},
                {{fld::IndivIdNum, 11}, {fld::Office, "Usher"}}});
    Program p(folder.path());
    QStringList seen;
    whenShown<MakeListsDialog>([&seen](MakeListsDialog &lists) {
        lists.findChild<QComboBox *>(QStringLiteral("ToViewCombo"))
            ->setEditText(QStringLiteral("Church Offices"));
        lists.findChild<QComboBox *>(QStringLiteral("ItemsCombo"))
            ->setEditText(QStringLiteral("Usher"));
        whenShown<ListEnvelopesDialog>([&seen](ListEnvelopesDialog &envelopes) {
            seen << envelopes.windowTitle();
            envelopes.reject();
        });
        lists.findChild<QAction *>(QStringLiteral("Envelopesforentirelist1"))->trigger();
        whenShown<QDialog>([&seen](QDialog &single) {
            seen << single.windowTitle();
            single.reject();
        });
        lists.findChild<QAction *>(QStringLiteral("Envelopeforselectedname1"))->trigger();
        lists.reject();
    });
    p.window.mMakeListsClick();
    QCOMPARE(seen, (QStringList{"Print Envelopes for Entire List", "Print single envelope"}));
    QVERIFY(prompts.asked.empty());
}

QTEST_MAIN(AppDialogLauncherTest)
#include "AppDialogLauncherTest.moc"
