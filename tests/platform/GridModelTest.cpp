#include "platform/ui/GridModel.h"
#include "directory/Cursor.h"
#include "directory/Query.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/ui/GridView.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

// A families cursor that counts the rows read by number, so a test sees what the grid reads.
class CountingCursor : public Cursor
{
public:
    using Cursor::Cursor;
    QVariantList rowValues(qint64 rowId, const QStringList &fields) const override
    {
        ++reads;
        return Cursor::rowValues(rowId, fields);
    }
    mutable int reads = 0;
};

const QList<GridColumn> nameColumn{{fld::FamilyName, 40, QStringLiteral("Family")}};

// The row header as painted: the current row carries the indicator, every other row looks alike.
QImage headerRow(GridView &view, int row)
{
    QHeaderView *h = view.verticalHeader();
    return h->viewport()
        ->grab(
            QRect(0, h->sectionViewportPosition(row), h->viewport()->width(), h->sectionSize(row)))
        .toImage();
}

} // namespace

class GridModelTest : public QObject
{
    Q_OBJECT

private:
    TestFolder *m_folder = nullptr;
    RostConnection m_conn;

    // n families named "Name 00001" ... with numbers in the opposite order, so that name order
    // and table order differ.
    void writeFamilies(int n)
    {
        std::vector<Row> rows;
        rows.reserve(size_t(n));
        for (int i = 1; i <= n; ++i)
            rows.push_back(family(
                n + 1 - i, QStringLiteral("Name %1").arg(n + 1 - i, 5, 10, QLatin1Char('0'))));
        writeTable(m_folder->path(), familiesTable(), rows);
    }

    void connectFolder()
    {
        m_conn.setPath(m_folder->path());
        m_conn.connect();
    }

private Q_SLOTS:
    void init() { m_folder = new TestFolder; }
    void cleanup()
    {
        m_conn.disconnect();
        delete m_folder;
    }

    // The grid over a large table reads the row numbers once and only the rows it shows.
    void readsOnlyVisibleRows()
    {
        writeFamilies(5000);
        connectFolder();
        CountingCursor fam(m_conn, tbl::Families);
        fam.setIndexName(idx::FamilyNameOrder);
        fam.open();

        GridView view;
        view.setColumns(nameColumn);
        view.setSource(&fam);
        view.resize(400, 300);
        view.show();
        view.grab();
        GridModel *model = view.gridModel();
        QCOMPARE(model->rowCount(), 5000);
        const int visible =
            view.viewport()->height() / view.verticalHeader()->defaultSectionSize() + 2;
        QVERIFY2(fam.reads <= visible, qPrintable(QStringLiteral("%1 reads").arg(fam.reads)));
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("Name 00001"));

        fam.last();
        view.grab();
        QCOMPARE(model->currentRow(), 4999);
        QCOMPARE(view.currentIndex().row(), 4999);
        QVERIFY(headerRow(view, 4999) != headerRow(view, 4998));
        QCOMPARE(headerRow(view, 4998), headerRow(view, 4997));

        for (const char *text : {"Name 02500", "Name 01000", "Name 04000"}) {
            fam.findNearest(QLatin1String(text));
            view.grab();
            QCOMPARE(view.currentIndex().data().toString(), QLatin1String(text));
        }
        QVERIFY2(fam.reads <= 5 * visible, qPrintable(QStringLiteral("%1 reads").arg(fam.reads)));
        view.setSource(nullptr);
    }

    void viewMovesCursor()
    {
        writeFamilies(50);
        connectFolder();
        Cursor fam(m_conn, tbl::Families);
        fam.setIndexName(idx::FamilyNameOrder);
        fam.open();
        GridView view;
        view.setColumns(nameColumn);
        view.setSource(&fam);
        view.show();

        view.setCurrentIndex(view.model()->index(10, 0));
        QCOMPARE(fam.text(fld::FamilyName), QStringLiteral("Name 00011"));
        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(fam.text(fld::FamilyName), QStringLiteral("Name 00012"));
        QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(fam.text(fld::FamilyName), QStringLiteral("Name 00050"));
        view.setSource(nullptr);
    }

    // Rows deleted, posted, reordered or restricted away are read again; a closed cursor empties
    // the grid.
    void followsChangesOfTheRows()
    {
        writeFamilies(5);
        writeTable(m_folder->path(), individualsTable(),
                   {person(11, 1, 1, QStringLiteral("Al"), QStringLiteral("One")),
                    person(12, 1, 2, QStringLiteral("Bo"), QStringLiteral("One")),
                    person(21, 2, 1, QStringLiteral("Cy"), QStringLiteral("Two"))});
        connectFolder();
        Cursor fam(m_conn, tbl::Families);
        fam.setIndexName(idx::FamilyNameOrder);
        fam.open();
        GridModel model;
        model.setColumns(nameColumn);
        model.setSource(&fam);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Name 00001"));

        fam.deleteRecord();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.currentRow(), 0);
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Name 00002"));

        // An edit shows at once, without its trailing blanks; a post that changes the order is
        // sorted in.
        fam.setText(fld::FamilyName, QStringLiteral("Zed  "));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Zed"));
        fam.post();
        QCOMPARE(model.currentRow(), 3);
        QCOMPARE(model.data(model.index(3, 0)).toString(), QStringLiteral("Zed"));

        // Another order shows at once; the current row stays current.
        fam.setIndexName(idx::FamilyIdNumOrder);
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Zed")); // number 2
        QCOMPARE(model.currentRow(), 0);

        Cursor ind(m_conn, tbl::Individuals);
        ind.setIndexName(idx::FamilyIdRankOrder);
        ind.setMasterSource(&fam, fld::FamilyIdNum);
        ind.open();
        GridModel members;
        members.setColumns({{fld::FirstName, 20, QStringLiteral("First")}});
        members.setSource(&ind);
        QCOMPARE(members.rowCount(), 1);
        fam.locate(fld::FamilyIdNum, 3);
        QCOMPARE(members.rowCount(), 0);
        QCOMPARE(members.currentRow(), -1);
        fam.locate(fld::FamilyIdNum, 2);
        QCOMPARE(members.rowCount(), 1);
        QCOMPARE(members.data(members.index(0, 0)).toString(), QStringLiteral("Cy"));
        QCOMPARE(members.currentRow(), 0);

        fam.close();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.currentRow(), -1);
        fam.open();
        QCOMPARE(model.rowCount(), 4);
        members.setSource(nullptr);
        model.setSource(nullptr);
    }

    // A query's rows follow its statement, and its current row is the grid's, both ways.
    void queryRowsAndCurrentRow()
    {
        writeFamilies(3);
        connectFolder();
        Query q(m_conn);
        GridView view;
        view.setColumns({{fld::FamilyName, 20, QStringLiteral("Name")},
                         {QStringLiteral("Nothing"), 10, QStringLiteral("None")}});
        view.setSource(&q);
        view.show();
        QCOMPARE(view.model()->rowCount(), 0);

        q.setSql(QStringLiteral("Select \"Family Name\" || '  ' as \"Family Name\" from "
                                "RostFamilies Order by \"Family ID Num\" desc"));
        q.open();
        QCOMPARE(view.model()->rowCount(), 3);
        QCOMPARE(view.currentIndex().row(), 0);
        QCOMPARE(view.model()->index(0, 0).data().toString(), QStringLiteral("Name 00003"));
        QCOMPARE(view.model()->index(0, 1).data().toString(), QString()); // no such column

        q.gotoRow(2);
        QCOMPARE(view.currentIndex().row(), 2);
        view.selectRow(1);
        QCOMPARE(q.recNo(), 1);
        QCOMPARE(q.text(fld::FamilyName), QStringLiteral("Name 00002"));

        q.setSql(QStringLiteral("Select \"Family Name\" from RostFamilies where 0"));
        QCOMPARE(view.model()->rowCount(), 0);
        QVERIFY(!view.currentIndex().isValid());
        q.open();
        QCOMPARE(view.model()->rowCount(), 0);
        view.setSource(nullptr);
    }

    // Widths are characters of the grid's type, and the grid is as wide as its columns.
    void columnsInCharactersNeverScrollSideways()
    {
        writeFamilies(40);
        connectFolder();
        Cursor fam(m_conn, tbl::Families);
        fam.open();
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        auto *view = new GridView(&window);
        layout->addWidget(view);
        view->setColumns({{fld::FamilyName, 40, QStringLiteral("Family")},
                          {fld::Title, 10, QStringLiteral("Title")}});
        view->setBoldTitles(true);
        view->setSource(&fam);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const int perChar = view->fontMetrics().averageCharWidth();
        QCOMPARE(view->columnWidth(0) - view->columnWidth(1), 30 * perChar);
        QVERIFY(view->horizontalHeader()->font().bold());
        QVERIFY(view->verticalScrollBar()->isVisible());
        QVERIFY(!view->horizontalScrollBar()->isVisible());

        QFont larger = window.font();
        larger.setPointSize(larger.pointSize() * 2);
        window.setFont(larger);
        QTRY_VERIFY(view->fontMetrics().averageCharWidth() > perChar);
        QCOMPARE(view->columnWidth(0) - view->columnWidth(1),
                 30 * view->fontMetrics().averageCharWidth());
        QVERIFY(view->horizontalHeader()->font().bold());
        QTRY_COMPARE(view->width(), view->sizeHint().width());
        QVERIFY(!view->horizontalScrollBar()->isVisible());
        view->setSource(nullptr);
    }
};

QTEST_MAIN(GridModelTest)
#include "GridModelTest.moc"
