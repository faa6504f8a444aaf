#include "labels/ui/PrintLabelsDialog.h"
#include "directory/ProgramContext.h"
#include "directory/ProgramSettings.h"
#include "directory/RostConnection.h"
#include "labels/LabelPrinting.h"
#include "labels/ui/SheetPreview.h"
#include "lists/ListKindTables.h"
#include "platform/ui/HelpViewer.h"

#include "ListFixture.h"
#include "QueuedPrompts.h"
#include "RecordingLauncher.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

struct Setup : OpenListDirectory
{
    Setup() { context.envelopeLayout().DelFont = {QStringLiteral("Times New Roman"), 12, 0}; }
    std::unique_ptr<PrintLabelsDialog> dialog(const QString &kind = {}, const QString &item = {})
    {
        return std::make_unique<PrintLabelsDialog>(conn, setup, context, launcher, kind, item);
    }
    ProgramContext context{folder.path()};
    RecordingLauncher launcher;
};

} // namespace

class PrintLabelsDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { programSettings()->clear(); }
    void listLabelsFromTheStartChosenOnThePicture();
    void customSheetIsCheckedAndRemembered();
    void emptyReturnAddressIsSaid();
};

// Opened on a list: its people, one label per household (the Smiths' couple named together),
// from the label clicked on the sheet's picture; every choice greets the next dialog.
void PrintLabelsDialogTest::listLabelsFromTheStartChosenOnThePicture()
{
    QueuedPrompts prompts;
    Setup s;
    auto d = s.dialog(QStringLiteral("Church Offices"), QStringLiteral("Usher"));
    d->show();
    QVERIFY(child<QRadioButton>(*d, "ListRadio")->isChecked());
    QCOMPARE(child<QComboBox>(*d, "ItemCombo")->currentText(), QStringLiteral("Usher"));
    QVERIFY(child<QCheckBox>(*d, "PerHouseholdCheck")->isChecked());
    QCOMPARE(child<QComboBox>(*d, "SheetCombo")->currentData().toString(), QStringLiteral("5160"));
    QVERIFY(!child<QWidget>(*d, "CustomGroup")->isEnabled());
    QVERIFY(HelpViewer::hasTopic(PrintLabelsDialog::HelpTopic));
    for (QWidget *w : d->findChildren<QWidget *>()) {
        if (w->focusPolicy() & Qt::TabFocus && w->isEnabled() && w->isVisible() &&
            !qobject_cast<QComboBox *>(w->parentWidget()) &&
            !qobject_cast<QAbstractSpinBox *>(w->parentWidget()) &&
            !qobject_cast<QAbstractButton *>(w))
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }

    QStringList tabOrder;
    QWidget *w = child<QWidget>(*d, "AllRadio");
    do {
        if (w->isEnabled() && w->focusPolicy() & Qt::TabFocus &&
            !qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            tabOrder << w->objectName();
        w = w->nextInFocusChain();
    } while (w != child<QWidget>(*d, "AllRadio") && tabOrder.size() < 40);
    QCOMPARE(tabOrder.mid(0, 10), (QStringList{"AllRadio", "ListRadio", "KindCombo", "ItemCombo",
                                               "ReturnRadio", "PerHouseholdCheck", "NameCombo",
                                               "SheetCombo", "StartRowSpin", "StartColumnSpin"}));

    // Row 3, column 2 of the 30-label sheet, clicked on its picture.
    auto *preview = child<SheetPreview>(*d, "SheetPreview");
    const LabelSheet sheet = *builtInSheet(QStringLiteral("5160"));
    const double scale = std::min((preview->width() - 4) / 8.5, (preview->height() - 4) / 11.0);
    const QPointF corner((preview->width() - 8.5 * scale) / 2,
                         (preview->height() - 11 * scale) / 2);
    QTest::mouseClick(
        preview, Qt::LeftButton, {},
        (corner + QPointF(sheet.labelLeft(7) + 0.5, sheet.labelTop(7) + 0.5) * scale).toPoint());
    QCOMPARE(child<QSpinBox>(*d, "StartRowSpin")->value(), 3);
    QCOMPARE(child<QSpinBox>(*d, "StartColumnSpin")->value(), 2);

    child<QPushButton>(*d, "PrintButton")->click();
    QCOMPARE(s.launcher.calls, QStringList(QStringLiteral("printReport Labels - Usher.pdf")));
    QCOMPARE(d->result(), int(QDialog::Accepted));
    const auto &texts = s.launcher.jobs.back()->texts();
    QCOMPARE(texts.front().text, QStringLiteral("William and Matilda Smith"));
    QCOMPARE(texts.front().x, 0.1875 + 2.75 + LabelInnerMargin);
    QVERIFY(prompts.asked.empty());

    auto again = s.dialog();
    QVERIFY(child<QRadioButton>(*again, "ListRadio")->isChecked());
    QCOMPARE(child<QComboBox>(*again, "KindCombo")->currentText(),
             QStringLiteral("Church Offices"));
    QCOMPARE(child<QSpinBox>(*again, "StartRowSpin")->value(), 3);
    QCOMPARE(child<QSpinBox>(*again, "StartColumnSpin")->value(), 2);
}

// A custom sheet whose labels run off the paper is refused before printing; a sound one prints
// on its own geometry and is there the next time.
void PrintLabelsDialogTest::customSheetIsCheckedAndRemembered()
{
    QueuedPrompts prompts;
    Setup s;
    auto d = s.dialog();
    QVERIFY(child<QRadioButton>(*d, "AllRadio")->isChecked());
    auto *sheets = child<QComboBox>(*d, "SheetCombo");
    sheets->setCurrentIndex(sheets->findData(QStringLiteral("custom")));
    QVERIFY(child<QWidget>(*d, "CustomGroup")->isEnabled());
    child<QDoubleSpinBox>(*d, "RowsSpin")->setValue(12); // 12 one-inch rows on 11 inches
    child<QPushButton>(*d, "PrintButton")->click();
    QCOMPARE(prompts.asked.size(), std::size_t(1));
    QVERIFY(prompts.asked.front().text.contains(QLatin1String("do not fit")));
    QVERIFY(s.launcher.calls.isEmpty());

    child<QDoubleSpinBox>(*d, "RowsSpin")->setValue(2);
    child<QDoubleSpinBox>(*d, "TopSpin")->setValue(1);
    child<QPushButton>(*d, "PrintButton")->click();
    QCOMPARE(s.launcher.calls.size(), 1);
    const auto &texts = s.launcher.jobs.back()->texts();
    QCOMPARE(texts.front().x, 0.1875 + LabelInnerMargin);
    QCOMPARE(texts.front().baseline,
             1 + LabelInnerMargin + 0.2 - s.launcher.jobs.back()->descentOf(12));

    auto again = s.dialog();
    QCOMPARE(child<QComboBox>(*again, "SheetCombo")->currentData().toString(),
             QStringLiteral("custom"));
    QCOMPARE(child<QDoubleSpinBox>(*again, "RowsSpin")->value(), 2.0);
    QCOMPARE(child<QDoubleSpinBox>(*again, "TopSpin")->value(), 1.0);
}

void PrintLabelsDialogTest::emptyReturnAddressIsSaid()
{
    QueuedPrompts prompts;
    Setup s;
    auto d = s.dialog();
    child<QRadioButton>(*d, "ReturnRadio")->setChecked(true);
    QVERIFY(!child<QComboBox>(*d, "NameCombo")->isEnabled());
    child<QPushButton>(*d, "PrintButton")->click();
    QCOMPARE(prompts.asked.size(), std::size_t(1));
    QVERIFY(prompts.asked.front().text.contains(QLatin1String("return address is empty")));
    QVERIFY(s.launcher.calls.isEmpty());
}

QTEST_MAIN(PrintLabelsDialogTest)
#include "PrintLabelsDialogTest.moc"
