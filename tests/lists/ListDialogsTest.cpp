#include "directory/Cursor.h"
#include "directory/ProgramState.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "envelopes/RecordingSurface.h"
#include "lists/ui/MakeLists.h"
#include "lists/ui/PrintListEnv.h"
#include "lists/ui/ReportRunner.h"
#include "lists/ui/ViewListFields.h"
#include "platform/ui/GridView.h"
#include "platform/ui/Prompts.h"

#include "ListFixture.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

TDirectorySetup setupOf(bool offices, bool talents, bool activities, bool user1, bool user2)
{
    TDirectorySetup s;
    s.UseOffices = offices;
    s.UseTalents = talents;
    s.UseActivities = activities;
    s.UseUser1 = user1;
    s.UseUser2 = user2;
    s.User1Name = QStringLiteral("Welcome Team");
    s.User2Name = QStringLiteral("Choir");
    return s;
}

QStringList comboItems(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QStringList column(const QAbstractItemModel *model, int col)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->data(model->index(r, col)).toString();
    return out;
}

QStringList titles(const QAbstractItemModel *model)
{
    QStringList out;
    for (int c = 0; c < model->columnCount(); ++c)
        out << model->headerData(c, Qt::Horizontal).toString();
    return out;
}

struct Directory
{
    Directory()
    {
        writeListDirectory(folder.path());
        conn.setPath(folder.path());
        conn.connect();
        tbFam.setIndexName(QLatin1String(idx::FamilyNameOrder));
        tbFam.open();
        tbInd.setIndexName(QLatin1String(idx::IndivIdNumOrder));
        tbInd.open();
        envDef().setFolder(folder.path());
        preferences().setFolder(folder.path());
        preferences().RetAddLine1 = QStringLiteral("First Church");
    }
    TestFolder folder;
    RostConnection conn;
    Cursor tbFam{conn, QLatin1String(tbl::Families)};
    Cursor tbInd{conn, QLatin1String(tbl::Individuals)};
};

} // namespace

class ListDialogsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void makeListsOffersTheKindsInUse()
    {
        Directory d;
        TMakeListsForm form(d.conn, setupOf(false, true, false, false, true), d.tbFam, {});
        form.show();
        auto *kinds = form.findChild<QComboBox *>(QStringLiteral("ToViewCombo"));
        auto *items = form.findChild<QComboBox *>(QStringLiteral("ItemsCombo"));
        QCOMPARE(comboItems(kinds), (QStringList{"Talents", "Choir"}));
        QCOMPARE(kinds->currentText(), QString());
        QVERIFY(!form.tbSQLList().isOpen());
        QCOMPARE(items->maxVisibleItems(), 20);
        QCOMPARE(form.windowTitle(), QStringLiteral("Make Lists"));
        QCOMPARE(form.findChild<QGroupBox *>(QStringLiteral("GroupBox1"))->title(),
                 QStringLiteral(" Step 1 - Select a list field "));
        QCOMPARE(form.findChild<QGroupBox *>(QStringLiteral("GroupBox2"))->title(),
                 QStringLiteral(" Step 2 - Select a list item "));
        QVERIFY(form.findChild<QGroupBox *>(QStringLiteral("GroupBox1"))->font().bold());
        QVERIFY(!kinds->font().bold());
        auto *print = form.findChild<QPushButton *>(QStringLiteral("PrintButton"));
        QCOMPARE(print->text(), QStringLiteral("Print items from list  "));
        QCOMPARE(print->menu(), form.popupMenu());
        QStringList commands;
        for (QAction *a : form.popupMenu()->actions()) {
            commands << a->text();
            QVERIFY2(!a->isEnabled(), "nothing to print before an item is chosen");
        }
        QCOMPARE(
            commands,
            (QStringList{"Name, phone, && e-mail address list", "Name, address, && home phone list",
                         "Envelope for selected name", "Envelopes for entire list"}));
        QCOMPARE(titles(form.grid()->model()),
                 (QStringList{"Last Name", "First Name", "Home Phone", "EMail Address"}));
        QVERIFY(form.grid()->columnWidth(3) > form.grid()->columnWidth(0));
        // Triggering a command without a list does nothing and asks nothing.
        QueuedPrompts prompts;
        bool ran = false;
        form.setReportRunner([&](const ReportDrawing &) { return ran = true; });
        form.Namephoneemailaddress1Click();
        QVERIFY(!ran);
        QCOMPARE(prompts.asked.size(), std::size_t(1));
        QVERIFY(prompts.asked.front().text.contains(QLatin1String("empty")));
    }

    void choosingAKindAndAnItemFillsTheGrid()
    {
        Directory d;
        TMakeListsForm form(d.conn, setupOf(true, true, true, true, true), d.tbFam, {});
        form.show();
        auto *kinds = form.findChild<QComboBox *>(QStringLiteral("ToViewCombo"));
        auto *items = form.findChild<QComboBox *>(QStringLiteral("ItemsCombo"));
        kinds->setEditText(QStringLiteral("Church Offices"));
        QCOMPARE(comboItems(items), (QStringList{"Elder", "O'Neil's Aide", "Usher"}));
        QCOMPARE(items->currentText(), QString());
        QVERIFY(items->view()->isVisible());
        items->hidePopup();
        QVERIFY(!form.tbSQL().isOpen());

        items->setCurrentIndex(2);
        QCOMPARE(column(form.grid()->model(), 0), (QStringList{"Smith", "Smith"}));
        QCOMPARE(column(form.grid()->model(), 1), (QStringList{"Matilda", "William"}));
        QCOMPARE(column(form.grid()->model(), 2), (QStringList{"555-0101", "555-0101"}));
        QCOMPARE(column(form.grid()->model(), 3), (QStringList{"", "bill@example.org"}));
        for (QAction *a : form.popupMenu()->actions())
            QVERIFY(a->isEnabled());

        // Typing: every keystroke runs the statement; a partial item lists nobody.
        items->setEditText(QStringLiteral("Eld"));
        QCOMPARE(form.grid()->model()->rowCount(), 0);
        items->setEditText(QStringLiteral("Elder"));
        QCOMPARE(column(form.grid()->model(), 1), (QStringList{"Carol", "William"}));
        // Another kind refills the items but keeps the people until a new item is chosen.
        kinds->setEditText(QStringLiteral("Activities"));
        QCOMPARE(comboItems(items), QStringList{"Choir"});
        QCOMPARE(form.grid()->model()->rowCount(), 2);
        // A kind's caption typed only in part chooses nothing.
        kinds->setEditText(QStringLiteral("Activ"));
        QCOMPARE(comboItems(items), QStringList{"Choir"});
    }

    void printingLeavesTheGridOnItsFirstRow()
    {
        Directory d;
        TMakeListsForm form(d.conn, setupOf(true, false, true, false, false), d.tbFam, {});
        form.show();
        form.findChild<QComboBox *>(QStringLiteral("ToViewCombo"))
            ->setEditText(QStringLiteral("Church Offices"));
        form.findChild<QComboBox *>(QStringLiteral("ItemsCombo"))
            ->setEditText(QStringLiteral("Elder"));
        form.grid()->selectRow(1);
        QCOMPARE(form.tbSQL().recNo(), 1);

        RecordingSurface report(0.25 / 72, {8.5, 11});
        std::vector<int> pages;
        form.setReportRunner([&](const ReportDrawing &draw) {
            draw(report, [&](int p) { pages.push_back(p); });
            return true;
        });
        form.Nameandaddresslist1->trigger();
        QCOMPARE(report.texts().front().text, QStringLiteral("Carol Brown"));
        QCOMPARE(pages, std::vector<int>{1});
        QCOMPARE(form.tbSQL().recNo(), 0);
        QCOMPARE(form.grid()->currentIndex().row(), 0);
        // The main window's families cursor followed the list to its last family.
        QCOMPARE(d.tbFam.integer(QLatin1String(fld::FamilyIdNum)), 1);
        QCOMPARE(d.tbFam.indexName(), QStringLiteral("Family ID Num Order"));

        RecordingSurface phones(0.25 / 72, {8.5, 11});
        form.setReportRunner([&](const ReportDrawing &draw) {
            draw(phones, {});
            return true;
        });
        form.grid()->selectRow(1);
        form.Namephoneemailaddress1->trigger();
        QCOMPARE(phones.texts().front().text, QStringLiteral("Name"));
        QCOMPARE(form.grid()->currentIndex().row(), 0);
    }

    void envelopeCommands()
    {
        Directory d;
        std::vector<qint16> single;
        ListDialogHooks hooks;
        hooks.printSingleEnvelope = [&](QWidget *, qint16 id) { single.push_back(id); };
        TMakeListsForm form(d.conn, setupOf(true, false, false, false, false), d.tbFam, hooks);
        form.show();
        form.findChild<QComboBox *>(QStringLiteral("ToViewCombo"))
            ->setEditText(QStringLiteral("Church Offices"));
        form.findChild<QComboBox *>(QStringLiteral("ItemsCombo"))
            ->setEditText(QStringLiteral("Usher"));
        form.grid()->selectRow(1);
        form.Envelopeforselectedname1->trigger();
        QCOMPARE(single, std::vector<qint16>{11});

        RecordingSurface envelopes;
        int shown = 0;
        form.setModalRunner([&](QDialog &dialog) {
            ++shown;
            auto &list = dynamic_cast<TPrintListEnvForm &>(dialog);
            list.show();
            list.nameChoice(NameLine::FormalNameAndSpouse)->setChecked(true);
            list.setJobRunner([&](PageOrientation, const PrintJob::Drawing &draw) {
                draw(envelopes);
                return true;
            });
            list.PrintButtonClick();
            return list.result();
        });
        form.Envelopesforentirelist1->trigger();
        QCOMPARE(shown, 1);
        QCOMPARE(envelopes.pages(), 2);
        QStringList names;
        for (const auto &t : envelopes.texts())
            if (t.text.contains(QLatin1String(" and ")))
                names << t.text;
        QCOMPARE(names, (QStringList{"Matilda and William Smith", "William and Matilda Smith"}));
        QCOMPARE(form.tbSQL().recNo(), 0);
        QCOMPARE(form.grid()->currentIndex().row(), 0);

        // An empty list opens no dialog and sends no job; the user is told.
        QueuedPrompts prompts;
        form.findChild<QComboBox *>(QStringLiteral("ItemsCombo"))
            ->setEditText(QStringLiteral("Nobody"));
        form.Envelopesforentirelist1Click();
        form.Envelopeforselectedname1Click();
        QCOMPARE(shown, 1);
        QCOMPARE(single.size(), std::size_t(1));
        QCOMPARE(prompts.asked.size(), std::size_t(2));
    }

    void listEnvelopeDialog()
    {
        Directory d;
        envDef().Load();
        envDef().PrintRetAdd = true;
        Query q(d.conn);
        q.setSql(QStringLiteral("Select 31 as \"Indiv ID Num\" union all select 12"));
        q.open();
        int prefsOpened = 0;
        ListDialogHooks hooks;
        hooks.envelopePreferences = [&](QWidget *) {
            ++prefsOpened;
            envDef().PrintRetAdd = false;
        };
        TPrintListEnvForm form(d.conn, q, hooks);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Print Envelopes for Entire List"));
        QStringList captions;
        for (NameLine line : allNameLines())
            captions << form.nameChoice(line)->text();
        QCOMPARE(captions,
                 (QStringList{"William Smith", "Mr William Smith", "William && Matilda Smith",
                              "Mr && Mrs William Smith", "Bill Smith", "Mr Bill Smith",
                              "Bill && Mattie Smith", "Mr && Mrs Bill Smith"}));
        QVERIFY(form.nameChoice(NameLine::FormalName)->isChecked());
        auto *returnBox = form.findChild<QCheckBox *>(QStringLiteral("cbPrintReturnAddress"));
        QCOMPARE(returnBox->text(), QStringLiteral("Print return address"));
        QVERIFY(returnBox->isChecked());
        QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("PrintButton"))->text(),
                 QStringLiteral("&Print Envelopes"));
        QVERIFY(form.findChild<QPushButton *>(QStringLiteral("PrintButton"))->isDefault());
        form.EnvPrefsButtonClick();
        QCOMPARE(prefsOpened, 1);
        QVERIFY(!returnBox->isChecked());

        // The free text on every envelope, without the return block.
        QTest::keyClicks(form.findChild<QLineEdit *>(QStringLiteral("UserDefinedEdit")),
                         QStringLiteral("Current Resident"));
        QVERIFY(form.findChild<QRadioButton *>(QStringLiteral("rbUserDefined"))->isChecked());
        RecordingSurface r;
        form.setJobRunner([&](PageOrientation, const PrintJob::Drawing &draw) {
            draw(r);
            return true;
        });
        form.PrintButtonClick();
        QCOMPARE(form.printedEnvelopes(), 2);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QStringList texts;
        for (const auto &t : r.texts())
            texts << t.text;
        QVERIFY(!texts.contains(QStringLiteral("First Church")));
        QCOMPARE(texts.count(QStringLiteral("Current Resident")), 2);
        QCOMPARE(texts.at(1), QStringLiteral("PO Box 9"));
    }

    void viewListFieldsShowsTheCurrentMembersItems()
    {
        Directory d;
        QVERIFY(d.tbInd.findKey({11}));
        {
            TViewListFieldsForm form(d.conn, setupOf(true, true, true, true, true), d.tbInd);
            form.show();
            QCOMPARE(form.windowTitle(), QStringLiteral("View List Fields"));
            QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                     QStringLiteral("Select the list to view..."));
            QCOMPARE(form.currentCaption(), QStringLiteral("Church Offices"));
            QCOMPARE(titles(form.grid()->model()), QStringList{"Offices"});
            // Stored Usher before Elder; shown in ascending order.
            QCOMPARE(column(form.grid()->model(), 0), (QStringList{"Elder", "Usher"}));
            auto *kinds = form.findChild<QComboBox *>(QStringLiteral("ToViewCombo"));
            kinds->setCurrentIndex(1);
            QCOMPARE(titles(form.grid()->model()), QStringList{"Talents"});
            QCOMPARE(form.grid()->model()->rowCount(), 0);
            kinds->setEditText(QStringLiteral("Choir"));
            QCOMPARE(titles(form.grid()->model()), QStringList{"Choir"});
            QCOMPARE(form.grid()->model()->rowCount(), 0);
            form.reject();
        }
        QVERIFY(d.tbInd.findKey({21}));
        TViewListFieldsForm onlyUser2(d.conn, setupOf(false, false, false, false, true), d.tbInd);
        onlyUser2.show();
        QCOMPARE(onlyUser2.currentCaption(), QStringLiteral("Choir"));
        QCOMPARE(column(onlyUser2.grid()->model(), 0), QStringList{"Talents"});
    }

    void reportWindows()
    {
        TReportStatusForm status;
        status.generating(3);
        QCOMPARE(status.windowTitle(), QStringLiteral("Report Status"));
        QCOMPARE(status.statusText(), QStringLiteral("Generating page 3"));
        status.printing(3);
        QCOMPARE(status.statusText(), QStringLiteral("Printing page 3"));

        QPrinter printer;
        TOutputOptionsForm options(printer);
        QCOMPARE(options.windowTitle(), QStringLiteral("Output Options"));
        options.setOptions({true, 3, false, QPrinter::DuplexLongSide});
        const OutputOptions o = options.options();
        QVERIFY(o.preview);
        QCOMPARE(o.copies, 3);
        QVERIFY(!o.collate);
        QCOMPARE(o.duplex, QPrinter::DuplexLongSide);

        int drawn = 0;
        TReportPreviewForm preview(printer, [&](PrintSurface &s) {
            ++drawn;
            s.setFont(QStringLiteral("Times New Roman"), 12);
            s.printLine(QStringLiteral("x"));
        });
        QCOMPARE(preview.windowTitle(), QStringLiteral("Report Preview"));
        QVERIFY(preview.windowState() & Qt::WindowMaximized);
        QCOMPARE(preview.zoomFactor(), 1.0);
        preview.show();
        QVERIFY(drawn > 0);
        QCOMPARE(preview.zoomFactor(), 1.0);
    }
};

QTEST_MAIN(ListDialogsTest)
#include "ListDialogsTest.moc"
