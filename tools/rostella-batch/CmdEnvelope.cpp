#include "Commands.h"

#include "directory/Preferences.h"
#include "envelopes/EnvelopeDrawing.h"
#include "platform/render/PrintJob.h"

#include <QFileInfo>
#include <QTextStream>

namespace rost::batch {

namespace {

// Which envelope to draw. Each form of the command names one source of texts; a new form adds
// its option to the lists below and one branch here.
EnvelopeText envelopeTexts(const Options &opt, const QString &dataFolder)
{
    Q_UNUSED(dataFolder);
    if (opt.has(QStringLiteral("test")))
        return testEnvelopeText();
    throw Failure{QStringLiteral("Say which envelope to draw: --test."), 2};
}

} // namespace

// One envelope page into a PDF file, drawn exactly as the program prints it, on the layout
// stored in the data folder (written with the defaults when missing, as the program does).
int cmdEnvelope(const QStringList &args)
{
    const Options opt(
        args, {QStringLiteral("data"), QStringLiteral("out")},
        {QStringLiteral("test"), QStringLiteral("return"), QStringLiteral("no-return")});
    const QString data = opt.required(QStringLiteral("data"));
    const QString out = opt.required(QStringLiteral("out"));
    if (opt.has(QStringLiteral("return")) && opt.has(QStringLiteral("no-return")))
        throw Failure{QStringLiteral("Give --return or --no-return, not both."), 2};
    if (!QFileInfo(data).isDir())
        throw Failure{QStringLiteral("The data folder %1 does not exist.").arg(data), 1};
    const EnvelopeText texts = envelopeTexts(opt, data);

    tEnvDef layout(data);
    layout.Load();
    bool printReturn = layout.PrintRetAdd;
    if (opt.has(QStringLiteral("return")))
        printReturn = true;
    else if (opt.has(QStringLiteral("no-return")))
        printReturn = false;

    const PageOrientation orientation =
        envelopeOrientation(layout.Orientation).value_or(PageOrientation::Portrait);
    const PrintOutcome outcome = PrintJob::runToPdf(
        out, orientation, [&](PrintSurface &s) { drawEnvelope(s, layout, printReturn, texts); });
    QTextStream(stdout) << "Wrote " << outcome.pdfPath << " (" << outcome.pages
                        << (outcome.pages == 1 ? " page" : " pages") << ").\n";
    return 0;
}

} // namespace rost::batch
