#pragma once

#include "directory/EnvelopeLayout.h"
#include "labels/LabelComposer.h"
#include "labels/LabelSheet.h"
#include "platform/print/PrintSurface.h"

#include <QStringList>

#include <vector>

namespace rost {

// Text keeps this far from every edge of its label, inches.
inline constexpr double LabelInnerMargin = 0.06;
// Lines are never set smaller than this; a line too wide even so is cut.
inline constexpr double SmallestLabelPoints = 6;

// Prints the labels on sheets of the given kind, the first `skipped` labels of the first sheet
// left empty, a new page for each further sheet. Each label's lines stand at its top-left corner
// plus the inner margin, in font (as the envelopes apply it), made smaller for the whole label
// when its lines would not fit its height, and for one line when that line would not fit its
// width, down to 6 points; a line still too wide is cut with an ellipsis. Returns a warning for
// every label that lost text, naming its sheet, row and column.
QStringList drawLabels(PrintSurface &surface, const LabelSheet &sheet, int skipped,
                       const std::vector<LabelLines> &labels, const EnvelopeFont &font,
                       const PageStarted &pageStarted = {});

} // namespace rost
