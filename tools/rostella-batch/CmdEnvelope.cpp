#include "Command.h"
#include "DataContext.h"
#include "SharedOptions.h"

#include "directory/EnvelopeLayout.h"
#include "directory/Preferences.h"
#include "envelopes/EnvelopeDrawing.h"
#include "names/HouseholdNameComposer.h"
#include "platform/render/PrintJob.h"

namespace rost::batch {

namespace {

constexpr Option TestEnvelope{"test", nullptr, "the test envelope instead of a person's"};

// Which envelope to draw: the test envelope, or the chosen line of the individual (or the user's
// own text, cut as the dialog cuts it) over the household's address, with the return lines of
// RostPrefs.QMR.
EnvelopeText envelopeTexts(const Arguments &args, DataContext &data)
{
    if (args.isSet(TestEnvelope))
        return testEnvelopeText();
    const std::optional<NameLine> line =
        args.isSet(NameLineOption) ? std::optional(nameLineOf(args)) : std::nullopt;
    HouseholdNameComposer composer(data.connection());
    const HouseholdNames names = composer.GetNames(args.number<IndivId>(IndivOption));
    const QString nameLine = line ? names.line(*line) : args.value(NameTextOption).left(255);
    const FamilyAddress family = composer.familyAddress(names.FamilyIdNum);
    Preferences prefs(data.folder());
    prefs.Load();
    return envelopeText(prefs, householdDeliveryLines(nameLine, family));
}

// One envelope page into a PDF file, drawn exactly as the program prints it, on the layout
// stored in the data folder (written with the defaults when missing, as the program does).
int cmdEnvelope(const Arguments &args, DataContext &data)
{
    const QString out = args.value(PdfOutOption);
    const EnvelopeText texts = envelopeTexts(args, data);

    EnvelopeLayout layout(data.folder());
    printWarnings(layout.Load());
    const bool printReturn = printReturnOf(args, layout.PrintRetAdd);

    const PageOrientation orientation =
        envelopeOrientation(layout.Orientation).value_or(PageOrientation::Portrait);
    const PrintOutcome outcome = PrintJob::runToPdf(
        out, orientation, [&](PrintSurface &s) { drawEnvelope(s, layout, printReturn, texts); });
    printWritten(outcome.pdfPath, outcome.pages, "page");
    return 0;
}

} // namespace

Command envelopeCommand()
{
    return Command::onData(
        "envelope",
        "One envelope, or the test envelope, to PDF on the stored layout and return address.",
        {oneOf({sequence({IndivOption, oneOf({NameLineOption, NameTextOption})}), TestEnvelope}),
         optional(oneOf({ReturnOption, NoReturnOption})), PdfOutOption},
        cmdEnvelope);
}

} // namespace rost::batch
