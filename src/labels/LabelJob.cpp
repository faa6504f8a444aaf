#include "labels/LabelJob.h"

#include "labels/LabelPrinting.h"

namespace rost {

LabelPrintout composeLabels(RostConnection &connection, const Preferences &prefs,
                            const LabelJob &job)
{
    LabelPrintout out;
    out.sheet = job.sheet;
    out.skipped = job.start.skipped(job.sheet).value_or(0);
    if (job.returnAddress) {
        out.labels = returnLabels(prefs, job.sheet.labelsPerSheet() - out.skipped);
        return out;
    }
    LabelComposer composer(connection);
    out.labels = composer.compose(job.people, job.style, job.perHousehold);
    out.warnings = composer.warnings();
    return out;
}

QStringList LabelPrintout::draw(PrintSurface &surface, const EnvelopeFont &font,
                                const PageStarted &pageStarted) const
{
    return drawLabels(surface, sheet, skipped, labels, font, pageStarted);
}

} // namespace rost
