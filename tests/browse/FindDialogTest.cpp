#include "browse/ui/FindFamilyDialog.h"
#include "browse/ui/FindIndividualDialog.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/ui/GridView.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "Fixture.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

// Runs action once the modal dialog is up; a dialog still open after a while is cancelled so
// that a fault fails the test instead of hanging it.
void whenShown(QDialog &dialog, std::function<void()> action)
{
    QTimer::singleShot(0, &dialog, std::move(action));
    QTimer::singleShot(5000, &dialog, [&dialog] {
        if (dialog.isVisible())
            dialog.reject();
    });
}

} // namespace

class FindDialogTest : public QObject
{
    Q_OBJECT

private:
    TestFolder *m_folder = nullptr;
    RostConnection m_conn;

    static QString famName(const Cursor &c) { return c.text(fld::FamilyName); }
    static QString lastName(const Cursor &c) { return c.text(fld::LastName); }

private Q_SLOTS:
    void init()
    {
        m_folder = new TestFolder;
        // Stored out of name order, in mixed case.
        writeTable(m_folder->path(), familiesTable(),
                   {family(5, QStringLiteral("Snow")), family(1, QStringLiteral("adams")),
                    family(3, QStringLiteral("Smith")), family(2, QStringLiteral("Baker")),
                    family(4, QStringLiteral("Smithers")), family(6, QStringLiteral("Young"))});
        writeTable(m_folder->path(), individualsTable(),
                   {person(31, 3, 1, QStringLiteral("John"), QStringLiteral("Smith")),
                    person(32, 3, 2, QStringLiteral("Mary"), QStringLiteral("Smith")),
                    person(33, 3, 3, QStringLiteral("Tim"), QStringLiteral("Smith")),
                    person(11, 1, 1, QStringLiteral("Ann"), QStringLiteral("Adams")),
                    person(51, 5, 1, QStringLiteral("Jon"), QStringLiteral("Snow")),
                    person(7, 99, 2, QStringLiteral("Lost"), QStringLiteral("Orphan"))});
        m_conn.setPath(m_folder->path());
        m_conn.connect();
    }

    void cleanup()
    {
        m_conn.disconnect();
        delete m_folder;
    }

    void familySearchMovesToNearestName()
    {
        FindFamilyDialog dialog;
        dialog.openCursor(m_conn);
        dialog.show();
        QLineEdit *search = dialog.searchEdit();
        QVERIFY(search->hasFocus() || !QApplication::focusWidget());
        Cursor &c = *dialog.cursor();
        QCOMPARE(famName(c), QStringLiteral("adams"));

        QTest::keyClicks(search, QStringLiteral("smi"));
        QCOMPARE(famName(c), QStringLiteral("Smith"));
        QCOMPARE(dialog.namesList()->currentIndex().data().toString(), QStringLiteral("Smith"));
        QTest::keyClicks(search, QStringLiteral("the"));
        QCOMPARE(famName(c), QStringLiteral("Smithers"));
        QTest::keyClicks(search, QStringLiteral("zz"));
        QCOMPARE(famName(c), QStringLiteral("Snow"));
        search->setText(QStringLiteral("zzz"));
        QCOMPARE(famName(c), QStringLiteral("Young")); // past the end: the last row

        // Every key puts the caret at the end, so the text goes one letter at a time.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(search, Qt::Key_Backspace);
        QCOMPARE(search->text(), QString());
        QCOMPARE(famName(c), QStringLiteral("adams"));
        dialog.reject();
        dialog.closeCursor();
    }

    void individualSearchIsUpperCase()
    {
        FindIndividualDialog dialog;
        dialog.openCursor(m_conn);
        dialog.show();
        QTest::keyClicks(dialog.searchEdit(), QStringLiteral("sn"));
        QCOMPARE(dialog.searchEdit()->text(), QStringLiteral("SN"));
        QCOMPARE(lastName(*dialog.cursor()), QStringLiteral("Snow"));
        QCOMPARE(dialog.namesList()->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Goes By"));
        QVERIFY(dialog.namesList()->horizontalHeader()->font().bold());
        dialog.reject();
        dialog.closeCursor();
    }

    void arrowKeysMoveAndStopAtTheEnds()
    {
        FindFamilyDialog dialog;
        dialog.openCursor(m_conn);
        dialog.show();
        QLineEdit *search = dialog.searchEdit();
        Cursor &c = *dialog.cursor();
        QTest::keyClick(search, Qt::Key_Up);
        QCOMPARE(famName(c), QStringLiteral("adams"));
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(famName(c), QStringLiteral("Baker"));
        QTest::keyClick(search, Qt::Key_End);
        QCOMPARE(famName(c), QStringLiteral("Young"));
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(famName(c), QStringLiteral("Young"));
        QTest::keyClick(search, Qt::Key_Home);
        QCOMPARE(famName(c), QStringLiteral("adams"));

        // The caret goes to the end after any key; the text itself is not touched.
        search->setText(QStringLiteral("sm"));
        search->setCursorPosition(0);
        QTest::keyClick(search, Qt::Key_Down);
        QCOMPARE(search->cursorPosition(), 2);
        QCOMPARE(search->text(), QStringLiteral("sm"));
        QCOMPARE(famName(c), QStringLiteral("Smithers"));

        // Page Down goes to the list, which moves by a page.
        QTest::keyClick(search, Qt::Key_Home);
        QTest::keyClick(search, Qt::Key_PageDown);
        QVERIFY(famName(c) != QStringLiteral("adams"));
        QVERIFY(search->hasFocus() || !QApplication::focusWidget());
        dialog.reject();
        dialog.closeCursor();
    }

    void enterAcceptsEscapeCancels()
    {
        FindFamilyDialog dialog;
        whenShown(dialog, [&] {
            QTest::keyClicks(dialog.searchEdit(), QStringLiteral("bak"));
            QTest::keyClick(dialog.searchEdit(), Qt::Key_Return);
        });
        QCOMPARE(dialog.execLookup(m_conn), int(QDialog::Accepted));
        QCOMPARE(dialog.Tag(), FamilyId(2));
        QVERIFY(!dialog.cursor()); // the cursor lives only while the dialog is shown

        whenShown(dialog, [&] {
            QCOMPARE(dialog.searchEdit()->text(), QString()); // each showing starts afresh
            QTest::keyClicks(dialog.searchEdit(), QStringLiteral("sno"));
            QTest::keyClick(dialog.searchEdit(), Qt::Key_Escape);
        });
        QCOMPARE(dialog.execLookup(m_conn), int(QDialog::Rejected));
        QCOMPARE(dialog.searchEdit()->text(), QString());
        QCOMPARE(dialog.Tag(), FamilyId(2));
    }

    void doubleClickAcceptsThatRow()
    {
        FindIndividualDialog dialog;
        whenShown(dialog, [&] {
            GridView *list = dialog.namesList();
            // Rows by last name: Adams, Orphan, Smith x3, Snow; the fourth is Mary Smith.
            const QRect cell = list->visualRect(list->model()->index(3, 1));
            // A real double-click begins with a click; the test library sends only the second.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        });
        QCOMPARE(dialog.execLookup(m_conn), int(QDialog::Accepted));
        QVERIFY(dialog.ListChosen());
        QCOMPARE(dialog.Found().FoundNameID, IndivId(32));
        QCOMPARE(dialog.Found().FoundFamID, FamilyId(3));
        QCOMPARE(dialog.Found().FoundRank, qint16(2));
    }

    void helpShowsTheDialogsTopic()
    {
        FindFamilyDialog family;
        FindIndividualDialog individual;
        // Each accept button carries the name a screen reader knows it by.
        QCOMPARE(child<QPushButton>(family, "CallFamilyButton")->text(),
                 QStringLiteral("&Call family"));
        QCOMPARE(child<QPushButton>(individual, "CallIndividualButton")->text(),
                 QStringLiteral("&Call individual"));
        for (FindDialog *dialog :
             {static_cast<FindDialog *>(&family), static_cast<FindDialog *>(&individual)}) {
            const int topic = dialog == &family ? 6 : 7;
            child<QPushButton>(*dialog, "HelpButton")->click();
            QVERIFY(HelpViewer::hasTopic(topic));
            QCOMPARE(HelpViewer::instance(dialog)->shownTopic(), topic);
            QCOMPARE(topicAfterF1(dialog->searchEdit()), topic);
            dialog->hide();
        }
    }
};

QTEST_MAIN(FindDialogTest)
#include "FindDialogTest.moc"
