#include "app/exe/AppDialogLauncher.h"
#include "app/ui/MainWindow.h"
#include "directory/Cursor.h"
#include "directory/ProgramContext.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/ui/DataBoundEdit.h"
#include "platform/ui/DataBoundMemo.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/PictureView.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"
#include "platform/ui/RecordNavigator.h"

#include "Fixture.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QBuffer>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace rost;
using rost::test::child;
using rost::test::retype;
using rost::test::shownLines;

namespace {
QByteArray png(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Replaces a memo's text the way a user does, line by line.
} // namespace

// The data-bound displays, the picture view and the help viewer of the main window.
class BoundDisplaysTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void editFollowsAndPostsOnMove();
    void editKeepsTypedTrailingBlank();
    void editWithoutRowIsReadOnly();
    void editShowsTheRowAgainAfterARefusedValue();
    void memoKeepsCrLineEnds();
    void addressLinesAreStoredAlikeFromWindowAndDialog();
    void pictureFitsAndBadBytesShowNothing();
    void helpTopicsContentsAndSearch();

private:
    std::unique_ptr<test::TestFolder> m_folder;
    std::unique_ptr<RostConnection> m_connection;
    std::unique_ptr<Cursor> m_fam;
};

void BoundDisplaysTest::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    auto a = test::family(1, QStringLiteral("Adams"), QStringLiteral("The Adams"));
    a.insert(fld::IntlAddress, QStringLiteral("Flat 2\r\nLondon"));
    a.insert(fld::FamilyPicture, png(200, 100));
    auto b = test::family(2, QStringLiteral("Brown"), QStringLiteral("The Browns"));
    b.insert(fld::FamilyPicture, QByteArray("not a picture at all"));
    test::writeTable(m_folder->path(), familiesTable(), {a, b});
    m_connection = std::make_unique<RostConnection>();
    m_connection->setPath(m_folder->path());
    m_connection->connect();
    m_fam = std::make_unique<Cursor>(*m_connection, tbl::Families);
}

void BoundDisplaysTest::cleanup()
{
    m_fam.reset();
    m_connection.reset();
    m_folder.reset();
}

void BoundDisplaysTest::editFollowsAndPostsOnMove()
{
    DataBoundEdit edit;
    edit.bind(m_fam.get(), fld::VorelName);
    QCOMPARE(edit.text(), QString()); // closed cursor
    m_fam->open();
    QCOMPARE(edit.text(), QStringLiteral("The Adams"));
    QVERIFY(!edit.isReadOnly());
    m_fam->next();
    QCOMPARE(edit.text(), QStringLiteral("The Browns"));

    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("Browns"));
    QCOMPARE(m_fam->state(), CursorState::Edit);
    m_fam->prior(); // the move saves the edit
    QCOMPARE(edit.text(), QStringLiteral("The Adams"));
    m_fam->next();
    QCOMPARE(edit.text(), QStringLiteral("Browns"));

    m_fam->close();
    QCOMPARE(edit.text(), QString());
    edit.unbind();
}

void BoundDisplaysTest::editKeepsTypedTrailingBlank()
{
    m_fam->open();
    DataBoundEdit edit;
    edit.bind(m_fam.get(), fld::VorelName);
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("Ann "));
    QCOMPARE(edit.text(), QStringLiteral("Ann "));
    QTest::keyClicks(&edit, QStringLiteral("Lee"));
    QCOMPARE(edit.text(), QStringLiteral("Ann Lee"));
    m_fam->post();
    QCOMPARE(m_fam->text(fld::VorelName), QStringLiteral("Ann Lee"));

    // No more than the field holds can be typed.
    edit.selectAll();
    QTest::keyClicks(&edit, QString(45, QLatin1Char('x')));
    QCOMPARE(edit.text().size(), 40);
    edit.unbind();
}

void BoundDisplaysTest::editWithoutRowIsReadOnly()
{
    test::TestFolder other;
    test::writeTable(other.path(), familiesTable(), {});
    RostConnection connection;
    connection.setPath(other.path());
    connection.connect();
    Cursor empty(connection, tbl::Families);
    QueuedPrompts prompts;
    DataBoundEdit edit;
    edit.bind(&empty, fld::VorelName);
    empty.open();
    QVERIFY(edit.isReadOnly());
    QTest::keyClicks(&edit, QStringLiteral("x"));
    QCOMPARE(edit.text(), QString());
    QVERIFY(prompts.asked.empty());
    edit.unbind();
}

void BoundDisplaysTest::editShowsTheRowAgainAfterARefusedValue()
{
    m_fam->open();
    QueuedPrompts prompts;
    DataBoundEdit edit;
    edit.bind(m_fam.get(), fld::FamilyIdNum);
    QCOMPARE(edit.text(), QStringLiteral("1"));
    QTest::keyClicks(&edit, QStringLiteral("x"));
    QCOMPARE(prompts.asked.size(), size_t(1));
    QCOMPARE(prompts.asked.front().kind, MessageKind::Error);
    QCOMPARE(edit.text(), QStringLiteral("1"));
    QCOMPARE(m_fam->integer(fld::FamilyIdNum), 1);
    edit.unbind();
}

void BoundDisplaysTest::memoKeepsCrLineEnds()
{
    m_fam->open();
    DataBoundMemo memo;
    memo.bind(m_fam.get(), fld::IntlAddress);
    QCOMPARE(shownLines(&memo), (QStringList{"Flat 2", "London"}));
    memo.moveCursor(QTextCursor::End);
    QTest::keyClicks(&memo, QStringLiteral(" W1"));
    m_fam->post();
    QCOMPARE(m_fam->text(fld::IntlAddress), QStringLiteral("Flat 2\r\nLondon W1"));

    memo.unbind();
    QCOMPARE(memo.toPlainText(), QString());
    QVERIFY(memo.isReadOnly());
    memo.setLines({QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(shownLines(&memo), (QStringList{"a", "b"}));
    QCOMPARE(m_fam->state(), CursorState::Browse); // filling the display edits nothing
}

// The main window's address block and the update-family dialog store typed lines in the same
// bytes, whatever line ends the field held before.
void BoundDisplaysTest::addressLinesAreStoredAlikeFromWindowAndDialog()
{
    test::TestFolder folder;
    auto one = test::family(1, QStringLiteral("One"));
    one.insert(fld::IntlAddress, QStringLiteral("Single line"));
    test::writeTable(folder.path(), familiesTable(), {one, test::family(2, QStringLiteral("Two"))});
    test::writeTable(folder.path(), individualsTable(), {});
    test::writeSetup(folder.path(), false, false, false, false, false);
    const QStringList lines{QStringLiteral("Rue 1"), QStringLiteral("75001 Paris")};
    {
        ProgramContext context(folder.path());
        AppDialogLauncher launcher(context);
        MainWindow window(context, launcher);
        window.show();
        window.FormActivate();
        auto *address = window.findChild<DataBoundMemo *>(QStringLiteral("AddEdit"));
        QVERIFY(address->isBound());
        retype(address, lines.join(QLatin1Char('\n')));
        auto *nav = window.findChild<RecordNavigator *>(QStringLiteral("Nav"));
        nav->button(RecordNavigator::Button::Next)->click(); // saves the typed lines
        QCOMPARE(window.browser().familyView().familyId, FamilyId(2));
        QTimer::singleShot(0, [&lines] {
            auto *form = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(form);
            QCOMPARE(form->windowTitle(), QStringLiteral("Update Family"));
            retype(form->findChild<QTextEdit *>(QStringLiteral("IntlMemo")),
                   lines.join(QLatin1Char('\n')));
            form->findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
        });
        window.findChild<QPushButton *>(QStringLiteral("UpdateAddressButton"))->click();
        QCOMPARE(shownLines(address), lines);
    }
    RostConnection connection;
    connection.setPath(folder.path());
    connection.connect();
    Cursor fam(connection, tbl::Families);
    fam.setIndexName(idx::FamilyIdNumOrder);
    fam.open();
    const QString typedInWindow = fam.text(fld::IntlAddress);
    fam.next();
    QCOMPARE(fam.text(fld::IntlAddress), typedInWindow);
    QCOMPARE(typedInWindow, QStringLiteral("Rue 1\r\n75001 Paris"));
}

void BoundDisplaysTest::pictureFitsAndBadBytesShowNothing()
{
    PictureView view;
    view.resize(100, 100);
    view.bind(m_fam.get(), fld::FamilyPicture);
    m_fam->open();
    QCOMPARE(view.image().size(), QSize(200, 100));
    // Twice as wide as high: the full width, centred vertically.
    QCOMPARE(view.pictureRect(), QRect(0, 25, 100, 50));
    view.resize(40, 100);
    QCOMPARE(view.pictureRect(), QRect(0, 40, 40, 20));

    m_fam->next();
    QVERIFY(view.image().isNull());
    QVERIFY(view.pictureRect().isEmpty());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view)); // painting with no picture is fine
    view.unbind();
}

void BoundDisplaysTest::helpTopicsContentsAndSearch()
{
    for (int topic : {5, 6, 7, 8, 9, 10, 11, 12, 13, 16, 18, 451}) {
        QVERIFY2(HelpViewer::hasTopic(topic), qPrintable(QString::number(topic)));
    }
    for (const auto &t : HelpViewer::topics()) {
        QVERIFY2(!t.title.isEmpty(), qPrintable(QString::number(t.number)));
        QVERIFY2(!t.keywords.isEmpty(), qPrintable(QString::number(t.number)));
    }
    QWidget owner;
    showHelpTopic(&owner, 6);
    HelpViewer *viewer = HelpViewer::instance(&owner);
    QCOMPARE(viewer->shownTopic(), 6);
    QCOMPARE(child<QTextBrowser>(*viewer, "HelpTopic")->documentTitle(),
             QStringLiteral("Finding a family"));
    showHelpTopic(&owner, 4242);
    QCOMPARE(viewer->shownTopic(), -1);
    showHelpContents(&owner);
    QCOMPARE(viewer->shownTopic(), 0);

    showHelpSearch(&owner);
    const auto listed = [viewer] {
        QStringList entries;
        const auto *index = child<QListWidget>(*viewer, "HelpIndex");
        for (int i = 0; i < index->count(); ++i)
            entries << index->item(i)->text();
        return entries;
    };
    const QStringList all = listed();
    QVERIFY(all.contains(QStringLiteral("clipboard")));
    QVERIFY(all.contains(QStringLiteral("find family")));
    viewer->showSearch(QStringLiteral("FIND"));
    const QStringList found = listed();
    QVERIFY(found.contains(QStringLiteral("find individual")));
    QVERIFY(!found.contains(QStringLiteral("clipboard")));
}

QTEST_MAIN(BoundDisplaysTest)
#include "BoundDisplaysTest.moc"
