#include "Command.h"

#include "sample/SampleDirectory.h"
#include "sample/SampleError.h"

#include <QTextStream>

#include <limits>

namespace rost::batch {

namespace {

constexpr Option Out{"out", "DIR", "the folder to write into, made when missing"};
constexpr Option Families{"families", "N", "how many families",
                          NumberRange{0, std::numeric_limits<int>::max()}};
constexpr Option Individuals{"individuals", "N", "families are added until there are N individuals",
                             NumberRange{1, MaxIndividuals}};
constexpr Option Seed{"seed", "S", "the same seed writes the same directory",
                      NumberRange{0, std::numeric_limits<quint64>::max()}};
constexpr Option Zip{"zip", nullptr, "write DIR/RostData.zip holding the tables instead"};

int cmdSample(const Arguments &args)
{
    SampleOptions sample;
    const QString out = args.value(Out);
    sample.families = args.number(Families, sample.families);
    sample.individuals = args.number(Individuals, sample.individuals);
    sample.seed = args.number(Seed, sample.seed);
    sample.zip = args.isSet(Zip);
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

} // namespace

Command sampleCommand()
{
    return Command("sample",
                   "Writes a realistic, deterministic sample directory: loose table files, or with "
                   "--zip the archive the program imports.",
                   {Out, optional(oneOf({Families, Individuals})), optional(Seed), optional(Zip)},
                   cmdSample);
}

} // namespace rost::batch
