#include "browse/ui/IndUpdateDialog.h"
#include "browse/ui/RecordFieldEdit.h"
#include "browse/ui/RecordMemoEdit.h"
#include "browse/ui/RecordPanel.h"
#include "browse/ui/TFamUpdateForm.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/RecordNavigator.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>
#include <sqlite3.h>

using namespace rost;
using namespace rost::test;
using Button = RecordNavigator::Button;

namespace {

// Replaces the text of a record panel's box the way a user does.
void retype(RecordPanel *panel, const char *field, const QString &text)
{
    QWidget *editor = panel->editor(QLatin1String(field));
    QVERIFY(editor);
    editor->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(editor)) {
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_Delete);
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, lines.at(i));
    }
}

} // namespace

class UpdateDialogTest : public QObject
{
    Q_OBJECT

private:
    TestFolder *m_folder = nullptr;
    RostConnection m_conn;

    // A field of a row as the table holds it, read through a cursor of its own.
    QString stored(const char *table, const char *keyField, int key, const char *field)
    {
        Cursor c(m_conn, QLatin1String(table));
        c.open();
        if (!c.locate(QLatin1String(keyField), key))
            return QStringLiteral("<missing>");
        return c.text(QLatin1String(field));
    }
    QString familyField(int id, const char *field)
    {
        return stored(tbl::Families, fld::FamilyIdNum, id, field);
    }
    QString personField(int id, const char *field)
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
            f.insert(QLatin1String(fld::City), QStringLiteral("Old Town"));
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
        TFamUpdateForm form(m_conn);
        QCOMPARE(form.windowTitle(), QStringLiteral("Update Family"));
        QCOMPARE(form.nav()->buttons(), RecordNavigator::allButtons());
        const QStringList labels{
            QStringLiteral("Name"),    QStringLiteral("Address1"),    QStringLiteral("Address2"),
            QStringLiteral("City"),    QStringLiteral("State"),       QStringLiteral("Zip"),
            QStringLiteral("Country"), QStringLiteral("IntlAddress"), QStringLiteral("Home Phone")};
        const char *fields[] = {fld::VorelName, fld::Address1,    fld::Address2,
                                fld::City,      fld::State,       fld::Zip,
                                fld::Country,   fld::IntlAddress, fld::HomePhone};
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(form.panel()->label(QLatin1String(fields[i]))->text(), labels.at(i));
        QVERIFY(
            qobject_cast<RecordMemoEdit *>(form.panel()->editor(QLatin1String(fld::IntlAddress))));
        form.openTable();
        QCOMPARE(form.tbFam().integer(QLatin1String(fld::FamilyIdNum)), 1); // number order
    }

    // A save that fails keeps the dialog open with what was typed, so it can be saved later.
    void failedSaveKeepsTheChanges()
    {
        QueuedPrompts prompts;
        RostConnection other;
        other.setPath(m_folder->path());
        other.connect();
        Cursor otherFam(other, QLatin1String(tbl::Families));
        otherFam.open();

        TFamUpdateForm form(m_conn);
        form.openTable();
        form.show();
        retype(form.panel(), fld::City, QStringLiteral("Locked"));
        QCOMPARE(sqlite3_exec(other.handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        form.OKButtonClick();
        QVERIFY(form.isVisible());
        QCOMPARE(prompts.asked.size(), size_t(1));
        QCOMPARE(prompts.asked.front().kind, MessageKind::Error);
        QCOMPARE(form.tbFam().state(), CursorState::Edit);
        QCOMPARE(form.tbFam().text(QLatin1String(fld::City)), QStringLiteral("Locked"));

        QCOMPARE(sqlite3_exec(other.handle(), "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
        otherFam.close(); // its reading would hold off the write as well
        form.OKButtonClick();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(familyField(1, fld::City), QStringLiteral("Locked"));
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
        Cursor tbInd(m_conn, QLatin1String(tbl::Individuals));
        tbInd.open();
        IndUpdateDialog dialog(tbInd);
        dialog.show();

        // Without changes nothing is asked.
        dialog.reject();
        QVERIFY(prompts.asked.empty());
        QVERIFY(!dialog.isVisible());

        dialog.show();
        retype(dialog.panel(), fld::Cell, QStringLiteral("555-0123"));
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
