#include "sample/CsvPack.h"

#include "directory/EngineError.h"
#include "directory/TableWriter.h"
#include "directory/Tables.h"
#include "platform/render/PictureDecoder.h"
#include "sample/CsvReader.h"
#include "sample/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <limits>
#include <map>

namespace rost {

namespace {

constexpr int MaxProblems = 100;
constexpr qint64 MaxPictureBytes = 16 * 1024 * 1024;

using Row = QHash<QString, QVariant>;

class Problems
{
public:
    void add(const QString &file, int line, const QString &field, const QString &text)
    {
        if (!full())
            m_list << PackProblem{file, line, field, text};
    }
    // Checking stops here: a file with a systematic fault would otherwise list every row.
    bool full() const { return m_list.size() >= MaxProblems; }
    bool empty() const { return m_list.isEmpty(); }
    QList<PackProblem> list() const
    {
        QList<PackProblem> all = m_list;
        if (full())
            all << PackProblem{
                {}, 0, {}, QStringLiteral("Checking stopped after %1 problems.").arg(MaxProblems)};
        return all;
    }

private:
    QList<PackProblem> m_list;
};

struct TableRows
{
    QString csvName;    // empty when the table had no CSV file
    QStringList filled; // fields the CSV file left out, in the table's order
    std::vector<Row> rows;
};

// Levenshtein distance: the fewest single-character insertions, deletions and substitutions
// that turn one text into the other.
qsizetype editDistance(const QString &a, const QString &b)
{
    std::vector<qsizetype> previous(size_t(b.size()) + 1);
    std::vector<qsizetype> current(previous.size());
    for (size_t j = 0; j < previous.size(); ++j)
        previous[j] = qsizetype(j);
    for (qsizetype i = 0; i < a.size(); ++i) {
        current[0] = i + 1;
        for (qsizetype j = 0; j < b.size(); ++j) {
            const qsizetype replace = previous[size_t(j)] + (a[i] == b[j] ? 0 : 1);
            current[size_t(j) + 1] =
                std::min({replace, previous[size_t(j) + 1] + 1, current[size_t(j)] + 1});
        }
        std::swap(previous, current);
    }
    return previous.back();
}

// The field a misspelt column most likely means, compared without regard to case, or nullptr
// when no field is near: at most a third of the longer name may differ, so that "Famly Name"
// finds Family Name but "Spouse" finds nothing. The table's first field wins a tie.
const FieldDef *nearestField(const TableDef &def, const QString &column)
{
    const QString folded = column.toCaseFolded();
    const FieldDef *best = nullptr;
    qsizetype bestDistance = 0;
    for (const FieldDef &f : def.fields) {
        const QString name = QString(f.name).toCaseFolded();
        const qsizetype distance = editDistance(folded, name);
        if (distance * 3 > std::max(folded.size(), name.size()))
            continue;
        if (!best || distance < bestDistance) {
            best = &f;
            bestDistance = distance;
        }
    }
    return best;
}

QString unknownColumnText(const TableDef &def, const QString &column)
{
    if (const FieldDef *near = nearestField(def, column))
        return QStringLiteral("%1: did you mean %2?").arg(column, near->name);
    return QStringLiteral("%1: not a field of %2.").arg(column, def.table);
}

bool isLogicalWord(const QString &v, bool *value)
{
    static const QStringList yes{QStringLiteral("true"), QStringLiteral("1"),
                                 QStringLiteral("yes")};
    static const QStringList no{QStringLiteral("false"), QStringLiteral("0"), QStringLiteral("no"),
                                QString()};
    const QString word = v.trimmed().toLower();
    if (yes.contains(word)) {
        *value = true;
        return true;
    }
    if (no.contains(word)) {
        *value = false;
        return true;
    }
    return false;
}

// The bytes of the picture file named by a path relative to the CSV folder, or an empty array
// and the reason. The path may not leave the folder, by "..", by an absolute path or by a link.
QByteArray readPicture(const QString &csvDir, const QString &raw, QString *why)
{
    QString path = raw.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool drive = path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter();
    if (path.startsWith(QLatin1Char('/')) || drive || QDir::isAbsolutePath(path)) {
        *why = QStringLiteral("\"%1\" is an absolute path; give the picture's path relative to "
                              "the CSV folder.")
                   .arg(raw);
        return {};
    }
    if (path.split(QLatin1Char('/')).contains(QStringLiteral(".."))) {
        *why = QStringLiteral("\"%1\" leads out of the CSV folder.").arg(raw);
        return {};
    }
    const QFileInfo info(QDir(csvDir).filePath(path));
    if (!info.isFile()) {
        *why = QStringLiteral("The picture file \"%1\" does not exist.").arg(raw);
        return {};
    }
    const QString folder = QDir(csvDir).canonicalPath() + QLatin1Char('/');
    if (!info.canonicalFilePath().startsWith(folder)) {
        *why = QStringLiteral("\"%1\" leads out of the CSV folder.").arg(raw);
        return {};
    }
    if (info.size() > MaxPictureBytes) {
        *why = QStringLiteral("The picture file \"%1\" is larger than %2 MB.")
                   .arg(raw)
                   .arg(MaxPictureBytes / (1024 * 1024));
        return {};
    }
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("The picture file \"%1\" cannot be read: %2")
                   .arg(raw, file.errorString());
        return {};
    }
    const QByteArray bytes = file.readAll();
    QString error;
    if (decodePicture(bytes, &error).isNull()) {
        *why = QStringLiteral("\"%1\" is not a picture the program can show (JPEG, BMP, GIF, PCX, "
                              "PNG or TIFF): %2")
                   .arg(raw, error);
        return {};
    }
    return bytes;
}

// The value of one field, or an invalid variant and the reason.
QVariant convert(const FieldDef &f, const QString &raw, const QString &csvDir, QString *why)
{
    switch (f.kind) {
    case FieldKind::AutoInc:
    case FieldKind::Short:
    case FieldKind::Integer: {
        const QString v = raw.trimmed();
        if (v.isEmpty())
            return qlonglong(0);
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        const qlonglong low = f.kind == FieldKind::Short     ? std::numeric_limits<qint16>::min()
                              : f.kind == FieldKind::AutoInc ? 1
                                                             : std::numeric_limits<qint32>::min();
        const qlonglong high = f.kind == FieldKind::Short ? std::numeric_limits<qint16>::max()
                                                          : std::numeric_limits<qint32>::max();
        if (!ok || n < low || n > high) {
            *why = QStringLiteral("\"%1\" is not a whole number from %2 to %3.")
                       .arg(raw)
                       .arg(low)
                       .arg(high);
            return {};
        }
        return n;
    }
    case FieldKind::Logical: {
        bool value = false;
        if (!isLogicalWord(raw, &value)) {
            *why = QStringLiteral("\"%1\" is not one of true, false, yes, no, 1, 0.").arg(raw);
            return {};
        }
        return value;
    }
    case FieldKind::Char: {
        if (raw.size() > f.width) {
            *why = QStringLiteral("The text has %1 characters; the field holds %2.")
                       .arg(raw.size())
                       .arg(f.width);
            return {};
        }
        // Line breaks belong only in the free-form address.
        const bool lines = f.name == fld::IntlAddress;
        for (const QChar c : raw) {
            if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
                continue;
            if (lines && (c == QLatin1Char('\r') || c == QLatin1Char('\n')))
                continue;
            *why =
                c == QLatin1Char('\r') || c == QLatin1Char('\n')
                    ? QStringLiteral("The text holds a line break; only IntlAddress may.")
                    : QStringLiteral("The text holds the control character %1.").arg(c.unicode());
            return {};
        }
        return raw;
    }
    case FieldKind::Blob: {
        if (raw.trimmed().isEmpty())
            return QByteArray();
        const QByteArray bytes = readPicture(csvDir, raw, why);
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return {};
}

// The key that must be unique in a table: one number per family and per individual.
QLatin1String uniqueField(const TableDef &def)
{
    if (&def == &familiesTable())
        return fld::FamilyIdNum;
    if (&def == &individualsTable())
        return fld::IndivIdNum;
    return {};
}

void readTable(const QString &csvDir, const QString &csvName, const TableDef &def, TableRows &table,
               Problems &problems)
{
    table.csvName = csvName;
    QFile file(QDir(csvDir).filePath(csvName));
    if (!file.open(QIODevice::ReadOnly)) {
        problems.add(csvName, 0, {},
                     QStringLiteral("Cannot read the file: %1").arg(file.errorString()));
        return;
    }
    const CsvParse csv = parseCsv(file.readAll());
    if (!csv.error.isEmpty()) {
        problems.add(csvName, csv.errorLine, {}, csv.error);
        return;
    }
    if (csv.records.empty()) {
        problems.add(csvName, 0, {}, QStringLiteral("The file has no header row."));
        return;
    }

    const CsvRecord &header = csv.records.front();
    std::vector<const FieldDef *> columns;
    bool headerOk = true;
    for (qsizetype c = 0; c < header.fields.size(); ++c) {
        const QString &name = header.fields[c];
        const FieldDef *f = def.field(name.trimmed());
        if (!f) {
            // The column is no field, so the problem names it in the text, not as a field.
            problems.add(csvName, 0, {},
                         name.trimmed().isEmpty()
                             ? QStringLiteral("Column %1 of the header has no name.").arg(c + 1)
                             : unknownColumnText(def, name.trimmed()));
            headerOk = false;
        } else if (std::find(columns.begin(), columns.end(), f) != columns.end()) {
            problems.add(csvName, header.line, name, QStringLiteral("The field is named twice."));
            headerOk = false;
        }
        columns.push_back(f);
    }
    if (!headerOk)
        return;
    // A field the file leaves out takes its default in every row: the table writer binds an
    // empty text, 0, false or no picture for what a row does not hold. The row number is no
    // field a file must give, so leaving it out is not worth a line.
    for (const FieldDef &f : def.fields) {
        if (f.kind != FieldKind::AutoInc &&
            std::find(columns.begin(), columns.end(), &f) == columns.end())
            table.filled << f.name;
    }

    const QLatin1String unique = uniqueField(def);
    QHash<qlonglong, int> seen; // unique key -> line
    for (size_t r = 1; r < csv.records.size() && !problems.full(); ++r) {
        const CsvRecord &record = csv.records[r];
        if (record.fields.size() != qsizetype(columns.size())) {
            problems.add(csvName, record.line, {},
                         QStringLiteral("The row has %1 values; the header names %2 fields.")
                             .arg(record.fields.size())
                             .arg(columns.size()));
            continue;
        }
        Row row;
        bool rowOk = true;
        for (size_t c = 0; c < columns.size(); ++c) {
            const FieldDef &f = *columns[c];
            QString why;
            const QVariant value = convert(f, record.fields[qsizetype(c)], csvDir, &why);
            if (!value.isValid()) {
                problems.add(csvName, record.line, f.name, why);
                rowOk = false;
                continue;
            }
            // Row numbers are checked but not kept: the table numbers its rows in file order.
            if (f.kind != FieldKind::AutoInc)
                row.insert(f.name, value);
        }
        if (!rowOk)
            continue;
        if (!unique.isEmpty()) {
            const qlonglong key = row.value(unique).toLongLong();
            if (seen.contains(key)) {
                problems.add(
                    csvName, record.line, unique,
                    QStringLiteral("%1 is already used on line %2.").arg(key).arg(seen.value(key)));
                continue;
            }
            seen.insert(key, record.line);
        }
        table.rows.push_back(std::move(row));
    }
}

} // namespace

QString PackProblem::toString() const
{
    QStringList where;
    if (!file.isEmpty())
        where << file;
    if (line > 0)
        where << QStringLiteral("line %1").arg(line);
    if (!field.isEmpty())
        where << QStringLiteral("field %1").arg(field);
    return where.isEmpty() ? text : where.join(QLatin1String(", ")) + QLatin1String(": ") + text;
}

namespace {

QString joinProblems(const QList<PackProblem> &problems)
{
    QStringList lines;
    for (const PackProblem &p : problems)
        lines << p.toString();
    return QStringLiteral("Nothing was written.\n") + lines.join(QLatin1Char('\n'));
}

} // namespace

PackError::PackError(const QList<PackProblem> &problems)
    : SampleError(joinProblems(problems)), m_problems(problems)
{}

QStringList buildTablesFromCsv(const QString &csvDir, const QString &outDir, PackResult *result)
{
    const QDir dir(csvDir);
    if (!dir.exists())
        throw PackError({{csvDir, 0, {}, QStringLiteral("The folder does not exist.")}});

    Problems problems;
    std::map<const TableDef *, QString> csvOf;
    const QStringList names =
        dir.entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        const TableDef *def = findTableDef(QFileInfo(name).completeBaseName());
        if (!def) {
            problems.add(name, 0, {},
                         QStringLiteral("No table of the directory has this name; the files are "
                                        "named after their tables (RostFamilies.csv, "
                                        "RostIndividuals.csv, ...)."));
        } else if (csvOf.count(def)) {
            problems.add(name, 0, {},
                         QStringLiteral("%1 is there already for the same table.").arg(csvOf[def]));
        } else {
            csvOf[def] = name;
        }
    }
    if (!csvOf.count(&familiesTable()))
        problems.add(QStringLiteral("RostFamilies.csv"), 0, {},
                     QStringLiteral("The file is missing; a directory needs its families."));

    std::map<const TableDef *, TableRows> tables;
    for (const TableDef *def : allTables()) {
        TableRows &table = tables[def];
        const auto csv = csvOf.find(def);
        if (csv != csvOf.end() && !problems.full())
            readTable(csvDir, csv->second, *def, table, problems);
    }
    if (!problems.empty())
        throw PackError(problems.list());

    QStringList files;
    try {
        for (const TableDef *def : allTables()) {
            const QString path = QDir(outDir).filePath(def->file);
            TableWriter writer(path, *def);
            for (const Row &row : tables[def].rows)
                writer.insert(row);
            writer.commit();
            files << path;
            if (result && !tables[def].filled.isEmpty())
                result->filled << QStringLiteral("%1: filled with defaults: %2")
                                      .arg(tables[def].csvName,
                                           tables[def].filled.join(QLatin1String(", ")));
            if (result)
                result->notes
                    << (tables[def].csvName.isEmpty()
                            ? QStringLiteral("%1: no CSV file, packed empty").arg(def->file)
                            : QStringLiteral("%1: %2 rows from %3")
                                  .arg(def->file)
                                  .arg(tables[def].rows.size())
                                  .arg(tables[def].csvName));
        }
    } catch (const EngineError &e) {
        throw SampleError(e.text());
    }
    return files;
}

PackResult packCsv(const QString &csvDir, const QString &zipPath)
{
    const QFileInfo target(zipPath);
    if (!target.absoluteDir().exists())
        throw PackError(
            {{zipPath, 0, {}, QStringLiteral("The folder of the archive does not exist.")}});
    QTemporaryDir staging;
    if (!staging.isValid())
        throw SampleError(
            QStringLiteral("Cannot create a temporary folder: %1").arg(staging.errorString()));
    PackResult result;
    const QStringList files = buildTablesFromCsv(csvDir, staging.path(), &result);
    writeZip(zipPath, files);
    return result;
}

} // namespace rost
