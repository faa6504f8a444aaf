#include "Commands.h"

#include "directory/Preferences.h"
#include "directory/RostConnection.h"
#include "envelopes/EnvelopeDrawing.h"
#include "names/HouseholdNameComposer.h"
#include "names/NameLine.h"
#include "platform/render/PrintJob.h"

#include <QFileInfo>
#include <QTextStream>

namespace rost::batch {

namespace {

// Which envelope to draw. Each form of the command names one source of texts; a new form adds
// its option to the lists below and one branch here.
EnvelopeText envelopeTexts(const Options &opt, const QString &dataFolder)
{
    const bool test = opt.has(QStringLiteral("test"));
    if (test == opt.has(QStringLiteral("indiv")))
        throw Failure{QStringLiteral("Say which envelope to draw: --test or --indiv N."), 2};
    if (test)
        return testEnvelopeText();

    // The single envelope: the chosen line of the individual (or the user's own text, cut as the
    // dialog cuts it) over the household's address, with the return lines of RostPrefs.QMR.
    const bool byName = opt.has(QStringLiteral("name"));
    if (byName == opt.has(QStringLiteral("text")))
        throw Failure{QStringLiteral("With --indiv give --name LINENAME or --text TEXT."), 2};
    const int indiv = opt.intValue(QStringLiteral("indiv"), 0);
    if (indiv < -32768 || indiv > 32767)
        throw Failure{QStringLiteral("--indiv must be a 16-bit number."), 2};
    RostConnection connection;
    connection.setPath(dataFolder);
    connection.connect();
    HouseholdNameComposer composer(connection);
    const THouseholdNames names = composer.GetNames(qint16(indiv));
    QString nameLine;
    if (byName) {
        const auto line = nameLineFromName(opt.value(QStringLiteral("name")));
        if (!line)
            throw Failure{
                QStringLiteral("Unknown name line \"%1\".").arg(opt.value(QStringLiteral("name"))),
                2};
        nameLine = names.line(*line);
    } else {
        nameLine = opt.value(QStringLiteral("text")).left(255);
    }
    const FamilyAddress family = composer.familyAddress(names.FamilyIdNum);
    TPreferences prefs(dataFolder);
    prefs.Load();
    return envelopeText(prefs, householdDeliveryLines(nameLine, family));
}

} // namespace

// One envelope page into a PDF file, drawn exactly as the program prints it, on the layout
// stored in the data folder (written with the defaults when missing, as the program does).
int cmdEnvelope(const QStringList &args)
{
    const Options opt(
        args,
        {QStringLiteral("data"), QStringLiteral("out"), QStringLiteral("indiv"),
         QStringLiteral("name"), QStringLiteral("text")},
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
