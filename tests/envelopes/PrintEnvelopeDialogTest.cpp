#include "envelopes/ui/PrintEnvelopeDialog.h"
#include "directory/ProgramContext.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "names/NamesError.h"

#include "Fixture.h"
#include "RecordingLauncher.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;

class PrintEnvelopeDialogTest : public QObject
{
    Q_OBJECT

private:
    TestFolder m_folder;
    ProgramContext m_context{m_folder.path()};
    RecordingLauncher m_launcher;
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
        m_context.preferences().Load();
        m_context.preferences().RetAddLine1 = QStringLiteral("First Church");
        QCOMPARE(m_context.envelopeLayout().Load(), QStringList());
        m_conn.setPath(m_folder.path());
        m_conn.connect();
    }

    void coupleChoicesAndTheDeliveryBlock()
    {
        PrintEnvelopeDialog form(m_conn, m_context, m_launcher);
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
        PrintEnvelopeDialog form(m_conn, m_context, m_launcher);
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
        PrintEnvelopeDialog form(m_conn, m_context, m_launcher);
        form.GetNames(31);
        form.show();
        QCOMPARE(form.deliveryLines(), QStringList{QStringLiteral("Lost Soul")});
    }

    void unknownIndividualIsRefused()
    {
        PrintEnvelopeDialog form(m_conn, m_context, m_launcher);
        try {
            form.GetNames(999);
            QFAIL("an individual the table does not hold was composed");
        } catch (const NamesError &e) {
            QVERIFY(e.text().contains(QStringLiteral("999")));
        }
    }

    void returnAddressBoxFollowsTheLayoutDialogOnly()
    {
        m_context.envelopeLayout().PrintRetAdd = true;
        PrintEnvelopeDialog form(m_conn, m_context, m_launcher);
        form.GetNames(11);
        form.show();
        auto *box = form.findChild<QCheckBox *>(QStringLiteral("cbPrintReturnAddress"));
        QVERIFY(box->isChecked());
        box->setChecked(false);
        m_launcher.calls.clear();
        form.findChild<QPushButton *>(QStringLiteral("EnterRetunAddressButton"))->click();
        QVERIFY(!box->isChecked());
        // The layout dialog switched the return address on.
        m_launcher.whileOpen = [this](const QString &) {
            m_context.envelopeLayout().PrintRetAdd = true;
        };
        form.findChild<QPushButton *>(QStringLiteral("EnvPrefsButton"))->click();
        m_launcher.whileOpen = nullptr;
        QVERIFY(box->isChecked());
        QCOMPARE(m_launcher.calls, (QStringList{"returnAddress", "envelopePreferences"}));
    }

    void printingDrawsOneEnvelopeAndCloses()
    {
        m_context.envelopeLayout().PrintRetAdd = true;
        m_context.envelopeLayout().Save();
        PrintEnvelopeDialog form(m_conn, m_context, m_launcher);
        form.GetNames(11);
        form.show();
        m_launcher.calls.clear();
        m_launcher.jobs.clear();
        form.findChild<QPushButton *>(QStringLiteral("PrintButton"))->click();
        QCOMPARE(m_launcher.calls, QStringList{"printPages Envelope - Smith.pdf"});
        QCOMPARE(m_launcher.jobs.front()->pages(), 1);
        QCOMPARE(m_launcher.texts(0).front(), QStringLiteral("First Church"));
        QVERIFY(m_launcher.texts(0).contains(QStringLiteral("Salem, OR 97301")));
        QCOMPARE(form.result(), int(QDialog::Accepted));

        // A job that did not run leaves the dialog open.
        m_launcher.jobsSucceed = false;
        PrintEnvelopeDialog again(m_conn, m_context, m_launcher);
        again.GetNames(11);
        again.show();
        again.PrintButtonClick();
        QVERIFY(again.isVisible());
        m_launcher.jobsSucceed = true;
    }
};

QTEST_MAIN(PrintEnvelopeDialogTest)
#include "PrintEnvelopeDialogTest.moc"
