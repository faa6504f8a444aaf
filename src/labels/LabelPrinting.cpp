#include "labels/LabelPrinting.h"

#include "envelopes/EnvelopeDrawing.h"

#include <algorithm>
#include <cmath>

namespace rost {

namespace {

constexpr double PointsPerLine = 60; // line height in inches is points / 60
const QString Ellipsis = QStringLiteral("…");

void setLabelFont(PrintSurface &surface, const EnvelopeFont &font, double points)
{
    surface.setFont(font.Name, points);
    surface.setBold(font.Style & EnvelopeFont::Bold);
    surface.setItalic(font.Style & EnvelopeFont::Italic);
    surface.setUnderline(font.Style & EnvelopeFont::Underline);
}

// Sets the largest half-point size, at most points and at least the smallest, at which text is
// no wider than room, if there is one.
void fitWidth(PrintSurface &surface, const EnvelopeFont &font, const QString &text, double points,
              double room)
{
    setLabelFont(surface, font, points);
    if (surface.fitsWidth(text, room))
        return;
    const double width = surface.textWidth(text);
    // Widths grow nearly in proportion to the size: start there and step down.
    double size = std::max(std::floor(points * room / width * 2) / 2, SmallestLabelPoints);
    for (;; size -= 0.5) {
        setLabelFont(surface, font, size);
        if (size <= SmallestLabelPoints || surface.fitsWidth(text, room))
            return;
    }
}

// The longest beginning of text that, with an ellipsis, fits room in the current font.
QString cutToFit(PrintSurface &surface, const QString &text, double room)
{
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (surface.textWidth(text.left(mid) + Ellipsis) <= room)
            low = mid;
        else
            high = mid - 1;
    }
    // A character outside the Basic Multilingual Plane is not cut in half.
    if (low > 0 && text.at(low - 1).isHighSurrogate())
        --low;
    return text.left(low) + Ellipsis;
}

// Prints the lines of one label from its top-left corner; false when text had to be left out.
bool printLabel(PrintSurface &surface, const LabelLines &lines, const EnvelopeFont &font,
                double width, double height)
{
    const double fullSize = std::clamp(double(font.Size), 1.0, 1000.0);
    const double fitsHeight =
        lines.isEmpty() ? fullSize : height * PointsPerLine / double(lines.size());
    const double points = std::max(std::min(fullSize, fitsHeight), SmallestLabelPoints);
    const auto fitting = qsizetype(std::floor(height * PointsPerLine / points + 1e-9));
    bool whole = fitting >= lines.size();
    surface.home();
    for (const QString &line : lines.first(std::min(fitting, lines.size()))) {
        fitWidth(surface, font, line, points, width);
        if (surface.fitsWidth(line, width)) {
            surface.printLine(line);
        } else {
            surface.printLine(cutToFit(surface, line, width));
            whole = false;
        }
    }
    return whole;
}

} // namespace

QStringList drawLabels(PrintSurface &surface, const LabelSheet &sheet, int skipped,
                       const std::vector<LabelLines> &labels, const EnvelopeFont &font,
                       const PageStarted &pageStarted)
{
    QStringList warnings;
    const int perSheet = sheet.labelsPerSheet();
    const double width = sheet.width - 2 * LabelInnerMargin;
    const double height = sheet.height - 2 * LabelInnerMargin;
    int position = std::clamp(skipped, 0, perSheet - 1);
    if (pageStarted)
        pageStarted(surface.pageNumber());
    for (std::size_t i = 0; i < labels.size(); ++i, ++position) {
        if (position == perSheet) {
            position = 0;
            surface.newPage();
            if (pageStarted)
                pageStarted(surface.pageNumber());
        }
        surface.setTopMargin(sheet.labelTop(position) + LabelInnerMargin);
        surface.setLeftMargin(sheet.labelLeft(position) + LabelInnerMargin);
        const bool whole = printLabel(surface, labels[i], font, width, height);
        if (!whole)
            warnings << QStringLiteral("The label on sheet %1, row %2, column %3 did not hold "
                                       "all of its text; what did not fit was cut.")
                            .arg(surface.pageNumber())
                            .arg(position / sheet.columns + 1)
                            .arg(position % sheet.columns + 1);
    }
    surface.setBold(false);
    surface.setItalic(false);
    surface.setUnderline(false);
    return warnings;
}

} // namespace rost
