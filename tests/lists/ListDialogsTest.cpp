#include "RecordingSurface.h"
#include "directory/Cursor.h"
#include "directory/IoError.h"
#include "directory/ProgramContext.h"
#include "directory/ProgramSettings.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "envelopes/ui/PrintEnvelopeDialog.h"
#include "lists/ui/ListEnvelopesDialog.h"
#include "lists/ui/ListFieldsDialog.h"
#include "lists/ui/MakeListsDialog.h"
#include "lists/ui/OutputOptionsDialog.h"
#include "lists/ui/ReportPreviewDialog.h"
#include "lists/ui/ReportStatusDialog.h"
#include "platform/ui/GridView.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"

#include "ListFixture.h"
#include "RecordingLauncher.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

DirectorySetup setupOf(bool offices, bool talents, bool activities, bool user1, bool user2)
{
    DirectorySetup s;
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
        tbFam.setIndexName(idx::FamilyNameOrder);
        tbFam.open();
        tbInd.setIndexName(idx::IndivIdNumOrder);
        tbInd.open();
        context.preferences().RetAddLine1 = QStringLiteral("First Church");
    }
    TestFolder folder;
    ProgramContext context{folder.path()};
    RecordingLauncher launcher;
    RostConnection conn;
    Cursor tbFam{conn, tbl::Families};
    Cursor tbInd{conn, tbl::Individuals};
};

} // namespace

class ListDialogsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Enter in a combo box takes what was typed and leaves the dialog open; Tab keys leave the
    // grid for the controls around it, "Print items from list  " included.
    void keysDoWhatTheMemberMeans()
    {
        Directory d;
        MakeListsDialog makeLists(d.conn, setupOf(true, false, false, false, false), d.tbFam,
                                  d.launcher);
        QVERIFY(d.tbInd.locate(fld::IndivIdNum, 11));
        ListFieldsDialog listFields(d.conn, setupOf(true, false, false, false, false), d.tbInd);
        for (QDialog *dialog :
             {static_cast<QDialog *>(&makeLists), static_cast<QDialog *>(&listFields)}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            for (QComboBox *box : dialog->findChildren<QComboBox *>()) {
                if (!box->isEditable())
                    continue;
                box->setFocus();
                QTest::keyClick(box->lineEdit(), Qt::Key_Return);
                QTest::keyClick(box->lineEdit(), Qt::Key_Enter);
                QVERIFY2(dialog->isVisible(), qPrintable(box->objectName()));
            }
            dialog->hide();
        }

        makeLists.show();
        QVERIFY(QTest::qWaitForWindowActive(&makeLists));
        auto *grid = child<GridView>(makeLists, "ListGrid");
        using Keys = std::tuple<Qt::Key, Qt::KeyboardModifiers, const char *>;
        for (const auto &[key, modifiers, reaches] :
             {Keys{Qt::Key_Tab, Qt::NoModifier, "PrintButton"},
              Keys{Qt::Key_Tab, Qt::ControlModifier, "PrintButton"},
              Keys{Qt::Key_Backtab, Qt::ShiftModifier, "ItemsCombo"},
              Keys{Qt::Key_Backtab, Qt::ShiftModifier | Qt::ControlModifier, "ItemsCombo"}}) {
            grid->setFocus();
            QTest::keyClick(grid, key, modifiers);
            QWidget *focus = QApplication::focusWidget();
            while (focus && focus->objectName().isEmpty())
                focus = focus->parentWidget(); // a combo box's line edit
            QVERIFY(focus);
            QCOMPARE(focus->objectName(), QString::fromLatin1(reaches));
        }
    }

    void makeListsOffersTheKindsInUse()
    {
        Directory d;
        MakeListsDialog form(d.conn, setupOf(false, true, false, false, true), d.tbFam, d.launcher);
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
                         "Envelope for selected name", "Envelopes for entire list",
                         "Labels for entire list...", "Export list as contacts..."}));
        QCOMPARE(titles(child<GridView>(form, "ListGrid")->model()),
                 (QStringList{"Last Name", "First Name", "Home Phone", "EMail Address"}));
        QVERIFY(child<GridView>(form, "ListGrid")->columnWidth(3) >
                child<GridView>(form, "ListGrid")->columnWidth(0));
        // Triggering a command without a list runs nothing; the user is told.
        QueuedPrompts prompts;
        form.printNamePhoneList();
        QVERIFY(d.launcher.calls.isEmpty());
        QCOMPARE(prompts.asked.size(), std::size_t(1));
        QVERIFY(prompts.asked.front().text.contains(QLatin1String("empty")));
    }

    void choosingAKindAndAnItemFillsTheGrid()
    {
        Directory d;
        MakeListsDialog form(d.conn, setupOf(true, true, true, true, true), d.tbFam, d.launcher);
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
        QCOMPARE(column(child<GridView>(form, "ListGrid")->model(), 0),
                 (QStringList{"Smith", "Smith"}));
        QCOMPARE(column(child<GridView>(form, "ListGrid")->model(), 1),
                 (QStringList{"Matilda", "William"}));
        QCOMPARE(column(child<GridView>(form, "ListGrid")->model(), 2),
                 (QStringList{"555-0101", "555-0101"}));
        QCOMPARE(column(child<GridView>(form, "ListGrid")->model(), 3),
                 (QStringList{"", "bill@example.org"}));
        for (QAction *a : form.popupMenu()->actions())
            QVERIFY(a->isEnabled());

        // Typing: every keystroke runs the statement; a partial item lists nobody.
        items->setEditText(QStringLiteral("Eld"));
        QCOMPARE(child<GridView>(form, "ListGrid")->model()->rowCount(), 0);
        items->setEditText(QStringLiteral("Elder"));
        QCOMPARE(column(child<GridView>(form, "ListGrid")->model(), 1),
                 (QStringList{"Carol", "William"}));
        // Another kind refills the items but keeps the people until a new item is chosen.
        kinds->setEditText(QStringLiteral("Activities"));
        QCOMPARE(comboItems(items), QStringList{"Choir"});
        QCOMPARE(child<GridView>(form, "ListGrid")->model()->rowCount(), 2);
        // A kind's caption typed only in part chooses nothing.
        kinds->setEditText(QStringLiteral("Activ"));
        QCOMPARE(comboItems(items), QStringList{"Choir"});
    }

    void printingLeavesTheGridOnItsFirstRow()
    {
        Directory d;
        MakeListsDialog form(d.conn, setupOf(true, false, true, false, false), d.tbFam, d.launcher);
        form.show();
        form.findChild<QComboBox *>(QStringLiteral("ToViewCombo"))
            ->setEditText(QStringLiteral("Church Offices"));
        form.findChild<QComboBox *>(QStringLiteral("ItemsCombo"))
            ->setEditText(QStringLiteral("Elder"));
        child<GridView>(form, "ListGrid")->selectRow(1);
        QCOMPARE(form.tbSQL().recNo(), 1);

        form.findChild<QAction *>(QStringLiteral("Nameandaddresslist1"))->trigger();
        // The printout is offered under a name that says what it is.
        QCOMPARE(d.launcher.calls, QStringList{"printReport Address list - Elder.pdf"});
        QCOMPARE(d.launcher.texts(0).front(), QStringLiteral("Carol Brown"));
        QCOMPARE(d.launcher.reportPages, std::vector<int>{1});
        QCOMPARE(form.tbSQL().recNo(), 0);
        QCOMPARE(child<GridView>(form, "ListGrid")->currentIndex().row(), 0);
        // The main window's families cursor followed the list to its last family.
        QCOMPARE(d.tbFam.integer(fld::FamilyIdNum), 1);
        QVERIFY(d.tbFam.inOrder(idx::FamilyIdNumOrder));

        child<GridView>(form, "ListGrid")->selectRow(1);
        form.findChild<QAction *>(QStringLiteral("Namephoneemailaddress1"))->trigger();
        QCOMPARE(d.launcher.texts(1).front(), QStringLiteral("Name"));
        QCOMPARE(d.launcher.calls.last(), QStringLiteral("printReport Phone list - Elder.pdf"));
        QCOMPARE(child<GridView>(form, "ListGrid")->currentIndex().row(), 0);
    }

    void envelopeCommands()
    {
        Directory d;
        MakeListsDialog form(d.conn, setupOf(true, false, false, false, false), d.tbFam,
                             d.launcher);
        form.show();
        form.findChild<QComboBox *>(QStringLiteral("ToViewCombo"))
            ->setEditText(QStringLiteral("Church Offices"));
        form.findChild<QComboBox *>(QStringLiteral("ItemsCombo"))
            ->setEditText(QStringLiteral("Usher"));
        child<GridView>(form, "ListGrid")->selectRow(1);
        form.findChild<QAction *>(QStringLiteral("Envelopeforselectedname1"))->trigger();
        QCOMPARE(d.launcher.calls, QStringList{"printEnvelope 11"});

        // The list envelope dialog walks the people query to its end; the grid goes back.
        d.launcher.whileOpen = [&](const QString &) {
            form.tbSQL().gotoRow(form.tbSQL().recordCount() - 1);
        };
        form.findChild<QAction *>(QStringLiteral("Envelopesforentirelist1"))->trigger();
        QCOMPARE(d.launcher.calls, (QStringList{"printEnvelope 11", "listEnvelopes 2 Usher"}));
        QCOMPARE(form.tbSQL().recNo(), 0);
        QCOMPARE(child<GridView>(form, "ListGrid")->currentIndex().row(), 0);
        form.findChild<QAction *>(QStringLiteral("Labelsforentirelist1"))->trigger();
        QCOMPARE(d.launcher.calls.last(), QStringLiteral("printLabels Church Offices Usher"));

        // An empty list opens no dialog and sends no job; the user is told.
        QueuedPrompts prompts;
        form.findChild<QComboBox *>(QStringLiteral("ItemsCombo"))
            ->setEditText(QStringLiteral("Nobody"));
        form.printListEnvelopes();
        form.printSelectedEnvelope();
        form.printListLabels();
        QCOMPARE(d.launcher.calls.size(), 3);
        QCOMPARE(prompts.asked.size(), std::size_t(3));
    }

    // The list's people as contacts, each card naming the list and every item its person holds;
    // the grid goes back to its first row.
    void exportListAsContacts()
    {
        QStandardPaths::setTestModeEnabled(true);
        programSettings()->clear();
        QueuedPrompts prompts;
        Directory d;
        MakeListsDialog form(d.conn, setupOf(true, false, true, false, false), d.tbFam, d.launcher);
        form.show();
        child<QComboBox>(form, "ToViewCombo")->setEditText(QStringLiteral("Church Offices"));
        child<QComboBox>(form, "ItemsCombo")->setEditText(QStringLiteral("Usher"));
        child<GridView>(form, "ListGrid")->selectRow(1);
        const QString out = d.folder.file(QStringLiteral("ushers.vcf"));
        prompts.queue(out);
        form.findChild<QAction *>(QStringLiteral("Exportlistascontacts1"))->trigger();
        QCOMPARE(prompts.asked.size(), std::size_t(1));
        QCOMPARE(prompts.asked[0].title, QStringLiteral("Export List as Contacts"));
        QVERIFY2(prompts.asked[0].text.endsWith(QStringLiteral("/Usher.vcf")),
                 qPrintable(prompts.asked[0].text));
        const QByteArray cards = readFile(out);
        QCOMPARE(cards.count("BEGIN:VCARD\r\n"), 2);
        QCOMPARE(cards.count("ORG:Church Offices;Usher\r\n"), 2);
        QVERIFY2(cards.contains("FN:Bill Smith\r\n"), cards.constData());
        QVERIFY(cards.contains("CATEGORIES:Elder,Usher,Choir\r\n"));
        QCOMPARE(form.tbSQL().recNo(), 0);
        QVERIFY(d.launcher.calls.isEmpty());
    }

    void listEnvelopeDialog()
    {
        Directory d;
        QCOMPARE(d.context.envelopeLayout().Load(), QStringList());
        d.context.envelopeLayout().PrintRetAdd = true;
        d.context.envelopeLayout().Save();
        Query q(d.conn);
        q.setSql(QStringLiteral("Select 31 as \"Indiv ID Num\" union all select 12"));
        q.open();
        d.launcher.whileOpen = [&](const QString &call) {
            if (call == QLatin1String("envelopePreferences")) {
                d.context.envelopeLayout().PrintRetAdd = false;
                d.context.envelopeLayout().Save();
            }
        };
        ListEnvelopesDialog form(d.conn, q, QStringLiteral("Usher"), d.context, d.launcher);
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
        QCOMPARE(d.launcher.calls, QStringList{"envelopePreferences"});
        QVERIFY(!returnBox->isChecked());
        // Every envelope in one style: the couple line where there is a spouse.
        form.nameChoice(NameLine::FormalNameAndSpouse)->setChecked(true);
        form.PrintButtonClick();
        QCOMPARE(d.launcher.jobs.front()->pages(), 2);
        QCOMPARE(d.launcher.texts(0),
                 (QStringList{"Carol Brown", "PO Box 9", "Suite 4", "Salem, OR 97301",
                              "Matilda and William Smith", "1 Main St", "Springfield, IL 62701"}));
        form.show();

        // The free text on every envelope, without the return block.
        QTest::keyClicks(form.findChild<QLineEdit *>(QStringLiteral("UserDefinedEdit")),
                         QStringLiteral("Current Resident"));
        QVERIFY(form.findChild<QRadioButton *>(QStringLiteral("rbUserDefined"))->isChecked());
        form.PrintButtonClick();
        QCOMPARE(form.printedEnvelopes(), 2);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        const QStringList texts = d.launcher.texts(1);
        QVERIFY(!texts.contains(QStringLiteral("First Church")));
        QCOMPARE(texts.count(QStringLiteral("Current Resident")), 2);
        QCOMPARE(texts.at(1), QStringLiteral("PO Box 9"));
    }

    void bothEnvelopeDialogsAreLaidOutAlike()
    {
        Directory d;
        Query q(d.conn);
        ListEnvelopesDialog list(d.conn, q, QStringLiteral("Usher"), d.context, d.launcher);
        PrintEnvelopeDialog single(d.conn, d.context, d.launcher);
        // The tab order of the list dialog, as its controls are numbered.
        QStringList order;
        QWidget *w = child<QWidget>(list, "rbFormalName");
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w->objectName() != QLatin1String("rbFormalName"));
        QCOMPARE(order,
                 (QStringList{"rbFormalName", "rbFormalTitle", "rbFormalNameAndSpouse",
                              "rbFormalNameAndSpouseTitle", "rbInformalName", "rbInformalTitle",
                              "rbInformalNameAndSpouse", "rbInformalNameAndSpouseTitle",
                              "rbUserDefined", "UserDefinedEdit", "cbPrintReturnAddress",
                              "PrintButton", "EnvPrefsButton", "SelectPrinterButton", "HelpButton",
                              "CloseButton", "EnterRetunAddressButton"}));

        const auto cellOf = [](const QDialog &form, const QWidget *control) {
            auto *grid = qobject_cast<QGridLayout *>(child<QGroupBox>(form, "GroupBox2")->layout());
            int row = 0, col = 0, rows = 0, cols = 0;
            grid->getItemPosition(grid->indexOf(control), &row, &col, &rows, &cols);
            return QPoint(col, row);
        };
        const auto userLabel = [](const QDialog &form) {
            for (QLabel *label : form.findChildren<QLabel *>())
                if (label->text() == QLatin1String("User defined"))
                    return label;
            return static_cast<QLabel *>(nullptr);
        };
        for (const QDialog *form :
             {static_cast<QDialog *>(&list), static_cast<QDialog *>(&single)}) {
            QVERIFY(child<QGroupBox>(*form, "GroupBox2")->font().bold());
            QVERIFY(!child<QRadioButton>(*form, "rbFormalName")->font().bold());
        }
        for (const char *name : {"rbUserDefined", "UserDefinedEdit"})
            QCOMPARE(cellOf(list, child<QWidget>(list, name)),
                     cellOf(single, child<QWidget>(single, name)));
        QCOMPARE(cellOf(list, userLabel(list)), cellOf(single, userLabel(single)));
    }

    void viewListFieldsShowsTheCurrentMembersItems()
    {
        Directory d;
        QVERIFY(d.tbInd.findKey({11}));
        {
            ListFieldsDialog form(d.conn, setupOf(true, true, true, true, true), d.tbInd);
            form.show();
            QCOMPARE(form.windowTitle(), QStringLiteral("View List Fields"));
            QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                     QStringLiteral("Select the list to view..."));
            QCOMPARE(child<QComboBox>(form, "ToViewCombo")->currentText(),
                     QStringLiteral("Church Offices"));
            QCOMPARE(titles(child<GridView>(form, "ListGrid")->model()), QStringList{"Offices"});
            // Stored Usher before Elder; shown in ascending order.
            QCOMPARE(column(child<GridView>(form, "ListGrid")->model(), 0),
                     (QStringList{"Elder", "Usher"}));
            auto *kinds = form.findChild<QComboBox *>(QStringLiteral("ToViewCombo"));
            kinds->setCurrentIndex(1);
            QCOMPARE(titles(child<GridView>(form, "ListGrid")->model()), QStringList{"Talents"});
            QCOMPARE(child<GridView>(form, "ListGrid")->model()->rowCount(), 0);
            kinds->setEditText(QStringLiteral("Choir"));
            QCOMPARE(titles(child<GridView>(form, "ListGrid")->model()), QStringList{"Choir"});
            QCOMPARE(child<GridView>(form, "ListGrid")->model()->rowCount(), 0);
            form.reject();
        }
        QVERIFY(d.tbInd.findKey({21}));
        ListFieldsDialog onlyUser2(d.conn, setupOf(false, false, false, false, true), d.tbInd);
        onlyUser2.show();
        QCOMPARE(child<QComboBox>(onlyUser2, "ToViewCombo")->currentText(),
                 QStringLiteral("Choir"));
        QCOMPARE(column(child<GridView>(onlyUser2, "ListGrid")->model(), 0),
                 QStringList{"Talents"});
    }

    void reportWindows()
    {
        ReportStatusDialog status;
        status.generating(3);
        QCOMPARE(status.windowTitle(), QStringLiteral("Report Status"));
        QCOMPARE(status.findChild<QLabel *>()->text(), QStringLiteral("Generating page 3"));
        status.printing(3);
        QCOMPARE(status.findChild<QLabel *>()->text(), QStringLiteral("Printing page 3"));
        // Cancel stops the job at its next page.
        child<QPushButton>(status, "CancelButton")->click();
        QVERIFY_THROWS_EXCEPTION(IoError, status.generating(4));

        QPrinter printer;
        OutputOptionsDialog options(printer);
        QCOMPARE(options.windowTitle(), QStringLiteral("Output Options"));
        options.setOptions({true, 3, false, QPrinter::DuplexLongSide});
        const OutputOptions o = options.options();
        QVERIFY(o.preview);
        QCOMPARE(o.copies, 3);
        QVERIFY(!o.collate);
        QCOMPARE(o.duplex, QPrinter::DuplexLongSide);

        int drawn = 0;
        ReportPreviewDialog preview(printer, [&](PrintSurface &s) {
            ++drawn;
            s.setFont(QStringLiteral("Times New Roman"), 12);
            s.printLine(QStringLiteral("x"));
        });
        QCOMPARE(preview.windowTitle(), QStringLiteral("Report Preview"));
        QVERIFY(preview.windowState() & Qt::WindowMaximized);
        QCOMPARE(preview.findChild<QPrintPreviewWidget *>()->zoomFactor(), 1.0);
        preview.show();
        QVERIFY(drawn > 0);
        QCOMPARE(preview.findChild<QPrintPreviewWidget *>()->zoomFactor(), 1.0);
    }
};

QTEST_MAIN(ListDialogsTest)
#include "ListDialogsTest.moc"
