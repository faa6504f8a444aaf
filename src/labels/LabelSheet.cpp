#include "labels/LabelSheet.h"

#include <QStringList>

#include <cmath>

namespace rost {

namespace {

constexpr double Letter[] = {8.5, 11};
constexpr double A4[] = {210 / 25.4, 297 / 25.4};

constexpr double mm(double millimetres)
{
    return millimetres / 25.4;
}

// The smallest label a line of the smallest type still fits on, inner margins included.
constexpr double SmallestWidth = 0.5;
constexpr double SmallestHeight = 0.25;
// Measures are compared to the thousandth of an inch: published sizes are rounded that finely.
constexpr double Slack = 0.001;

LabelSheet sheet(const char *name, const char *description, const double (&paper)[2], int rows,
                 int columns, double top, double left, double width, double height, double hPitch,
                 double vPitch)
{
    return {QLatin1String(name),
            QString::fromUtf8(description),
            QSizeF(paper[0], paper[1]),
            rows,
            columns,
            top,
            left,
            width,
            height,
            hPitch,
            vPitch};
}

} // namespace

const std::vector<LabelSheet> &builtInSheets()
{
    // The makers' published templates: Avery's US Letter address labels 5160 to 5164 (margins
    // and pitches in inches) and the A4 address labels L7160, L7163 and L7165 (in millimetres).
    static const std::vector<LabelSheet> sheets{
        sheet("5160", "Letter, 30 labels 1\" × 2⅝\"", Letter, 10, 3, 0.5, 0.1875, 2.625, 1, 2.75,
              1),
        sheet("5161", "Letter, 20 labels 1\" × 4\"", Letter, 10, 2, 0.5, 0.15625, 4, 1, 4.1875, 1),
        sheet("5162", "Letter, 14 labels 1⅓\" × 4\"", Letter, 7, 2, 5.0 / 6, 0.15625, 4, 4.0 / 3,
              4.1875, 4.0 / 3),
        sheet("5163", "Letter, 10 labels 2\" × 4\"", Letter, 5, 2, 0.5, 0.15625, 4, 2, 4.1875, 2),
        sheet("5164", "Letter, 6 labels 3⅓\" × 4\"", Letter, 3, 2, 0.5, 0.15625, 4, 10.0 / 3,
              4.1875, 10.0 / 3),
        sheet("L7160", "A4, 21 labels 63.5 × 38.1 mm", A4, 7, 3, mm(15.15), mm(7.21), mm(63.5),
              mm(38.1), mm(66.04), mm(38.1)),
        sheet("L7163", "A4, 14 labels 99.1 × 38.1 mm", A4, 7, 2, mm(15.15), mm(4.65), mm(99.1),
              mm(38.1), mm(101.6), mm(38.1)),
        sheet("L7165", "A4, 8 labels 99.1 × 67.7 mm", A4, 4, 2, mm(13.1), mm(4.65), mm(99.1),
              mm(67.7), mm(101.6), mm(67.7)),
    };
    return sheets;
}

std::optional<LabelSheet> builtInSheet(const QString &name)
{
    for (const LabelSheet &s : builtInSheets())
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return s;
    return std::nullopt;
}

QString sheetSummary(const LabelSheet &s)
{
    const auto in = [](double inches) { return QString::number(inches, 'f', 4); };
    return QStringLiteral("%1\t%2\tpaper %3 x %4 in, %5 rows x %6 columns, label %7 x %8 in, "
                          "first at %9 in from the top and %10 in from the left, pitch %11 x "
                          "%12 in")
        .arg(s.name, s.description, in(s.paper.width()), in(s.paper.height()))
        .arg(s.rows)
        .arg(s.columns)
        .arg(in(s.width), in(s.height), in(s.top), in(s.left), in(s.hPitch), in(s.vPitch));
}

QString customSheetText(const LabelSheet &s)
{
    QStringList numbers;
    for (const double n : {s.paper.width(), s.paper.height(), double(s.rows), double(s.columns),
                           s.top, s.left, s.width, s.height, s.hPitch, s.vPitch})
        numbers << QString::number(n, 'g', 10);
    return numbers.join(QLatin1Char(','));
}

LabelSheet customSheet(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    std::vector<double> n;
    for (const QString &part : parts) {
        bool ok = false;
        n.push_back(part.trimmed().toDouble(&ok));
        if (!ok)
            throw LabelSheetError{QStringLiteral("\"%1\" is not a number.").arg(part.trimmed())};
    }
    if (n.size() != 10)
        throw LabelSheetError{QStringLiteral("A custom sheet is ten numbers separated by commas: "
                                             "paper width and height, rows, columns, top and "
                                             "left margin, label width and height, horizontal "
                                             "and vertical pitch; %1 were given.")
                                  .arg(n.size())};
    for (const int i : {2, 3})
        if (n[std::size_t(i)] != std::floor(n[std::size_t(i)]) ||
            !(std::abs(n[std::size_t(i)]) < 1e6))
            throw LabelSheetError{QStringLiteral("The numbers of rows and columns are whole "
                                                 "numbers.")};
    LabelSheet sheet{QStringLiteral("custom"),
                     QStringLiteral("Custom sheet"),
                     QSizeF(n[0], n[1]),
                     int(n[2]),
                     int(n[3]),
                     n[4],
                     n[5],
                     n[6],
                     n[7],
                     n[8],
                     n[9]};
    const QString problem = sheet.problem();
    if (!problem.isEmpty())
        throw LabelSheetError{problem};
    return sheet;
}

QString LabelSheet::problem() const
{
    if (!(paper.width() > 0 && paper.height() > 0 && paper.width() <= 100 && paper.height() <= 100))
        return QStringLiteral("The paper must be between 0 and 100 inches wide and high.");
    if (rows < 1 || columns < 1 || rows > 100 || columns > 100)
        return QStringLiteral("A sheet has 1 to 100 rows and 1 to 100 columns of labels.");
    if (!(width >= SmallestWidth && height >= SmallestHeight))
        return QStringLiteral("A label must be at least %1 inch wide and %2 inch high.")
            .arg(SmallestWidth)
            .arg(SmallestHeight);
    if (!(top >= 0 && left >= 0))
        return QStringLiteral("The margins cannot be negative.");
    if ((columns > 1 && !(hPitch + Slack >= width)) || (rows > 1 && !(vPitch + Slack >= height)))
        return QStringLiteral("The labels overlap: the pitch must be at least the label's size.");
    if (!(left + (columns - 1) * hPitch + width <= paper.width() + Slack) ||
        !(top + (rows - 1) * vPitch + height <= paper.height() + Slack))
        return QStringLiteral("The labels do not fit on the paper.");
    return {};
}

std::optional<int> LabelStart::skipped(const LabelSheet &sheet) const
{
    if (row < 1 || column < 1 || row > sheet.rows || column > sheet.columns)
        return std::nullopt;
    return (row - 1) * sheet.columns + (column - 1);
}

} // namespace rost
