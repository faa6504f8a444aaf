#include "sample/CsvPack.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The bytes are one table's CSV file (the first byte chooses which); packing either builds the
// tables or refuses with problems named, and never anything else.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const files[] = {"RostFamilies.csv", "RostIndividuals.csv", "RostSetup.csv",
                                        "RostOffices.csv"};
    if (size == 0)
        return 0;
    static QTemporaryDir work;
    const QString csv = work.filePath(QStringLiteral("csv"));
    const QString out = work.filePath(QStringLiteral("out"));
    QDir(csv).removeRecursively();
    QDir(out).removeRecursively();
    QDir().mkpath(csv);
    QDir().mkpath(out);
    QFile file(csv + QLatin1Char('/') + QLatin1String(files[data[0] % 4]));
    if (!file.open(QIODevice::WriteOnly))
        __builtin_trap();
    file.write(reinterpret_cast<const char *>(data + 1), static_cast<qint64>(size - 1));
    file.close();
    try {
        rost::buildTablesFromCsv(csv, out);
    } catch (const rost::PackError &e) {
        if (e.problems().isEmpty())
            __builtin_trap();
    } catch (const rost::SampleError &) {
    }
    return 0;
}
