#include "directory/ProgramContext.h"
#include "directory/Query.h"
#include "directory/RostConnection.h"
#include "envelopes/ui/PrintEnvelopeDialog.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "lists/ui/ListEnvelopesDialog.h"
#include "lists/ui/OutputOptionsDialog.h"
#include "lists/ui/ReportPreviewDialog.h"
#include "lists/ui/ReportRunner.h"
#include "platform/render/PrintSession.h"

#include "QueuedPrompts.h"

#include "ListFixture.h"
#include "RecordingLauncher.h"
#include "TestFolder.h"
#include "Widgets.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

struct Directory
{
    Directory()
    {
        writeListDirectory(folder.path());
        conn.setPath(folder.path());
        conn.connect();
        launcher.realJobs = true;
    }
    TestFolder folder;
    ProgramContext context{folder.path()};
    RecordingLauncher launcher;
    RostConnection conn;
};

void drawReport(PrintSurface &report, const PageStarted &pageStarted)
{
    if (pageStarted) // the preview draws without a status window
        pageStarted(1);
    report.setFont(QStringLiteral("Times New Roman"), 12);
    report.printLine(QStringLiteral("Elder"));
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// The questions of one job that went to a PDF file without a printer: the file, offered as
// `offered` and asked before replacing one; then where it went, the whole path on its own line,
// with the offer to open it.
void checkAskedAndTold(const QueuedPrompts &prompts, const QString &offered, const QString &pdf)
{
    QVERIFY(prompts.asked.size() >= 2);
    QCOMPARE(prompts.asked[0].what, QStringLiteral("saveFile"));
    QCOMPARE(prompts.asked[0].text, offered);
    QVERIFY(prompts.asked[0].confirmReplace);
    QCOMPARE(prompts.asked[1].what, QStringLiteral("message"));
    QCOMPARE(prompts.asked[1].text,
             QStringLiteral("No printer is installed, so the output was saved as the PDF file\r") +
                 QDir::toNativeSeparators(pdf));
    QVERIFY(prompts.asked[1].buttons.testFlag(QMessageBox::Open));
    QVERIFY(QFileInfo(pdf).size() > 0);
}

} // namespace

class PrintOutputTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The first job of the run starts in the Documents folder, under the family's name; opening
    // the file afterwards goes to the desktop.
    void singleEnvelope()
    {
        Directory d;
        QueuedPrompts prompts;
        const QString pdf = d.folder.path() + QStringLiteral("/one.pdf");
        prompts.queue(pdf);
        prompts.queue(QMessageBox::Open);
        PrintEnvelopeDialog form(d.conn, d.context, d.launcher);
        form.GetNames(11);
        form.show();
        child<QPushButton>(form, "PrintButton")->click();
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty())
            documents = QDir::homePath();
        checkAskedAndTold(prompts, QDir(documents).filePath(QStringLiteral("Envelope - Smith.pdf")),
                          pdf);
        QCOMPARE(prompts.asked.size(), std::size_t(3));
        QCOMPARE(prompts.asked[2].what, QStringLiteral("openDocument"));
        QCOMPARE(prompts.asked[2].text, pdf);
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    // Every later job asks again, in the folder used last, and nothing is opened unasked.
    void listEnvelopes()
    {
        Directory d;
        QueuedPrompts prompts;
        const QString before = folderOf(
            PrintSession::instance()
                .run(
                    PageOrientation::Portrait, [](PrintSurface &) {}, false,
                    QStringLiteral("x.pdf"),
                    [&](const QString &) { return d.folder.path() + QStringLiteral("/first.pdf"); })
                ->pdfPath);
        const QString pdf = d.folder.path() + QStringLiteral("/envelopes.pdf");
        prompts.queue(pdf);
        Query q(d.conn);
        q.setSql(QStringLiteral("Select 31 as \"Indiv ID Num\" union all select 12"));
        q.open();
        ListEnvelopesDialog form(d.conn, q, QStringLiteral("Usher"), d.context, d.launcher);
        form.show();
        form.PrintButtonClick();
        checkAskedAndTold(prompts, before + QStringLiteral("/Envelopes - Usher.pdf"), pdf);
        QCOMPARE(prompts.asked.size(), std::size_t(2));
        QCOMPARE(form.printedEnvelopes(), 2);
    }

    void listReport()
    {
        Directory d;
        QueuedPrompts prompts;
        const QString pdf = d.folder.path() + QStringLiteral("/report.pdf");
        prompts.queue(pdf);
        whenShown<OutputOptionsDialog>([](OutputOptionsDialog &options) { options.accept(); });
        QVERIFY(runReport(nullptr, drawReport, QStringLiteral("Address list - Elder.pdf")));
        QCOMPARE(prompts.asked[0].text.section(QLatin1Char('/'), -1),
                 QStringLiteral("Address list - Elder.pdf"));
        checkAskedAndTold(prompts, prompts.asked[0].text, pdf);

        // Cancelling the file choice cancels the job, and says nothing more.
        prompts.asked.clear();
        whenShown<OutputOptionsDialog>([](OutputOptionsDialog &options) { options.accept(); });
        QVERIFY(!runReport(nullptr, drawReport, QStringLiteral("Phone list - Elder.pdf")));
        QCOMPARE(prompts.asked.size(), std::size_t(1));
    }

    // The preview's Print takes the road of every other job instead of the toolkit's own.
    void previewPrint()
    {
        Directory d;
        QueuedPrompts prompts;
        const QString pdf = d.folder.path() + QStringLiteral("/preview.pdf");
        prompts.queue(pdf);
        whenShown<OutputOptionsDialog>([](OutputOptionsDialog &options) {
            child<QRadioButton>(options, "PreviewRadio")->setChecked(true);
            whenShown<ReportPreviewDialog>([](ReportPreviewDialog &preview) {
                QVERIFY(preview.printAction());
                preview.printAction()->trigger();
            });
            options.accept();
        });
        QVERIFY(runReport(nullptr, drawReport, QStringLiteral("Phone list - Elder.pdf")));
        QCOMPARE(prompts.asked[0].text.section(QLatin1Char('/'), -1),
                 QStringLiteral("Phone list - Elder.pdf"));
        checkAskedAndTold(prompts, prompts.asked[0].text, pdf);
    }

    // Where a printer is installed and set up to write a file, that file is written and named,
    // without claiming that there is no printer.
    void printerSetUpForAFile()
    {
        Directory d;
        QueuedPrompts prompts;
        prompts.printers = true;
        QPrinter &printer = PrintSession::instance().printer();
        const QString pdf = d.folder.path() + QStringLiteral("/chosen.pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(runPrintJob(
            nullptr, PageOrientation::Portrait,
            [](PrintSurface &s) { s.printLine(QStringLiteral("x")); }, QStringLiteral("x.pdf")));
        printer.setOutputFileName(QString());
        QCOMPARE(prompts.asked.size(), std::size_t(1));
        QCOMPARE(prompts.asked[0].text, QStringLiteral("The output was saved as the PDF file\r") +
                                            QDir::toNativeSeparators(pdf));
        QVERIFY(QFileInfo::exists(pdf));
    }

    void printoutNames()
    {
        QCOMPARE(printoutName(QStringLiteral("Envelope"), QStringLiteral("Smith")),
                 QStringLiteral("Envelope - Smith.pdf"));
        QCOMPARE(printoutName(QStringLiteral("Envelopes"), QStringLiteral("  A/B: \"C\"  ")),
                 QStringLiteral("Envelopes - A B C.pdf"));
        QCOMPARE(printoutName(QStringLiteral("Phone list"), QString()),
                 QStringLiteral("Phone list.pdf"));
    }
};

QTEST_MAIN(PrintOutputTest)
#include "PrintOutputTest.moc"
