#include "names/ui/ClipboardDialog.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "names/NamesError.h"
#include "platform/ui/HelpViewer.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;

class ClipboardDialogTest : public QObject
{
    Q_OBJECT

private:
    TestFolder *m_folder = nullptr;
    RostConnection m_conn;

    static QString clipboardText() { return QGuiApplication::clipboard()->text(); }

    template <typename T> static T *child(QWidget &parent, const char *name)
    {
        T *w = parent.findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = new TestFolder;
        Row smith = family(1, QStringLiteral("Smith"));
        smith.insert(fld::Address1, QStringLiteral("12 Elm St"));
        smith.insert(fld::City, QStringLiteral("Salem"));
        smith.insert(fld::State, QStringLiteral("OR"));
        smith.insert(fld::Zip, QStringLiteral("97301"));
        smith.insert(fld::HomePhone, QStringLiteral("555-0100"));
        writeTable(m_folder->path(), familiesTable(), {family(3, QStringLiteral("Other")), smith});
        Row matilda =
            person(12, 1, 2, QStringLiteral("Matilda"), QStringLiteral("Smith"),
                   QStringLiteral("Wife"), QStringLiteral("Mattie"), QStringLiteral("Mrs"));
        matilda.insert(fld::EMailAddress, QStringLiteral("mattie@example.org"));
        writeTable(m_folder->path(), individualsTable(),
                   {person(11, 1, 1, QStringLiteral("William"), QStringLiteral("Smith"),
                           QStringLiteral("Husband"), QStringLiteral("Bill"), QStringLiteral("Mr")),
                    matilda,
                    person(31, 3, 1, QStringLiteral("A & B"), QStringLiteral("Co"),
                           QStringLiteral("Organization")),
                    // Family 9 is not in the families table.
                    person(91, 9, 1, QStringLiteral("Lost"), QStringLiteral("Soul"),
                           QStringLiteral("Single Adult"))});
        m_conn.setPath(m_folder->path());
        m_conn.connect();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }

    void cleanup()
    {
        m_conn.disconnect();
        delete m_folder;
        m_folder = nullptr;
    }

    void captionsAndDefaults()
    {
        ClipboardDialog dialog(m_conn);
        dialog.GetNames(12);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Send data to clipboard..."));
        auto *g1 = child<QGroupBox>(dialog, "GroupBox1");
        auto *g2 = child<QGroupBox>(dialog, "GroupBox2");
        QCOMPARE(g1->title(), QStringLiteral(" Data to send "));
        QCOMPARE(g2->title(), QStringLiteral(" Name options "));
        QVERIFY(g1->font().bold() && g2->font().bold());
        QVERIFY(!dialog.dataChoice(ClipboardData::NamePhone)->font().bold());
        QCOMPARE(child<QLabel>(dialog, "FirstNameLabel")->text(), QStringLiteral("Use First Name"));
        QCOMPARE(child<QLabel>(dialog, "GoesByLabel")->text(), QStringLiteral("Use Goes By"));

        // Stored captions: "&&" shows as one "&".
        QCOMPARE(dialog.dataChoice(ClipboardData::NameAndAddress)->text(),
                 QStringLiteral("Name && address"));
        QCOMPARE(dialog.dataChoice(ClipboardData::NameAddressPhone)->text(),
                 QStringLiteral("Name, address, && phone"));
        QCOMPARE(dialog.dataChoice(ClipboardData::NamePhone)->text(),
                 QStringLiteral("Name && phone"));
        QCOMPARE(dialog.dataChoice(ClipboardData::EMail)->text(),
                 QStringLiteral("E-mail address only"));
        QCOMPARE(child<QPushButton>(dialog, "SendDataButton")->text(),
                 QStringLiteral("&Send data"));
        QCOMPARE(child<QPushButton>(dialog, "CancelButton")->text(), QStringLiteral("&Cancel"));
        QVERIFY(child<QPushButton>(dialog, "SendDataButton")->isDefault());

        const QStringList expected{"Matilda Smith",
                                   "Mrs Matilda Smith",
                                   "Matilda and William Smith",
                                   "Mr and Mrs William Smith",
                                   "Mattie Smith",
                                   "Mrs Mattie Smith",
                                   "Mattie and Bill Smith",
                                   "Mr and Mrs Bill Smith"};
        QStringList captions;
        for (NameLine line : allNameLines()) {
            captions << dialog.nameChoice(line)->text();
            QVERIFY(!dialog.nameChoice(line)->accessibleName().isEmpty());
        }
        QCOMPARE(captions, expected);
        QCOMPARE(dialog.chosenData(), ClipboardData::NameAndAddress);
        QCOMPARE(dialog.chosenNameLine(), NameLine::FormalName);

        // Tab order: the data choices, the name choices, then the buttons.
        const QList<QWidget *> order{dialog.dataChoice(ClipboardData::NameAndAddress),
                                     dialog.dataChoice(ClipboardData::NameAddressPhone),
                                     dialog.dataChoice(ClipboardData::NamePhone),
                                     dialog.dataChoice(ClipboardData::EMail),
                                     dialog.nameChoice(NameLine::FormalName),
                                     dialog.nameChoice(NameLine::InformalNameAndSpouseTitle),
                                     child<QPushButton>(dialog, "SendDataButton"),
                                     child<QPushButton>(dialog, "HelpButton"),
                                     child<QPushButton>(dialog, "CancelButton")};
        QList<QWidget *> chain;
        for (QWidget *w = order.first(); chain.size() < 20; w = w->nextInFocusChain()) {
            if (order.contains(w) && !chain.contains(w))
                chain << w;
            if (chain.size() == order.size())
                break;
        }
        QCOMPARE(chain, order);
    }

    void ampersandInANameIsShownNotTakenAsAccessKey()
    {
        ClipboardDialog dialog(m_conn);
        dialog.GetNames(31);
        dialog.show();
        QCOMPARE(dialog.nameChoice(NameLine::FormalName)->text(), QStringLiteral("A && B Co"));
        // No spouse: the couple choices show nothing.
        QCOMPARE(dialog.nameChoice(NameLine::FormalNameAndSpouse)->text(), QString());
        QCOMPARE(dialog.nameChoice(NameLine::InformalNameAndSpouseTitle)->text(), QString());
        dialog.dataChoice(ClipboardData::NamePhone)->click();
        QCOMPARE(dialog.chosenLine(), QStringLiteral("A & B Co"));
        QCOMPARE(dialog.composedText(), QStringLiteral("A & B Co  "));
    }

    void sendPutsTheTextOnTheClipboard()
    {
        ClipboardDialog dialog(m_conn);
        dialog.GetNames(12);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.dataChoice(ClipboardData::NameAddressPhone), Qt::LeftButton);
        QTest::mouseClick(dialog.nameChoice(NameLine::FormalNameAndSpouseTitle), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dialog, "SendDataButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(clipboardText().toUtf8(),
                 QByteArray("Mr and Mrs William Smith\r12 Elm St\rSalem, OR 97301\r555-0100"));
    }

    void sendTexts_data()
    {
        QTest::addColumn<int>("indiv");
        QTest::addColumn<int>("data");
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("defaults") << 11 << int(ClipboardData::NameAndAddress)
                                  << int(NameLine::FormalName)
                                  << QByteArray("William Smith\r12 Elm St\rSalem, OR 97301");
        QTest::newRow("e-mail alone")
            << 12 << int(ClipboardData::EMail) << int(NameLine::InformalName)
            << QByteArray("mattie@example.org");
        QTest::newRow("empty e-mail empties the clipboard")
            << 11 << int(ClipboardData::EMail) << int(NameLine::FormalName) << QByteArray();
        QTest::newRow("couple choice without spouse")
            << 31 << int(ClipboardData::NameAndAddress) << int(NameLine::FormalNameAndSpouse)
            << QByteArray("\r\r,  ");
        QTest::newRow("family missing: nothing of another family")
            << 91 << int(ClipboardData::NameAddressPhone) << int(NameLine::FormalName)
            << QByteArray("Lost Soul\r\r\r");
        QTest::newRow("name and phone, family missing")
            << 91 << int(ClipboardData::NamePhone) << int(NameLine::InformalName)
            << QByteArray("Lost Soul  ");
    }

    void sendTexts()
    {
        QFETCH(int, indiv);
        QFETCH(int, data);
        QFETCH(int, line);
        QFETCH(QByteArray, expected);
        ClipboardDialog dialog(m_conn);
        dialog.GetNames(static_cast<qint16>(indiv));
        dialog.show();
        dialog.dataChoice(static_cast<ClipboardData>(data))->click();
        dialog.nameChoice(static_cast<NameLine>(line))->click();
        dialog.SendDataButtonClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(clipboardText().toUtf8(), expected);
    }

    void cancelAndEscapeLeaveTheClipboard()
    {
        {
            ClipboardDialog dialog(m_conn);
            dialog.GetNames(11);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTest::mouseClick(child<QPushButton>(dialog, "CancelButton"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        {
            ClipboardDialog dialog(m_conn);
            dialog.GetNames(11);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(clipboardText(), QStringLiteral("before"));
    }

    void unknownIndividualIsRefused()
    {
        ClipboardDialog dialog(m_conn);
        QVERIFY_THROWS_EXCEPTION(NamesError, dialog.GetNames(0));
        QVERIFY_THROWS_EXCEPTION(NamesError, dialog.GetNames(500));
        QCOMPARE(clipboardText(), QStringLiteral("before"));
    }

    void helpOpensTopicTen()
    {
        ClipboardDialog dialog(m_conn);
        dialog.GetNames(11);
        dialog.show();
        QTest::mouseClick(child<QPushButton>(dialog, "HelpButton"), Qt::LeftButton);
        HelpViewer *viewer = HelpViewer::instance(&dialog);
        QCOMPARE(viewer->shownTopic(), HelpViewer::hasTopic(ClipboardDialog::HelpTopic) ? 10 : -1);
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(ClipboardDialogTest)
#include "ClipboardDialogTest.moc"
