#include "envelopes/ui/PrintSingleEnv.h"
#include "directory/ProgramState.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "envelopes/ui/EnvDefinition.h"
#include "envelopes/ui/RetAddDef.h"
#include "platform/ui/Prompts.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

// Closes the next modal dialog of type T that opens, the way the user would with its close box.
template <typename T> void closeNextDialog()
{
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<T *>(w); d && d->isVisible())
                d->reject();
    });
}

} // namespace

class PrintSingleEnvTest : public QObject
{
    Q_OBJECT

private:
    TestFolder m_folder;
    RostConnection m_conn;

private Q_SLOTS:
    void initTestCase()
    {
        Row smith = family(1, QStringLiteral("Smith"));
        smith.insert(QStringLiteral("Address1"), QStringLiteral("1 Elm St"));
        smith.insert(QStringLiteral("City"), QStringLiteral("Salem"));
        smith.insert(QStringLiteral("State"), QStringLiteral("OR"));
        smith.insert(QStringLiteral("Zip"), QStringLiteral("97301"));
        Row noStreet = family(2, QStringLiteral("Jones"));
        noStreet.insert(QStringLiteral("City"), QStringLiteral("Salem"));
        writeTable(m_folder.path(), familiesTable(), {smith, noStreet});
        writeTable(m_folder.path(), individualsTable(),
                   {person(11, 1, 1, QStringLiteral("William"), QStringLiteral("Smith"),
                           QStringLiteral("Husband"), QStringLiteral("Bill"), QStringLiteral("Mr")),
                    person(12, 1, 2, QStringLiteral("Matilda"), QStringLiteral("Smith"),
                           QStringLiteral("Wife"), QStringLiteral("Mattie"), QStringLiteral("Mrs")),
                    person(21, 2, 1, QStringLiteral("Ann"), QStringLiteral("Jones"),
                           QStringLiteral("Single Adult")),
                    person(31, 9, 1, QStringLiteral("Lost"), QStringLiteral("Soul"))});
        preferences().setFolder(m_folder.path());
        envDef().setFolder(m_folder.path());
        preferences().Load();
        envDef().Load();
        m_conn.setPath(m_folder.path());
        m_conn.connect();
    }

    void coupleChoicesAndTheDeliveryBlock()
    {
        TPrintSingleEnvForm form(m_conn);
        form.GetNames(12);
        form.show();
        QCOMPARE(form.nameChoice(NameLine::FormalNameAndSpouseTitle)->text(),
                 QStringLiteral("Mr and Mrs William Smith"));
        QCOMPARE(form.nameChoice(NameLine::InformalTitle)->text(),
                 QStringLiteral("Mrs Mattie Smith"));
        form.nameChoice(NameLine::FormalNameAndSpouse)->setChecked(true);
        QCOMPARE(form.deliveryLines(),
                 QStringList({QStringLiteral("Matilda and William Smith"),
                              QStringLiteral("1 Elm St"), QStringLiteral("Salem, OR 97301")}));
    }

    void singlePersonAndUserDefinedLines()
    {
        TPrintSingleEnvForm form(m_conn);
        form.GetNames(21);
        form.show();
        QCOMPARE(form.nameChoice(NameLine::FormalNameAndSpouse)->text(), QString());
        form.nameChoice(NameLine::InformalNameAndSpouse)->setChecked(true);
        // No Address1: the name line alone, here an empty one.
        QCOMPARE(form.deliveryLines(), QStringList{QString()});
        auto *edit = form.findChild<QLineEdit *>(QStringLiteral("UserDefinedEdit"));
        form.findChild<QRadioButton *>(QStringLiteral("rbUserDefined"))->setChecked(true);
        QCOMPARE(form.chosenNameLine(), QString());
        edit->setText(QString(300, QLatin1Char('x')));
        QCOMPARE(form.chosenNameLine().size(), 255);
    }

    void missingFamilyGivesTheNameLineAlone()
    {
        TPrintSingleEnvForm form(m_conn);
        form.GetNames(31);
        form.show();
        QCOMPARE(form.deliveryLines(), QStringList{QStringLiteral("Lost Soul")});
    }

    void unknownIndividualIsRefused()
    {
        QueuedPrompts prompts;
        TPrintSingleEnvForm::run(nullptr, m_conn, 999);
        QCOMPARE(prompts.asked.size(), size_t(1));
        QVERIFY(prompts.asked.front().text.contains(QStringLiteral("999")));
    }

    void returnAddressBoxFollowsTheLayoutDialogOnly()
    {
        envDef().PrintRetAdd = true;
        TPrintSingleEnvForm form(m_conn);
        form.GetNames(11);
        form.show();
        auto *box = form.findChild<QCheckBox *>(QStringLiteral("cbPrintReturnAddress"));
        QVERIFY(box->isChecked());
        box->setChecked(false);
        closeNextDialog<TRetAddDefForm>();
        form.EnterRetunAddressButtonClick();
        QVERIFY(!box->isChecked());
        closeNextDialog<TEnvelopeDefinitionForm>();
        form.EnvPrefsButtonClick(); // shows the file's layout, whose PrintRetAdd is off
        QCOMPARE(box->isChecked(), envDef().PrintRetAdd);
    }

    void printingWritesOnePageAndCloses()
    {
        QueuedPrompts prompts;
        const QString pdf = m_folder.file(QStringLiteral("out.pdf"));
        prompts.queue(pdf);
        TPrintSingleEnvForm form(m_conn);
        form.GetNames(11);
        form.show();
        form.PrintButtonClick();
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(PrintSingleEnvTest)
#include "PrintSingleEnvTest.moc"
