#pragma once

#include <QString>

namespace rost {

// Family and individual numbers are 16-bit signed, which bounds a directory.
inline constexpr int MaxIndividuals = 32767;

struct SampleOptions
{
    int families = 60;   // how many families, when individuals is 0
    int individuals = 0; // when above 0: families are added until exactly this many individuals
    quint64 seed = 1;
    bool zip = false; // RostData.zip holding the table files instead of loose files
};

struct SampleSize
{
    int families = 0;
    int individuals = 0;
};

// The numbers of families and individuals the options ask for. Throws SampleError when they
// are out of range or the individuals would not fit in 16-bit numbers.
SampleSize sampleSize(const SampleOptions &options);

// Writes a realistic directory into dir (created if missing): the eight table files, or
// RostData.zip holding them. The same options give the same tables. The first families are
// fixed and show every case the program must handle (goes-by names, a wife with her own last
// name, partners, an organisation, an address of free-form lines, a family without members,
// pictures in all six formats); the rest are drawn from name and address pools. Existing table
// files of the same names are replaced only once all are complete. Throws SampleError.
void writeSampleDirectory(const QString &dir, const SampleOptions &options);

} // namespace rost
