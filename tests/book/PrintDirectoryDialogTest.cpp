#include "book/ui/PrintDirectoryDialog.h"
#include "directory/ProgramContext.h"
#include "directory/ProgramSettings.h"
#include "directory/RostConnection.h"
#include "lists/ListKindTables.h"
#include "platform/ui/HelpViewer.h"

#include "ListFixture.h"
#include "QueuedPrompts.h"
#include "RecordingLauncher.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

struct Setup : OpenListDirectory
{
    Setup()
    {
        context.preferences().RetAddLine1 = QStringLiteral("First Church");
        context.preferences().RetAddLine3 = QStringLiteral("Springfield");
    }
    std::unique_ptr<PrintDirectoryDialog> dialog()
    {
        return std::make_unique<PrintDirectoryDialog>(conn, setup, context, launcher);
    }
    ProgramContext context{folder.path()};
    RecordingLauncher launcher;
};

QStringList printed(const RecordingLauncher &launcher)
{
    return launcher.texts(launcher.jobs.size() - 1);
}

} // namespace

class PrintDirectoryDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void choicesPrintAndAreRemembered();
    void unreadablePictureIsNamed();
};

void PrintDirectoryDialogTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void PrintDirectoryDialogTest::init()
{
    const auto settings = programSettings();
    settings->clear();
}

// The first time: the default title, the return address's lines under it, all households. The
// choices made then print the list's households only, as a booklet, and greet the next dialog.
void PrintDirectoryDialogTest::choicesPrintAndAreRemembered()
{
    QueuedPrompts prompts;
    Setup s;
    auto d = s.dialog();
    QCOMPARE(child<QLineEdit>(*d, "TitleEdit")->text(), QStringLiteral("Church Directory"));
    QCOMPARE(child<QLineEdit>(*d, "Line1Edit")->text(), QStringLiteral("First Church"));
    QCOMPARE(child<QLineEdit>(*d, "Line2Edit")->text(), QStringLiteral("Springfield"));
    QVERIFY(child<QRadioButton>(*d, "AllRadio")->isChecked());
    QVERIFY(!child<QComboBox>(*d, "KindCombo")->isEnabled());
    QVERIFY(HelpViewer::hasTopic(PrintDirectoryDialog::HelpTopic));
    for (QWidget *w : d->findChildren<QWidget *>()) {
        if (w->focusPolicy() & Qt::TabFocus && !qobject_cast<QComboBox *>(w->parentWidget()))
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }

    child<QLineEdit>(*d, "TitleEdit")->setText(QStringLiteral("Grace Directory"));
    child<QRadioButton>(*d, "ListRadio")->setChecked(true);
    QVERIFY(child<QComboBox>(*d, "KindCombo")->isEnabled());
    child<QComboBox>(*d, "KindCombo")->setCurrentText(QStringLiteral("Church Offices"));
    child<QComboBox>(*d, "ItemCombo")->setCurrentText(QStringLiteral("Usher"));
    child<QComboBox>(*d, "LayoutCombo")->setCurrentIndex(int(BookStyle::Compact3));
    child<QCheckBox>(*d, "BookletCheck")->setChecked(true);
    child<QCheckBox>(*d, "PrintDateCheck")->setChecked(false);
    child<QPushButton>(*d, "PrintButton")->click();
    QCOMPARE(s.launcher.calls,
             QStringList(QStringLiteral("printReport Church Directory - Usher.pdf")));
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(s.launcher.jobs.back()->pageSize(), QSizeF(11, 8.5)); // a booklet prints landscape
    const QStringList texts = printed(s.launcher);
    QVERIFY(texts.contains(QStringLiteral("Grace Directory")));
    QVERIFY(texts.contains(QStringLiteral("Smith")));
    QVERIFY(!texts.contains(QStringLiteral("Brown"))); // no usher in that household
    QVERIFY(texts.contains(QStringLiteral("Smith, Bill (William)")));
    QVERIFY(prompts.asked.empty());

    auto again = s.dialog();
    QCOMPARE(child<QLineEdit>(*again, "TitleEdit")->text(), QStringLiteral("Grace Directory"));
    QVERIFY(child<QRadioButton>(*again, "ListRadio")->isChecked());
    QCOMPARE(child<QComboBox>(*again, "KindCombo")->currentText(),
             QStringLiteral("Church Offices"));
    QCOMPARE(child<QComboBox>(*again, "ItemCombo")->currentText(), QStringLiteral("Usher"));
    QCOMPARE(child<QComboBox>(*again, "LayoutCombo")->currentIndex(), int(BookStyle::Compact3));
    QVERIFY(child<QCheckBox>(*again, "BookletCheck")->isChecked());
    QVERIFY(!child<QCheckBox>(*again, "PrintDateCheck")->isChecked());
    // The settings records of the data folder were not touched.
    QVERIFY(!QFile::exists(s.folder.file(QStringLiteral("RostPrefs.QMR"))));
}

// A title picture chosen through the file question that does not decode leaves its frame, and the
// member is told which picture was left out; the book is printed all the same.
void PrintDirectoryDialogTest::unreadablePictureIsNamed()
{
    QueuedPrompts prompts;
    Setup s;
    const QString picture = s.folder.file(QStringLiteral("church.txt"));
    QFile file(picture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture, a note");
    file.close();
    auto d = s.dialog();
    prompts.queue(picture);
    child<QPushButton>(*d, "PictureButton")->click();
    QCOMPARE(child<QLineEdit>(*d, "PictureEdit")->text(), picture);
    child<QPushButton>(*d, "PrintButton")->click();
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(s.launcher.jobs.back()->pageSize(), QSizeF(8.5, 11));
    QCOMPARE(s.launcher.jobs.back()->pictures().size(), std::size_t(1));
    QVERIFY(s.launcher.jobs.back()->pictures().front().framed);
    QCOMPARE(prompts.asked.size(), std::size_t(2));
    QCOMPARE(prompts.asked[0].what, QStringLiteral("openFile"));
    QCOMPARE(prompts.asked[1].kind, MessageKind::Warning);
    QVERIFY(prompts.asked[1].text.contains(QLatin1String("title page picture")));
}

QTEST_MAIN(PrintDirectoryDialogTest)
#include "PrintDirectoryDialogTest.moc"
