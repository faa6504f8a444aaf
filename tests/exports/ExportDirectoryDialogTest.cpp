#include "ExportFixture.h"
#include "QueuedPrompts.h"
#include "TestFolder.h"
#include "Widgets.h"

#include "directory/ProgramSettings.h"
#include "directory/RostConnection.h"
#include "exports/ui/ExportDirectoryDialog.h"
#include "platform/ui/HelpViewer.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

using namespace rost;
using rost::test::child;

class ExportDirectoryDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void choicesExportAndAreRemembered();
    void cardsWithPicturesNameThoseLeftOut();

private:
    test::TestFolder m_folder;
    RostConnection m_connection;
};

void ExportDirectoryDialogTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    programSettings()->clear();
    test::writeExportDirectory(m_folder.path());
    m_connection.setPath(m_folder.path());
    m_connection.connect();
}

// The first time: contacts, without pictures, the byte-order mark only for a spreadsheet. A
// spreadsheet of households with the mark is written where the save dialog says, and the next
// dialog offers the same; a cancelled save dialog leaves the dialog open.
void ExportDirectoryDialogTest::choicesExportAndAreRemembered()
{
    QueuedPrompts prompts;
    {
        ExportDirectoryDialog d(m_connection);
        d.show();
        QVERIFY(child<QRadioButton>(d, "VCardRadio")->isChecked());
        QVERIFY(!child<QCheckBox>(d, "PhotosCheck")->isChecked());
        QVERIFY(child<QCheckBox>(d, "PhotosCheck")->isEnabled());
        QVERIFY(!child<QCheckBox>(d, "BomCheck")->isEnabled());
        QVERIFY(HelpViewer::hasTopic(ExportDirectoryDialog::HelpTopic));
        child<QRadioButton>(d, "CsvHouseholdsRadio")->setChecked(true);
        QVERIFY(!child<QCheckBox>(d, "PhotosCheck")->isEnabled());
        child<QCheckBox>(d, "BomCheck")->setChecked(true);

        child<QPushButton>(d, "ExportButton")->click();
        QVERIFY(d.isVisible());
        QCOMPARE(prompts.asked.size(), std::size_t(1));
        QCOMPARE(prompts.asked[0].title, QStringLiteral("Export Directory"));
        QVERIFY(prompts.asked[0].text.endsWith(QStringLiteral("/directory.csv")));

        const QString out = m_folder.file(QStringLiteral("households.csv"));
        prompts.queue(out);
        child<QPushButton>(d, "ExportButton")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const QByteArray csv = test::readFile(out);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"
                               "Family ID Num,Family Name,"));
        QCOMPARE(csv.count("\r\n"), 1 + 4 + 2); // the header, four households, two inner breaks
        QCOMPARE(prompts.asked.size(), std::size_t(2));
    }
    ExportDirectoryDialog again(m_connection);
    QVERIFY(child<QRadioButton>(again, "CsvHouseholdsRadio")->isChecked());
    QVERIFY(child<QCheckBox>(again, "BomCheck")->isChecked());
    QVERIFY(child<QCheckBox>(again, "BomCheck")->isEnabled());
}

void ExportDirectoryDialogTest::cardsWithPicturesNameThoseLeftOut()
{
    QueuedPrompts prompts;
    ExportDirectoryDialog d(m_connection);
    d.show();
    child<QRadioButton>(d, "VCardRadio")->setChecked(true);
    child<QCheckBox>(d, "PhotosCheck")->setChecked(true);
    const QString out = m_folder.file(QStringLiteral("everyone.vcf"));
    prompts.queue(out);
    child<QPushButton>(d, "ExportButton")->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const QByteArray cards = test::readFile(out);
    QCOMPARE(cards.count("BEGIN:VCARD\r\n"), 7);
    QCOMPARE(cards.count("PHOTO:data:image/jpeg;base64,"), 3);
    QCOMPARE(prompts.asked.size(), std::size_t(2));
    QCOMPARE(prompts.asked[1].kind, MessageKind::Warning);
    QVERIFY2(prompts.asked[1].text.contains(QStringLiteral("Doe, Jr.; III (family 2)")),
             qPrintable(prompts.asked[1].text));
}

QTEST_MAIN(ExportDirectoryDialogTest)
#include "ExportDirectoryDialogTest.moc"
