#pragma once

#include "sample/SampleError.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace rost {

// One thing wrong with the CSV files: where (file, line from 1, field; any may be missing) and
// what.
struct PackProblem
{
    QString file;
    int line = 0;
    QString field;
    QString text;

    QString toString() const;
};

// Thrown when the CSV files cannot be packed; nothing has been written then.
class PackError : public SampleError
{
public:
    explicit PackError(const QList<PackProblem> &problems);
    const QList<PackProblem> &problems() const { return m_problems; }

private:
    QList<PackProblem> m_problems;
};

struct PackResult
{
    // One line a CSV file that left fields out, naming them in the table's order:
    // "RostFamilies.csv: filled with defaults: Address2, Family Picture".
    QStringList filled;
    QStringList notes; // one line a table: rows packed, or created empty
};

// Builds the directory's table files from the CSV files in csvDir, one a table named after it
// (RostFamilies.csv ...), and writes them zipped to zipPath. The CSV files carry a header row
// of field names in any order; a field left out takes its default (empty text, 0, false, no
// picture) in every row, and a column that names no field is refused with the field it most
// likely means. Values are checked
// as a whole first: any bad value throws PackError listing every problem found (up to a
// hundred), and then nothing is written. A table without a CSV file other than the families is
// packed empty. Family Picture holds the path of a picture file relative to csvDir.
PackResult packCsv(const QString &csvDir, const QString &zipPath);

// The same checks, writing the table files into outDir instead of an archive; returns their
// paths.
QStringList buildTablesFromCsv(const QString &csvDir, const QString &outDir,
                               PackResult *result = nullptr);

} // namespace rost
