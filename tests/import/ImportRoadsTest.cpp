#include "directory/DataFolder.h"
#include "directory/ProgramContext.h"
#include "directory/Tables.h"
#include "import/ui/ImportDialog.h"
#include "platform/ui/Prompts.h"

#include "QueuedPrompts.h"

#include "ArchiveBuilder.h"
#include "Fixture.h"
#include "TestFolder.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

QByteArray tableBytes(const TableDef &def, const std::vector<Row> &rows)
{
    TestFolder scratch;
    writeTable(scratch.path(), def, rows);
    QFile f(scratch.file(def.file));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

class ImportRoadsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startupRoadImportsTheFixedArchiveUnseen()
    {
        TestFolder data;
        ArchiveBuilder(startupArchivePath(data.path()))
            .add(QStringLiteral("export/RostFamilies.adt"),
                 tableBytes(familiesTable(), {family(1, QStringLiteral("Smith"))}))
            .write();
        QueuedPrompts prompts;
        runStartupImport(nullptr, ProgramContext(data.path()));
        QVERIFY(prompts.asked.empty());                                        // nothing was shown
        QVERIFY(QFile::exists(data.file(QStringLiteral("RostFamilies.adt")))); // written flat
    }

    void startupRoadWithoutArchiveShowsTheDialog()
    {
        TestFolder data;
        QueuedPrompts prompts;
        // The dialog is modal: close it as the user would, with its close button.
        QTimer::singleShot(0, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *form = qobject_cast<ImportDialog *>(w)) {
                    QCOMPARE(form->windowTitle(), QStringLiteral("Import data"));
                    auto *label = form->findChild<QLabel *>(QStringLiteral("Label2"));
                    QCOMPARE(label->text(),
                             QStringLiteral("the Find Rostella Data button to get a Windows "
                                            "\"Open\" "));
                    form->findChild<QPushButton *>(QStringLiteral("CloseButton"))->click();
                }
        });
        runStartupImport(nullptr, ProgramContext(data.path()));
        QVERIFY(!DataFolder::familiesFilePresent(data.path()));
    }

    void menuRoadCancelReopensTheOldTables()
    {
        TestFolder data;
        writeTable(data.path(), familiesTable(), {family(1, QStringLiteral("Old"))});
        QueuedPrompts prompts;
        prompts.queue(QString()); // the open dialog is cancelled
        runMenuImport(nullptr, ProgramContext(data.path()));
        QCOMPARE(prompts.asked.size(), size_t(1));
        QCOMPARE(prompts.asked.front().title, QStringLiteral("Search for Rostella Data Files"));
        QVERIFY(DataFolder::familiesFilePresent(data.path()));
    }

    void archiveWithoutFamiliesKeepsOrLacksThem()
    {
        for (const bool oldOnePresent : {true, false}) {
            TestFolder data;
            if (oldOnePresent)
                writeTable(data.path(), familiesTable(), {family(1, QStringLiteral("Old"))});
            TestFolder source;
            const QString archive = source.file(QStringLiteral("RostData.zip"));
            ArchiveBuilder(archive)
                .add(QStringLiteral("RostSetup.adt"), tableBytes(setupTable(), {}))
                .write();
            QueuedPrompts prompts;
            prompts.queue(archive);
            runMenuImport(nullptr, ProgramContext(data.path()));
            QVERIFY(prompts.asked.size() == 1); // only the open dialog
            QCOMPARE(DataFolder::familiesFilePresent(data.path()), oldOnePresent);
            QVERIFY(QFile::exists(data.file(QStringLiteral("RostSetup.adt"))));
        }
    }

    void brokenArchiveIsShownAndTheTablesComeBack()
    {
        TestFolder data;
        writeTable(data.path(), familiesTable(), {family(1, QStringLiteral("Old"))});
        TestFolder source;
        const QString archive = source.file(QStringLiteral("RostData.zip"));
        QFile f(archive);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a zip archive");
        f.close();
        QueuedPrompts prompts;
        prompts.queue(archive);
        runMenuImport(nullptr, ProgramContext(data.path()));
        QCOMPARE(prompts.asked.size(), size_t(2));
        QCOMPARE(prompts.asked.back().kind, MessageKind::Error);
        QVERIFY(DataFolder::familiesFilePresent(data.path()));
    }

    void failedMemberWarningIsExactAndAlone()
    {
        TestFolder data;
        QDir(data.path()).mkdir(QStringLiteral("RostTalents.adt")); // a folder in the way
        TestFolder source;
        const QString archive = source.file(QStringLiteral("RostData.zip"));
        ArchiveBuilder(archive)
            .add(QStringLiteral("data/RostTalents.adt"), tableBytes(talentsTable(), {}))
            .write();
        QueuedPrompts prompts;
        const ProgramContext context(data.path());
        ImportDialog form(context);
        form.ImportTheData(archive);
        QCOMPARE(prompts.asked.size(), size_t(1)); // no second box for this class
        QCOMPARE(prompts.asked.front().kind, MessageKind::Warning);
        QVERIFY(prompts.asked.front().text.startsWith(
            QStringLiteral("Can't open data/RostTalents.adt\rError Code : ")));
    }

    void refusedTableWarningSaysWhyAndKeepsTheOldTable()
    {
        TestFolder data;
        writeTable(data.path(), familiesTable(), {family(1, QStringLiteral("Old"))});
        const auto familiesBytes = [&data] {
            QFile f(data.file(familiesTable().file));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray old = familiesBytes();
        TestFolder source;
        const QString archive = source.file(QStringLiteral("RostData.zip"));
        ArchiveBuilder(archive)
            .add(QStringLiteral("RostFamilies.adt"), "exported as text by mistake")
            .write();
        QueuedPrompts prompts;
        const ProgramContext context(data.path());
        ImportDialog form(context);
        form.ImportTheData(archive);
        QCOMPARE(prompts.asked.size(), size_t(1));
        QCOMPARE(prompts.asked.front().kind, MessageKind::Warning);
        QCOMPARE(prompts.asked.front().text,
                 QStringLiteral("Can't open RostFamilies.adt\rError Code : 0\rReason: not a "
                                "directory table\rThe directory keeps its previous RostFamilies "
                                "table."));
        QCOMPARE(familiesBytes(), old);
    }
};

QTEST_MAIN(ImportRoadsTest)
#include "ImportRoadsTest.moc"
