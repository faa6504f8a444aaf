#pragma once

#include "directory/EnvelopeLayout.h"
#include "labels/LabelComposer.h"
#include "labels/LabelSheet.h"
#include "platform/print/PrintSurface.h"

#include <QStringList>

#include <vector>

namespace rost {

class Preferences;
class RostConnection;

// What a member asks to print on labels, the same from the window and the batch tool.
struct LabelJob
{
    LabelSheet sheet = builtInSheets().front();
    LabelStart start;
    // A sheet of return address labels instead of the people's.
    bool returnAddress = false;
    std::vector<IndivId> people;
    bool perHousehold = false;
    ListEnvelopeStyle style;
};

// The composed labels of a job, ready to print as often as a preview asks.
struct LabelPrintout
{
    LabelSheet sheet;
    int skipped = 0;
    std::vector<LabelLines> labels;
    QStringList warnings; // of the composition

    // Prints every label in font; returns a warning for each label whose text was cut.
    QStringList draw(PrintSurface &surface, const EnvelopeFont &font,
                     const PageStarted &pageStarted = {}) const;
};

// A start outside the sheet starts at its first label.
LabelPrintout composeLabels(RostConnection &connection, const Preferences &prefs,
                            const LabelJob &job);

} // namespace rost
