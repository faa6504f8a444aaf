#include "platform/ui/CursorGridModel.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/ui/CursorGridView.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QHeaderView>
#include <QtTest>

#include <stdexcept>

using namespace rost;
using namespace rost::test;

class CursorGridModelTest : public QObject
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

    static QStringList nameColumn() { return {QStringLiteral("Family Name\t40\tFamily Name")}; }

private Q_SLOTS:
    void init() { m_folder = new TestFolder; }
    void cleanup()
    {
        m_conn.disconnect();
        delete m_folder;
    }

    void parsesColumnDefinitions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("title");
        QTest::newRow("full") << "Office\t20\tOffices"
                              << "Office" << 20 << "Offices";
        QTest::newRow("blanks kept in title") << "Last Name\t20\t Last  "
                                              << "Last Name" << 20 << " Last  ";
        QTest::newRow("field only") << "Goes By"
                                    << "Goes By" << 0 << "";
        QTest::newRow("no width") << "Title\t\tT"
                                  << "Title" << 0 << "T";
    }

    void parsesColumnDefinitions()
    {
        QFETCH(QString, text);
        const GridColumn c = GridColumn::parse(text);
        QTEST(c.field, "field");
        QTEST(c.width, "width");
        QTEST(c.title, "title");
    }

    void refusesMalformedDefinitions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("no field") << "\t20\tTitle";
        QTest::newRow("width not a number") << "Office\ttwenty\tOffices";
        QTest::newRow("negative width") << "Office\t-3\tOffices";
        QTest::newRow("four parts") << "Office\t20\tOffices\tmore";
    }

    void refusesMalformedDefinitions()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, GridColumn::parse(text));
    }

    // The grid over a large table reads the row numbers once and only the rows it shows.
    void fetchesOnlyVisibleRows()
    {
        writeFamilies(5000);
        connectFolder();
        Cursor fam(m_conn, QLatin1String(tbl::Families));
        fam.setIndexName(QLatin1String(idx::FamilyNameOrder));
        fam.open();

        CursorGridView view;
        view.setColumns(nameColumn());
        view.setCursor(&fam);
        view.resize(400, 300);
        view.show();
        view.grab();
        CursorGridModel *model = view.gridModel();
        QCOMPARE(model->rowCount(), 5000);
        const int visible =
            view.viewport()->height() / view.verticalHeader()->defaultSectionSize() + 2;
        QVERIFY2(model->fetchCount() <= visible,
                 qPrintable(QStringLiteral("%1 fetches").arg(model->fetchCount())));
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("Name 00001"));

        fam.last();
        view.grab();
        QCOMPARE(model->currentRow(), 4999);
        QCOMPARE(view.currentIndex().row(), 4999);
        QCOMPARE(view.indicatorRow(), 4999);

        for (const char *text : {"Name 02500", "Name 01000", "Name 04000"}) {
            fam.findNearest(QLatin1String(text));
            view.grab();
            QCOMPARE(view.currentIndex().data().toString(), QLatin1String(text));
        }
        QVERIFY2(model->fetchCount() <= 5 * visible,
                 qPrintable(QStringLiteral("%1 fetches").arg(model->fetchCount())));
        view.setCursor(nullptr);
    }

    void viewMovesCursor()
    {
        writeFamilies(50);
        connectFolder();
        Cursor fam(m_conn, QLatin1String(tbl::Families));
        fam.setIndexName(QLatin1String(idx::FamilyNameOrder));
        fam.open();
        CursorGridView view;
        view.setColumns(nameColumn());
        view.setCursor(&fam);
        view.show();

        view.setCurrentIndex(view.model()->index(10, 0));
        QCOMPARE(fam.text(QLatin1String(fld::FamilyName)), QStringLiteral("Name 00011"));
        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(fam.text(QLatin1String(fld::FamilyName)), QStringLiteral("Name 00012"));
        QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(fam.text(QLatin1String(fld::FamilyName)), QStringLiteral("Name 00050"));
        view.setCursor(nullptr);
    }

    // Rows deleted, posted or restricted away are read again; a closed cursor empties the grid.
    void followsChangesOfTheRows()
    {
        writeFamilies(5);
        writeTable(m_folder->path(), individualsTable(),
                   {person(11, 1, 1, QStringLiteral("Al"), QStringLiteral("One")),
                    person(12, 1, 2, QStringLiteral("Bo"), QStringLiteral("One")),
                    person(21, 2, 1, QStringLiteral("Cy"), QStringLiteral("Two"))});
        connectFolder();
        Cursor fam(m_conn, QLatin1String(tbl::Families));
        fam.setIndexName(QLatin1String(idx::FamilyNameOrder));
        fam.open();
        CursorGridModel model;
        model.setColumns(nameColumn());
        model.setCursor(&fam);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Name 00001"));

        fam.deleteRecord();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.currentRow(), 0);
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Name 00002"));

        // An edit shows at once; a post that changes the order is sorted in.
        fam.setText(QLatin1String(fld::FamilyName), QStringLiteral("Zed"));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Zed"));
        fam.post();
        QCOMPARE(model.currentRow(), 3);
        QCOMPARE(model.data(model.index(3, 0)).toString(), QStringLiteral("Zed"));

        Cursor ind(m_conn, QLatin1String(tbl::Individuals));
        ind.setIndexName(QLatin1String(idx::FamilyIdRankOrder));
        ind.setMasterSource(&fam, QLatin1String(fld::FamilyIdNum));
        ind.open();
        CursorGridModel members;
        members.setColumns(QStringList{QStringLiteral("First Name\t20\tFirst")});
        members.setCursor(&ind);
        fam.locate(QLatin1String(fld::FamilyIdNum), 3);
        QCOMPARE(members.rowCount(), 0);
        fam.locate(QLatin1String(fld::FamilyIdNum), 2);
        QCOMPARE(members.rowCount(), 1);
        QCOMPARE(members.data(members.index(0, 0)).toString(), QStringLiteral("Cy"));

        fam.close();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.currentRow(), -1);
        fam.open();
        QCOMPARE(model.rowCount(), 4);
        members.setCursor(nullptr);
        model.setCursor(nullptr);
    }
};

QTEST_MAIN(CursorGridModelTest)
#include "CursorGridModelTest.moc"
