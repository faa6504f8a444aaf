#include "browse/ui/RecordPanel.h"
#include "browse/ui/UpdateFamilyDialog.h"
#include "browse/ui/UpdateIndividualDialog.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/ui/DataBoundEdit.h"
#include "platform/ui/DataBoundMemo.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"
#include "platform/ui/RecordNavigator.h"

#include "Fixture.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>
#include <sqlite3.h>

using namespace rost;
using namespace rost::test;
using Button = RecordNavigator::Button;

namespace {

RecordPanel *panelOf(const QDialog &form)
{
    return child<RecordPanel>(form, "wwRecordViewPanel1");
}

} // namespace

class UpdateDialogTest : public QObject
{
    Q_OBJECT

private:
    TestFolder *m_folder = nullptr;
    RostConnection m_conn;

    // A field of a row as the table holds it, read through a cursor of its own.
    QString stored(QLatin1String table, QLatin1String keyField, int key, QLatin1String field)
    {
        Cursor c(m_conn, table);
        c.open();
        if (!c.locate(keyField, key))
            return QStringLiteral("<missing>");
        return c.text(field);
    }
    QString familyField(int id, QLatin1String field)
    {
        return stored(tbl::Families, fld::FamilyIdNum, id, field);
    }
    QString personField(int id, QLatin1String field)
    {
        return stored(tbl::Individuals, fld::IndivIdNum, id, field);
    }

private Q_SLOTS:
    void init()
    {
        m_folder = new TestFolder;
        std::vector<Row> families;
        for (int id : {3, 1, 2}) {
            Row f = family(id, QStringLiteral("Family %1").arg(id));
            f.insert(fld::City, QStringLiteral("Old Town"));
            families.push_back(f);
        }
        writeTable(m_folder->path(), familiesTable(), families);
        writeTable(m_folder->path(), individualsTable(),
                   {person(11, 1, 1, QStringLiteral("Al"), QStringLiteral("One")),
                    person(12, 1, 2, QStringLiteral("Bea"), QStringLiteral("One")),
                    person(21, 2, 1, QStringLiteral("Cy"), QStringLiteral("Two"))});
        m_conn.setPath(m_folder->path());
        m_conn.connect();
    }

    void cleanup()
    {
        m_conn.disconnect();
        delete m_folder;
    }

    void familyFormShowsTheFieldsInOrder()
    {
        UpdateFamilyDialog form(m_conn);
        QCOMPARE(form.windowTitle(), QStringLiteral("Update Family"));
        QCOMPARE(child<RecordNavigator>(form, "Nav")->buttons(), RecordNavigator::allButtons());
        const QStringList labels{
            QStringLiteral("Name"),    QStringLiteral("Address1"),    QStringLiteral("Address2"),
            QStringLiteral("City"),    QStringLiteral("State"),       QStringLiteral("Zip"),
            QStringLiteral("Country"), QStringLiteral("IntlAddress"), QStringLiteral("Home Phone")};
        const QLatin1String fields[] = {fld::VorelName, fld::Address1,    fld::Address2,
                                        fld::City,      fld::State,       fld::Zip,
                                        fld::Country,   fld::IntlAddress, fld::HomePhone};
        QWidget *previous = nullptr;
        for (int i = 0; i < labels.size(); ++i) {
            const QString field = fields[i];
            QWidget *editor = panelOf(form)->editor(field);
            QCOMPARE(labelOf(editor)->text(), labels.at(i));
            QCOMPARE(editor->objectName(),
                     field == fld::IntlAddress ? QStringLiteral("IntlMemo") : field);
            if (previous) {
                QWidget *next = previous->nextInFocusChain();
                while (!(next->focusPolicy() & Qt::TabFocus))
                    next = next->nextInFocusChain();
                QCOMPARE(next, editor);
            }
            previous = editor;
        }
        auto *memo = qobject_cast<DataBoundMemo *>(panelOf(form)->editor(fld::IntlAddress));
        QVERIFY(memo);
        QVERIFY(memo->frameShape() != QFrame::NoFrame);
        QVERIFY(memo->tabChangesFocus());
        auto *city = qobject_cast<DataBoundEdit *>(panelOf(form)->editor(fld::City));
        auto *state = qobject_cast<DataBoundEdit *>(panelOf(form)->editor(fld::State));
        auto *name = qobject_cast<DataBoundEdit *>(panelOf(form)->editor(fld::VorelName));
        QVERIFY(city && state && name);
        QVERIFY(city->hasFrame());
        // Name 40, City 20 and State 4 characters wide.
        const int perChar = city->fontMetrics().averageCharWidth();
        QCOMPARE(name->sizeHint().width() - city->sizeHint().width(), 20 * perChar);
        QCOMPARE(city->sizeHint().width() - state->sizeHint().width(), 16 * perChar);
        QVERIFY(city->isReadOnly()); // no row before the table opens
        form.openAt(0);
        QCOMPARE(name->text(), QStringLiteral("Family 1")); // the first by number
        QVERIFY(!city->isReadOnly());
        QCOMPARE(city->text(), QStringLiteral("Old Town"));
    }

    // What the user types is what is saved: a trailing blank survives changes of other fields,
    // nothing typed beyond a field's width is taken, and a table without rows takes no typing.
    void familyPanelKeepsWhatIsTyped()
    {
        QueuedPrompts prompts;
        UpdateFamilyDialog form(m_conn);
        form.openAt(1);
        form.show();
        retype(panelOf(form)->editor(fld::VorelName), QStringLiteral("Ann "));
        retype(panelOf(form)->editor(fld::City), QStringLiteral("Paris"));
        auto *name = qobject_cast<QLineEdit *>(panelOf(form)->editor(fld::VorelName));
        QCOMPARE(name->text(), QStringLiteral("Ann "));
        name->setFocus();
        name->end(false);
        QTest::keyClicks(name, QStringLiteral("Lee"));
        retype(panelOf(form)->editor(fld::Zip), QString(12, QLatin1Char('9')));
        retype(panelOf(form)->editor(fld::IntlAddress), QString(100, QLatin1Char('x')) +
                                                            QStringLiteral("\n") +
                                                            QString(30, QLatin1Char('y')));
        QCOMPARE(qobject_cast<QTextEdit *>(panelOf(form)->editor(fld::IntlAddress))->toPlainText(),
                 QString(100, QLatin1Char('x')) + QStringLiteral("\n") +
                     QString(18, QLatin1Char('y'))); // 120 stored with the line end's CR LF
        form.OKButtonClick();
        QCOMPARE(familyField(1, fld::VorelName), QStringLiteral("Ann Lee"));
        QCOMPARE(familyField(1, fld::City), QStringLiteral("Paris"));
        QCOMPARE(familyField(1, fld::Zip), QString(10, QLatin1Char('9')));
        QCOMPARE(familyField(1, fld::IntlAddress), QString(100, QLatin1Char('x')) +
                                                       QStringLiteral("\r\n") +
                                                       QString(18, QLatin1Char('y')));
        QVERIFY(prompts.asked.empty());

        Cursor all(m_conn, tbl::Families);
        all.open();
        while (all.hasRow())
            all.deleteRecord();
        UpdateFamilyDialog empty(m_conn);
        empty.openAt(1);
        empty.show();
        QVERIFY(qobject_cast<QLineEdit *>(panelOf(empty)->editor(fld::City))->isReadOnly());
        QVERIFY(qobject_cast<QTextEdit *>(panelOf(empty)->editor(fld::IntlAddress))->isReadOnly());
        retype(panelOf(empty)->editor(fld::City), QStringLiteral("x"));
        QCOMPARE(qobject_cast<QLineEdit *>(panelOf(empty)->editor(fld::City))->text(), QString());
        QVERIFY(prompts.asked.empty());
    }

    // A save that fails keeps the dialog open with what was typed, so it can be saved later.
    void failedSaveKeepsTheChanges()
    {
        QueuedPrompts prompts;
        RostConnection other;
        other.setPath(m_folder->path());
        other.connect();
        Cursor otherFam(other, tbl::Families);
        otherFam.open();

        UpdateFamilyDialog form(m_conn);
        form.openAt(1);
        form.show();
        retype(panelOf(form)->editor(fld::City), QStringLiteral("Locked"));
        QCOMPARE(sqlite3_exec(other.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        form.OKButtonClick();
        QVERIFY(form.isVisible());
        QCOMPARE(prompts.asked.size(), size_t(1));
        QCOMPARE(prompts.asked.front().kind, MessageKind::Error);
        QCOMPARE(qobject_cast<QLineEdit *>(panelOf(form)->editor(fld::City))->text(),
                 QStringLiteral("Locked"));

        QCOMPARE(sqlite3_exec(other.handle(), "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
        otherFam.close(); // its reading would hold off the write as well
        form.OKButtonClick();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(familyField(1, fld::City), QStringLiteral("Locked"));
    }

    // F1 anywhere in either form shows its own page.
    void f1ShowsTheFormsTopic()
    {
        UpdateFamilyDialog family(m_conn);
        family.openAt(1);
        QCOMPARE(topicAfterF1(panelOf(family)->editor(fld::City)), 20);
        family.reject();
        Cursor tbInd(m_conn, tbl::Individuals);
        tbInd.open();
        UpdateIndividualDialog individual(tbInd);
        QCOMPARE(topicAfterF1(panelOf(individual)->editor(fld::Cell)), 21);
        individual.reject();
    }

    void individualCancelAsksToSave_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("storedPhone");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true << "555-0123";
        QTest::newRow("no") << int(QMessageBox::No) << true << "";
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << "";
    }

    void individualCancelAsksToSave()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(QString, storedPhone);
        QueuedPrompts prompts;
        Cursor tbInd(m_conn, tbl::Individuals);
        tbInd.open();
        UpdateIndividualDialog dialog(tbInd);
        dialog.show();

        // Without changes nothing is asked.
        dialog.reject();
        QVERIFY(prompts.asked.empty());
        QVERIFY(!dialog.isVisible());

        dialog.show();
        retype(panelOf(dialog)->editor(fld::Cell), QStringLiteral("555-0123"));
        prompts.queue(QMessageBox::StandardButton(answer));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(prompts.asked.size(), size_t(1));
        QCOMPARE(prompts.asked.front().kind, MessageKind::Confirmation);
        QCOMPARE(prompts.asked.front().title, QStringLiteral("Confirm"));
        QCOMPARE(prompts.asked.front().text,
                 QStringLiteral("Changes have been made!  Do you wish to save your changes?"));
        QCOMPARE(dialog.isVisible(), !closes);
        if (closes)
            QCOMPARE(tbInd.state(), CursorState::Browse);
        else
            QVERIFY(tbInd.isModified()); // still there to be saved or dropped
        QCOMPARE(personField(11, fld::Cell), storedPhone);
        dialog.hide();
    }
};

QTEST_MAIN(UpdateDialogTest)
#include "UpdateDialogTest.moc"
