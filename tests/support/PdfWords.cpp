#include "PdfWords.h"

#include "TestFolder.h"

#include <QProcess>
#include <QRegularExpression>

namespace rost::test {

const PdfWord *PdfWords::find(const QString &text) const
{
    for (const PdfWord &w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

PdfWords readPdfWords(const QString &pdf, int page)
{
    QStringList args{QStringLiteral("-bbox")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), args);
    const ProgramRun run = finishRun(process, 120000);
    PdfWords out;
    const QString html = QString::fromUtf8(run.out);
    static const QRegularExpression size(
        QLatin1String("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    for (auto m = size.globalMatch(html); m.hasNext();) {
        const auto match = m.next();
        out.width = match.captured(1).toDouble();
        out.height = match.captured(2).toDouble();
        ++out.pages;
    }
    static const QRegularExpression word(
        QLatin1String("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                      "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto m = word.globalMatch(html); m.hasNext();) {
        const auto w = m.next();
        out.words.push_back({w.captured(5), w.captured(1).toDouble(), w.captured(2).toDouble(),
                             w.captured(3).toDouble(), w.captured(4).toDouble()});
    }
    return out;
}

} // namespace rost::test
