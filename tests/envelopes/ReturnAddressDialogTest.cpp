#include "envelopes/ui/ReturnAddressDialog.h"
#include "directory/ProgramContext.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"
#include "Widgets.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace rost;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QLineEdit *edit(QWidget &form, char which)
{
    return form.findChild<QLineEdit *>(QStringLiteral("RetAddEdit") + QLatin1Char(which));
}

} // namespace

class ReturnAddressDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsLinesInMemory();
    void okSavesAndCloses();
    void closeBoxKeepsEverything();
    void typingStopsAt40();
    void failedSaveKeepsLinesAndCloses();
};

void ReturnAddressDialogTest::showsLinesInMemory()
{
    QTemporaryDir dir;
    ProgramContext context(dir.path());
    Preferences &prefs = context.preferences();
    prefs.RetAddLine1 = QStringLiteral("On disk");
    prefs.Save();
    prefs.RetAddLine1 = QStringLiteral("In memory");
    prefs.RetAddLine3 = QStringLiteral("Third");
    ReturnAddressDialog form(context);
    QCOMPARE(form.windowTitle(), QStringLiteral("Return address definition"));
    form.show();
    QCOMPARE(edit(form, 'A')->text(), QStringLiteral("In memory"));
    QCOMPARE(edit(form, 'B')->text(), QString());
    QCOMPARE(edit(form, 'C')->text(), QStringLiteral("Third"));
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("OKButton"))->text(),
             QStringLiteral("&OK"));
    // No help button, but F1 shows the dialog's page.
    QCOMPARE(test::topicAfterF1(edit(form, 'B')), 23);
}

void ReturnAddressDialogTest::okSavesAndCloses()
{
    QTemporaryDir dir;
    ProgramContext context(dir.path());
    Preferences &prefs = context.preferences();
    prefs.RetAddLine1 = QStringLiteral("a");
    prefs.RetAddLine2 = QStringLiteral("b");
    prefs.RetAddLine3 = QStringLiteral("c");
    prefs.RetAddLine4 = QStringLiteral("d");
    prefs.Save();
    ReturnAddressDialog form(context);
    form.show();
    for (char c : {'A', 'B', 'C', 'D'})
        edit(form, c)->clear();
    QTest::keyClicks(edit(form, 'B'), QStringLiteral("12 Elm St"));
    QTest::keyClick(edit(form, 'B'), Qt::Key_Return); // Enter presses the default button
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
    QCOMPARE(prefs.RetAddLine1, QString());
    QCOMPARE(prefs.RetAddLine2, QStringLiteral("12 Elm St"));
    Preferences reread(dir.path());
    reread.Load();
    QCOMPARE(reread.RetAddLine2, QStringLiteral("12 Elm St"));
    QCOMPARE(reread.RetAddLine4, QString());
}

void ReturnAddressDialogTest::closeBoxKeepsEverything()
{
    QTemporaryDir dir;
    ProgramContext context(dir.path());
    Preferences &prefs = context.preferences();
    prefs.RetAddLine1 = QStringLiteral("Grace");
    prefs.Save();
    const QByteArray before = fileBytes(prefs.filePath());
    ReturnAddressDialog form(context);
    form.show();
    QTest::keyClicks(edit(form, 'A'), QStringLiteral(" Church"));
    form.close();
    QCOMPARE(prefs.RetAddLine1, QStringLiteral("Grace"));
    QCOMPARE(fileBytes(prefs.filePath()), before);
}

void ReturnAddressDialogTest::typingStopsAt40()
{
    ProgramContext context(QString{});
    ReturnAddressDialog form(context);
    form.show();
    QTest::keyClicks(edit(form, 'D'), QString(45, QLatin1Char('x')));
    QCOMPARE(edit(form, 'D')->text().size(), 40);
}

void ReturnAddressDialogTest::failedSaveKeepsLinesAndCloses()
{
    QTemporaryDir dir;
    ProgramContext context(dir.path());
    Preferences &prefs = context.preferences();
    prefs.RetAddLine1 = QStringLiteral("Old");
    prefs.Save();
    QVERIFY(QFile::setPermissions(prefs.filePath(), QFileDevice::ReadOwner));
    const QByteArray before = fileBytes(prefs.filePath());

    QueuedPrompts prompts;
    ReturnAddressDialog form(context);
    form.show();
    edit(form, 'A')->setText(QStringLiteral("New"));
    form.findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(prompts.asked.size(), std::size_t(1));
    QCOMPARE(prompts.asked[0].kind, MessageKind::Error);
    QVERIFY(prompts.asked[0].text.contains(prefs.filePath()));
    QCOMPARE(prefs.RetAddLine1, QStringLiteral("New"));
    QCOMPARE(fileBytes(prefs.filePath()), before);
}

QTEST_MAIN(ReturnAddressDialogTest)
#include "ReturnAddressDialogTest.moc"
