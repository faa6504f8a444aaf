#pragma once

#include <QString>

#include <vector>

namespace rost::test {

struct PdfWord
{
    QString text;
    double xMin, yMin, xMax, yMax; // points from the page's top-left corner
};

// The words of a PDF and their boxes, read back with poppler's pdftotext: the box runs from the
// font's ascent to its descent below the baseline, so its bottom is the bottom of the line cell.
struct PdfWords
{
    double width = 0, height = 0; // points, of the last page read
    int pages = 0;                // pages read
    std::vector<PdfWord> words;

    // The first word with this text, or nullptr.
    const PdfWord *find(const QString &text) const;
};

// Every page, or only the given one (from 1).
PdfWords readPdfWords(const QString &pdf, int page = 0);

} // namespace rost::test
