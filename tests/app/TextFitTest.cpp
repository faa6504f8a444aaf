// Texts that must show whole at the default size: the main window's member and address lines,
// the About box and the font descriptions of the envelope preferences.
#include "app/ui/AboutDialog.h"
#include "app/ui/MainWindow.h"
#include "directory/EnvelopeLayout.h"
#include "directory/ProgramContext.h"
#include "directory/Tables.h"
#include "envelopes/ui/EnvelopePreferencesDialog.h"
#include "platform/ui/DataBoundMemo.h"

#include "Fixture.h"
#include "QueuedPrompts.h"
#include "RecordingLauncher.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

Q_DECLARE_METATYPE(rost::EnvelopeFont)

using namespace rost;
using rost::test::child;

namespace {

// Why a label does not show its whole text, or empty when it does.
QString clipped(const QLabel &label)
{
    const QSize hint = label.sizeHint();
    const int height = label.wordWrap() ? label.heightForWidth(label.width()) : hint.height();
    if (label.wordWrap() ? height > label.height()
                         : hint.width() > label.width() || height > label.height())
        return QStringLiteral("%1 needs %2x%3, has %4x%5")
            .arg(label.text())
            .arg(hint.width())
            .arg(height)
            .arg(label.width())
            .arg(label.height());
    return {};
}

// True when a one-line box shows its text from the first character to the last: the caret
// after the last character lies inside the box, where the text's width puts it.
bool showsWhole(QLineEdit &box)
{
    box.setCursorPosition(int(box.text().size()));
    const QRect caret = box.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return caret.center().x() <= box.contentsRect().right() &&
           caret.center().x() >= box.fontMetrics().horizontalAdvance(box.text());
}

test::Row family(std::initializer_list<std::pair<QLatin1String, QString>> fields)
{
    test::Row row = test::family(1, QStringLiteral("Kowalczyk"), QStringLiteral("The Family"));
    for (const auto &[name, value] : fields)
        row.insert(name, value);
    return row;
}

} // namespace

class TextFitTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mainWindowLines_data();
    void mainWindowLines();
    void aboutBox();
    void fontDescriptions_data();
    void fontDescriptions();
};

void TextFitTest::mainWindowLines_data()
{
    QTest::addColumn<test::Row>("familyRow");
    QTest::addColumn<test::Row>("memberRow");
    QTest::addColumn<QString>("phones");
    QTest::addColumn<int>("addressLines");

    test::Row member = test::person(11, 1, 1, QStringLiteral("Anna"), QStringLiteral("Kowalczyk"));
    test::Row five = member;
    five.insert(fld::WorkPhone, QStringLiteral("(416) 555-0101"));
    five.insert(fld::Fax, QStringLiteral("(416) 555-0102"));
    five.insert(fld::Cell, QStringLiteral("(416) 555-0103"));
    five.insert(fld::Pager, QStringLiteral("(416) 555-0104"));
    five.insert(fld::OtherPhoneLabel, QStringLiteral("Cottage"));
    five.insert(fld::OtherPhone, QStringLiteral("(705) 555-0105"));
    const QString fivePhones = QStringLiteral(
        "Work: (416) 555-0101   Fax: (416) 555-0102   Cell: (416) 555-0103   Pager: (416) "
        "555-0104   Cottage: (705) 555-0105");

    const test::Row composed = family({{fld::Address1, QStringLiteral("Apartment 1204")},
                                       {fld::Address2, QStringLiteral("2250 Lake Shore Blvd W")},
                                       {fld::City, QStringLiteral("Toronto")},
                                       {fld::State, QStringLiteral("ON")},
                                       {fld::Zip, QStringLiteral("M8V 3X2")},
                                       {fld::Country, QStringLiteral("Canada")}});
    const test::Row freeForm = family(
        {{fld::IntlAddress, QStringLiteral("Flat 2\r\n14 Church Lane\r\nOxford OX1 4AB\r\nUK")}});

    QTest::newRow("five phones, composed four-line address") << composed << five << fivePhones << 4;
    QTest::newRow("five phones, free-form four-line address")
        << freeForm << five << fivePhones << 4;
    QTest::newRow("no phones") << composed << member << QString() << 4;
}

void TextFitTest::mainWindowLines()
{
    QFETCH(test::Row, familyRow);
    QFETCH(test::Row, memberRow);
    QFETCH(QString, phones);
    QFETCH(int, addressLines);
    QueuedPrompts prompts;
    test::TestFolder folder;
    test::writeTable(folder.path(), familiesTable(), {familyRow});
    test::writeTable(folder.path(), individualsTable(), {memberRow});
    test::writeSetup(folder.path(), false, false, false, false, false);
    ProgramContext context(folder.path());
    test::RecordingLauncher launcher;
    MainWindow window(context, launcher);
    window.show();
    window.FormActivate();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto *phonesLine = child<QLabel>(window, "iPhonesEdit");
    QCOMPARE(phonesLine->text(), phones);
    QVERIFY2(clipped(*phonesLine).isEmpty(), qPrintable(clipped(*phonesLine)));
    // The e-mail line stays below the phones, inside the member's page.
    auto *email = child<QLineEdit>(window, "EMailEdit");
    QVERIFY(email->y() >= phonesLine->geometry().bottom());
    QVERIFY(email->geometry().bottom() < email->parentWidget()->height());

    auto *address = child<DataBoundMemo>(window, "AddEdit");
    QCOMPARE(test::shownLines(address).size(), addressLines);
    QVERIFY(!address->verticalScrollBar()->isVisible());
    QCOMPARE(address->verticalScrollBar()->maximum(), 0);
    QVERIFY(prompts.asked.empty());
}

void TextFitTest::aboutBox()
{
    AboutDialog about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QList<QLabel *> labels = about.findChildren<QLabel *>();
    QCOMPARE(labels.size(), 3);
    for (const QLabel *label : labels)
        QVERIFY2(clipped(*label).isEmpty(), qPrintable(clipped(*label)));
}

void TextFitTest::fontDescriptions_data()
{
    QTest::addColumn<EnvelopeFont>("font");
    QTest::addColumn<QString>("description");
    const auto every = quint8(EnvelopeFont::Bold | EnvelopeFont::Italic | EnvelopeFont::Underline);
    QTest::newRow("long name, every style")
        << EnvelopeFont{QStringLiteral("Liberation Serif"), 11, every}
        << QStringLiteral("Liberation Serif, 11pt Bold Italic Underline");
    QTest::newRow("the longest name the record holds")
        << EnvelopeFont{QString(EnvelopeFont::NameCapacity, QLatin1Char('W')), 72, every}
        << QString(EnvelopeFont::NameCapacity, QLatin1Char('W')) +
               QStringLiteral(", 72pt Bold Italic Underline");
    QTest::newRow("plain") << EnvelopeFont{QStringLiteral("Arial"), 10, 0}
                           << QStringLiteral("Arial, 10pt ");
}

void TextFitTest::fontDescriptions()
{
    QFETCH(EnvelopeFont, font);
    QFETCH(QString, description);
    QTemporaryDir dir;
    ProgramContext context(dir.path());
    QCOMPARE(context.envelopeLayout().Load(), QStringList());
    context.envelopeLayout().RetNameFont = font;
    context.envelopeLayout().RetAddFont = font;
    context.envelopeLayout().DelFont = font;
    context.envelopeLayout().Save();
    test::RecordingLauncher launcher;
    QueuedPrompts prompts;
    EnvelopePreferencesDialog form(context, launcher);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const char *name : {"RetNameFontEdit", "RetAddFontEdit", "DelFontEdit"}) {
        auto *box = child<QLineEdit>(form, name);
        QCOMPARE(box->text(), description);
        QVERIFY2(showsWhole(*box), name);
    }
}

QTEST_MAIN(TextFitTest)
#include "TextFitTest.moc"
