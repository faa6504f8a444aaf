// The printed church directory to PDF: the compact three-column book of the 32,767-person
// directory, beside a reference that prints the same text through QTextDocument::print (what a
// Qt program would do first); and the two-column photo book of 100, 500 and 2,000 families with a
// photograph each. Each run reports the PDF's size and the process's peak memory so far; run one
// size per process (--benchmark_filter) for the peak of that size alone.
#include "BenchData.h"
#include "BenchMain.h"

#include "book/DirectoryBook.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "platform/render/PrintJob.h"
#include "sample/SampleDirectory.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTextDocument>

#include <sys/resource.h>

using namespace rost;

namespace {

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

QString outFile(const char *name)
{
    return QDir::temp().filePath(QString::fromLatin1(name));
}

// A phone-sized photograph (1024 x 768, JPEG at quality 90): sky, ground and grain, so that it
// compresses as badly as a real one.
QByteArray photograph(int seed)
{
    QImage image(1024, 768, QImage::Format_RGB32);
    QRandomGenerator random{quint32(seed)};
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(random.bounded(40u));
            line[x] = y < 384 ? qRgb(90 + grain, 140 + grain, 200 + grain / 2)
                              : qRgb(60 + grain, 110 + grain, 40 + grain);
        }
    }
    QPainter(&image).fillRect(300 + seed % 200, 220, 380, 320, QColor(180, 60, 50));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// A sample directory of the given number of families, every one with a photograph; made once.
QString photoDirectory(int families)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("rost-bench-photos-%1").arg(families));
    if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("done"))))
        return dir;
    SampleOptions options;
    options.families = families;
    writeSampleDirectory(dir, options);
    RostConnection connection;
    connection.setPath(dir);
    connection.connect();
    Cursor tbFam(connection, tbl::Families);
    tbFam.setIndexName(idx::FamilyIdNumOrder);
    tbFam.open();
    int n = 0;
    for (tbFam.first(); !tbFam.eof(); tbFam.next()) {
        tbFam.edit();
        tbFam.setValue(fld::FamilyPicture, photograph(++n));
        tbFam.post();
    }
    QFile(QDir(dir).filePath(QStringLiteral("done"))).open(QIODevice::WriteOnly);
    return dir;
}

void printBook(benchmark::State &state, const QString &folder, BookStyle style, const char *out)
{
    RostConnection connection;
    connection.setPath(folder);
    connection.connect();
    BookOptions options;
    options.style = style;
    const QString path = outFile(out);
    for (auto _ : state) {
        const BookContents contents = readBookContents(connection, std::nullopt, true);
        FamilyPictures pictures(connection);
        PrintJob::runToPdf(path, PageOrientation::Portrait, [&](PrintSurface &s) {
            printDirectoryBook(s, contents, options, pictures);
        });
    }
    state.counters["pdf_MB"] = double(QFileInfo(path).size()) / (1024 * 1024);
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_CompactBook(benchmark::State &state)
{
    printBook(state, bench::benchDirectory(int(state.range(0))), BookStyle::Compact3,
              "rost-bench-compact.pdf");
}

void BM_PhotoBook(benchmark::State &state)
{
    printBook(state, photoDirectory(int(state.range(0))), BookStyle::Photo2,
              "rost-bench-photo.pdf");
}

// The same households and members as HTML in three columns' worth of a table, printed by the
// text document's own pagination.
void BM_TextDocumentReference(benchmark::State &state)
{
    RostConnection connection;
    connection.setPath(bench::benchDirectory(int(state.range(0))));
    connection.connect();
    const QString path = outFile("rost-bench-textdocument.pdf");
    for (auto _ : state) {
        const BookContents contents = readBookContents(connection, std::nullopt, true);
        QString html;
        for (const BookHousehold &h : contents.households) {
            html += QStringLiteral("<p><b>%1</b><br>").arg(h.heading.toHtmlEscaped());
            for (const QString &line : h.address)
                html += line.toHtmlEscaped() + QStringLiteral("<br>");
            html += h.homePhone.toHtmlEscaped();
            for (const BookMember &m : h.members)
                html += QStringLiteral("<br>%1<br>%2<br>%3")
                            .arg(m.nameLine.toHtmlEscaped(), m.phonesLine.toHtmlEscaped(),
                                 m.eMail.toHtmlEscaped());
            html += QStringLiteral("</p>");
        }
        for (const BookIndexEntry &e : contents.index)
            html += e.text.toHtmlEscaped() + QStringLiteral("<br>");
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("Arial"), 8));
        document.setHtml(html);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        document.print(&printer);
    }
    state.counters["pdf_MB"] = double(QFileInfo(path).size()) / (1024 * 1024);
    state.counters["peak_MB"] = peakMegabytes();
}

} // namespace

BENCHMARK(BM_CompactBook)->Arg(32767)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TextDocumentReference)->Arg(32767)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PhotoBook)
    ->Arg(100)
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char **argv)
{
    return rost::bench::runBenchmarks<QGuiApplication>(argc, argv);
}
