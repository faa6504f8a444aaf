#include "Commands.h"

#include "sample/SampleDirectory.h"
#include "sample/SampleError.h"

#include <QTextStream>

#include <cstdio>

namespace rost::batch {

int cmdSample(const QStringList &args)
{
    const Options options(args,
                          {QStringLiteral("out"), QStringLiteral("families"),
                           QStringLiteral("individuals"), QStringLiteral("seed")},
                          {QStringLiteral("zip")});
    SampleOptions sample;
    const QString out = options.required(QStringLiteral("out"));
    if (options.has(QStringLiteral("families")) && options.has(QStringLiteral("individuals")))
        throw Failure{QStringLiteral("Give either --families or --individuals, not both."), 2};
    sample.families = options.intValue(QStringLiteral("families"), sample.families);
    if (options.has(QStringLiteral("individuals"))) {
        sample.individuals = options.intValue(QStringLiteral("individuals"), 0);
        if (sample.individuals < 1)
            throw Failure{QStringLiteral("Option --individuals needs a number from 1 to %1.")
                              .arg(MaxIndividuals),
                          2};
    }
    if (options.has(QStringLiteral("seed"))) {
        bool ok = false;
        sample.seed = options.value(QStringLiteral("seed")).toULongLong(&ok);
        if (!ok)
            throw Failure{QStringLiteral("Option --seed needs a whole number, not \"%1\".")
                              .arg(options.value(QStringLiteral("seed"))),
                          2};
    }
    sample.zip = options.has(QStringLiteral("zip"));
    try {
        const SampleSize size = sampleSize(sample);
        writeSampleDirectory(out, sample);
        QTextStream(stdout) << "Wrote " << size.families << " families and " << size.individuals
                            << " individuals to "
                            << (sample.zip ? out + QStringLiteral("/RostData.zip") : out) << "\n";
    } catch (const SampleError &e) {
        throw Failure{e.text(), 1};
    }
    return 0;
}

} // namespace rost::batch
