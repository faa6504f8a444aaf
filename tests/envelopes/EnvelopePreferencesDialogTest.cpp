#include "envelopes/ui/EnvelopePreferencesDialog.h"
#include "directory/ProgramContext.h"
#include "platform/ui/FontChooserDialog.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"
#include "Widgets.h"

#include "RecordingLauncher.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace rost;

namespace {

// The dialog on a layout file of its own.
struct Fixture
{
    QTemporaryDir dir;
    ProgramContext context{dir.path()};
    EnvelopeLayout &layout = context.envelopeLayout();
    test::RecordingLauncher launcher;
    QueuedPrompts prompts;
    std::unique_ptr<EnvelopePreferencesDialog> form;

    void open()
    {
        launcher.realJobs = true;
        form = std::make_unique<EnvelopePreferencesDialog>(context, launcher);
        form->show();
        // Leaving a field needs focus, and focus needs an active window.
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    template <typename T> T *get(const char *name)
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    QDoubleSpinBox *edit(const char *name) { return get<QDoubleSpinBox>(name); }
    QComboBox *combo(const char *name) { return get<QComboBox>(name); }
    QPushButton *button(const char *name) { return get<QPushButton>(name); }
    std::vector<double> positions()
    {
        return {edit("RetTopEdit")->value(), edit("RetLeftEdit")->value(),
                edit("DelTopEdit")->value(), edit("DelLeftEdit")->value()};
    }
    // A pick from the drop-down list, also of the entry already shown.
    void pick(const char *comboName, int index)
    {
        combo(comboName)->setCurrentIndex(index);
        Q_EMIT combo(comboName)->activated(index);
    }
    void type(QDoubleSpinBox *e, const QString &text)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Tab);
    }
};

using Positions = std::vector<double>;

} // namespace

class EnvelopePreferencesDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void helpFollowsTheFocus();
    void fontDescription();
    void showsDefaultsInFreshFolder();
    void feedPresetNotSavedUntilSave();
    void typedPositionsSaved();
    void presetReplacesEdits();
    void orientationKeepsPositions();
    void typedFeedCountsAsCenter();
    void outOfRangeValuesLeaveCombos();
    void deliveryFontAndPrinterFonts();
    void fontDialogKeepsWhatIsNotChanged();
    void getDefaultsWritesFile();
    void saveFailureShown();
    void printTestWithoutReturn();
};

// F1 tells about the control with the focus; the help button about the controls.
void EnvelopePreferencesDialogTest::helpFollowsTheFocus()
{
    Fixture f;
    f.open();
    QCOMPARE(test::topicAfterF1(f.button("SelectDeliveryFontButton")), 451);
    QCOMPARE(test::topicAfterF1(f.edit("RetTopEdit")), 9);
    HelpViewer::instance(f.form.get())->showContents();
    f.button("EnvHelpButton")->click();
    QCOMPARE(HelpViewer::instance(f.form.get())->shownTopic(), 9);
}

void EnvelopePreferencesDialogTest::fontDescription()
{
    QCOMPARE(envFontDescription({QStringLiteral("Times New Roman"), 12, 0}),
             QStringLiteral("Times New Roman, 12pt "));
    QCOMPARE(envFontDescription({QStringLiteral("Arial"), 10, 0x0F}),
             QStringLiteral("Arial, 10pt Bold Italic Underline"));
    QCOMPARE(envFontDescription({QStringLiteral("Arial"), 10, EnvelopeFont::StrikeOut}),
             QStringLiteral("Arial, 10pt "));
}

void EnvelopePreferencesDialogTest::showsDefaultsInFreshFolder()
{
    Fixture f;
    f.open();
    QCOMPARE(f.form->windowTitle(), QStringLiteral("Envelope Preferences"));
    QCOMPARE(QFileInfo(f.layout.filePath()).size(), 464);
    QCOMPARE(f.positions(), (Positions{2.3, 0.4, 4.25, 4.75}));
    QCOMPARE(f.combo("FeedPositionCombo")->currentText(), QStringLiteral("Center"));
    QCOMPARE(f.combo("OrientationCombo")->currentText(), QStringLiteral("Landscape"));
    QVERIFY(!f.get<QCheckBox>("cbPrintRetAdd")->isChecked());
    QCOMPARE(f.get<QLineEdit>("DelFontEdit")->text(), QStringLiteral("Times New Roman, 12pt "));
    QCOMPARE(f.button("GetDefaultsButton")->toolTip(),
             QStringLiteral("Click here to return to envelope defaults"));
    const QString word = QStringLiteral("Spe") + QStringLiteral("cification ");
    QCOMPARE(f.get<QGroupBox>("ReturnAddressPositions")->title(),
             QStringLiteral(" Return Address ") + word);
    QCOMPARE(f.get<QGroupBox>("DeliveryAddressPositions")->title(),
             QStringLiteral(" Delivery Address ") + word);
}

void EnvelopePreferencesDialogTest::feedPresetNotSavedUntilSave()
{
    Fixture f;
    f.open();
    f.pick("FeedPositionCombo", 0);
    QCOMPARE(f.positions(), (Positions{0.5, 0.4, 2.2, 4.75}));
    QCOMPARE(f.layout.FeedPosition, quint8(0));
    f.form->close();
    f.open();
    QCOMPARE(f.positions(), (Positions{2.3, 0.4, 4.25, 4.75}));
    QCOMPARE(f.combo("FeedPositionCombo")->currentText(), QStringLiteral("Center"));
}

void EnvelopePreferencesDialogTest::typedPositionsSaved()
{
    Fixture f;
    f.open();
    f.pick("FeedPositionCombo", 2);
    f.type(f.edit("RetTopEdit"), QStringLiteral("4.25"));
    f.type(f.edit("DelLeftEdit"), QStringLiteral("5.5"));
    QCOMPARE(f.layout.RetTop, 4.25); // taken when the field is left
    f.button("EnvOKButton")->click();
    QVERIFY(f.form->isVisible());
    EnvelopeLayout saved(f.dir.path());
    QCOMPARE(saved.Load(), QStringList());
    QCOMPARE(saved.FeedPosition, quint8(2));
    QCOMPARE(saved.RetTop, 4.25);
    QCOMPARE(saved.DelTop, 6.56);
    QCOMPARE(saved.DelLeft, 5.5);
}

void EnvelopePreferencesDialogTest::presetReplacesEdits()
{
    Fixture f;
    f.open();
    f.type(f.edit("RetTopEdit"), QStringLiteral("1.11"));
    f.type(f.edit("DelLeftEdit"), QStringLiteral("3.33"));
    f.pick("FeedPositionCombo", 1); // the entry already shown
    QCOMPARE(f.positions(), (Positions{2.3, 0.4, 4.25, 4.75}));
    QCOMPARE(f.layout.RetTop, 2.3);
}

void EnvelopePreferencesDialogTest::orientationKeepsPositions()
{
    Fixture f;
    f.open();
    f.type(f.edit("DelTopEdit"), QStringLiteral("3.5"));
    f.pick("OrientationCombo", 0);
    QCOMPARE(f.layout.Orientation, quint8(0));
    QCOMPARE(f.positions(), (Positions{2.3, 0.4, 3.5, 4.75}));
    QTest::keyClicks(f.combo("OrientationCombo")->lineEdit(), QStringLiteral("z"));
    QCOMPARE(f.layout.Orientation, quint8(1));
}

void EnvelopePreferencesDialogTest::typedFeedCountsAsCenter()
{
    Fixture f;
    f.open();
    f.pick("FeedPositionCombo", 2);
    f.type(f.edit("RetLeftEdit"), QStringLiteral("1"));
    f.combo("FeedPositionCombo")->lineEdit()->setFocus();
    QTest::keyClicks(f.combo("FeedPositionCombo")->lineEdit(), QStringLiteral("q"));
    QCOMPARE(f.layout.FeedPosition, quint8(1));
    QCOMPARE(f.positions(), (Positions{2.3, 0.4, 4.25, 4.75}));
}

void EnvelopePreferencesDialogTest::outOfRangeValuesLeaveCombos()
{
    Fixture f;
    f.layout.SetDefaults();
    f.layout.FeedPosition = 9;
    f.layout.Orientation = 5;
    f.layout.RetTop = 1.5;
    f.layout.Save();
    f.open();
    QCOMPARE(f.combo("FeedPositionCombo")->currentText(), QStringLiteral("Center"));
    QCOMPARE(f.combo("OrientationCombo")->currentText(), QStringLiteral("Landscape"));
    QCOMPARE(f.edit("RetTopEdit")->value(), 1.5); // no preset applied by showing
    QCOMPARE(f.layout.FeedPosition, quint8(9));
}

void EnvelopePreferencesDialogTest::deliveryFontAndPrinterFonts()
{
    Fixture f;
    f.open();
    QFont arial(QStringLiteral("Arial"), 14);
    arial.setBold(true);
    arial.setItalic(true);
    f.prompts.queue(std::optional<QFont>(std::nullopt)); // return name font: cancelled
    f.prompts.queue(std::optional<QFont>(arial));
    QFont longName(QString(50, QLatin1Char('F')), 9);
    f.prompts.queue(std::optional<QFont>(longName));
    f.button("SelectReturnNameFontButton")->click();
    f.button("SelectDeliveryFontButton")->click();
    f.button("SelectReturnAddFontButton")->click();

    QCOMPARE(f.get<QLineEdit>("RetNameFontEdit")->text(), QStringLiteral("Times New Roman, 12pt "));
    QCOMPARE(f.get<QLineEdit>("DelFontEdit")->text(), QStringLiteral("Arial, 14pt Bold Italic "));
    QCOMPARE(f.layout.DelFont, (EnvelopeFont{QStringLiteral("Arial"), 14, 3}));
    QCOMPARE(f.layout.RetAddFont.Name, QString(40, QLatin1Char('F')));
    QCOMPARE(f.layout.RetAddFont.Size, 9);
    QCOMPARE(f.prompts.asked.size(), std::size_t(3));
    QCOMPARE(f.prompts.asked[0].text, QStringLiteral("screen"));
    QCOMPARE(f.prompts.asked[1].text, QStringLiteral("printer"));
    QCOMPARE(f.prompts.asked[2].text, QStringLiteral("printer")); // stays switched
}

// The face stored for the member stays when the font dialog is left with OK untouched, even on a
// system without that face; the underline the envelope prints stays shown.
void EnvelopePreferencesDialogTest::fontDialogKeepsWhatIsNotChanged()
{
    Fixture f;
    const EnvelopeFont stored{QStringLiteral("Rostella Missing Face"), 13,
                              EnvelopeFont::Bold | EnvelopeFont::Underline};
    QCOMPARE(f.layout.Load(), QStringList());
    f.layout.DelFont = stored;
    f.layout.Save();
    f.open();
    QCOMPARE(f.get<QLineEdit>("DelFontEdit")->text(),
             QStringLiteral("Rostella Missing Face, 13pt Bold Underline"));
    Prompts::install(nullptr);
    test::whenShown<FontChooserDialog>([](FontChooserDialog &dialog) { dialog.accept(); });
    f.button("SelectDeliveryFontButton")->click();
    Prompts::install(&f.prompts);
    QCOMPARE(f.layout.DelFont, stored);
    QCOMPARE(f.get<QLineEdit>("DelFontEdit")->text(),
             QStringLiteral("Rostella Missing Face, 13pt Bold Underline"));
}

void EnvelopePreferencesDialogTest::getDefaultsWritesFile()
{
    Fixture f;
    f.layout.SetDefaults();
    f.layout.DelTop = 1.0;
    f.layout.PrintRetAdd = true;
    f.layout.Save();
    f.open();
    QVERIFY(f.get<QCheckBox>("cbPrintRetAdd")->isChecked());
    f.button("GetDefaultsButton")->click();
    QVERIFY(!f.get<QCheckBox>("cbPrintRetAdd")->isChecked());
    QCOMPARE(f.edit("DelTopEdit")->value(), 4.25);
    f.form->close();
    EnvelopeLayout saved(f.dir.path());
    QCOMPARE(saved.Load(), QStringList());
    QCOMPARE(saved.DelTop, 4.25);
    QVERIFY(!saved.PrintRetAdd);
}

void EnvelopePreferencesDialogTest::saveFailureShown()
{
    Fixture f;
    f.open();
    QVERIFY(QFile::setPermissions(f.layout.filePath(), QFileDevice::ReadOwner));
    f.type(f.edit("DelTopEdit"), QStringLiteral("3"));
    f.button("EnvOKButton")->click();
    QCOMPARE(f.prompts.asked.size(), std::size_t(1));
    QCOMPARE(f.prompts.asked[0].kind, MessageKind::Error);
    QCOMPARE(f.layout.DelTop, 3.0);

    // A failed "Get defaults": the defaults in memory, the fields as they were.
    f.button("GetDefaultsButton")->click();
    QCOMPARE(f.prompts.asked.size(), std::size_t(2));
    QCOMPARE(f.layout.DelTop, 4.25);
    QCOMPARE(f.edit("DelTopEdit")->value(), 3.0);
}

void EnvelopePreferencesDialogTest::printTestWithoutReturn()
{
    Fixture f;
    f.open();
    f.get<QCheckBox>("cbPrintRetAdd")->setChecked(false);
    f.type(f.edit("DelLeftEdit"), QStringLiteral("5")); // unsaved, still printed
    const QString pdf = f.dir.filePath(QStringLiteral("test.pdf"));
    f.prompts.queue(pdf);
    f.button("PrintTestButton")->click();

    QCOMPARE(f.prompts.asked.size(), std::size_t(2));
    QCOMPARE(f.prompts.asked[0].what, QStringLiteral("saveFile"));
    QCOMPARE(f.prompts.asked[1].kind, MessageKind::Information);
    QVERIFY(f.prompts.asked[1].text.contains(pdf));

    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    QCOMPARE(html.count(QLatin1String(">Test</word>")), 4);
    QVERIFY(!html.contains(QLatin1String("Return")));
    QVERIFY(html.contains(QLatin1String("<word xMin=\"360.000000\"")));
}

QTEST_MAIN(EnvelopePreferencesDialogTest)
#include "EnvelopePreferencesDialogTest.moc"
