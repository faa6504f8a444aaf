#include "platform/ui/FontChooserDialog.h"
#include "platform/ui/Prompts.h"

#include "Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

QStringList itemsOf(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// An installed face other than the one the dialog shows.
QString otherFace(const QString &shown)
{
    for (const QString &face : QFontDatabase::families())
        if (face != shown && !QFontDatabase::styles(face).isEmpty())
            return face;
    return {};
}

} // namespace

class FontChooserDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QFontDatabase::families().size() < 2)
            QSKIP("the font dialog needs at least two installed faces");
    }

    // A face the system lacks stays the member's choice: OK without a change gives it back,
    // with its size and effects, while the face drawn in its place is selected in the list.
    void okKeepsTheStoredFace_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("not installed") << QStringLiteral("Rostella Missing Face");
        QTest::newRow("installed") << QFontDatabase::families().constFirst();
    }
    void okKeepsTheStoredFace()
    {
        QFETCH(QString, face);
        QFont stored(face);
        stored.setPointSize(17);
        stored.setUnderline(true);
        FontChooserDialog dialog(stored);
        dialog.show();
        QCOMPARE(child<QLineEdit>(dialog, "FaceEdit")->text(), face);
        const QString listed = dialog.listedFace();
        QCOMPARE(child<QListWidget>(dialog, "FaceList")->currentItem()->text(), listed);
        QCOMPARE(itemsOf(child<QListWidget>(dialog, "StyleList")), QFontDatabase::styles(listed));
        child<QDialogButtonBox>(dialog, "Buttons")->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QFont chosen = dialog.chosenFont();
        QCOMPARE(chosen.family(), face);
        QCOMPARE(chosen.pointSize(), 17);
        QVERIFY(chosen.underline());
        QVERIFY(!chosen.strikeOut());
    }

    void pickingAnotherFaceListsItsStyles()
    {
        FontChooserDialog dialog(QFont(QStringLiteral("Rostella Missing Face")));
        dialog.show();
        auto *faces = child<QListWidget>(dialog, "FaceList");
        const QString other = otherFace(dialog.listedFace());
        QListWidgetItem *item = faces->findItems(other, Qt::MatchExactly).front();
        QTest::mouseClick(faces->viewport(), Qt::LeftButton, {},
                          faces->visualItemRect(item).center());
        QCOMPARE(dialog.chosenFont().family(), other);
        QCOMPARE(child<QLineEdit>(dialog, "FaceEdit")->text(), other);
        QCOMPARE(itemsOf(child<QListWidget>(dialog, "StyleList")), QFontDatabase::styles(other));

        // Typing the start of a face's name picks it too.
        const QString typed = otherFace(other);
        retype(child<QLineEdit>(dialog, "FaceEdit"), typed);
        QCOMPARE(faces->currentItem()->text().left(typed.size()), typed);
        QCOMPARE(dialog.chosenFont().family(), faces->currentItem()->text());
    }

    void stylesAndSizes()
    {
        const QString face = otherFace(QString());
        QFont bold(face);
        bold.setBold(true);
        FontChooserDialog dialog(bold);
        dialog.show();
        auto *styles = child<QListWidget>(dialog, "StyleList");
        const QString shown = styles->currentItem()->text();
        QCOMPARE(QFontDatabase::bold(face, shown), true);
        QVERIFY(dialog.chosenFont().bold());

        // No limits on the size: any whole number of points above nothing.
        auto *size = child<QComboBox>(dialog, "SizeCombo");
        QVERIFY(size->isEditable());
        QCOMPARE(size->itemText(0).toInt(), QFontDatabase::standardSizes().front());
        auto *ok = child<QDialogButtonBox>(dialog, "Buttons")->button(QDialogButtonBox::Ok);
        retype(size->lineEdit(), QStringLiteral("250"));
        QCOMPARE(dialog.chosenFont().pointSize(), 250);
        QVERIFY(ok->isEnabled());
        retype(size->lineEdit(), QString());
        QVERIFY(!ok->isEnabled());

        // The envelope takes no colour, underline or strikeout from here.
        QVERIFY(dialog.findChildren<QCheckBox *>().isEmpty());
        QVERIFY(child<QDialogButtonBox>(dialog, "Buttons")->button(QDialogButtonBox::Help));
    }

    // The program's own prompts open this dialog for a font, and a printer dialog that does not
    // claim to print.
    void realPrompts()
    {
        QFont stored(QStringLiteral("Rostella Missing Face"));
        stored.setPointSize(11);
        whenShown<FontChooserDialog>([](FontChooserDialog &dialog) { dialog.accept(); });
        const std::optional<QFont> chosen = Prompts::instance().chooseFont(nullptr, stored, false);
        QVERIFY(chosen);
        QCOMPARE(chosen->family(), stored.family());
        QCOMPARE(chosen->pointSize(), 11);

        QString confirm;
        whenShown<QPrintDialog>([&confirm](QPrintDialog &dialog) {
            confirm = dialog.findChild<QDialogButtonBox *>(QString(), Qt::FindDirectChildrenOnly)
                          ->button(QDialogButtonBox::Ok)
                          ->text();
            dialog.reject();
        });
        QPrinter printer;
        QVERIFY(!Prompts::instance().printerSetup(nullptr, &printer));
        QCOMPARE(confirm, QStringLiteral("Use this printer"));
    }
};

QTEST_MAIN(FontChooserDialogTest)
#include "FontChooserDialogTest.moc"
