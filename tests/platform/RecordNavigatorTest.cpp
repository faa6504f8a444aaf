#include "platform/ui/RecordNavigator.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;
using Button = RecordNavigator::Button;

Q_DECLARE_METATYPE(rost::RecordNavigator::Button)

class RecordNavigatorTest : public QObject
{
    Q_OBJECT

private:
    TestFolder *m_folder = nullptr;
    RostConnection m_conn;

    // Families 1..n in family-number order.
    void openFamilies(Cursor &fam, int n)
    {
        std::vector<Row> rows;
        for (int i = 1; i <= n; ++i)
            rows.push_back(family(i, QStringLiteral("Family %1").arg(i, 3, 10, QLatin1Char('0'))));
        writeTable(m_folder->path(), familiesTable(), rows);
        m_conn.setPath(m_folder->path());
        m_conn.connect();
        fam.setIndexName(idx::FamilyIdNumOrder);
        fam.open();
    }

    static int famId(const Cursor &fam) { return int(fam.integer(fld::FamilyIdNum)); }

private Q_SLOTS:
    void init() { m_folder = new TestFolder; }
    void cleanup()
    {
        m_conn.disconnect();
        delete m_folder;
    }

    void hintsNameEveryButton_data()
    {
        QTest::addColumn<Button>("button");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("repeats");
        QTest::newRow("First") << Button::First << "Move to first record" << true;
        QTest::newRow("PriorPage") << Button::PriorPage << "Move backward 10 records" << true;
        QTest::newRow("Prior") << Button::Prior << "Move to prior record" << true;
        QTest::newRow("Next") << Button::Next << "Move to next record" << true;
        QTest::newRow("NextPage") << Button::NextPage << "Move forward 10 records" << true;
        QTest::newRow("Last") << Button::Last << "Move to last record" << true;
        QTest::newRow("Delete") << Button::Delete << "Delete current record" << false;
        QTest::newRow("Edit") << Button::Edit << "Edit current record" << false;
        QTest::newRow("Post") << Button::Post << "Post changes of current record" << false;
        QTest::newRow("Cancel") << Button::Cancel << "Cancel changes made to current record"
                                << false;
        QTest::newRow("Refresh") << Button::Refresh << "Refresh the contents of the dataset"
                                 << false;
    }

    void hintsNameEveryButton()
    {
        QFETCH(Button, button);
        QFETCH(QString, hint);
        QFETCH(bool, repeats);
        RecordNavigator nav;
        QToolButton *b = nav.button(button);
        QCOMPARE(b->toolTip(), hint);
        QCOMPARE(b->accessibleName(), hint);
        QCOMPARE(b->autoRepeat(), repeats);
        if (repeats) {
            QCOMPARE(b->autoRepeatDelay(), 500);
            QCOMPARE(b->autoRepeatInterval(), 100);
        }
    }

    void showsOnlyTheChosenButtonsInOrder()
    {
        RecordNavigator nav;
        const QList<Button> mainWindow{Button::First, Button::Prior,  Button::Next,
                                       Button::Last,  Button::Delete, Button::Refresh};
        nav.setButtons(mainWindow);
        nav.show();
        auto *layout = qobject_cast<QHBoxLayout *>(nav.layout());
        QCOMPARE(layout->count(), int(mainWindow.size()));
        for (int i = 0; i < mainWindow.size(); ++i)
            QCOMPARE(layout->itemAt(i)->widget(), nav.button(mainWindow.at(i)));
        QVERIFY(nav.button(Button::Edit)->isHidden());
        QVERIFY(nav.button(Button::NextPage)->isHidden());
    }

    void movesAndPagesFollowTheCursor()
    {
        Cursor fam(m_conn, tbl::Families);
        openFamilies(fam, 25);
        RecordNavigator nav;
        nav.setCursor(&fam);

        // On the first row nothing leads backwards.
        QVERIFY(!nav.button(Button::First)->isEnabled());
        QVERIFY(!nav.button(Button::Prior)->isEnabled());
        QVERIFY(nav.button(Button::Next)->isEnabled());
        QVERIFY(!nav.button(Button::Post)->isEnabled());

        nav.button(Button::NextPage)->click();
        QCOMPARE(famId(fam), 11);
        QVERIFY(nav.button(Button::Prior)->isEnabled());
        nav.button(Button::NextPage)->click();
        nav.button(Button::NextPage)->click(); // only 4 rows left: stops on the last
        QCOMPARE(famId(fam), 25);
        QVERIFY(!nav.button(Button::Next)->isEnabled());
        QVERIFY(!nav.button(Button::Last)->isEnabled());
        nav.button(Button::PriorPage)->click();
        QCOMPARE(famId(fam), 15);
        nav.button(Button::Prior)->click();
        QCOMPARE(famId(fam), 14);
        nav.button(Button::First)->click();
        QCOMPARE(famId(fam), 1);
        nav.button(Button::Last)->click();
        QCOMPARE(famId(fam), 25);

        // Moves made elsewhere show too.
        fam.first();
        QVERIFY(!nav.button(Button::First)->isEnabled());
        nav.setCursor(nullptr);
    }

    void editPostAndCancel()
    {
        QueuedPrompts prompts;
        Cursor fam(m_conn, tbl::Families);
        openFamilies(fam, 3);
        RecordNavigator nav;
        nav.setCursor(&fam);

        nav.button(Button::Edit)->click();
        QCOMPARE(fam.state(), CursorState::Edit);
        QVERIFY(!nav.button(Button::Edit)->isEnabled());
        QVERIFY(nav.button(Button::Post)->isEnabled());
        fam.setText(fld::City, QStringLiteral("Ghent"));
        prompts.queue(QMessageBox::Discard);
        nav.button(Button::Cancel)->click();
        QCOMPARE(fam.state(), CursorState::Browse);
        QCOMPARE(fam.text(fld::City), QString());

        fam.setText(fld::City, QStringLiteral("Ghent"));
        nav.button(Button::Post)->click();
        Cursor other(m_conn, tbl::Families);
        other.open();
        QCOMPARE(other.text(fld::City), QStringLiteral("Ghent"));
        nav.setCursor(nullptr);
    }

    // Cancel says what it would drop; a move the owner refuses does not happen.
    void cancelAndMovesAskTheOwner()
    {
        QueuedPrompts prompts;
        Cursor fam(m_conn, tbl::Families);
        openFamilies(fam, 3);
        RecordNavigator nav;
        nav.setCursor(&fam);
        fam.edit();
        fam.setText(fld::City, QStringLiteral("Ghent"));
        prompts.queue(QMessageBox::Cancel);
        nav.trigger(Button::Cancel);
        QVERIFY(fam.isModified());
        QCOMPARE(prompts.asked.front().text, QStringLiteral("Discard the change you typed?"));
        QCOMPARE(prompts.asked.front().informative, QStringLiteral("City: Ghent"));
        prompts.queue(QMessageBox::Discard);
        nav.trigger(Button::Cancel);
        QVERIFY(!fam.isModified());

        bool allow = false;
        nav.setBeforeMove([&] { return allow; });
        nav.trigger(Button::Next);
        QCOMPARE(famId(fam), 1);
        allow = true;
        nav.trigger(Button::Next);
        QCOMPARE(famId(fam), 2);
        nav.setCursor(nullptr);
    }

    void deleteAsksFirst()
    {
        QueuedPrompts prompts;
        Cursor fam(m_conn, tbl::Families);
        openFamilies(fam, 3);
        RecordNavigator nav;
        nav.setCursor(&fam);

        // Unanswered, as Enter answers it, the question keeps the row.
        nav.setDeleteDetail([] { return QStringLiteral("The Smith family"); });
        nav.button(Button::Delete)->click();
        QCOMPARE(fam.recordCount(), 3);
        QCOMPARE(prompts.asked.front().informative, QStringLiteral("The Smith family"));
        prompts.asked.clear();
        prompts.queue(QMessageBox::Cancel);
        nav.button(Button::Delete)->click();
        QCOMPARE(fam.recordCount(), 3);
        QCOMPARE(prompts.asked.size(), size_t(1));
        QCOMPARE(prompts.asked.front().kind, MessageKind::Confirmation);
        QCOMPARE(prompts.asked.front().title, QStringLiteral("Confirm"));
        QCOMPARE(prompts.asked.front().text, QStringLiteral("Delete record?"));

        prompts.queue(QMessageBox::Ok);
        nav.button(Button::Delete)->click();
        QCOMPARE(fam.recordCount(), 2);
        QCOMPARE(famId(fam), 2); // the next row becomes current

        // Deleting every row leaves nothing to delete, edit or move to.
        prompts.queue(QMessageBox::Ok);
        nav.button(Button::Delete)->click();
        prompts.queue(QMessageBox::Ok);
        nav.button(Button::Delete)->click();
        QCOMPARE(fam.recordCount(), 0);
        QVERIFY(!nav.button(Button::Delete)->isEnabled());
        QVERIFY(!nav.button(Button::Edit)->isEnabled());
        QVERIFY(!nav.button(Button::Next)->isEnabled());
        QVERIFY(nav.button(Button::Refresh)->isEnabled());

        // Forced anyway, the engine's refusal is shown, not thrown.
        prompts.asked.clear();
        prompts.queue(QMessageBox::Ok);
        nav.trigger(Button::Delete);
        QCOMPARE(prompts.asked.size(), size_t(2));
        QCOMPARE(prompts.asked.back().kind, MessageKind::Error);
        nav.setCursor(nullptr);
    }

    void closedCursorDisablesEverything()
    {
        Cursor fam(m_conn, tbl::Families);
        openFamilies(fam, 3);
        RecordNavigator nav;
        nav.setCursor(&fam);
        fam.close();
        for (Button b : RecordNavigator::allButtons())
            QVERIFY(!nav.button(b)->isEnabled());
        nav.trigger(Button::Next); // nothing to do, nothing thrown
        nav.setCursor(nullptr);
    }
};

QTEST_MAIN(RecordNavigatorTest)
#include "RecordNavigatorTest.moc"
