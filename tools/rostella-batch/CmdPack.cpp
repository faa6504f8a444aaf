#include "Commands.h"

#include "sample/CsvPack.h"

#include <QTextStream>

#include <cstdio>

namespace rost::batch {

int cmdPack(const QStringList &args)
{
    const Options options(args, {QStringLiteral("csv"), QStringLiteral("out")}, {});
    const QString csvDir = options.required(QStringLiteral("csv"));
    const QString out = options.required(QStringLiteral("out"));
    try {
        const PackResult result = packCsv(csvDir, out);
        QTextStream stream(stdout);
        for (const QString &note : result.notes)
            stream << note << "\n";
        stream << "Wrote " << out << "\n";
    } catch (const SampleError &e) {
        throw Failure{e.text(), 1};
    }
    return 0;
}

} // namespace rost::batch
