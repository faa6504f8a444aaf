#pragma once

#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace rost {

// Where a sheet's labels are, in inches from the top-left corner of the portrait sheet. Label
// (row, column) has its top-left corner at (left + column * hPitch, top + row * vPitch), counting
// from 0.
struct LabelSheet
{
    QString name; // the product number, or "custom"
    QString description;
    QSizeF paper; // width, height
    int rows = 1;
    int columns = 1;
    double top = 0;
    double left = 0;
    double width = 1;
    double height = 1;
    double hPitch = 1;
    double vPitch = 1;

    int labelsPerSheet() const { return rows * columns; }
    // The top-left corner of the index-th label of a sheet, row by row from 0.
    double labelLeft(int index) const { return left + (index % columns) * hPitch; }
    double labelTop(int index) const { return top + (index / columns) * vPitch; }
    // Why a sheet cannot be printed on (labels off the paper, overlapping, too small to hold a
    // line), or empty when it can.
    QString problem() const;
};

// The sheets sold everywhere, as their makers publish them.
const std::vector<LabelSheet> &builtInSheets();
// A built-in sheet by its name, case ignored.
std::optional<LabelSheet> builtInSheet(const QString &name);
// The sheet's geometry in one line, as `rostella-batch labels --sheets` lists it.
QString sheetSummary(const LabelSheet &sheet);

// A custom sheet as ten numbers separated by commas, in inches but for the counts: paper width
// and height, rows, columns, top and left margin, label width and height, horizontal and
// vertical pitch. The form the batch tool takes and the program's settings keep.
QString customSheetText(const LabelSheet &sheet);
// The sheet the text describes, named "custom"; throws LabelSheetError naming what is wrong.
LabelSheet customSheet(const QString &text);

struct LabelSheetError
{
    QString text;
};

// The first label to print on: row and column, from 1, of the first sheet.
struct LabelStart
{
    int row = 1;
    int column = 1;

    // The labels of the first sheet left empty; nullopt when the start is not on the sheet.
    std::optional<int> skipped(const LabelSheet &sheet) const;
};

} // namespace rost
